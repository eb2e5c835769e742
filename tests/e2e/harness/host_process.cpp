// Host processes for the harness, through fork and exec.
#include "host_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace e2e {

namespace {

[[noreturn]] void execIn(const std::vector<std::string>& argv, const std::string& folder) {
    if (!folder.empty() && chdir(folder.c_str()) != 0)
        _exit(126);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

int statusOf(int raw) {
    if (WIFEXITED(raw))
        return WEXITSTATUS(raw);
    if (WIFSIGNALED(raw))
        return 128 + WTERMSIG(raw);
    return -1;
}

std::string joined(const std::vector<std::string>& argv) {
    std::string line;
    for (const std::string& a : argv)
        line += (line.empty() ? "" : " ") + a;
    return line;
}

}  // namespace

CommandResult runCommand(const std::vector<std::string>& argv, const std::string& folder) {
    // Output goes to a file, not a pipe: a Wine command may leave a wineserver
    // behind that holds its output open long after the command has ended.
    char name[] = "/tmp/trellmark-e2e-output-XXXXXX";
    int file = mkstemp(name);
    if (file < 0)
        throw std::runtime_error("cannot make a temporary file");
    unlink(name);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(file, 1);
        dup2(file, 2);
        int null = open("/dev/null", O_RDONLY);
        dup2(null, 0);
        execIn(argv, folder);
    }
    int raw = 0;
    while (waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
    }
    CommandResult result;
    result.status = statusOf(raw);
    lseek(file, 0, SEEK_SET);
    char chunk[4096];
    ssize_t got;
    while ((got = read(file, chunk, sizeof chunk)) > 0) {
        result.output.append(chunk, static_cast<size_t>(got));
    }
    close(file);
    return result;
}

std::string runChecked(const std::vector<std::string>& argv, const std::string& folder) {
    CommandResult result = runCommand(argv, folder);
    if (result.status != 0) {
        throw std::runtime_error(joined(argv) + " failed (" + std::to_string(result.status) +
                                 "):\n" + result.output);
    }
    return result.output;
}

PipedChild::PipedChild(const std::vector<std::string>& argv, const std::string& folder) {
    int toChild[2], fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    pid_ = fork();
    if (pid_ == 0) {
        dup2(toChild[0], 0);
        dup2(fromChild[1], 1);
        execIn(argv, folder);
    }
    close(toChild[0]);
    close(fromChild[1]);
    input_ = toChild[1];
    output_ = fromChild[0];
    signal(SIGPIPE, SIG_IGN);
}

PipedChild::~PipedChild() {
    if (pid_ > 0)
        finish(5000);
    if (output_ >= 0)
        close(output_);
}

void PipedChild::writeLine(const std::string& line) {
    std::string data = line + "\n";
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = write(input_, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw std::runtime_error("the driver has ended");
        done += static_cast<size_t>(n);
    }
}

bool PipedChild::readLine(std::string& line, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        size_t end = buffer_.find('\n');
        if (end != std::string::npos) {
            line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{output_, POLLIN, 0};
        int ready = poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        char chunk[4096];
        ssize_t got = read(output_, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        buffer_.append(chunk, static_cast<size_t>(got));
    }
}

void PipedChild::closeInput() {
    if (input_ >= 0)
        close(input_);
    input_ = -1;
}

int PipedChild::finish(int timeoutMs) {
    closeInput();
    int raw = 0;
    for (int waited = 0; pid_ > 0; waited += 20) {
        pid_t done = waitpid(pid_, &raw, WNOHANG);
        if (done == pid_) {
            pid_ = -1;
            return statusOf(raw);
        }
        if (waited >= timeoutMs) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &raw, 0);
            pid_ = -1;
            return statusOf(raw);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

}  // namespace e2e
