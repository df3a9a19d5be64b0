#pragma once

#include <string>

// What the installer knows about an installation of the product: the record
// an earlier run left in the registry store ("InstallPath", "UnInstallEp"),
// the folder being installed now and what the package reported. It decides
// the default target folder, whether the old version is removed first, and
// writes the record when an installation finishes.
class InstallRecord {
  public:
    static constexpr const char* kInstallPathValue = "InstallPath";
    static constexpr const char* kUninstallerValue = "UnInstallEp";
    static constexpr const char* kUninstallerFileName = "uninst.ep";

    // Reads the record; an uninstaller path missing beside a recorded folder
    // becomes that folder's "uninst.ep". Also sets m_HasExistingInstall: the
    // recorded folder is known and exists.
    void ReadInstallRecord();

    // Stores the installed folder, and the reported uninstaller path (by
    // default the folder's "uninst.ep") when that file exists.
    void WriteInstallRecord();

    // The recorded folder while its uninstaller file exists, else the default
    // for this account. Refreshes the two account flags.
    std::string GetDefaultInstallDir();

    // The default below the application-data folder for an elevated
    // administrator, below the program-files folder for everybody else.
    static std::string DefaultFolderFor(bool adminAccount, bool elevated);

    bool IsDefaultInstallDir(const std::string& folder);

    // The folder to install into, from the text of the folder box: the
    // default as computed when the text names it, the text as typed otherwise.
    std::string GetInstallDir(const std::string& folderText);

    // Whether installing into this folder keeps the recorded installation:
    // it is the recorded folder and its "set.ini" says IsOverride=false.
    bool KeepsPreviousInstall(const std::string& folder) const;

    std::string m_RecordedInstallDir;
    std::string m_RecordedUninstallerPath;
    std::string m_InstalledDir;
    std::string m_ReportedUninstallerPath;
    bool m_IsAdminAccount = false;
    bool m_IsElevated = false;
    bool m_HasExistingInstall = false;
};
