// Certificates are checked by both libcurl downloaders unless the
// distributor turns the checks off explicitly.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "download/download_run.h"
#include "download/integrity_check.h"
#include "support/download_service.h"
#include "support/test_certificate.h"
#include "support/test_folder.h"
#include "support/test_package.h"

namespace fs = std::filesystem;
using testsupport::DownloadService;
using testsupport::MakeCertificate;
using testsupport::MakePackage;

TEST(TlsDownloadTest, AnUntrustedCertificateFailsUnlessChecksAreOff) {
    const fs::path folder = testsupport::NewFolder("tls");
    const fs::path package = folder / "setup.exe";
    MakePackage(package, 1048576 + 99);
    MakeCertificate(folder / "cert.pem", folder / "key.pem");
    DownloadService service(package, {}, folder / "cert.pem", folder / "key.pem");

    struct Case {
        int type;
        std::vector<std::string> options;
        int exitCode;
        std::string finalEvent;
    };
    const Case cases[] = {
        {1, {}, 1, "1004 -998 LibCurl"},
        {3, {}, 1, "1004 0 LibCurl"},
        {1, {"--cacert", (folder / "cert.pem").string()}, 0, "1003 0 LibCurl"},
        {3, {"--cacert", (folder / "cert.pem").string()}, 0, "1003 0 LibCurl"},
        {1, {"--insecure"}, 0, "1003 0 LibCurl"},
        {3, {"--insecure"}, 0, "1003 0 LibCurl"},
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " case " << index);
        const fs::path output = testsupport::NewFolder("out" + std::to_string(index++)) / "p.exe";
        const DownloadRun run = RunDownload(c.type, service.Url(), output, c.options);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        ASSERT_FALSE(run.events.empty());
        EXPECT_EQ(run.events.back(), c.finalEvent);
        if (c.exitCode == 0) {
            EXPECT_EQ(GetFileMd5(output.string()), GetFileMd5(package.string()));
        } else {
            EXPECT_TRUE(service.Requests().empty()) << "a request got past the handshake";
        }
    }
}
