// Host processes for the harness: running a command to its end, and a child
// with pipes on stdin/stdout (the driver).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace e2e {

struct CommandResult {
    int status = -1;     // exit code, or 128 + signal
    std::string output;  // stdout and stderr together
};

// Runs argv in `folder` (empty: the current one) and waits for it.
CommandResult runCommand(const std::vector<std::string>& argv, const std::string& folder = "");
// The same, failing the calling test (by exception) when it does not exit 0.
std::string runChecked(const std::vector<std::string>& argv, const std::string& folder = "");

class PipedChild {
public:
    PipedChild(const std::vector<std::string>& argv, const std::string& folder);
    ~PipedChild();
    PipedChild(const PipedChild&) = delete;
    PipedChild& operator=(const PipedChild&) = delete;

    void writeLine(const std::string& line);
    // False at end of output or when `timeoutMs` passes first.
    bool readLine(std::string& line, int timeoutMs);
    void closeInput();
    // Waits up to `timeoutMs` for the child to end; kills it after that.
    int finish(int timeoutMs);

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string buffer_;
};

}  // namespace e2e
