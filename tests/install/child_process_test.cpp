#include "install/child_process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "install/child_output_loop.h"
#include "install/find_process.h"
#include "install/utils_exception.h"
#include "support/test_folder.h"

namespace {

// Everything a child prints on its standard output, and how it ended.
struct Finished {
    std::string out;
    platform::ProcessExit exit;
};

Finished RunToEnd(ChildProcess& child) {
    Finished finished;
    finished.exit =
        FollowChildOutput(child, [&](std::string_view chunk) { finished.out += chunk; });
    return finished;
}

TEST(ChildProcess, InheritsEnvironmentAndWorkingFolder) {
    const std::filesystem::path folder = testsupport::NewFolder("work dir");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    ::setenv("CHILD_PROCESS_PROBE", "value with blanks", 1);
    ChildProcess child;
    child.Start("/bin/sh -c \"printf '%s|%s' \\\"$CHILD_PROCESS_PROBE\\\" \\\"$(pwd)\\\"\"");
    const Finished finished = RunToEnd(child);
    std::filesystem::current_path(previous);
    EXPECT_EQ(finished.out, "value with blanks|" + folder.string());
    EXPECT_FALSE(finished.exit.signalled);
}

TEST(ChildProcess, StandardInputStaysOpenWhileTheChildRuns) {
    ChildProcess child;
    // cat ends at once when its input is at its end; timeout stops it otherwise.
    child.Start("/usr/bin/timeout 0.5 /bin/cat");
    const Finished finished = RunToEnd(child);
    EXPECT_FALSE(finished.exit.signalled);
    EXPECT_EQ(finished.exit.code, 124);
}

TEST(ChildProcess, OtherChildrenDoNotHoldItsPipesOpen) {
    ChildProcess quick;  // its pipes exist before the long-lived child starts
    ChildProcess lasting;
    lasting.Start("/bin/sleep 20");
    quick.Start("/bin/echo hi");
    std::string out, chunk;
    int looks = 0;
    ChildProcess::Output got;
    while ((got = quick.ReadOutput(chunk, 100)) != ChildProcess::Output::Ended && looks < 100) {
        out += chunk;
        ++looks;
    }
    // The end of its output shows long before the other child ends.
    EXPECT_EQ(got, ChildProcess::Output::Ended);
    EXPECT_EQ(out, "hi\n");
    ::kill(lasting.Id(), SIGKILL);
    lasting.Wait();
    quick.Wait();
}

TEST(ChildProcess, ReportsExitCodesAndSignals) {
    const std::pair<std::string, platform::ProcessExit> cases[] = {
        {"/bin/sh -c \"exit 7\"", {false, 7}},
        {"/bin/sh -c \"kill -TERM $$\"", {true, SIGTERM}},
        {"/bin/true", {false, 0}},
    };
    for (const auto& [command, expected] : cases) {
        ChildProcess child;
        child.Start(command);
        const Finished finished = RunToEnd(child);
        EXPECT_EQ(finished.exit.signalled, expected.signalled) << command;
        EXPECT_EQ(finished.exit.code, expected.code) << command;
    }
    EXPECT_EQ(platform::SignalName(SIGKILL), "SIGKILL");
}

TEST(ChildProcess, OutputArrivesInChunksAndStandardErrorIsDrained) {
    ChildProcess child;
    child.Start("/bin/sh -c \"head -c 200000 /dev/zero >&2; head -c 5000 /dev/zero | tr '\\0' o\"");
    size_t chunks = 0, largest = 0;
    std::string out;
    FollowChildOutput(child, [&](std::string_view chunk) {
        ++chunks;
        largest = std::max(largest, chunk.size());
        out += chunk;
    });
    EXPECT_EQ(out, std::string(5000, 'o'));
    EXPECT_GE(chunks, 5u);
    EXPECT_LE(largest, ChildProcess::kChunkSize);
}

TEST(ChildProcess, AProgramPathWithBlanksIsNotSplit) {
    const std::filesystem::path folder = testsupport::NewFolder("a b");
    const std::filesystem::path program = folder / "echo args";
    testsupport::WriteFile(program, "#!/bin/sh\nprintf '[%s]' \"$@\"\n");
    std::filesystem::permissions(program, std::filesystem::perms(0600));
    ChildProcess child;
    child.Start(program.string(), " one \"two three\" fo\\\"ur");
    EXPECT_EQ(RunToEnd(child).out, "[one][two three][fo\"ur]");
    EXPECT_NE(std::filesystem::status(program).permissions() & std::filesystem::perms::owner_exec,
              std::filesystem::perms::none);
}

TEST(ChildProcess, AProgramThatCannotStartThrows) {
    const std::filesystem::path missing = testsupport::NewFolder("m") / "missing";
    ChildProcess child;
    EXPECT_THROW(child.Start(missing.string()), Utils::Exception);
    EXPECT_THROW(child.Start(""), Utils::Exception);
}

TEST(FindProcess, MatchesTheExecutableFileNameExactly) {
    // Names of our own, longer than the kernel's 15-byte process names, so
    // that programs of tests running beside this one cannot be mistaken.
    const std::string suffix = std::to_string(::getpid()) + ".exe";
    const std::string name = "VantyxFindProcessProbe_" + suffix;
    const std::string others[] = {"vantyxfindprocessprobe_" + suffix, "VantyxFindProce",
                                  name.substr(1), name + "x", name.substr(0, name.size() - 1)};
    const std::filesystem::path program = testsupport::NewFolder("bin") / name;
    std::filesystem::copy_file("/bin/sleep", program);
    ChildProcess child;
    child.Start(program.string(), " 30");
    EXPECT_EQ(Utils::FindProcess(name), child.Id());
    for (const std::string& other : others) EXPECT_EQ(Utils::FindProcess(other), 0) << other;
    ::kill(child.Id(), SIGKILL);
    child.Wait();
    EXPECT_EQ(Utils::FindProcess(name), 0);
    EXPECT_EQ(Utils::FindProcess(""), 0);
}

}  // namespace
