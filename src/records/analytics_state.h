#pragma once

#include <string>

// The keys the installer leaves for the product in the install folder's
// "set.ini" (which installer installed it, the product name, a fresh device
// id, where the analytics state file lives) and the time stamp it puts into
// that analytics state file.
class AnalyticsState {
  public:
    static constexpr const char* kStateFileName = "VIRodededIrevazuri.ini";

    // The folder of the analytics state file: "TarvoData/VantyxAudioEditor"
    // in the application-data folder (the shared documents folder when there
    // is none).
    static std::string GetAnalyticsDir();

    // Writes the keys into installedFolder's "set.ini" and stamps the
    // analytics state file with the local time. installerPath is the running
    // installer's executable. Every file is replaced atomically; nothing is
    // written into a folder that is not named.
    static void WriteSetIni(const std::string& installedFolder, const std::string& installerPath);
    static void WriteSetIni(const std::string& installedFolder);
};
