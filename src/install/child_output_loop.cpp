#include "install/child_output_loop.h"

#include <memory>
#include <string>

#include "install/utils_exception.h"

namespace {
// How often the child's end is looked for while it is quiet.
constexpr int kPollIntervalMs = 100;
// How much output left behind by an ended child is still read at most.
constexpr size_t kLeftoverLimit = 1024 * 1024;
}  // namespace

std::string_view UpToNul(std::string_view chunk) {
    return chunk.substr(0, chunk.find('\0'));
}

platform::ProcessExit FollowChildOutput(ChildProcess& child,
                                        const std::function<void(std::string_view)>& onChunk) {
    std::string chunk;
    while (!child.ExitStatus()) {
        if (child.ReadOutput(chunk, kPollIntervalMs) == ChildProcess::Output::Chunk) {
            onChunk(chunk);
        }
    }
    size_t leftover = 0;
    while (leftover < kLeftoverLimit && child.ReadOutput(chunk, 0) == ChildProcess::Output::Chunk) {
        leftover += chunk.size();
        onChunk(chunk);
    }
    return child.Wait();
}

std::optional<platform::ProcessExit> RunChildProcess(
    const std::string& program, const std::string& arguments,
    const std::function<void(std::string_view)>& onChunk) {
    std::unique_ptr<ChildProcess> child;
    try {
        child = std::make_unique<ChildProcess>();
        child->Start(program, arguments);
    } catch (const Utils::Exception&) {
        return std::nullopt;
    }
    const platform::ProcessExit exit = FollowChildOutput(*child, onChunk);
    child->Close();
    return exit;
}
