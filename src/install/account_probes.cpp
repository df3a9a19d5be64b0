#include "install/account_probes.h"

#include "platform/accounts.h"

namespace Utils {

bool IsTokenAdmin() {
    return platform::RunsElevated();
}

bool IsAdminAccount(const std::string& userName) {
    return platform::IsAdministratorAccount(userName);
}

bool GetConsoleUserName(std::string& userName) {
    userName.clear();
    std::optional<std::string> name = platform::ConsoleUserName();
    if (!name) return false;
    userName = std::move(*name);
    return true;
}

}  // namespace Utils
