#include "records/install_record.h"

#include "platform/accounts.h"
#include "platform/file_system.h"
#include "platform/profile_ini.h"
#include "platform/known_folders.h"
#include "platform/utf8.h"
#include "records/folder_paths.h"
#include "records/registry_store.h"

namespace {
constexpr const char* kProductName = "VantyxAudioEditor";
constexpr const char* kAppDataSubfolder = "tarvo";
// Room the "IsOverride" value is read into.
constexpr size_t kOverrideValueChars = 19;
}  // namespace

void InstallRecord::ReadInstallRecord() {
    m_RecordedInstallDir.clear();
    m_RecordedUninstallerPath.clear();
    ReadRegistryValue(kInstallPathValue, m_RecordedInstallDir);
    ReadRegistryValue(kUninstallerValue, m_RecordedUninstallerPath);
    if (m_RecordedUninstallerPath.empty() && !m_RecordedInstallDir.empty()) {
        m_RecordedUninstallerPath = JoinPath(m_RecordedInstallDir, kUninstallerFileName);
    }
    m_HasExistingInstall =
        !m_RecordedInstallDir.empty() && platform::PathExists(m_RecordedInstallDir);
}

void InstallRecord::WriteInstallRecord() {
    WriteRegistryValue(kInstallPathValue, m_InstalledDir);
    if (m_ReportedUninstallerPath.empty()) {
        m_ReportedUninstallerPath = JoinPath(m_InstalledDir, kUninstallerFileName);
    }
    if (IsExistingFile(m_ReportedUninstallerPath)) {
        WriteRegistryValue(kUninstallerValue, m_ReportedUninstallerPath);
    }
}

std::string InstallRecord::DefaultFolderFor(bool adminAccount, bool elevated) {
    std::string base;
    if (adminAccount && elevated) {
        const std::string appData = platform::AppDataDirectory();
        if (!appData.empty()) base = JoinPath(appData, kAppDataSubfolder);
    }
    if (base.empty()) base = platform::ProgramFilesDirectory();
    return JoinPath(base, kProductName);
}

std::string InstallRecord::GetDefaultInstallDir() {
    const std::optional<std::string> consoleUser = platform::ConsoleUserName();
    m_IsAdminAccount = consoleUser && platform::IsAdministratorAccount(*consoleUser);
    m_IsElevated = platform::RunsElevated();
    if (!m_RecordedInstallDir.empty() && IsExistingFile(m_RecordedUninstallerPath)) {
        return m_RecordedInstallDir;
    }
    return DefaultFolderFor(m_IsAdminAccount, m_IsElevated);
}

bool InstallRecord::IsDefaultInstallDir(const std::string& folder) {
    return IsSameFolder(GetDefaultInstallDir(), folder);
}

std::string InstallRecord::GetInstallDir(const std::string& folderText) {
    std::string defaultDir = GetDefaultInstallDir();
    return IsSameFolder(folderText, defaultDir) ? defaultDir : folderText;
}

bool InstallRecord::KeepsPreviousInstall(const std::string& folder) const {
    if (!IsSameFolder(m_RecordedInstallDir, folder)) return false;
    const std::string value =
        platform::GetProfileString(JoinPath(folder, "set.ini"), "Uninstall", "IsOverride", "true");
    return platform::Utf8Prefix(value, kOverrideValueChars) == "false";
}
