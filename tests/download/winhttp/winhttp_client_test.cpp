#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "download/integrity_check.h"
#include "download/winhttp_client.h"
#include "support/download_service.h"
#include "support/loopback_server.h"
#include "support/refusing_port.h"
#include "support/test_folder.h"
#include "support/test_package.h"

namespace {

using testsupport::DownloadService;
using testsupport::LoopbackServer;
using testsupport::MakePackage;
using testsupport::RefusingPort;

class WinHttpClientServiceTest : public testing::Test {
  protected:
    void SetUp() override {
        folder = testsupport::NewFolder("client");
        package = folder / "setup.exe";
        MakePackage(package, 200 * 1024);
    }

    std::filesystem::path folder;
    std::filesystem::path package;
};

TEST_F(WinHttpClientServiceTest, FollowsTheRedirectAndKeepsStatusHeadersAndBody) {
    DownloadService service(package);
    WinHttpClient client(service.Url());
    ASSERT_TRUE(client.SendHttpRequest("get")) << client.lastErrorCode;

    EXPECT_EQ(client.statusCode, "200");
    EXPECT_EQ(client.hostName, "127.0.0.1");
    EXPECT_EQ(client.contentLength, 200u * 1024);
    EXPECT_EQ(client.bodyBytes, 200u * 1024);
    EXPECT_EQ(client.responseBody, testsupport::ReadFile(package));
    EXPECT_TRUE(client.responseHeader.starts_with("HTTP/1.1 200 OK\r\n")) << client.responseHeader;
    EXPECT_TRUE(client.responseHeader.ends_with("\r\n\r\n"));
    EXPECT_NE(client.responseHeader.find("Content-Type: application/octet-stream\r\n"),
              std::string::npos);
    EXPECT_EQ(GetUrlMd5(client.finalUrl), GetFileMd5(package.string())) << client.finalUrl;
    // One request for the short address, one for the package; nothing compressed asked for.
    const auto requests = service.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], "GET /software/195 - -");
}

TEST_F(WinHttpClientServiceTest, AppendsTheBodyToTheResponseFile) {
    DownloadService service(package);
    const auto file = folder / "out.bin";
    testsupport::WriteFile(file, "head");
    WinHttpClient client(service.Url());
    client.responseFilePath = file.string();
    ASSERT_TRUE(client.SendHttpRequest("GET"));
    EXPECT_TRUE(client.responseBody.empty());
    EXPECT_EQ(testsupport::ReadFile(file), "head" + testsupport::ReadFile(package));
}

TEST_F(WinHttpClientServiceTest, ReportsAnErrorPageAsAResponse) {
    DownloadService service(package, {"--status", "404"});
    WinHttpClient client(service.Url());
    ASSERT_TRUE(client.SendHttpRequest("GET"));
    EXPECT_EQ(client.statusCode, "404");
    EXPECT_EQ(client.responseBody, "not here\n");
}

TEST_F(WinHttpClientServiceTest, GivesUpOnABodyThatStopsComing) {
    DownloadService service(package, {"--stall-after", "1000", "--stall-times", "0"});
    WinHttpClient client(service.Url());
    client.receiveTimeout = 300;
    EXPECT_FALSE(client.SendHttpRequest("GET"));
    EXPECT_EQ(client.lastErrorCode, WinHttpClient::kErrorTimeout);
    EXPECT_EQ(client.bodyBytes, 1000u);
    // The body is not asked for again: what was stored would be stored twice.
    EXPECT_EQ(service.Requests().size(), 2u);
}

TEST_F(WinHttpClientServiceTest, ReportsAServerThatCannotBeReached) {
    RefusingPort refusing;
    WinHttpClient client("http://127.0.0.1:" + std::to_string(refusing.Port()) + "/x");
    EXPECT_FALSE(client.SendHttpRequest("GET"));
    EXPECT_EQ(client.lastErrorCode, WinHttpClient::kErrorCannotConnect);
    EXPECT_TRUE(client.statusCode.empty());
}

// The client sends through the proxy the system names only when sending
// directly fails; the environment is where the system resolver finds it here.
TEST_F(WinHttpClientServiceTest, FallsBackToTheSystemProxyAndThenGoesDirectAgain) {
    DownloadService service(package);
    RefusingPort refusing;
    const std::string hidden = "packages.vantyx.localhost:" + std::to_string(refusing.Port());
    LoopbackServer proxy("tools/test-proxy/test_proxy.py",
                         {"--route", hidden + "=" + std::to_string(service.Port())});
    const std::string proxyUrl = "http://127.0.0.1:" + std::to_string(proxy.Port());
    setenv("http_proxy", proxyUrl.c_str(), 1);
    // Nothing else may name a proxy or bypass it; on a GNOME desktop its
    // settings would take the environment's place.
    for (const char* name :
         {"no_proxy", "NO_PROXY", "all_proxy", "ALL_PROXY", "XDG_CURRENT_DESKTOP",
          "GNOME_DESKTOP_SESSION_ID", "DESKTOP_SESSION"}) {
        unsetenv(name);
    }

    WinHttpClient client("http://" + hidden + "/software/195");
    ASSERT_TRUE(client.SendHttpRequest("GET")) << client.lastErrorCode;
    EXPECT_EQ(client.statusCode, "200");
    EXPECT_EQ(client.responseBody, testsupport::ReadFile(package));
    ASSERT_FALSE(proxy.Requests().empty());
    EXPECT_EQ(proxy.Requests().front(), "GET http://" + hidden + "/software/195");

    // The proxy was for that request only: the next one goes out directly.
    const size_t proxied = proxy.Requests().size();
    client.requestUrl = service.Url();
    client.responseBody.clear();
    ASSERT_TRUE(client.SendHttpRequest("GET"));
    EXPECT_EQ(proxy.Requests().size(), proxied);
}

}  // namespace
