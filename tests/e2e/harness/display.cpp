// A private Xvfb per test, on the display number it picks itself (-displayfd).
#include "display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

#include "settings.h"

namespace e2e {

Display::Display() {
    name_ = givenDisplay();
    if (!name_.empty())
        return;
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    server_ = fork();
    if (server_ == 0) {
        // Goes with the test, even when the test is killed.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(fds[0]);
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
               "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c;
    while (poll(&p, 1, 15000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty()) {
        kill(server_, SIGTERM);
        waitpid(server_, nullptr, 0);
        server_ = -1;
        throw std::runtime_error("Xvfb did not start (is it installed?)");
    }
    name_ = ":" + number;
}

Display::~Display() {
    if (server_ <= 0)
        return;
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
}

}  // namespace e2e
