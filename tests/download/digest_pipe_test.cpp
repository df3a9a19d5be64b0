#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "download/digest_pipe.h"
#include "download/integrity_check.h"
#include "support/test_folder.h"

namespace {

std::string Pattern(size_t size) {
    std::string text(size, '\0');
    for (size_t i = 0; i < size; ++i) text[i] = static_cast<char>((i * 131) >> 3);
    return text;
}

}  // namespace

// Bytes handed over in pieces of every size, across block boundaries, and a
// file prefix before them, give the digest of the whole.
TEST(DigestPipeTest, CoversAFilePrefixAndTheBytesAfterIt) {
    const auto folder = testsupport::NewFolder("pipe");
    const std::string content = Pattern(3 * DigestPipe::kBlockSize + 12345);
    testsupport::WriteFile(folder / "whole", content);
    testsupport::WriteFile(folder / "prefix", content.substr(0, 777777) + "tail not hashed");

    DigestPipe pipe;
    pipe.Begin();
    pipe.AppendFile((folder / "prefix").string(), 777777);
    size_t at = 777777, piece = 1;
    while (at < content.size()) {
        const size_t take = std::min(piece, content.size() - at);
        pipe.Update(content.data() + at, take);
        at += take;
        piece = piece * 3 + 7;
    }
    EXPECT_EQ(pipe.Finish(), GetFileMd5((folder / "whole").string()));

    // A prefix that the file does not hold spoils the digest.
    pipe.Begin();
    pipe.AppendFile((folder / "missing").string(), 10);
    EXPECT_EQ(pipe.Finish(), "");
}

// A followed file is hashed while another thread still appends to it.
TEST(DigestPipeTest, FollowsAGrowingFile) {
    const auto folder = testsupport::NewFolder("follow");
    const std::string content = Pattern(2 * DigestPipe::kBlockSize + 99);
    testsupport::WriteFile(folder / "whole", content);
    const std::string growing = (folder / "growing").string();
    testsupport::WriteFile(growing, "");

    DigestPipe pipe;
    pipe.Begin();
    pipe.AppendFile(growing, static_cast<int64_t>(content.size()), true);
    std::thread writer([&] {
        std::ofstream out(growing, std::ios::binary | std::ios::app);
        for (size_t at = 0; at < content.size(); at += 100000) {
            out.write(content.data() + at, std::min<size_t>(100000, content.size() - at));
            out.flush();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    const std::string digest = pipe.Finish();
    writer.join();
    EXPECT_EQ(digest, GetFileMd5((folder / "whole").string()));
}

// Dropping the digest ends a follow that would never complete.
TEST(DigestPipeTest, AbandonEndsAFollowThatNeverCompletes) {
    const auto folder = testsupport::NewFolder("abandon");
    testsupport::WriteFile(folder / "short", "abc");
    DigestPipe pipe;
    pipe.Begin();
    pipe.AppendFile((folder / "short").string(), 1000, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    pipe.Abandon();
    EXPECT_FALSE(pipe.Begun());
}
