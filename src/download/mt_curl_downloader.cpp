#include "download/mt_curl_downloader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <thread>

#include "app/debug_log.h"
#include "download/byte_ranges.h"
#include "download/curl_options.h"
#include "download/integrity_check.h"

namespace {

constexpr auto kAttemptPause = std::chrono::milliseconds(400);
constexpr auto kRangeStartGap = std::chrono::milliseconds(100);
constexpr int64_t kMinLength = 256;
constexpr size_t kJoinBlock = 256 * 1024;
constexpr std::string_view kSource = "LibCurl";

int64_t FileSize(const std::string& path) {
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) return -1;
    return static_cast<int64_t>(status.st_size);
}

}  // namespace

CMTCurlDownloader::CMTCurlDownloader(EventCallback callback, std::string url, std::string filePath,
                                     DownloadSettings settings)
    : callback(std::move(callback)),
      filePath(std::move(filePath)),
      url(std::move(url)),
      settings(std::move(settings)) {
    EnsureCurlInitialised();
    ::unlink(this->filePath.c_str());
    deletePartFiles();
}

CMTCurlDownloader::~CMTCurlDownloader() {
    thread.Wait();
    clearPartNodes();
}

std::string CMTCurlDownloader::getPartPath(const std::string& filePath, int index) {
    return filePath + "_" + std::to_string(index);
}

void CMTCurlDownloader::Start() {
    thread.Start([this] { Start_Down(); });
}

void CMTCurlDownloader::Send(int32_t code, double value, std::string_view text) {
    if (callback) callback(code, value, text);
}

void CMTCurlDownloader::deletePartFiles() {
    for (int i = 0; i < 2; ++i) ::unlink(getPartPath(filePath, i).c_str());
}

void CMTCurlDownloader::clearPartNodes() {
    for (auto& node : parts) {
        if (node->curl) curl_easy_cleanup(node->curl);
        if (node->file) std::fclose(node->file);
    }
    parts.clear();
}

void CMTCurlDownloader::Start_Down() {
    Send(DL_CODE_START, 1.0, "");
    DEBUG_LOG("start download\r\n");
    ::unlink(filePath.c_str());
    if (lastPercent == 0.0) deletePartFiles();

    if (realUrl.empty() || fileLength < kMinLength) {
        if (!getRealDownloadUrl(url)) {
            Send(DL_CODE_FAIL, 0.0, kSource);
            return;
        }
    }

    const std::vector<ByteRange> ranges = SplitIntoRanges(fileLength);
    for (size_t i = 0; i < ranges.size(); ++i) {
        auto node = std::make_unique<DownloadPartNode>();
        node->partPath = getPartPath(filePath, static_cast<int>(i));
        const int64_t size = ranges[i].last - ranges[i].first + 1;
        int64_t resume = FileSize(node->partPath);
        if (resume < 0) resume = 0;
        const char* mode = "ab";
        if (resume > size) {
            // Longer than its range: not a piece of this package; start it over.
            resume = 0;
            mode = "wb";
        }
        node->downloaded = resume;
        node->position = ranges[i].first + resume;
        node->last = ranges[i].last;
        node->curl = curl_easy_init();
        node->url = realUrl;
        node->hashing = i == 0;
        if (node->Complete()) {
            node->result = 0;
        } else {
            node->result = -1;
            node->file = std::fopen(node->partPath.c_str(), mode);
            if (!node->file || !node->curl) node->result = -2;
        }
        parts.push_back(std::move(node));
    }

    std::vector<std::thread> rangeThreads;
    for (auto& node : parts) {
        if (node->result != -1) continue;
        ++runningParts;
        rangeThreads.emplace_back(&CMTCurlDownloader::downloadThreadFun, this, node.get());
        std::this_thread::sleep_for(kRangeStartGap);
    }
    for (auto& rangeThread : rangeThreads) rangeThread.join();
    waitForFinishThreadFun();
}

bool CMTCurlDownloader::getRealDownloadUrl(const std::string& probeUrl) {
    realUrl.clear();
    expectedMd5.clear();
    fileLength = 0;
    if (!settings.getRealUrl) return false;

    CURL* handle = curl_easy_init();
    if (!handle) return false;
    curl_slist* headers = curl_slist_append(nullptr, "Connection: keep-alive");
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
    int options = 0;
    options |= curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    options |= curl_easy_setopt(handle, CURLOPT_URL, probeUrl.c_str());
    options |= curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    options |= curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
    options |= ApplyTlsSettings(handle, settings);
    options |= curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, DiscardCallback);
    options |= curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 60L);
    if (options != 0 || curl_easy_perform(handle) != CURLE_OK) {
        curl_easy_cleanup(handle);
        curl_slist_free_all(headers);
        return false;
    }

    char* effective = nullptr;
    if (curl_easy_getinfo(handle, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective &&
        *effective) {
        realUrl = effective;
        DEBUG_LOG("Download File real url %s\r\n", realUrl.c_str());
        expectedMd5 = GetUrlMd5(realUrl);
    }
    curl_off_t length = -1;
    long status = 0;
    if (curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK &&
        curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status >= 200 &&
        status <= 399) {
        fileLength = static_cast<int64_t>(length);
        DEBUG_LOG("Download File Length %lld\r\n", static_cast<long long>(fileLength));
    }
    curl_easy_cleanup(handle);
    curl_slist_free_all(headers);
    return !realUrl.empty() && fileLength >= kMinLength;
}

void CMTCurlDownloader::downloadThreadFun(DownloadPartNode* node) {
    if (node->hashing) {
        // What earlier runs stored is hashed first; the rest as it arrives.
        node->digestValid = node->digest.UpdateFromFile(node->partPath, node->downloaded);
    }
    int budget = kRetryBudget;
    int32_t result = downloadExe(node);
    while (result != 0 && budget > 0) {
        budget -= result == CURLE_PARTIAL_FILE ? 1 : 2;
        DEBUG_LOG("CurlDownLoader Code=%d\r\n", result);
        std::this_thread::sleep_for(kAttemptPause);
        result = downloadExe(node);
    }
    if (node->file) {
        std::fclose(node->file);
        node->file = nullptr;
    }
    --runningParts;
}

int32_t CMTCurlDownloader::downloadExe(DownloadPartNode* node) {
    const std::string range = RangeText(node->position, node->last);
    CURL* curl = node->curl;
    int options = 0;
    options |= curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_URL, node->url.c_str());
    options |= curl_easy_setopt(curl, CURLOPT_TIMEOUT, 0L);
    options |= curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, partWriteCallback);
    options |= curl_easy_setopt(curl, CURLOPT_WRITEDATA, node);
    options |= curl_easy_setopt(curl, CURLOPT_PRIVATE, this);
    options |= curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, headerCallback);
    options |= curl_easy_setopt(curl, CURLOPT_HEADERDATA, node);
    options |= curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    options |= curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, xferInfoCallback);
    options |= curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
    options |= curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 60L);
    options |= ApplyTlsSettings(curl, settings);
    options |= curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    options |= curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 5L);
    options |= curl_easy_setopt(curl, CURLOPT_RANGE, range.c_str());
    if (options != 0) return options;

    node->contentRange.clear();
    node->answerChecked = false;
    int32_t result = curl_easy_perform(curl);
    if (node->Complete() && (result == CURLE_OK || result == CURLE_WRITE_ERROR)) {
        // The whole range is stored; a longer answer was cut at its end.
        result = CURLE_OK;
    } else if (result == CURLE_OK) {
        // The answer ended before the range did.
        result = CURLE_PARTIAL_FILE;
    }
    if (result != CURLE_OK) {
        DEBUG_LOG("error:%d:%s\r\n", result, curl_easy_strerror(static_cast<CURLcode>(result)));
    } else {
        DEBUG_LOG("curl_easy_cleanup\r\n");
    }
    curl_easy_reset(curl);
    if (result == CURLE_OK && node->file) {
        if (std::fclose(node->file) != 0) {
            result = CURLE_WRITE_ERROR;
            node->digestValid = false;
        }
        node->file = nullptr;
    }
    node->result = result;
    return result;
}

size_t CMTCurlDownloader::headerCallback(char* data, size_t size, size_t count, void* self) {
    auto* node = static_cast<DownloadPartNode*>(self);
    const size_t length = size * count;
    std::string_view line(data, length);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    if (line.starts_with("HTTP/")) {
        node->contentRange.clear();  // a new response, after a redirect or a 100
    } else if (line.size() > 14 && strncasecmp(line.data(), "Content-Range:", 14) == 0) {
        std::string_view value = line.substr(14);
        while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
        node->contentRange.assign(value);
    }
    return length;
}

// A range is only taken from a 206 answer whose Content-Range is exactly the
// range we asked for, of a package of the length we probed. A server that
// ignores Range would otherwise put the package's first bytes into a later
// part.
bool CMTCurlDownloader::AcceptAnswer(DownloadPartNode* node) {
    long status = 0;
    curl_easy_getinfo(node->curl, CURLINFO_RESPONSE_CODE, &status);
    const auto range = ParseContentRange(node->contentRange);
    const bool good = status == 206 && range && range->first == node->position &&
                      range->last == node->last &&
                      (range->total == -1 || range->total == fileLength);
    if (!good) {
        DEBUG_LOG("range %s answered with %ld \"%s\"\r\n",
                  RangeText(node->position, node->last).c_str(), status,
                  node->contentRange.c_str());
    }
    return good;
}

size_t CMTCurlDownloader::partWriteCallback(char* data, size_t size, size_t count, void* self) {
    auto* node = static_cast<DownloadPartNode*>(self);
    if (node->Complete() || !node->file) return 0;
    if (!node->answerChecked) {
        CMTCurlDownloader* owner = nullptr;
        curl_easy_getinfo(node->curl, CURLINFO_PRIVATE, reinterpret_cast<char**>(&owner));
        if (!owner || !owner->AcceptAnswer(node)) return 0;
        node->answerChecked = true;
    }
    size_t n = size * count;
    const int64_t room = node->last - node->position + 1;
    if (static_cast<int64_t>(n) > room) n = static_cast<size_t>(room);
    const size_t written = std::fwrite(data, 1, n, node->file);
    if (node->hashing) node->digest.Update(data, written);
    node->position += static_cast<int64_t>(written);
    node->downloaded += static_cast<int64_t>(written);
    return written;
}

int CMTCurlDownloader::xferInfoCallback(void* self, curl_off_t, curl_off_t, curl_off_t,
                                        curl_off_t) {
    auto* downloader = static_cast<CMTCurlDownloader*>(self);
    std::lock_guard lock(downloader->progressMutex);
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    if (now < downloader->lastProgressTime + 1) return 0;
    downloader->lastProgressTime = now;
    double percent = 0.0;
    if (downloader->fileLength >= kMinLength) {
        for (const auto& node : downloader->parts) {
            const int64_t downloaded = node->downloaded;
            if (downloaded > 0) {
                percent += static_cast<double>(downloaded) * 100.0 /
                           static_cast<double>(downloader->fileLength);
            }
        }
        if (percent > 100.0) return 0;
    }
    if (percent - downloader->lastPercent >= 1.0) {
        downloader->lastPercent = percent;
        downloader->Send(DL_CODE_PROGRESS, percent / 100.0, "");
    }
    return 0;
}

// Appends every later part file to part 0, renames it onto the package path
// and yields the package's MD5 (empty when it cannot be had). False when the
// package could not be written whole.
bool CMTCurlDownloader::joinParts(std::string& md5) {
    DownloadPartNode& first = *parts.front();
    Md5Digest digest;
    Md5Digest& running = first.digestValid ? first.digest : digest;
    bool digestValid = first.digestValid;
    if (!digestValid) {
        digestValid = digest.UpdateFromFile(first.partPath, FileSize(first.partPath));
    }

    FILE* target = std::fopen(first.partPath.c_str(), "ab");
    if (!target) return false;
    bool ok = true;
    std::vector<char> block(kJoinBlock);
    for (size_t i = 1; i < parts.size() && ok; ++i) {
        FILE* source = std::fopen(parts[i]->partPath.c_str(), "rb");
        if (!source) {
            ok = false;
            break;
        }
        size_t got;
        while (ok && (got = std::fread(block.data(), 1, block.size(), source)) > 0) {
            ok = std::fwrite(block.data(), 1, got, target) == got;
            running.Update(block.data(), got);
        }
        if (std::ferror(source)) ok = false;
        std::fclose(source);
        DEBUG_LOG("partPath::%s\r\n", parts[i]->partPath.c_str());
    }
    if (std::fclose(target) != 0) ok = false;
    if (!ok || std::rename(first.partPath.c_str(), filePath.c_str()) != 0) return false;
    deletePartFiles();
    md5 = digestValid ? running.Finish() : GetFileMd5(filePath);
    return true;
}

void CMTCurlDownloader::waitForFinishThreadFun() {
    while (runningParts > 0) std::this_thread::sleep_for(std::chrono::milliseconds(200));

    int32_t failure = 0;
    bool failed = false;
    for (const auto& node : parts) {
        if (node->result != 0) {
            failure = node->result;
            failed = true;
            break;
        }
    }

    if (!failed) {
        lastPercent = 0.0;
        std::string md5;
        if (!joinParts(md5)) {
            // The package could not be written whole: nothing of it is kept.
            DEBUG_LOG("joining the parts failed\r\n");
            ::unlink(filePath.c_str());
            deletePartFiles();
            failed = true;
            failure = CURLE_WRITE_ERROR;
        } else if (expectedMd5.size() == 32) {
            if (md5.size() == 32 && !SameDigest(md5, expectedMd5)) {
                Send(DL_CODE_MESSAGE, 0.0, "mtcurl文件md5校验失败");
                ::unlink(filePath.c_str());
                clearPartNodes();
                if (retried) {
                    DEBUG_LOG("finish recv, md5 chaek failed and retry failed.\r\n");
                    Send(DL_CODE_FAIL, 0.0, kSource);
                } else {
                    retried = true;
                    DEBUG_LOG("finish recv, md5 chaek failed retry once.\r\n");
                    Send(DL_CODE_RETRY, 0.0, kSource);
                }
                return;
            }
        } else {
            Send(DL_CODE_MESSAGE, 0.0, "mtcurl获取url-md5失败");
        }
        if (!failed) {
            DEBUG_LOG("finish recv\r\n");
            clearPartNodes();
            Send(DL_CODE_SUCCESS, 0.0, kSource);
            return;
        }
    }

    clearPartNodes();
    if (lastPercent == 0.0) deletePartFiles();
    if (!retried) {
        retried = true;
        Send(DL_CODE_RETRY, failure, kSource);
    } else {
        lastPercent = 0.0;
        Send(DL_CODE_FAIL, failure, kSource);
    }
}
