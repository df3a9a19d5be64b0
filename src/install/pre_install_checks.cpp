#include "install/pre_install_checks.h"

#include "app/directories.h"
#include "install/find_process.h"
#include "records/hard_disk_manager.h"

namespace {

PreInstallCheck Refuse(PreInstallVerdict verdict, std::string message, const char* dialog) {
    return PreInstallCheck{verdict, std::move(message), kCheckCaption, dialog};
}

}  // namespace

PreInstallCheck RunPreInstallChecks(const std::string& folder, bool updateMode,
                                    const std::string& lowSpaceText) {
    if (!updateMode) {
        if (Utils::FindProcess(kUninstallerCopyName) != 0) {
            return Refuse(PreInstallVerdict::kUninstallerRunning, kProductRunningText,
                          "MessageBox1Wnd.xml");
        }
        if (Utils::FindProcess(kProductExecutableName) != 0) {
            return Refuse(PreInstallVerdict::kProductRunning, kProductRunningText,
                          "MessageBox1Wnd.xml");
        }
    }
    if (folder.empty() || !CreateDirectories(folder)) {
        return Refuse(PreInstallVerdict::kInvalidFolder, kInvalidFolderText, "MessageBox2Wnd.xml");
    }
    Utils::HardDiskManager disk;
    disk.CheckFreeSpace(folder);
    if (disk.FreeGiB() < 1.0) {
        return Refuse(PreInstallVerdict::kLowDiskSpace,
                      lowSpaceText.empty() ? kLowDiskSpaceText : lowSpaceText,
                      "MessageBox2Wnd.xml");
    }
    return PreInstallCheck{};
}
