#include "xvfb_display.h"

#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace testsupport {

XvfbDisplay::~XvfbDisplay() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
}

bool XvfbDisplay::Start(int width, int height, std::string& error) {
    int fds[2];
    if (pipe(fds) != 0) {
        error = "pipe failed";
        return false;
    }
    const std::string fd = std::to_string(fds[1]);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    pid_ = fork();
    if (pid_ < 0) {
        error = "fork failed";
        return false;
    }
    if (pid_ == 0) {
        close(fds[0]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    pollfd waiting{fds[0], POLLIN, 0};
    while (number.find('\n') == std::string::npos) {
        if (poll(&waiting, 1, 20000) <= 0) break;
        char buffer[32];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        number.append(buffer, static_cast<size_t>(n));
    }
    close(fds[0]);
    if (number.empty() || number.find('\n') == std::string::npos) {
        error = "Xvfb did not start";
        return false;
    }
    name_ = ":" + number.substr(0, number.find('\n'));
    setenv("DISPLAY", name_.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    setenv("GDK_BACKEND", "x11", 1);
    return true;
}

}  // namespace testsupport
