#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "app/install_events.h"
#include "app/thread.h"

// Runs the downloaded setup package silently and follows the installation
// through the key=value status lines the package prints on its standard
// output, turning each into an install event (2000 and 3000 ranges).
class CInstaller {
  public:
    // packagePath comes wrapped in double quotes and never changes.
    CInstaller(EventCallback callback, std::string packagePath, std::string installDir,
               bool isCreateDS, bool isCreateQS, bool isAdminAct);
    // Waits for a running installation; it is never cancelled.
    ~CInstaller();
    CInstaller(const CInstaller&) = delete;
    CInstaller& operator=(const CInstaller&) = delete;

    void SetInstallDir(const std::string& installDir) { m_InstallDir = installDir; }
    void SetCreateDesktopShortcut(bool create) { m_IsCreateDS = create; }
    void SetCreateQuickLaunch(bool create) { m_IsCreateQS = create; }
    void SetAdminAct(bool adminAct) { m_IsAdminAct = adminAct; }
    void SetAuthorizationAct(bool authorizationAct) { m_IsAuthorizationAct = authorizationAct; }
    void SetLanguageCode(const std::string& code) { m_LanguageCode = code; }

    // Builds the command line and runs the package on a new worker thread
    // ("ABDEF"), after waiting for the previous one. Returns at once.
    void Start();

    // The package's command line from the current settings.
    std::string BuildCommandLine() const;

    // Parses one decoded chunk of the package's output and raises the events
    // of its lines. 0 when it held no final line, else the result of the last
    // final line: 1 for "State=Success", 1000 for "State=Fail" or "Error=".
    int Parse(std::string_view text);

    // The code page the package's output is decoded with.
    int32_t CodePage() const { return m_CodePage; }
    const std::string& CommandLine() const { return m_CommandLine; }

  private:
    int Run();
    void Raise(int32_t code, double value, std::string_view text = {});

    EventCallback m_Callback;
    std::string m_PackagePath;
    std::string m_InstallDir;
    std::string m_CommandLine;
    bool m_IsCreateQS;
    bool m_IsCreateDS;
    int32_t m_CodePage = 0;
    std::unique_ptr<Utils::Thread> m_Thread;
    bool m_IsAdminAct;
    bool m_IsAuthorizationAct = true;
    std::string m_LanguageCode;
};
