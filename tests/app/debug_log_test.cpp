#include "app/debug_log.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <thread>

#include "support/run_process.h"
#include "support/test_folder.h"

namespace {

const platform::LocalTime kTime{2026, 3, 7, 9, 5, 2, 42};

TEST(DebugLogTest, FormatsThePrefix) {
    EXPECT_EQ(FormatLogLine(123, 123456, kTime, "CDownloadInstaller::Start", 74, "DL_TYPE=%d\r\n", 3),
              "<P00123><T123456><2026-03-07 09:05:02.042>(CDownloadInstaller::Start)<0074>: "
              "DL_TYPE=3\r\n");
    EXPECT_EQ(FormatLogLine(7, 8, kTime, "Utils::CheckNetwork", 12345, "GetConnectivity %d", 0),
              "<P00007><T00008><2026-03-07 09:05:02.042>(Utils::CheckNetwork)<12345>: "
              "GetConnectivity 0");
}

TEST(DebugLogTest, NamesTheEnclosingFunction) {
    struct Case {
        const char* pretty;
        const char* name;
    } cases[] = {
        {"void CDownloadInstaller::Start()", "CDownloadInstaller::Start"},
        {"static void Utils::Thread::CallBack(Utils::Thread*)", "Utils::Thread::CallBack"},
        {"uint32_t Utils::CheckNetwork()", "Utils::CheckNetwork"},
        {"std::map<int, std::string> CInstaller::Parse(const std::string&)", "CInstaller::Parse"},
        {"int* Foo<T>::Bar(int) [with T = int]", "Foo<T>::Bar"},
        {"int main(int, char**)", "main"},
        {"void {anonymous}::Sample::Write(int)", "Sample::Write"},
        {"CDownloadInstaller::Start()::<lambda(int)>", "CDownloadInstaller::Start"},
    };
    for (const Case& c : cases) EXPECT_EQ(QualifiedFunctionName(c.pretty), c.name) << c.pretty;
}

struct Sample {
    void Write(int n) { DEBUG_LOG("line %d of %s\r\n", n, "many"); }
};

// Runs in a child process whose debug output goes to a file.
TEST(DebugLogChild, WritesFromTwoThreads) {
    if (std::getenv(testsupport::kChildMarker) == nullptr) GTEST_SKIP() << "runs as a child";
    auto writer = [] {
        Sample sample;
        for (int n = 0; n < 500; ++n) sample.Write(n);
    };
    std::thread a(writer), b(writer);
    a.join();
    b.join();
    DEBUG_LOG("no break");
    DEBUG_LOG("last\r\n");
}

TEST(DebugLogTest, LinesFromTwoThreadsArriveWhole) {
    const auto log = testsupport::NewFolder("log") / "debug.log";
    const auto result = testsupport::RunProcess(
        {"/proc/self/exe", "--gtest_filter=DebugLogChild.*"},
        testsupport::WithEnvironment({{testsupport::kChildMarker, "1"}, {"TARVO_DEBUG_OUTPUT", log.string()}}));
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;

    const std::regex shape(
        R"(<P\d{5,}><T\d{5,}><\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}>\(([^)]*)\)<(\d{4,})>: (.*))");
    std::istringstream lines(testsupport::ReadFile(log));
    std::string line;
    int count = 0;
    std::vector<std::string> tail;
    while (std::getline(lines, line)) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, shape)) << line;
        if (match[1] == "Sample::Write") ++count;
        tail.push_back(match[3]);
    }
    EXPECT_EQ(count, 1000);
    ASSERT_GE(tail.size(), 2u);
    EXPECT_EQ(tail[tail.size() - 2], "no break");
    EXPECT_EQ(tail.back(), "last");
}

TEST(DebugLogTest, StandardErrorChannel) {
    const auto result = testsupport::RunProcess({"/proc/self/exe", "--gtest_filter=DebugLogChild.*"},
                                                testsupport::WithEnvironment({{testsupport::kChildMarker, "1"}, {"TARVO_DEBUG_OUTPUT", "stderr"}}));
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("(Sample::Write)"), std::string::npos);
}

}  // namespace
