// Memory in another process through VirtualAllocEx and Read/WriteProcessMemory.
#include "remote_memory.h"

#include <vector>

#include "protocol.h"
#include "windows_query.h"

namespace driver {

RemoteMemory::RemoteMemory(HWND owner, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    process_ = OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
        FALSE, pid);
    if (!process_)
        throw Failure("cannot open the process of window " + handleText(owner));
    base_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!base_) {
        CloseHandle(process_);
        throw Failure("cannot allocate memory in the process of window " + handleText(owner));
    }
}

RemoteMemory::~RemoteMemory() {
    VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    CloseHandle(process_);
}

void RemoteMemory::write(size_t offset, const void* data, size_t size) {
    SIZE_T done = 0;
    if (offset + size > size_ || !WriteProcessMemory(process_, at(offset), data, size, &done) ||
        done != size) {
        throw Failure("cannot write to the target process");
    }
}

void RemoteMemory::read(size_t offset, void* data, size_t size) const {
    SIZE_T done = 0;
    if (offset + size > size_ || !ReadProcessMemory(process_, at(offset), data, size, &done) ||
        done != size) {
        throw Failure("cannot read from the target process");
    }
}

std::string RemoteMemory::readText(size_t offset, size_t size) const {
    std::vector<char> buffer(size + 1, '\0');
    read(offset, buffer.data(), size);
    return buffer.data();
}

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) {
        throw Failure("window does not answer: " + handleText(window));
    }
    return static_cast<LRESULT>(result);
}

}  // namespace driver
