#pragma once

#include <string>

// The checks made before an installation is handed to the orchestrator, in
// their order: the copy of the old uninstaller and the product must not be
// running (skipped in update mode), the target folder must be creatable (it
// is created), and its volume must have at least 1 GiB free. The window shows
// the message in the named dialog; the unattended mode prints it.
enum class PreInstallVerdict {
    kReady,
    kUninstallerRunning,
    kProductRunning,
    kInvalidFolder,
    kLowDiskSpace,
};

struct PreInstallCheck {
    PreInstallVerdict verdict = PreInstallVerdict::kReady;
    std::string message;  // empty when ready
    std::string caption;
    std::string dialog;  // the dialog layout the window shows the message in

    bool Passed() const { return verdict == PreInstallVerdict::kReady; }
    // The unattended mode's exit code: 0 ready, 3 refused.
    int UnattendedExitCode() const { return Passed() ? 0 : 3; }
};

inline constexpr const char* kUninstallerCopyName = "VantyxAudioEditor_un_asa.exe";
inline constexpr const char* kProductExecutableName = "zoviruzarivodo.exe";
inline constexpr const char* kProductRunningText =
    "安装程序检测到Vantyx音频剪辑软件\r\n正在运行，请退出程序后再安装";
inline constexpr const char* kInvalidFolderText = "无效路径";
inline constexpr const char* kCheckCaption = "温馨提示";
// Shown for low space when the language table has no text of its own.
inline constexpr const char* kLowDiskSpaceText = "磁盘空间不足，安装至少需要1GB可用空间";

// Runs the checks for an installation into folder. lowSpaceText is the
// interface language's low-space message; empty for the built-in one.
PreInstallCheck RunPreInstallChecks(const std::string& folder, bool updateMode,
                                    const std::string& lowSpaceText = {});
