// The segmented downloader as vantyx-download drives it, against the test
// download service.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "download/download_run.h"
#include "download/integrity_check.h"
#include "download/package_fixture.h"
#include "support/download_service.h"
#include "support/test_folder.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
using testsupport::DownloadService;

namespace {

// The Range headers of the body requests, in the order they came.
std::vector<std::string> Ranges(const DownloadService& service) {
    std::vector<std::string> ranges;
    for (const auto& line : service.Requests("GET")) {
        const size_t begin = line.find(" bytes=");
        const size_t end = line.rfind(' ');
        ranges.push_back(begin == std::string::npos ? "-"
                                                    : line.substr(begin + 7, end - begin - 7));
    }
    return ranges;
}

}  // namespace

// One range below 20 MiB, two from there on, with exact range texts.
TEST(MtDownloadTest, SplitsIntoOneOrTwoExactRanges) {
    struct Case {
        long long size;
        std::vector<std::string> ranges;
    };
    const std::vector<Case> cases = {
        {20 * kMiB - 1, {"0-20971518"}},
        {25 * kMiB, {"0-13107199", "13107200-26214399"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        PackageFixture fixture = MakePackageFixture(c.size, "size" + std::to_string(c.size));
        DownloadService service(fixture.package);

        const DownloadRun run = RunDownload(3, service.Url(), fixture.output);

        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.events.front(), "1001 1 ");
        EXPECT_EQ(run.events.back(), "1003 0 LibCurl");
        EXPECT_EQ(run.events.size(), 2u);
        std::vector<std::string> ranges = Ranges(service);
        std::sort(ranges.begin(), ranges.end());
        EXPECT_EQ(ranges, c.ranges);
        EXPECT_EQ(GetFileMd5(fixture.output.string()), fixture.md5);
        EXPECT_THAT(FileNames(fixture.output.parent_path()),
                    ElementsAre("__Package_VantyxAudioEditor.exe"));
        for (const auto& request : service.Requests()) {
            EXPECT_TRUE(request.ends_with(" -")) << "asked for a compressed body: " << request;
        }
    }
}

TEST(MtDownloadTest, RangesSurviveDroppedConnections) {
    PackageFixture fixture = MakePackageFixture(21 * kMiB);
    DownloadService service(fixture.package, {"--drop-after", "1000000", "--drop-times", "4"});

    const DownloadRun run = RunDownload(3, service.Url(), fixture.output);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.events, ElementsAre("1001 1 ", "1003 0 LibCurl"));
    EXPECT_EQ(GetFileMd5(fixture.output.string()), fixture.md5);
    EXPECT_EQ(service.Requests("GET").size(), 6u);
    EXPECT_EQ(CountLines(run.debugLog, "CurlDownLoader Code=18"), 4);
    EXPECT_THAT(FileNames(fixture.output.parent_path()),
                ElementsAre("__Package_VantyxAudioEditor.exe"));
}

// Both ranges run out of attempts after storing part of their bytes; the
// restarted run resumes each part file where it ends and joins them.
TEST(MtDownloadTest, PartFilesCarryOverToTheRestartedRun) {
    PackageFixture fixture = MakePackageFixture(21 * kMiB);
    // 13 dropped attempts per range, 300000 bytes each.
    DownloadService service(fixture.package, {"--drop-after", "300000", "--drop-times", "26"});

    const DownloadRun run = RunDownload(3, service.Url(), fixture.output);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.events, ElementsAre("1001 1 ", "1005 18 LibCurl", "1001 1 ", "1003 0 LibCurl"));
    EXPECT_FALSE(run.progress.empty());
    const std::vector<std::string> ranges = Ranges(service);
    ASSERT_EQ(ranges.size(), 28u);
    EXPECT_THAT(std::vector<std::string>(ranges.end() - 2, ranges.end()),
                UnorderedElementsAre("3900000-11010047", "14910048-22020095"));
    EXPECT_EQ(GetFileMd5(fixture.output.string()), fixture.md5);
    EXPECT_EQ(CountLines(run.debugLog, "partPath::"), 1);
    EXPECT_THAT(FileNames(fixture.output.parent_path()),
                ElementsAre("__Package_VantyxAudioEditor.exe"));
}

// Only the second range fails; the restarted run leaves the complete first
// part alone and fetches the rest of the second.
TEST(MtDownloadTest, ACompletePartIsNotFetchedAgain) {
    PackageFixture fixture = MakePackageFixture(21 * kMiB);
    DownloadService service(fixture.package, {"--drop-after", "300000", "--drop-times", "13",
                                              "--fault-from", "11010048"});

    const DownloadRun run = RunDownload(3, service.Url(), fixture.output);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.events, ElementsAre("1001 1 ", "1005 18 LibCurl", "1001 1 ", "1003 0 LibCurl"));
    const std::vector<std::string> ranges = Ranges(service);
    EXPECT_EQ(std::count(ranges.begin(), ranges.end(), "0-11010047"), 1);
    EXPECT_EQ(ranges.back(), "14910048-22020095");
    EXPECT_EQ(ranges.size(), 15u);
    EXPECT_EQ(GetFileMd5(fixture.output.string()), fixture.md5);
    EXPECT_THAT(FileNames(fixture.output.parent_path()),
                ElementsAre("__Package_VantyxAudioEditor.exe"));
}

TEST(MtDownloadTest, DigestMismatchRestartsOnceFromZeroThenFails) {
    PackageFixture fixture = MakePackageFixture(kMiB);
    DownloadService service(fixture.package, {"--folder", "0123456789ABCDEF0123456789ABCDEF"});

    const DownloadRun run = RunDownload(3, service.Url(), fixture.output);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.events,
                ElementsAre("1001 1 ", "1006 0 mtcurl文件md5校验失败", "1005 0 LibCurl", "1001 1 ",
                            "1006 0 mtcurl文件md5校验失败", "1004 0 LibCurl"));
    EXPECT_THAT(Ranges(service), ElementsAre("0-1048575", "0-1048575"));
    EXPECT_TRUE(FileNames(fixture.output.parent_path()).empty());
    EXPECT_EQ(CountLines(run.debugLog, "finish recv, md5 chaek failed retry once."), 1);
    EXPECT_EQ(CountLines(run.debugLog, "finish recv, md5 chaek failed and retry failed."), 1);
}

TEST(MtDownloadTest, DigestFolderForms) {
    PackageFixture fixture = MakePackageFixture(kMiB);
    std::string upper = fixture.md5;
    for (auto& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    struct Case {
        std::string folder;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {upper, {"1001 1 ", "1003 0 LibCurl"}},
        {"downloads", {"1001 1 ", "1006 0 mtcurl获取url-md5失败", "1003 0 LibCurl"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        DownloadService service(fixture.package, {"--folder", c.folder});
        const DownloadRun run = RunDownload(3, service.Url(), fixture.output);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.events, c.events);
        EXPECT_EQ(GetFileMd5(fixture.output.string()), fixture.md5);
    }
}

// The probe fails at once, without a restart, when the length is 255 bytes
// or less or the service refuses the package.
TEST(MtDownloadTest, ProbeFailuresEndTheRunAtOnce) {
    struct Case {
        long long size;
        std::vector<std::string> options;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {255, {}, {"1001 1 ", "1004 0 LibCurl"}},
        {256, {}, {"1001 1 ", "1003 0 LibCurl"}},
        {kMiB, {"--status", "404"}, {"1001 1 ", "1004 0 LibCurl"}},
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(index);
        PackageFixture fixture = MakePackageFixture(c.size, "probe" + std::to_string(index++));
        DownloadService service(fixture.package, c.options);
        const DownloadRun run = RunDownload(3, service.Url(), fixture.output);
        EXPECT_EQ(run.events, c.events);
        if (c.events.back() == "1004 0 LibCurl") {
            EXPECT_TRUE(service.Requests("GET").empty());
        }
    }
}

// A server that answers a range with the whole body gives no part; the
// ranges fail instead of storing the package's first bytes as a later part.
TEST(MtDownloadTest, AWholeBodyIsNoAnswerToARange) {
    PackageFixture fixture = MakePackageFixture(21 * kMiB);
    DownloadService service(fixture.package, {"--ignore-range", "--folder", "downloads"});

    const DownloadRun run = RunDownload(3, service.Url(), fixture.output);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.events,
                ElementsAre("1001 1 ", "1005 23 LibCurl", "1001 1 ", "1004 23 LibCurl"));
    EXPECT_TRUE(FileNames(fixture.output.parent_path()).empty());
}

// A range whose server stops sending gives up after a few quiet seconds and
// is fetched again from where it stopped.
TEST(MtDownloadTest, AStalledRangeIsRetried) {
    PackageFixture fixture = MakePackageFixture(kMiB);
    DownloadService service(fixture.package, {"--stall-after", "300000"});

    const DownloadRun run = RunDownload(3, service.Url(), fixture.output);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.events, ElementsAre("1001 1 ", "1003 0 LibCurl"));
    EXPECT_THAT(Ranges(service), ElementsAre("0-1048575", "300000-1048575"));
    EXPECT_EQ(CountLines(run.debugLog, "CurlDownLoader Code=28"), 1);
    EXPECT_EQ(GetFileMd5(fixture.output.string()), fixture.md5);
}

// Type 3 is the segmented downloader; every other type, 2 included until
// the system-HTTP downloader exists, the single-stream one. The message
// about a missing digest tells them apart.
TEST(MtDownloadTest, DownloadTypeSelectsTheDownloader) {
    PackageFixture fixture = MakePackageFixture(kMiB);
    DownloadService service(fixture.package, {"--folder", "downloads"});
    struct Case {
        int type;
        std::string message;
        std::string success;
    };
    const std::string single = "1006 0 curl获取url-md5失败";
    const Case cases[] = {{0, single, "1003 0 LibCurl"},
                          {1, single, "1003 0 LibCurl"},
                          {2, single, "1003 0 WinHttp"},
                          {4, single, "1003 0 LibCurl"},
                          {-1, single, "1003 0 LibCurl"},
                          {3, "1006 0 mtcurl获取url-md5失败", "1003 0 LibCurl"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        const DownloadRun run = RunDownload(c.type, service.Url(), fixture.output);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_THAT(run.events, ElementsAre("1001 1 ", c.message, c.success));
    }
}
