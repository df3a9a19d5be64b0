#include "install/installer.h"

#include <cerrno>
#include <cstdlib>

#include "app/debug_log.h"
#include "app/installer_config.h"
#include "app/number_text.h"
#include "app/text_conversion.h"
#include "install/child_output_loop.h"
#include "install/status_lines.h"

namespace {

constexpr const char* kPackageFailedText = "安装包安装失败";

// The keys in the order they are tried; the first that a line begins with wins.
enum Key {
    kProgress,
    kInstPath,
    kState,
    kInstallVersion,
    kExePath,
    kStartExe,
    kUninstExePath,
    kUninstExe,
    kUninstEp,
    kError,
    kTopShowDetention,
    kFinsihCloseDetention,
    kStartUrl,
    kStartupStyle,
    kEncode,
    kMessage,
};
constexpr std::string_view kKeys[] = {
    "Progress=",       "InstPath=",         "State=",
    "InstallVersion=", "ExePath=",          "StartExe=",
    "UninstExePath=",  "UninstExe=",        "UninstEp=",
    "Error=",          "TopShowDetention=", "FinsihCloseDetention=",
    "StartUrl=",       "StartupStyle=",     "Encode=",
    "Message=",
};

const char* TrueFalse(bool value) {
    return value ? "true" : "false";
}

// A code page named by number: sign and digits, 0 when it does not start with
// a number or leaves the 32-bit range.
int32_t CodePageNumber(const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const long long number = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || errno == ERANGE || number < INT32_MIN || number > INT32_MAX) {
        return 0;
    }
    return static_cast<int32_t>(number);
}

std::string WithoutQuotes(const std::string& path) {
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
        return path.substr(1, path.size() - 2);
    }
    return path;
}

}  // namespace

CInstaller::CInstaller(EventCallback callback, std::string packagePath, std::string installDir,
                       bool isCreateDS, bool isCreateQS, bool isAdminAct)
    : m_Callback(std::move(callback)),
      m_PackagePath(std::move(packagePath)),
      m_InstallDir(std::move(installDir)),
      m_IsCreateQS(isCreateQS),
      m_IsCreateDS(isCreateDS),
      m_IsAdminAct(isAdminAct) {}

CInstaller::~CInstaller() {
    m_Thread.reset();
}

void CInstaller::Raise(int32_t code, double value, std::string_view text) {
    if (m_Callback) m_Callback(code, value, text);
}

std::string CInstaller::BuildCommandLine() const {
    std::string command = m_PackagePath;
    command += " /S -console=show -version=1.0.0";
    command += " -adminact=";
    command += TrueFalse(m_IsAdminAct);
    command += " -authorizationact=";
    command += TrueFalse(m_IsAuthorizationAct);
    command += " -dsc=";
    command += TrueFalse(m_IsCreateDS);
    command += " -ssc=";
    command += TrueFalse(m_IsCreateQS);
    if (!m_LanguageCode.empty()) command += " -inslang=\"" + m_LanguageCode + "\"";
    const std::string& extra = InstallerConfig().m_InstCmd;
    if (!extra.empty()) command += " " + extra;
    if (!m_InstallDir.empty()) {
        command += " -instdir=\"" + m_InstallDir + "\"";
        // Last, so that a folder with blanks needs no quotes.
        command += " /D=" + m_InstallDir;
    }
    return command;
}

void CInstaller::Start() {
    // The previous run ends first, so no two runs overlap.
    m_Thread.reset();
    m_CommandLine = BuildCommandLine();
    m_Thread = std::make_unique<Utils::Thread>("ABDEF", [this] { Run(); });
    m_Thread->Resume();
}

int CInstaller::Run() {
    Raise(IST_CODE_START, 0);
    Raise(IST_CODE_PROGRESS, 0);
    DEBUG_LOG("%s", m_CommandLine.c_str());

    int result = 0;
    // Once a chunk has brought the final line the rest is only drained, so
    // that the package never blocks on a full pipe.
    const auto exit = RunChildProcess(
        WithoutQuotes(m_PackagePath),
        m_CommandLine.substr(std::min(m_PackagePath.size(), m_CommandLine.size())),
        [&](std::string_view chunk) {
            if (result != 0) return;
            result = Parse(ToWide(UpToNul(chunk), static_cast<unsigned>(m_CodePage)));
        });
    if (!exit) {
        Raise(IST_CODE_FAIL, 2);
        return 0;
    }

    if (result == 0) {
        if (exit->signalled) {
            // Killed before it could report: that is no success.
            const std::string signal = platform::SignalName(exit->code);
            DEBUG_LOG("package killed by %s", signal.c_str());
            Raise(IST_CODE_FAIL, 2, "安装包异常终止（" + signal + "）");
        } else {
            Raise(IST_CODE_SUCCESS, 1);
        }
    }
    return 0;
}

int CInstaller::Parse(std::string_view text) {
    int result = 0;
    for (std::string_view line : SplitStatusLines(text)) {
        const int key = MatchStatusKey(line, kKeys);
        if (key < 0) continue;
        const std::string value = StatusValue(line, kKeys[key]);
        switch (key) {
            case kProgress:
                Raise(IST_CODE_PROGRESS, ReadLeadingDouble(value).value_or(0.0));
                break;
            case kInstPath:
                Raise(IST_INFO_INSTPATH, 0, value);
                break;
            case kState: {
                const std::string state = Trim(value);
                if (state == "Success") {
                    Raise(IST_CODE_SUCCESS, 0);
                    result = 1;
                } else if (state == "Fail") {
                    Raise(IST_CODE_FAIL, 0, kPackageFailedText);
                    result = 1000;
                }
                break;
            }
            case kInstallVersion:
                break;
            case kExePath:
                DEBUG_LOG("ExePath: %s", value.c_str());
                Raise(IST_INFO_EXEPATH, 0, value);
                break;
            case kStartExe:
                Raise(IST_INFO_EXEPATH, 0, value);
                break;
            case kUninstExePath:
            case kUninstExe:
                Raise(IST_INFO_UNINSTEXE, 0, value);
                break;
            case kUninstEp:
                Raise(IST_INFO_UNINSTEP, 0, value);
                break;
            case kError:
                Raise(IST_CODE_FAIL, 1000, value);
                result = 1000;
                break;
            case kTopShowDetention:
                Raise(IST_INFO_TOPSHOW, static_cast<uint32_t>(ReadLeadingInt(value).value_or(0)));
                break;
            case kFinsihCloseDetention:
                Raise(IST_INFO_FINISHCLOSE,
                      static_cast<uint32_t>(ReadLeadingInt(value).value_or(0)));
                break;
            case kStartUrl:
                Raise(IST_INFO_STARTURL, 0, value);
                break;
            case kStartupStyle: {
                const std::string style = Trim(value);
                const double number = style == "AutoStartup"   ? 1.0
                                      : style == "UserStartup" ? 2.0
                                                               : 0.0;
                Raise(IST_INFO_STARTUPSTYLE, number);
                break;
            }
            case kEncode: {
                const std::string code = Trim(value);
                m_CodePage = code == "UTF8" ? 65001 : code == "ACP" ? 0 : CodePageNumber(code);
                break;
            }
            case kMessage:
                Raise(IST_INFO_MESSAGE, 0, value);
                break;
        }
    }
    return result;
}
