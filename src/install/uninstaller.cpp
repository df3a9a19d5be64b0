#include "install/uninstaller.h"

#include "app/debug_log.h"
#include "app/number_text.h"
#include "app/text_conversion.h"
#include "install/account_probes.h"
#include "install/child_output_loop.h"
#include "install/status_lines.h"
#include "platform/file_system.h"

namespace {

enum Key { kProgress, kError, kState, kEncode };
constexpr std::string_view kKeys[] = {"Progress=", "Error=", "State=", "Encode="};

constexpr const char* kMissingUninstallerText = "可执行卸载文件不存在";
constexpr const char* kRemovalFailedText = "安装包卸载失败";

bool IsFile(const std::string& path) {
    return !path.empty() && platform::PathExists(path) && !platform::IsDirectory(path);
}

}  // namespace

CUninstaller::CUninstaller(EventCallback callback, std::string uninstallerPath,
                           std::string oldInstallDir)
    : m_Callback(std::move(callback)),
      m_UninstallerPath(std::move(uninstallerPath)),
      m_OldInstallDir(std::move(oldInstallDir)) {}

CUninstaller::~CUninstaller() {
    m_Thread.reset();
}

void CUninstaller::Raise(int32_t code, double value, std::string_view text) {
    if (m_Callback) m_Callback(code, value, text);
}

std::string CUninstaller::BuildCommandLine() const {
    std::string consoleUser;
    const bool adminAccount =
        Utils::GetConsoleUserName(consoleUser) && Utils::IsAdminAccount(consoleUser);
    // Built whole, however long the paths make it. "_?=" comes last, so the
    // folder may hold blanks.
    return m_UninstallerPath + " /S -adminact=" + (adminAccount ? "true" : "false") +
           " -authorizationact=" + (Utils::IsTokenAdmin() ? "true" : "false") +
           " -console=show _?=" + m_OldInstallDir;
}

void CUninstaller::Start() {
    m_Thread.reset();
    m_CommandLine = BuildCommandLine();
    m_Thread = std::make_unique<Utils::Thread>("UnInstaller", [this] { Run(); });
    m_Thread->Resume();
}

int CUninstaller::Run() {
    if (!IsFile(m_UninstallerPath)) {
        Raise(UNIST_CODE_FAIL, 1, kMissingUninstallerText);
        return 0;
    }
    Raise(UNIST_CODE_PROGRESS, 0);
    DEBUG_LOG("%s", m_CommandLine.c_str());

    bool successPending = true;
    // Started by its path: a temporary folder with blanks stays one program.
    const auto exit = RunChildProcess(
        m_UninstallerPath, m_CommandLine.substr(m_UninstallerPath.size()),
        [&](std::string_view chunk) {
            if (Parse(ToWide(UpToNul(chunk), static_cast<unsigned>(m_CodePage))) != 0) {
                successPending = false;
            }
        });
    if (!exit) {
        Raise(UNIST_CODE_FAIL, 2);
        return 0;
    }

    if (successPending) {
        if (exit->signalled) {
            const std::string signal = platform::SignalName(exit->code);
            DEBUG_LOG("uninstaller killed by %s", signal.c_str());
            Raise(UNIST_CODE_FAIL, 2, "卸载程序异常终止（" + signal + "）");
        } else {
            Raise(UNIST_CODE_SUCCESS, 1);
        }
    }
    return 0;
}

int CUninstaller::Parse(std::string_view text) {
    int result = 0;
    for (std::string_view line : SplitStatusLines(text)) {
        const int key = MatchStatusKey(line, kKeys);
        if (key < 0) continue;
        const std::string value = StatusValue(line, kKeys[key]);
        switch (key) {
            case kProgress:
                Raise(UNIST_CODE_PROGRESS, ReadLeadingDouble(value).value_or(0.0));
                break;
            case kError:
                Raise(UNIST_CODE_ERROR, 0, value);
                result = 1000;
                break;
            case kState: {
                const std::string state = Trim(value);
                if (state == "Success") {
                    Raise(UNIST_CODE_SUCCESS, 0);
                    result = 1;
                } else if (state == "Fail") {
                    Raise(UNIST_CODE_ERROR, 0, kRemovalFailedText);
                    result = 1000;
                }
                break;
            }
            case kEncode:
                m_CodePage = Trim(value) == "UTF8" ? 65001 : 0;
                break;
        }
    }
    return result;
}
