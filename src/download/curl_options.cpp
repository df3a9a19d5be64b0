#include "download/curl_options.h"

#include <mutex>

void EnsureCurlInitialised() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

int ApplyTlsSettings(CURL* curl, const DownloadSettings& settings) {
    int result = 0;
    result |= curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, settings.insecureTls ? 0L : 1L);
    result |= curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, settings.insecureTls ? 0L : 2L);
    if (!settings.caFile.empty()) {
        result |= curl_easy_setopt(curl, CURLOPT_CAINFO, settings.caFile.c_str());
    }
    return result;
}

size_t DiscardCallback(char*, size_t size, size_t count, void*) {
    return size * count;
}
