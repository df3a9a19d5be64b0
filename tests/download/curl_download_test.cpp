// The single-stream downloader as vantyx-download drives it, against the
// test download service.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "download/download_run.h"
#include "download/integrity_check.h"
#include "download/package_fixture.h"
#include "support/download_service.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testsupport::DownloadService;

namespace {

std::string WrongDigest() {
    return "0123456789abcdef0123456789abcdef";
}

}  // namespace

TEST(CurlDownloadTest, StoresThePackageAndLeavesNoTemporaryFile) {
    PackageFixture fixture = MakePackageFixture(kMiB + 4321);
    testsupport::WriteFile(fixture.output, "an older package");
    DownloadService service(fixture.package);

    const DownloadRun run = RunDownload(1, service.Url(), fixture.output);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.events, ElementsAre("1001 1 ", "1003 0 LibCurl"));
    EXPECT_EQ(GetFileMd5(fixture.output.string()), GetFileMd5(fixture.package.string()));
    EXPECT_THAT(FileNames(fixture.output.parent_path()),
                ElementsAre("__Package_VantyxAudioEditor.exe"));
    EXPECT_EQ(service.Requests().front(), "HEAD /software/195 - -");
    for (const auto& request : service.Requests()) {
        EXPECT_TRUE(request.ends_with(" -")) << "asked for a compressed body: " << request;
    }
}

TEST(CurlDownloadTest, ResumesAfterADroppedConnection) {
    PackageFixture fixture = MakePackageFixture(2 * kMiB);
    DownloadService service(fixture.package, {"--drop-after", "700000"});

    const DownloadRun run = RunDownload(1, service.Url(), fixture.output);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.events, ElementsAre("1001 1 ", "1003 0 LibCurl"));
    EXPECT_EQ(GetFileMd5(fixture.output.string()), GetFileMd5(fixture.package.string()));
    const auto gets = service.Requests("GET");
    ASSERT_EQ(gets.size(), 2u);
    EXPECT_NE(gets[1].find(" bytes=700000- "), std::string::npos) << gets[1];
    EXPECT_EQ(CountLines(run.debugLog, "CurlDownLoader Code=18"), 1);
}

// A dropped transfer costs one point of twelve, any other failure two.
TEST(CurlDownloadTest, RetryBudgetsDependOnTheFailure) {
    struct Case {
        std::vector<std::string> fault;
        size_t attempts;
        std::string finalEvent;
    };
    const Case cases[] = {
        {{"--drop-after", "40000", "--drop-times", "0"}, 12, "1004 18 LibCurl"},
        {{"--status", "404", "--status-get-only"}, 6, "1004 22 LibCurl"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.finalEvent);
        PackageFixture fixture = MakePackageFixture(kMiB + 1, "budget" + std::to_string(c.attempts));
        DownloadService service(fixture.package, c.fault);

        const DownloadRun run = RunDownload(1, service.Url(), fixture.output);

        EXPECT_EQ(run.exitCode, 1);
        EXPECT_THAT(run.events, ElementsAre("1001 1 ", c.finalEvent));
        EXPECT_EQ(service.Requests("GET").size(), c.attempts);
        EXPECT_EQ(CountLines(run.debugLog, "CurlDownLoader Code="), int(c.attempts) - 1);
        EXPECT_FALSE(fs::exists(fixture.output));
    }
}

TEST(CurlDownloadTest, RefusesPackagesBelowOneMebibyteWithoutAskingForTheBody) {
    struct Case {
        long long size;
        int exitCode;
        std::string finalEvent;
    };
    const Case cases[] = {{kMiB - 1, 1, "1004 -998 LibCurl"}, {kMiB, 0, "1003 0 LibCurl"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        PackageFixture fixture = MakePackageFixture(c.size, "size" + std::to_string(c.size));
        DownloadService service(fixture.package);

        const DownloadRun run = RunDownload(1, service.Url(), fixture.output);

        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.events.back(), c.finalEvent);
        if (c.exitCode != 0) {
            EXPECT_TRUE(service.Requests("GET").empty());
        }
    }
}

TEST(CurlDownloadTest, DigestMismatchRestartsOnceThenFails) {
    PackageFixture fixture = MakePackageFixture(kMiB + 10);
    DownloadService service(fixture.package, {"--folder", WrongDigest()});

    const DownloadRun run = RunDownload(1, service.Url(), fixture.output);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.events, ElementsAre("1001 1 ", "1006 0 curl文件md5校验失败", "1005 0 LibCurl",
                                        "1001 1 ", "1006 0 curl文件md5校验失败", "1004 0 LibCurl"));
    EXPECT_EQ(service.Requests("GET").size(), 2u);
}

// The digest folder may be written in either letter case; a folder that is
// no digest at all lets the package pass with a message.
TEST(CurlDownloadTest, DigestFolderForms) {
    PackageFixture fixture = MakePackageFixture(kMiB + 20);
    std::string upper = GetFileMd5(fixture.package.string());
    for (auto& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    struct Case {
        std::string folder;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {upper, {"1001 1 ", "1003 0 LibCurl"}},
        {"downloads", {"1001 1 ", "1006 0 curl获取url-md5失败", "1003 0 LibCurl"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        DownloadService service(fixture.package, {"--folder", c.folder});
        const DownloadRun run = RunDownload(1, service.Url(), fixture.output);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.events, c.events);
        EXPECT_EQ(GetFileMd5(fixture.output.string()), GetFileMd5(fixture.package.string()));
    }
}

// A server that compresses whenever the client lets it must still give us
// the package's own bytes.
TEST(CurlDownloadTest, NeverAsksForACompressedBody) {
    PackageFixture fixture = MakePackageFixture(kMiB + 30);
    DownloadService service(fixture.package, {"--gzip"});

    const DownloadRun run = RunDownload(1, service.Url(), fixture.output);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(GetFileMd5(fixture.output.string()), GetFileMd5(fixture.package.string()));
}

// Resuming from a server that answers a range with the whole body starts
// over instead of failing until the budget is spent.
TEST(CurlDownloadTest, StartsOverWhenTheServerWillNotResume) {
    PackageFixture fixture = MakePackageFixture(kMiB + 40);
    DownloadService service(fixture.package, {"--drop-after", "300000", "--ignore-range"});

    const DownloadRun run = RunDownload(1, service.Url(), fixture.output);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.events.back(), "1003 0 LibCurl");
    EXPECT_EQ(GetFileMd5(fixture.output.string()), GetFileMd5(fixture.package.string()));
    EXPECT_EQ(service.Requests("GET").size(), 3u);
}

TEST(CurlDownloadTest, ProgressCountsWhatAnEarlierAttemptStored) {
    PackageFixture fixture = MakePackageFixture(2 * kMiB);
    // The first attempt stores half; the second crawls so progress is seen.
    DownloadService service(fixture.package, {"--drop-after", "1048576", "--rate", "400000"});

    const DownloadRun run = RunDownload(1, service.Url(), fixture.output);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_FALSE(run.progress.empty());
    // Every report of the second attempt counts the half already stored.
    EXPECT_GE(run.progress.back(), 0.5);
    for (double value : run.progress) EXPECT_LE(value, 1.0);
}
