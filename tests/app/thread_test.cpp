#include "app/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <regex>

#include "platform/process_info.h"
#include "platform/thread_name.h"
#include "support/run_process.h"
#include "support/test_folder.h"

namespace {

TEST(ThreadTest, WaitsUntilResumed) {
    std::atomic<bool> ran{false};
    std::atomic<uint32_t> runningOn{0};
    std::string name;
    Utils::Thread thread("ABDEF", [&] {
        ran = true;
        runningOn = platform::CurrentThreadId();
        name = platform::CurrentThreadName();
    });
    const uint32_t id = thread.Id();
    EXPECT_NE(id, Utils::Thread::kNoId);
    EXPECT_FALSE(ran);
    thread.Resume();
    thread.Resume();  // a second resume changes nothing
    thread.Join();
    EXPECT_TRUE(ran);
    EXPECT_EQ(runningOn, id);
    EXPECT_EQ(name, "ABDEF");
    EXPECT_EQ(thread.Id(), Utils::Thread::kNoId);
    thread.Join();  // joining twice is harmless
}

TEST(ThreadTest, NamesAnUnnamedThreadAfterItsId) {
    std::string name;
    Utils::Thread thread("", [&] { name = platform::CurrentThreadName(); });
    const uint32_t id = thread.Id();
    thread.Resume();
    thread.Join();
    EXPECT_EQ(name, "t" + std::to_string(id));
}

TEST(ThreadTest, LongNamesAreCutForTheSystem) {
    std::string name;
    Utils::Thread thread("UnInstaller-with-a-long-name", [&] { name = platform::CurrentThreadName(); });
    thread.Resume();
    thread.Join();
    EXPECT_EQ(name, "UnInstaller-wit");
}

TEST(ThreadTest, DestroyingAnUnresumedThreadSkipsItsFunction) {
    std::atomic<bool> ran{false};
    { Utils::Thread thread("ABDEF", [&] { ran = true; }); }
    EXPECT_FALSE(ran);
}

TEST(ThreadTest, DestructionWaitsForTheFunction) {
    std::atomic<bool> finished{false};
    {
        Utils::Thread thread("ABDEF", [&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            finished = true;
        });
        thread.Resume();
    }
    EXPECT_TRUE(finished);
}

TEST(ThreadTraceChild, RunsOneThread) {
    if (std::getenv(testsupport::kChildMarker) == nullptr) GTEST_SKIP() << "runs as a child";
    Utils::Thread thread("ABDEF", [] {});
    std::printf("%u\n", thread.Id());
    thread.Resume();
    thread.Join();
}

TEST(ThreadTest, TracesBeginAndEnd) {
    const auto result = testsupport::RunProcess({"/proc/self/exe", "--gtest_filter=ThreadTraceChild.*"},
                                                testsupport::WithEnvironment({{testsupport::kChildMarker, "1"}, {"TARVO_DEBUG_OUTPUT", "stderr"}}));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::smatch id;
    ASSERT_TRUE(std::regex_search(result.out, id, std::regex(R"(\n(\d+)\n)"))) << result.out;
    const std::string thread = "<T" + std::string(5 - std::min<size_t>(5, id[1].length()), '0') +
                               id[1].str() + ">";
    const std::regex begin(thread + R"(<[^>]*>\(Utils::Thread::CallBack\)<\d{4}>: THREAD BEGIN\n)");
    const std::regex end(thread + R"(<[^>]*>\(Utils::Thread::CallBack\)<\d{4}>: THREAD END\n)");
    EXPECT_TRUE(std::regex_search(result.err, begin)) << result.err;
    EXPECT_TRUE(std::regex_search(result.err, end)) << result.err;
}

}  // namespace
