// vantyx-download [--type N] [--insecure] [--cacert FILE] URL OUTPUT
//
// Drives the downloader the installer would pick for download type N the way
// the installer does (a restart request is answered by starting the same
// downloader again from inside the callback) and prints one line per event:
// "<code> <value> <text>". Exits 0 after success, 1 after failure, 2 on a
// usage error.

#include <charconv>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <string_view>

#include "app/install_events.h"
#include "download/downloader_factory.h"

namespace {

// The shortest text that reads back as the same number: 1, 0.35, -998.
std::string NumberText(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string("nan");
}

int Usage() {
    std::fputs("usage: vantyx-download [--type N] [--insecure] [--cacert FILE] URL OUTPUT\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int32_t type = 1;
    DownloadSettings settings = DownloadSettings::FromConfig();
    std::string url, output;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--type" && i + 1 < argc) {
            const std::string_view value = argv[++i];
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), type);
            if (error != std::errc() || end != value.data() + value.size()) return Usage();
        } else if (arg == "--insecure") {
            settings.insecureTls = true;
        } else if (arg == "--cacert" && i + 1 < argc) {
            settings.caFile = argv[++i];
        } else if (arg.starts_with("--")) {
            return Usage();
        } else if (positional == 0) {
            url = arg;
            ++positional;
        } else if (positional == 1) {
            output = arg;
            ++positional;
        } else {
            return Usage();
        }
    }
    if (positional != 2) return Usage();

    std::mutex mutex;
    std::condition_variable finished;
    int exitCode = -1;
    CDownloader* downloader = nullptr;

    auto onEvent = [&](int32_t code, double value, std::string_view text) {
        {
            std::lock_guard lock(mutex);
            std::printf("%d %s %.*s\n", code, NumberText(value).c_str(),
                        static_cast<int>(text.size()), text.data());
            std::fflush(stdout);
        }
        if (code == DL_CODE_RETRY) {
            downloader->Start();
        } else if (code == DL_CODE_SUCCESS || code == DL_CODE_FAIL) {
            std::lock_guard lock(mutex);
            exitCode = code == DL_CODE_SUCCESS ? 0 : 1;
            finished.notify_all();
        }
    };
    {
        std::lock_guard lock(mutex);
        downloader = CreateDownloader(type, onEvent, url, output, settings);
    }
    downloader->Start();
    {
        std::unique_lock lock(mutex);
        finished.wait(lock, [&] { return exitCode >= 0; });
    }
    WaitForDownloaders();
    return exitCode;
}
