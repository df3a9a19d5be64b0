#pragma once

#include <string>

// The account questions whose answers the package and the old uninstaller
// receive as "-authorizationact" and "-adminact". None of them fails loudly:
// whatever cannot be found out reads as false.
namespace Utils {

// Whether the installer itself runs with administrator rights.
bool IsTokenAdmin();

// Whether the named local account may administer the machine. False for an
// empty or unknown name.
bool IsAdminAccount(const std::string& userName);

// The user of the machine's active console session; false, with the name
// left empty, when it cannot be found out.
bool GetConsoleUserName(std::string& userName);

}  // namespace Utils
