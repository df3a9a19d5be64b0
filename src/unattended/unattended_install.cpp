#include "unattended/unattended_install.h"

#include <chrono>
#include <filesystem>

#include "app/check_network.h"
#include "install/download_installer.h"
#include "install/install_progress.h"
#include "install/pre_install_checks.h"
#include "platform/clock.h"
#include "records/analytics_state.h"
#include "records/failure_diagnostics.h"
#include "records/install_record.h"
#include "unattended/download_speed.h"
#include "unattended/install_event_queue.h"
#include "unattended/progress_display.h"

namespace {

constexpr const char* kPoorNetworkText = "当前网络环境较差，请在网络通畅时进行安装";
constexpr const char* kInstallFailedText = "安装失败";
constexpr const char* kDownloadFailedText = "下载安装包失败";

// The folder to install into: the one asked for (made absolute), the
// recorded one in update mode, else the default.
std::string ChooseFolder(const CommandLineArgs& args, bool updateMode, InstallRecord& record) {
    const std::string defaultFolder = record.GetDefaultInstallDir();  // also probes the account
    if (args.Has("-installdir") && !args.GetString("-installdir").empty()) {
        std::error_code ignored;
        return std::filesystem::absolute(args.GetString("-installdir"), ignored).string();
    }
    if (updateMode && record.m_HasExistingInstall) return record.m_RecordedInstallDir;
    return defaultFolder;
}

// Follows one installation from the orchestrator's first event to its end.
class UnattendedSession {
public:
    UnattendedSession(const CInstallerConfig& config, InstallRecord& record, std::FILE* out,
                      std::FILE* err, bool terminal)
        : config_(config),
          record_(record),
          out_(out),
          err_(err),
          progress_(config.m_DownloadScale),
          display_(out, terminal) {}

    int Run(const std::string& folder, const std::string& uninstaller) {
        CDownloadInstaller orchestrator(queue_.Poster(), "", "", "", true, true, true);
        orchestrator.SetInstallParams(config_.m_DownloadUrl, record_.m_RecordedInstallDir, uninstaller,
                                      folder, true, true, record_.m_IsAdminAccount,
                                      record_.m_IsElevated, "");
        orchestrator.Start();
        DownloadSpeed speed(orchestrator.PackagePath());
        int exitCode = -1;
        while (exitCode < 0) {
            InstallEventQueue::Event event;
            if (!queue_.Pop(event, std::chrono::milliseconds(250))) {
                if (downloading_) display_.ShowDownload(downloadPercent_, speed.Sample(platform::TickCountMs()));
                continue;
            }
            exitCode = Handle(event, orchestrator, speed);
        }
        display_.Finish();
        if (exitCode == kExitInstalled) {
            std::fprintf(out_, "installed into %s\n", record_.m_InstalledDir.c_str());
        }
        ReportFailure();
        return exitCode;
    }

private:
    // Acts on one event; the exit code when it ends the installation, else -1.
    int Handle(const InstallEventQueue::Event& e, CDownloadInstaller& orchestrator, DownloadSpeed& speed) {
        switch (e.code) {
            case DL_CODE_START: downloading_ = true; break;
            case DL_CODE_PROGRESS:
                downloadPercent_ = progress_.OnDownloadProgress(e.value);
                display_.ShowDownload(downloadPercent_, speed.Sample(platform::TickCountMs()));
                break;
            case DL_CODE_SUCCESS: downloading_ = false; break;
            case DL_CODE_MESSAGE:
                FailureDiagnostics::BuildErrorSummary(e.value, e.text);
                Note(e.text);
                break;
            case DL_CODE_FAIL:
                FailureDiagnostics::BuildFailureDiagnostics(e.value, e.text, orchestrator.PackagePath());
                failure_ = kDownloadFailedText;
                if (e.value != 0) failure_ += " (" + std::to_string(static_cast<long>(e.value)) + ")";
                return kExitDownloadFailed;
            case IST_CODE_START:
                downloading_ = false;
                AnalyticsState::WriteSetIni(record_.m_InstalledDir);
                break;
            case IST_CODE_PROGRESS: display_.ShowInstall(progress_.OnInstallProgress(e.value)); break;
            case IST_INFO_INSTPATH: record_.m_InstalledDir = e.text; break;
            case IST_INFO_UNINSTEP: record_.m_ReportedUninstallerPath = e.text; break;
            case IST_INFO_MESSAGE: Note(e.text); break;
            case IST_CODE_SUCCESS:
                display_.ShowInstall(100);
                record_.WriteInstallRecord();
                AnalyticsState::WriteSetIni(record_.m_InstalledDir);
                return kExitInstalled;
            case IST_CODE_FAIL:
                FailureDiagnostics::BuildErrorSummary(e.value, e.text);
                failure_ = e.text.empty() ? kInstallFailedText : e.text;
                return kExitPackageFailed;
            case UNIST_CODE_FAIL:
            case UNIST_CODE_ERROR:
                failure_ = kProductRunningText;
                if (!e.text.empty()) failure_ += "\n" + e.text;
                return kExitRemovalFailed;
            default: break;
        }
        return -1;
    }

    // Messages wait until the bar's line is closed, so that they stay readable.
    void Note(const std::string& text) {
        display_.Finish();
        std::fprintf(err_, "%s\n", text.c_str());
        std::fflush(err_);
    }

    void ReportFailure() {
        if (failure_.empty()) return;
        std::fprintf(err_, "%s\n", failure_.c_str());
        std::fflush(err_);
    }

    const CInstallerConfig& config_;
    InstallRecord& record_;
    std::FILE* out_;
    std::FILE* err_;
    InstallProgress progress_;
    ProgressDisplay display_;
    InstallEventQueue queue_;
    bool downloading_ = false;
    int downloadPercent_ = 0;
    std::string failure_;
};

}  // namespace

int RunUnattendedInstall(const CInstallerConfig& config, const CommandLineArgs& args,
                         std::FILE* out, std::FILE* err, bool terminal) {
    InstallRecord record;
    record.ReadInstallRecord();
    const std::string folder = ChooseFolder(args, config.m_InsNew, record);

    const PreInstallCheck check = RunPreInstallChecks(folder, config.m_InsNew);
    if (!check.Passed()) {
        std::fprintf(err, "%s\n", check.message.c_str());
        return kExitCheckRefused;
    }
    if (config.m_IsCheckNet && Utils::CheckNetwork() > 65535) {
        std::fprintf(err, "%s\n", kPoorNetworkText);
        return kExitCheckRefused;
    }

    record.m_InstalledDir = folder;
    const std::string uninstaller =
        record.KeepsPreviousInstall(folder) ? std::string() : record.m_RecordedUninstallerPath;
    UnattendedSession session(config, record, out, err, terminal);
    return session.Run(folder, uninstaller);
}
