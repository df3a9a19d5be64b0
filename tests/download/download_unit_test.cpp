#include <gtest/gtest.h>

#include "download/byte_ranges.h"
#include "download/integrity_check.h"
#include "support/test_folder.h"

TEST(IntegrityCheckTest, DigestIsTheLastFolderOfTheUrl) {
    struct Case {
        const char* url;
        const char* digest;
    };
    const Case cases[] = {
        {"http://h/0cc175b9c0f1b6a831c399e269772661/setup.exe", "0cc175b9c0f1b6a831c399e269772661"},
        {"https://h/a/downloads/setup.exe", "downloads"},
        {"http://h/d/setup.exe?x=1/2", "setup.exe?x=1"},  // a query "/" counts like any other
        {"setup.exe", ""},
        {"/setup.exe", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(GetUrlMd5(c.url), c.digest) << c.url;
}

TEST(IntegrityCheckTest, FileDigestIsLowercaseHexOrEmptyWhenUnreadable) {
    const auto folder = testsupport::NewFolder("md5");
    testsupport::WriteFile(folder / "abc", "abc");
    testsupport::WriteFile(folder / "empty", "");
    EXPECT_EQ(GetFileMd5((folder / "abc").string()), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(GetFileMd5((folder / "empty").string()), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(GetFileMd5((folder / "missing").string()), "");
}

TEST(IntegrityCheckTest, PiecewiseDigestMatchesTheFileDigest) {
    const auto folder = testsupport::NewFolder("piecewise");
    std::string content;
    for (int i = 0; i < 200000; ++i) content.push_back(static_cast<char>(i * 7));
    testsupport::WriteFile(folder / "f", content);
    Md5Digest digest;
    ASSERT_TRUE(digest.UpdateFromFile((folder / "f").string(), 70000));
    digest.Update(content.data() + 70000, content.size() - 70000);
    EXPECT_EQ(digest.Finish(), GetFileMd5((folder / "f").string()));
    EXPECT_FALSE(digest.UpdateFromFile((folder / "f").string(), content.size() + 1));
}

TEST(IntegrityCheckTest, DigestsCompareWithoutLetterCase) {
    EXPECT_TRUE(SameDigest("900150983cd24fb0d6963f7d28e17f72", "900150983CD24FB0D6963F7D28E17F72"));
    EXPECT_FALSE(
        SameDigest("900150983cd24fb0d6963f7d28e17f72", "900150983cd24fb0d6963f7d28e17f73"));
    EXPECT_FALSE(SameDigest("900150983cd24fb0d6963f7d28e17f72", "900150983cd24fb0d6963f7d28e17f7"));
}

TEST(ByteRangesTest, OneRangeBelowTwentyMebibytesTwoFromThere) {
    struct Case {
        int64_t length;
        std::vector<std::string> ranges;
    };
    const Case cases[] = {
        {256, {"0-255"}},
        {10485759, {"0-10485758"}},
        {10485760, {"0-10485759"}},
        {20971519, {"0-20971518"}},
        {20971520, {"0-10485759", "10485760-20971519"}},
        {30000001, {"0-14999999", "15000000-30000000"}},
        // Past the 32-bit limit.
        {5000000001LL, {"0-2499999999", "2500000000-5000000000"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> texts;
        for (const auto& range : SplitIntoRanges(c.length)) {
            texts.push_back(RangeText(range.first, range.last));
        }
        EXPECT_EQ(texts, c.ranges) << c.length;
    }
}

TEST(ByteRangesTest, ReadsContentRange) {
    const auto full = ParseContentRange("bytes 15000000-30000000/30000001");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->first, 15000000);
    EXPECT_EQ(full->last, 30000000);
    EXPECT_EQ(full->total, 30000001);
    const auto big = ParseContentRange("bytes 2500000000-5000000000/*");
    ASSERT_TRUE(big);
    EXPECT_EQ(big->last, 5000000000LL);
    EXPECT_EQ(big->total, -1);
    for (const char* bad :
         {"", "bytes */100", "bytes 5-4/10", "items 0-1/2", "bytes 0-x/2", "bytes 0-1"}) {
        EXPECT_FALSE(ParseContentRange(bad)) << bad;
    }
}
