#include "download/curl_client.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "app/debug_log.h"
#include "download/curl_options.h"

namespace {

int64_t FileSize(const std::string& path) {
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) return -1;
    return static_cast<int64_t>(status.st_size);
}

// The common options of the three probes; the results ORed.
int SetProbeOptions(CURL* handle, const std::string& url, const DownloadSettings& settings) {
    int result = 0;
    result |= curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    result |= curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    result |= curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
    result |= curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, DiscardCallback);
    result |= curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 60L);
    result |= ApplyTlsSettings(handle, settings);
    return result;
}

}  // namespace

CurlClient::CurlClient(std::string url, std::string filePath, void* owner, ProgressSink sink,
                       DownloadSettings settings)
    : url(std::move(url)),
      filePath(std::move(filePath)),
      owner(owner),
      progressSink(sink),
      settings(std::move(settings)) {
    EnsureCurlInitialised();
}

CurlClient::~CurlClient() {
    ::unlink(GetFilePath(true).c_str());
    abort = true;
}

std::string CurlClient::GetFilePath(bool part) const {
    return part ? filePath + ".part" : filePath;
}

int32_t CurlClient::Start() {
    DEBUG_LOG("start download\r\n");
    const std::string tempPath = GetFilePath(true);
    int32_t result = 0;
    streamedMd5.clear();

    if (realUrl.empty() || fileLength < kMinPackageLength) {
        if (CURL* handle = Head(url)) {
            realUrl = GetRealUrl(handle);
            fileLength = GetDownloadFileLength(handle);
            curl_easy_cleanup(handle);
        }
    }
    if (realUrl.empty() || fileLength < kMinPackageLength) {
        realUrl = GetRealUrl_Str(url);
        if (!realUrl.empty()) fileLength = GetDownloadFileLength_Str(realUrl);
        if (fileLength < kMinPackageLength) result = CURL_RESULT_TOO_SMALL;
    }
    if (result == 0) result = Transfer(tempPath);

    DEBUG_LOG("error:%d:%s\r\n", result, curl_easy_strerror(static_cast<CURLcode>(result)));
    if (curl) {
        curl_easy_cleanup(curl);
        curl = nullptr;
    }
    if (file) {
        // Bytes still buffered are part of the package: a failed flush fails
        // the attempt instead of passing an incomplete file on.
        if (std::fclose(file) != 0 && result == 0) result = CURLE_WRITE_ERROR;
        file = nullptr;
    }
    if (result == CURLE_RANGE_ERROR) {
        // The server will not resume: start the next attempt from zero.
        ::truncate(tempPath.c_str(), 0);
    }
    if (result == 0) {
        ::unlink(filePath.c_str());
        if (std::rename(tempPath.c_str(), filePath.c_str()) != 0) {
            result = CURLE_WRITE_ERROR;
        } else {
            streamedMd5 = digestValid ? digest.Finish() : std::string();
        }
    }
    digestValid = false;
    DEBUG_LOG("end download\r\n");
    return result;
}

int32_t CurlClient::Transfer(const std::string& tempPath) {
    curl = curl_easy_init();
    if (!curl) return CURL_RESULT_NO_HANDLE;
    file = std::fopen(tempPath.c_str(), "ab");
    if (!file) {
        char message[201] = {};
        const char* text = strerror_r(errno, message, sizeof message - 1);
        lastError.assign(text, strnlen(text, 200));
        return CURL_RESULT_FILE_OPEN;
    }

    curl_slist* headers = curl_slist_append(nullptr, "Connection: keep-alive");
    // The stored file must hold the package's own bytes, so no compressed
    // transfer is asked for (libcurl sends no Accept-Encoding by default).
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_TCP_KEEPALIVE, 1L);
    curl_easy_setopt(curl, CURLOPT_TCP_KEEPIDLE, 10L);
    curl_easy_setopt(curl, CURLOPT_TCP_KEEPINTVL, 10L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 0L);
    int options = 0;
    options |= curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_URL, realUrl.c_str());
    options |= curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteCallback);
    options |= curl_easy_setopt(curl, CURLOPT_WRITEDATA, this);
    options |= curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    options |= curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, ProgressCallback);
    options |= curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
    options |= curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 60L);
    // A server that stops sending would otherwise hold the attempt forever.
    options |= curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 60L);
    options |= ApplyTlsSettings(curl, settings);

    resumeFrom = FileSize(tempPath);
    if (resumeFrom > static_cast<int64_t>(fileLength)) {
        // Longer than the package: not a prefix of it, so begin again.
        std::fclose(file);
        file = std::fopen(tempPath.c_str(), "wb");
        resumeFrom = 0;
        if (!file) {
            curl_slist_free_all(headers);
            return CURL_RESULT_FILE_OPEN;
        }
    }
    if (resumeFrom > 0) {
        options |=
            curl_easy_setopt(curl, CURLOPT_RESUME_FROM_LARGE, static_cast<curl_off_t>(resumeFrom));
    }
    digest.Reset();
    digestValid = digest.UpdateFromFile(tempPath, resumeFrom);

    int32_t result = options;
    if (options == 0) result = curl_easy_perform(curl);
    curl_slist_free_all(headers);
    return result;
}

CURL* CurlClient::Head(const std::string& probeUrl) {
    CURL* handle = curl_easy_init();
    if (!handle) return nullptr;
    int result = SetProbeOptions(handle, probeUrl, settings);
    result |= curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    if (result == 0) {
        result = curl_easy_perform(handle);
        if (result != 0) {
            DEBUG_LOG("error:%d:%s", result, curl_easy_strerror(static_cast<CURLcode>(result)));
        }
    }
    DEBUG_LOG("error:%d:%s\r\n", result, curl_easy_strerror(static_cast<CURLcode>(result)));
    return handle;
}

std::string CurlClient::GetRealUrl(CURL* handle) {
    char* effective = nullptr;
    if (!handle || curl_easy_getinfo(handle, CURLINFO_EFFECTIVE_URL, &effective) != CURLE_OK ||
        effective == nullptr) {
        return {};
    }
    return effective;
}

double CurlClient::GetDownloadFileLength(CURL* handle) {
    curl_off_t length = -1;
    const CURLcode read = curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    DEBUG_LOG("error:%d:%s\r\n", read, curl_easy_strerror(read));
    long status = 0;
    if (curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK || status < 200 ||
        status > 399) {
        return -1.0;
    }
    return read == CURLE_OK ? static_cast<double>(length) : -1.0;
}

std::string CurlClient::GetRealUrl_Str(const std::string& probeUrl) {
    CURL* handle = curl_easy_init();
    if (!handle) return probeUrl;
    std::string found;
    int result = SetProbeOptions(handle, probeUrl, settings);
    result |= curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    if (result == 0) {
        result = curl_easy_perform(handle);
        if (result != 0) {
            DEBUG_LOG("error:%d:%s", result, curl_easy_strerror(static_cast<CURLcode>(result)));
        } else {
            found = GetRealUrl(handle);
        }
    }
    curl_easy_cleanup(handle);
    return found.empty() ? probeUrl : found;
}

double CurlClient::GetDownloadFileLength_Str(const std::string& probeUrl) {
    CURL* handle = curl_easy_init();
    if (!handle) return -1.0;
    int result = SetProbeOptions(handle, probeUrl, settings);
    result |= curl_easy_setopt(handle, CURLOPT_HEADER, 1L);
    if (result == 0) curl_easy_perform(handle);
    curl_off_t length = -1;
    curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    long status = 0;
    const CURLcode read = curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    DEBUG_LOG("error:%d:%s\r\n", read, curl_easy_strerror(read));
    curl_easy_cleanup(handle);
    return static_cast<double>(length);
}

int CurlClient::ProgressCallback(void* self, curl_off_t downloadTotal, curl_off_t downloadNow,
                                 curl_off_t, curl_off_t) {
    auto* client = static_cast<CurlClient*>(self);
    if (client->abort) return 1;
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    if (now < client->lastProgressTime + 1) return 0;
    client->lastProgressTime = now;

    curl_off_t speedBytes = 0;
    if (curl_easy_getinfo(client->curl, CURLINFO_SPEED_DOWNLOAD_T, &speedBytes) != CURLE_OK) {
        speedBytes = 0;
    }
    const double speed = static_cast<double>(speedBytes);
    double percent;
    if (client->fileLength > kMinPackageLength) {
        const int64_t already = client->resumeFrom > 0 ? client->resumeFrom : 0;
        percent = static_cast<double>(downloadNow + already) / client->fileLength * 100.0;
    } else {
        if (downloadNow <= 0 || downloadTotal <= 0) return 0;
        percent = static_cast<double>(downloadNow) * 100.0 / static_cast<double>(downloadTotal);
    }
    if (percent == 0.0) return 0;
    if (client->progressSink) client->progressSink(client->owner, speed, 0.0, percent);
    if (downloadTotal != 0) {
        DEBUG_LOG(" %dM %dM   progress:%f%%  speed:%f \n", static_cast<int>(downloadNow / 1048576),
                  static_cast<int>(downloadTotal / 1048576), static_cast<double>(float(percent)),
                  static_cast<double>(float(speed * (1.0 / 1024))));
    }
    return 0;
}

size_t CurlClient::WriteCallback(char* data, size_t size, size_t count, void* self) {
    auto* client = static_cast<CurlClient*>(self);
    if (!client->file) return 0;
    const size_t written = std::fwrite(data, size, count, client->file);
    client->digest.Update(data, written * size);
    return written;
}

std::string CurlClient::PackageMd5() {
    if (!streamedMd5.empty()) return streamedMd5;
    return GetFileMd5(filePath);
}
