#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "download/integrity_check.h"
#include "support/download_service.h"
#include "support/loopback_server.h"
#include "support/refusing_port.h"
#include "support/run_process.h"
#include "support/test_certificate.h"
#include "support/test_folder.h"
#include "support/test_package.h"

namespace {

using testsupport::DownloadService;
using testsupport::LoopbackServer;
using testsupport::MakeCertificate;
using testsupport::MakePackage;
using testsupport::RefusingPort;

// One event line of vantyx-download: "<code> <value> <text>".
struct Event {
    int code = 0;
    double value = 0.0;
    std::string text;
};

struct Download {
    int exitCode = -1;
    std::vector<Event> events;
    std::string err;

    // The codes without the progress events.
    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (const auto& event : events) {
            if (event.code != 1002) codes.push_back(event.code);
        }
        return codes;
    }
    const Event& Last() const { return events.back(); }
};

Download RunDownload(const std::string& url, const std::filesystem::path& output,
                     std::vector<std::string> options = {},
                     testsupport::ProcessOptions process = {}) {
    std::vector<std::string> argv = {VANTYX_BINARY_DIR "/tools/vantyx-download/vantyx-download",
                                     "--type", "2"};
    argv.insert(argv.end(), options.begin(), options.end());
    argv.insert(argv.end(), {url, output.string()});
    // No proxy unless a test asks for one.
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy",
                             "ALL_PROXY", "no_proxy", "NO_PROXY"}) {
        if (!process.environment.count(name)) process.unset.push_back(name);
    }
    const auto result = testsupport::RunProcess(argv, process);
    Download download;
    download.exitCode = result.exitCode;
    download.err = result.err;
    std::istringstream lines(result.out);
    for (std::string line; std::getline(lines, line);) {
        Event event;
        std::istringstream fields(line);
        fields >> event.code >> event.value;
        if (fields.peek() == ' ') fields.get();
        std::getline(fields, event.text);
        download.events.push_back(event);
    }
    return download;
}

class WinHttpDownloadTest : public testing::Test {
  protected:
    void SetUp() override {
        folder = testsupport::NewFolder("download");
        package = folder / "served" / "setup.exe";
        std::filesystem::create_directories(package.parent_path());
        MakePackage(package, 300 * 1024);
        output = folder / "__Package_VantyxAudioEditor.exe";
    }

    bool OutputIsThePackage() const {
        return std::filesystem::exists(output) &&
               testsupport::ReadFile(output) == testsupport::ReadFile(package);
    }
    bool TemporaryFileLeft() const { return std::filesystem::exists(output.string() + ".part"); }

    std::filesystem::path folder, package, output;
};

TEST_F(WinHttpDownloadTest, DownloadsAndVerifiesThePackageWithEvents) {
    DownloadService service(package);
    const Download run = RunDownload(service.Url(), output);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_GE(run.events.size(), 3u);
    EXPECT_EQ(run.events.front().code, 1001);
    EXPECT_EQ(run.events.front().value, 1.0);
    EXPECT_EQ(run.Codes(), (std::vector<int>{1001, 1003}));
    EXPECT_EQ(run.Last().value, 0.0);
    EXPECT_EQ(run.Last().text, "WinHttp");
    // Progress grows from the bytes stored against the announced length, up to all of it.
    double previous = 0.0;
    int progress = 0;
    for (const auto& event : run.events) {
        if (event.code != 1002) continue;
        ++progress;
        EXPECT_GT(event.value, previous);
        EXPECT_LE(event.value, 1.0);
        previous = event.value;
    }
    EXPECT_GT(progress, 1);
    EXPECT_EQ(previous, 1.0);
    EXPECT_TRUE(OutputIsThePackage());
    EXPECT_FALSE(TemporaryFileLeft());
}

TEST_F(WinHttpDownloadTest, RefusesErrorPagesAndKeepsTheirBodyOut) {
    for (const char* status : {"404", "500", "403"}) {
        SCOPED_TRACE(status);
        DownloadService service(package, {"--status", status, "--status-get-only"});
        const Download run = RunDownload(service.Url(), output);
        EXPECT_EQ(run.exitCode, 1);
        // Not even progress: the page's body is no part of the package.
        ASSERT_EQ(run.events.size(), 2u);
        EXPECT_EQ(run.events[0].code, 1001);
        EXPECT_EQ(run.Last().code, 1004);
        EXPECT_EQ(run.Last().value, std::atof(status));
        EXPECT_EQ(run.Last().text, "WinHttp");
        EXPECT_FALSE(std::filesystem::exists(output));
        EXPECT_FALSE(TemporaryFileLeft());
    }
}

TEST_F(WinHttpDownloadTest, ReplacesAnOldPackageFileInsteadOfAppendingToIt) {
    testsupport::WriteFile(output, std::string(5000, 'o'));
    testsupport::WriteFile(output.string() + ".part", std::string(7000, 'p'));
    DownloadService service(package);
    const Download run = RunDownload(service.Url(), output);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(OutputIsThePackage());
    EXPECT_FALSE(TemporaryFileLeft());
}

TEST_F(WinHttpDownloadTest, ABodyCutShortIsNotStored) {
    testsupport::WriteFile(output, "old");
    DownloadService service(package, {"--drop-after", "100000", "--drop-times", "0"});
    const Download run = RunDownload(service.Url(), output);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.Codes(), (std::vector<int>{1001, 1004}));
    EXPECT_NE(run.Last().value, 0.0);
    EXPECT_EQ(testsupport::ReadFile(output), "old");
    EXPECT_FALSE(TemporaryFileLeft());
}

TEST_F(WinHttpDownloadTest, ChecksTheDigestFolderAndRestartsOnceOnAMismatch) {
    // A well-formed digest of some other file.
    DownloadService service(package, {"--folder", "0123456789abcdef0123456789abcdef"});
    const Download run = RunDownload(service.Url(), output);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.Codes(), (std::vector<int>{1001, 1006, 1005, 1001, 1006, 1004}));
    for (const auto& event : run.events) {
        if (event.code == 1006) {
            EXPECT_EQ(event.text, "curl文件md5校验失败");
        }
    }
    EXPECT_EQ(run.Last().value, 0.0);
    EXPECT_EQ(run.Last().text, "WinHttp");
    // Each run fetched the package afresh.
    EXPECT_EQ(service.Requests().size(), 4u);
}

TEST_F(WinHttpDownloadTest, AcceptsAPackageWhoseUrlCarriesNoDigest) {
    DownloadService service(package, {"--folder", "downloads"});
    const Download run = RunDownload(service.Url(), output);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.Codes(), (std::vector<int>{1001, 1006, 1003}));
    EXPECT_EQ(run.events[run.events.size() - 2].text, "curl获取url-md5失败");
    EXPECT_TRUE(OutputIsThePackage());
}

TEST_F(WinHttpDownloadTest, VerifiesCertificatesUnlessToldNotTo) {
    const auto cert = folder / "cert.pem";
    const auto key = folder / "key.pem";
    MakeCertificate(cert, key);
    DownloadService service(package, {}, cert, key);
    struct Case {
        std::vector<std::string> options;
        int exitCode;
    };
    for (const Case& c :
         {Case{{}, 1}, Case{{"--insecure"}, 0}, Case{{"--cacert", cert.string()}, 0}}) {
        SCOPED_TRACE(c.options.empty() ? "checked" : c.options[0]);
        std::filesystem::remove(output);
        const Download run = RunDownload(service.Url(), output, c.options);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(std::filesystem::exists(output), c.exitCode == 0);
        if (c.exitCode != 0) {
            EXPECT_EQ(run.Last().value, 12175.0);
        }
    }
}

// A host that only the proxy can reach: its name resolves to loopback, but
// nothing listens on its port there; the test proxy routes it to the service.
class WinHttpProxyTest : public WinHttpDownloadTest {
  protected:
    void SetUp() override {
        WinHttpDownloadTest::SetUp();
        service = std::make_unique<DownloadService>(package);
        hidden = "packages.vantyx.localhost:" + std::to_string(refusing.Port());
        proxy = std::make_unique<LoopbackServer>(
            "tools/test-proxy/test_proxy.py",
            std::vector<std::string>{"--route", hidden + "=" + std::to_string(service->Port())});
    }

    // The system proxy named the way a user's environment names it.
    testsupport::ProcessOptions WithSystemProxy() const {
        testsupport::ProcessOptions options;
        options.environment["http_proxy"] = "http://127.0.0.1:" + std::to_string(proxy->Port());
        // Desktop settings would take precedence over the environment.
        options.unset = {"XDG_CURRENT_DESKTOP", "GNOME_DESKTOP_SESSION_ID", "DESKTOP_SESSION"};
        return options;
    }

    RefusingPort refusing;
    std::unique_ptr<DownloadService> service;
    std::unique_ptr<LoopbackServer> proxy;
    std::string hidden;
};

TEST_F(WinHttpProxyTest, ReachesAHiddenHostThroughTheSystemProxy) {
    const std::string url = "http://" + hidden + "/software/195";
    const Download run = RunDownload(url, output, {}, WithSystemProxy());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.Codes(), (std::vector<int>{1001, 1003}));
    EXPECT_TRUE(OutputIsThePackage());
    const auto requests = proxy->Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.front(), "GET " + url);
}

TEST_F(WinHttpProxyTest, WithoutASystemProxyTheHiddenHostStaysOutOfReach) {
    const Download run = RunDownload("http://" + hidden + "/software/195", output);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.Codes(), (std::vector<int>{1001, 1004}));
    EXPECT_EQ(run.Last().value, 12029.0);
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_TRUE(proxy->Requests().empty());
}

TEST_F(WinHttpProxyTest, AReachableHostIsAskedDirectlyFirst) {
    const Download run = RunDownload(service->Url(), output, {}, WithSystemProxy());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(OutputIsThePackage());
    EXPECT_TRUE(proxy->Requests().empty());
}

}  // namespace
