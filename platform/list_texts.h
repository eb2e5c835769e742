// The texts of a list's items, kept once and packed: each item's caption and
// sub-items lie one after another, each ended by a NUL, in large blocks that
// never move, so an item needs only a pointer to its first text. A long list
// then costs little more than its characters.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class ListTexts {
public:
    // Stores a new record holding `first` and returns where it starts.
    const char* add(const std::string& first);
    // Appends a text to a record of `count` texts; returns where the record
    // starts now (it moves when the room after it is taken).
    const char* append(const char* record, int count, const std::string& text);
    // Replaces the first text of a record of `count` texts; returns where the
    // record starts now.
    const char* replaceFirst(const char* record, int count, const std::string& first);
    // Text `index` of a record of `count` texts, "" past the last.
    static const char* text(const char* record, int count, int index);
    void clear();

private:
    static size_t length(const char* record, int count);
    char* room(size_t size);

    std::vector<std::unique_ptr<char[]>> blocks_;
    size_t used_ = 0;             // in the last block
    size_t capacity_ = 0;         // of the last block
    const char* last_ = nullptr;  // the record that ends at used_, if any
};

}  // namespace platform
