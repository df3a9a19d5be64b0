#pragma once

#include <curl/curl.h>

#include "download/download_settings.h"

// libcurl set-up shared by the downloaders.

// Initialises libcurl once per process, before the first handle is made.
void EnsureCurlInitialised();

// Certificate checks as the settings ask: on unless insecureTls; the
// settings' extra authorities when given. The results of the options, ORed.
int ApplyTlsSettings(CURL* curl, const DownloadSettings& settings);

// A libcurl write callback that drops what it is given (for probes).
size_t DiscardCallback(char* data, size_t size, size_t count, void* user);
