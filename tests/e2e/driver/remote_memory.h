// A block of memory inside the process that owns a window, for the common
// control messages whose arguments are pointers (list views, tabs): the
// structure is written there, the message sent, and the result read back.
#pragma once

#include <windows.h>

#include <string>

namespace driver {

class RemoteMemory {
public:
    RemoteMemory(HWND owner, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    // Address in the other process, `offset` bytes into the block.
    void* at(size_t offset = 0) const { return static_cast<char*>(base_) + offset; }
    void write(size_t offset, const void* data, size_t size);
    void read(size_t offset, void* data, size_t size) const;
    // A NUL-ended text of at most `size` bytes.
    std::string readText(size_t offset, size_t size) const;

    template <class T>
    void put(size_t offset, const T& value) {
        write(offset, &value, sizeof value);
    }
    template <class T>
    T get(size_t offset) const {
        T value{};
        read(offset, &value, sizeof value);
        return value;
    }

private:
    HANDLE process_ = nullptr;
    void* base_ = nullptr;
    size_t size_;
};

// SendMessage with a time-out; fails when the target does not answer.
LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace driver
