#pragma once

#include <cstdint>
#include <string>

#include "app/install_events.h"
#include "download/download_settings.h"
#include "download/downloader.h"

// The downloader for a configured download type: 3 the segmented one, any
// other value the single-stream one. The downloader lives until the process
// ends (its threads may still be running when its user is gone), so it is
// kept in a process-wide list and never destroyed.
CDownloader* CreateDownloader(int32_t downloadType, EventCallback callback, std::string url,
                              std::string packagePath,
                              DownloadSettings settings = DownloadSettings::FromConfig());

// Waits until no downloader made by CreateDownloader is running; for
// programs that end after the final event.
void WaitForDownloaders();
