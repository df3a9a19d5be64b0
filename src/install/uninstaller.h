#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "app/install_events.h"
#include "app/thread.h"

// Removes the previous version before a new one is installed: runs the copy
// of the old uninstaller silently against the old install folder and turns
// its status lines into the removal events (5000 range).
class CUninstaller {
  public:
    CUninstaller(EventCallback callback, std::string uninstallerPath, std::string oldInstallDir);
    // Waits for a running removal; it is never cancelled.
    ~CUninstaller();
    CUninstaller(const CUninstaller&) = delete;
    CUninstaller& operator=(const CUninstaller&) = delete;

    // Builds the command line and runs the removal on a new worker thread
    // ("UnInstaller"), after waiting for the previous one. Returns at once.
    void Start();

    // The uninstaller's command line; the account switches are probed afresh.
    std::string BuildCommandLine() const;

    // Parses one decoded chunk of the uninstaller's output and raises the
    // events of its lines. 0, or the result of the last final line: 1 for
    // "State=Success", 1000 for "State=Fail" or "Error=".
    int Parse(std::string_view text);

    int32_t CodePage() const { return m_CodePage; }
    const std::string& CommandLine() const { return m_CommandLine; }

  private:
    int Run();
    void Raise(int32_t code, double value, std::string_view text = {});

    EventCallback m_Callback;
    std::string m_CommandLine;
    std::string m_UninstallerPath;
    std::string m_OldInstallDir;
    int32_t m_CodePage = 0;
    std::unique_ptr<Utils::Thread> m_Thread;
};
