#include "install/named_mutex.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <chrono>
#include <iostream>
#include <thread>

#include "install/child_process.h"
#include "support/test_folder.h"

namespace {

constexpr const char* kSuffix = "VantyxAudioEditor";

TEST(NamedMutex, OneHolderAtATime) {
    Utils::NamedMutex first(kSuffix);
    Utils::NamedMutex second(kSuffix);
    Utils::NamedMutex other("another");
    first.Acquire();
    EXPECT_TRUE(first.IsHeld());
    first.Acquire();  // a no-op for the holder
    EXPECT_TRUE(first.IsHeld());
    second.Acquire();
    EXPECT_FALSE(second.IsHeld());
    other.Acquire();
    EXPECT_TRUE(other.IsHeld());
    first.Release();
    second.Acquire();
    EXPECT_TRUE(second.IsHeld());
}

TEST(NamedMutex, LockFileLivesInTheRuntimeFolder) {
    const std::string runtime = std::getenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(platform::NamedLock::LockFilePath("D1A547DB89C0BC61_x"),
              runtime + "/D1A547DB89C0BC61_x.lock");
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(platform::NamedLock::LockFilePath("a/b"),
              "/tmp/a_b." + std::to_string(::getuid()) + ".lock");
}

// Holds the mutex in a process of its own until it is killed.
TEST(NamedMutexChild, HoldUntilKilled) {
    ::setenv("XDG_RUNTIME_DIR", std::getenv("PARENT_RUNTIME_DIR"), 1);
    Utils::NamedMutex mutex(kSuffix);
    mutex.Acquire();
    std::cout << (mutex.IsHeld() ? "held" : "refused") << std::endl;
    std::this_thread::sleep_for(std::chrono::seconds(60));
}

TEST(NamedMutex, AnotherProcessHoldsItUntilItDies) {
    ::setenv("PARENT_RUNTIME_DIR", std::getenv("XDG_RUNTIME_DIR"), 1);
    ::setenv(testsupport::kChildMarker, "1", 1);
    ChildProcess holder;
    holder.Start(SELF_PATH, " --gtest_filter=NamedMutexChild.HoldUntilKilled");
    std::string out;
    while (out.find("held") == std::string::npos && out.find("refused") == std::string::npos) {
        std::string chunk;
        if (holder.ReadOutput(chunk, 100) == ChildProcess::Output::Ended) break;
        out += chunk;
    }
    ASSERT_NE(out.find("held"), std::string::npos) << out;

    Utils::NamedMutex mine(kSuffix);
    mine.Acquire();
    EXPECT_FALSE(mine.IsHeld());

    ::kill(holder.Id(), SIGKILL);
    holder.Wait();
    mine.Acquire();
    EXPECT_TRUE(mine.IsHeld());
}

}  // namespace
