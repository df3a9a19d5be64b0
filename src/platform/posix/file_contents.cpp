#include "platform/file_contents.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace platform {

std::optional<std::string> ReadFileContents(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string contents;
    char buffer[16384];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0) break;
        contents.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return contents;
}

bool ReplaceFileContents(const std::string& path, std::string_view contents) {
    std::string temp = path + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return false;
    temp.assign(name.data());

    bool ok = true;
    size_t written = 0;
    while (ok && written < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + written, contents.size() - written);
        if (n <= 0) ok = false;
        else written += static_cast<size_t>(n);
    }
    // Keep the permissions of the file being replaced; new files get the usual 0644.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ok = ok && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

}  // namespace platform
