#include "download/downloader_factory.h"

#include <functional>
#include <mutex>
#include <vector>

#include "download/curl_downloader.h"
#include "download/mt_curl_downloader.h"

namespace {

// Every downloader made in this process, with a way to wait for it. Never
// destroyed: downloaders must outlive their threads.
struct Registry {
    std::mutex mutex;
    std::vector<CDownloader*> downloaders;
    std::vector<std::function<void()>> waits;
};

Registry& Downloaders() {
    static Registry* registry = new Registry;
    return *registry;
}

template <typename T>
CDownloader* Keep(T* downloader) {
    Registry& registry = Downloaders();
    std::lock_guard lock(registry.mutex);
    registry.downloaders.push_back(downloader);
    registry.waits.push_back([downloader] { downloader->Wait(); });
    return downloader;
}

}  // namespace

CDownloader* CreateDownloader(int32_t downloadType, EventCallback callback, std::string url,
                              std::string packagePath, DownloadSettings settings) {
    switch (downloadType) {
        case 3:
            return Keep(new CMTCurlDownloader(std::move(callback), std::move(url),
                                              std::move(packagePath), std::move(settings)));
        case 2:
            // Type 2 is the downloader on the system's HTTP stack; until it
            // exists, the single-stream libcurl downloader stands in for it.
        default:
            return Keep(new CCurlDownloader(std::move(callback), std::move(url),
                                            std::move(packagePath), std::move(settings)));
    }
}

void WaitForDownloaders() {
    std::vector<std::function<void()>> waits;
    {
        Registry& registry = Downloaders();
        std::lock_guard lock(registry.mutex);
        waits = registry.waits;
    }
    for (auto& wait : waits) wait();
}
