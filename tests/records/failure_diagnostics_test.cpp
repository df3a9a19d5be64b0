#include "records/failure_diagnostics.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "support/test_folder.h"

namespace {

TEST(FailureDiagnostics, WriteProbeRemovesALeftoverPackage) {
    const std::filesystem::path package = testsupport::NewFolder("t") / "__Package_V.exe";
    testsupport::WriteFile(package, "partial");
    EXPECT_TRUE(FailureDiagnostics::ProbeWritePermission(package.string()));
    EXPECT_FALSE(std::filesystem::exists(package));
    EXPECT_TRUE(FailureDiagnostics::ProbeWritePermission(package.string()));
    EXPECT_FALSE(std::filesystem::exists(package));
}

TEST(FailureDiagnostics, WriteProbeFailures) {
    const std::filesystem::path folder = testsupport::NewFolder("t");
    EXPECT_FALSE(
        FailureDiagnostics::ProbeWritePermission((folder / "gone/__Package.exe").string()));
    const std::filesystem::path readOnly = folder / "read only.exe";
    testsupport::WriteFile(readOnly, "keep");
    std::filesystem::permissions(readOnly, std::filesystem::perms(0444));
    EXPECT_FALSE(FailureDiagnostics::ProbeWritePermission(readOnly.string()));
    EXPECT_EQ(testsupport::ReadFile(readOnly), "keep");
}

TEST(FailureDiagnostics, TextsKeepTheirLayouts) {
    FailureDiagnostics::Probes probes;
    probes.connectivity = 65536;
    probes.writable = false;
    probes.freeGiB = 12.345;
    EXPECT_EQ(FailureDiagnostics::FormatFailureDiagnostics(28.9, "LibCurl", probes),
              "1.code=28；2.msg=LibCurl；3.缓存磁盘容量=12.35G；4.缓存读写权限=无权限；"
              "5.服务器连接状态code=65536");
    probes.writable = true;
    EXPECT_EQ(
        FailureDiagnostics::FormatFailureDiagnostics(0, "", probes),
        "1.code=0；2.msg=；3.缓存磁盘容量=12.35G；4.缓存读写权限=可读；5.服务器连接状态code=65536");
    EXPECT_EQ(FailureDiagnostics::BuildErrorSummary(1000, "磁盘已满"),
              ":1.code=1000；2.msg=磁盘已满");
    EXPECT_EQ(FailureDiagnostics::BuildErrorSummary(-1.0 / 0.0, "x"), ":1.code=0；2.msg=x");
}

TEST(FailureDiagnostics, ProbesRunAndTheTextGoesToTheLog) {
    const std::filesystem::path log = testsupport::NewFolder("log") / "debug.log";
    ::setenv("TARVO_DEBUG_OUTPUT", log.c_str(), 1);
    ::setenv("TARVO_CONNECTIVITY", "full", 1);
    ::setenv("TARVO_FREE_DISK_BYTES", "3221225472", 1);
    const std::filesystem::path package = testsupport::NewFolder("dir") / "__Package_V.exe";
    testsupport::WriteFile(package, "left over");

    const std::string text =
        FailureDiagnostics::BuildFailureDiagnostics(7, "LibCurl", package.string());
    EXPECT_EQ(text,
              "1.code=7；2.msg=LibCurl；3.缓存磁盘容量=3.00G；4.缓存读写权限=可读；"
              "5.服务器连接状态code=64");
    EXPECT_FALSE(std::filesystem::exists(package));
    const std::string logged = testsupport::ReadFile(log);
    EXPECT_NE(logged.find("(FailureDiagnostics::BuildFailureDiagnostics)<"), std::string::npos);
    EXPECT_TRUE(logged.ends_with(">: " + text + "\n")) << logged;
}

}  // namespace
