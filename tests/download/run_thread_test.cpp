#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "download/run_thread.h"
#include "platform/process_info.h"

// A run may start the next run from its own thread (a downloader's restart
// request); it must not wait for itself, and the new run begins only once
// the old one has ended.
TEST(RunThreadTest, ARunCanStartTheNextFromItsOwnThread) {
    RunThread runs;
    std::atomic<int> finished{0};
    std::atomic<bool> firstEnded{false};
    std::atomic<bool> overlapped{false};
    std::atomic<uint32_t> firstId{0}, secondId{0};

    runs.Start([&] {
        firstId = platform::CurrentThreadId();
        runs.Start([&] {
            secondId = platform::CurrentThreadId();
            if (!firstEnded) overlapped = true;
            ++finished;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        firstEnded = true;
        ++finished;
    });
    runs.Wait();

    EXPECT_EQ(finished, 2);
    EXPECT_FALSE(overlapped);
    EXPECT_NE(firstId.load(), secondId.load());
}

TEST(RunThreadTest, StartingFromOutsideWaitsForThePreviousRun) {
    RunThread runs;
    std::atomic<int> active{0};
    std::atomic<bool> overlapped{false};
    auto body = [&] {
        if (++active > 1) overlapped = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        --active;
    };
    for (int i = 0; i < 3; ++i) runs.Start(body);
    runs.Wait();
    EXPECT_FALSE(overlapped);
}
