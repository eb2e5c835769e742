// The test drive of the contract suite, as each backend provides it: fresh
// folders for the rows, and file contents put and read behind the backend's
// back (the host's own calls), so a row sees what is really on the disk.
#pragma once

#include <functional>
#include <string>

namespace contract {

// "D:\<name>", created empty for the row (names are unique per row).
std::string folder(const std::string& name);

void writeBytes(const std::string& path, const std::string& bytes);
// Empty when the file cannot be read.
std::string readBytes(const std::string& path);

// A user's action waiting in the program's queue (a click, a key), to be run
// once when the messages are next processed.
void queueUserAction(std::function<void()> action);
// A moment's pause between two looks at the queue.
void pause();

}  // namespace contract
