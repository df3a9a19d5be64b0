#include "platform/accounts.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <vector>

#include "platform/file_contents.h"

namespace platform {
namespace {

constexpr const char* kAdministratorGroups[] = {"sudo", "wheel", "admin"};

std::optional<std::string> NameOfUser(uid_t uid) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
        return std::nullopt;
    }
    return std::string(found->pw_name);
}

// The user id systemd-logind names as the active one of seat0.
std::optional<uid_t> ActiveSeatUser() {
    const std::optional<std::string> seat = ReadFileContents("/run/systemd/seats/seat0");
    if (!seat) return std::nullopt;
    constexpr std::string_view kKey = "ACTIVE_UID=";
    size_t at = seat->find(kKey);
    if (at == std::string::npos || (at != 0 && (*seat)[at - 1] != '\n')) return std::nullopt;
    at += kKey.size();
    const size_t end = seat->find('\n', at);
    const std::string digits = seat->substr(at, end == std::string::npos ? end : end - at);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return static_cast<uid_t>(std::stoul(digits));
}

}  // namespace

bool RunsElevated() {
    return ::geteuid() == 0;
}

bool IsAdministratorAccount(const std::string& userName) {
    if (userName.empty()) return false;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwnam_r(userName.c_str(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr) {
        return false;
    }
    if (found->pw_uid == 0) return true;

    int count = 64;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<size_t>(count));
        if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) return false;
    }
    groups.resize(static_cast<size_t>(count));
    for (const char* name : kAdministratorGroups) {
        std::vector<char> groupBuffer(16384);
        group groupEntry{};
        group* groupFound = nullptr;
        if (::getgrnam_r(name, &groupEntry, groupBuffer.data(), groupBuffer.size(), &groupFound) !=
                0 ||
            groupFound == nullptr) {
            continue;
        }
        for (gid_t gid : groups) {
            if (gid == groupFound->gr_gid) return true;
        }
    }
    return false;
}

std::optional<std::string> ConsoleUserName() {
    if (const std::optional<uid_t> active = ActiveSeatUser()) {
        if (std::optional<std::string> name = NameOfUser(*active)) return name;
    }
    return NameOfUser(::getuid());
}

}  // namespace platform
