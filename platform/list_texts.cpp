#include "platform/list_texts.h"

#include <cstring>

namespace platform {

namespace {
constexpr size_t BlockSize = 32 * 1024;
}

size_t ListTexts::length(const char* record, int count) {
    const char* end = record;
    for (int i = 0; i < count; ++i)
        end += std::strlen(end) + 1;
    return static_cast<size_t>(end - record);
}

char* ListTexts::room(size_t size) {
    if (blocks_.empty() || capacity_ - used_ < size) {
        capacity_ = size > BlockSize ? size : BlockSize;
        blocks_.push_back(std::make_unique<char[]>(capacity_));
        used_ = 0;
        last_ = nullptr;
    }
    char* at = blocks_.back().get() + used_;
    used_ += size;
    return at;
}

const char* ListTexts::add(const std::string& first) {
    char* at = room(first.size() + 1);
    std::memcpy(at, first.c_str(), first.size() + 1);
    last_ = at;
    return at;
}

const char* ListTexts::append(const char* record, int count, const std::string& text) {
    const size_t old = length(record, count);
    const size_t extra = text.size() + 1;
    if (record == last_ && capacity_ - used_ >= extra) {
        std::memcpy(blocks_.back().get() + used_, text.c_str(), extra);
        used_ += extra;
        return record;
    }
    // The old copy stays behind unused; that is rare and small.
    char* at = room(old + extra);
    std::memcpy(at, record, old);
    std::memcpy(at + old, text.c_str(), extra);
    last_ = at;
    return at;
}

const char* ListTexts::replaceFirst(const char* record, int count, const std::string& first) {
    const size_t firstLength = std::strlen(record) + 1;
    const size_t rest = length(record, count) - firstLength;
    char* at = room(first.size() + 1 + rest);
    std::memcpy(at, first.c_str(), first.size() + 1);
    std::memcpy(at + first.size() + 1, record + firstLength, rest);
    last_ = at;
    return at;
}

const char* ListTexts::text(const char* record, int count, int index) {
    if (record == nullptr || index < 0 || index >= count)
        return "";
    for (int i = 0; i < index; ++i)
        record += std::strlen(record) + 1;
    return record;
}

void ListTexts::clear() {
    blocks_.clear();
    used_ = capacity_ = 0;
    last_ = nullptr;
}

}  // namespace platform
