#include "install/child_process.h"

#include "app/command_line_split.h"
#include "app/debug_log.h"
#include "install/utils_exception.h"

namespace {
// How much of standard error one look reads and drops at most.
constexpr size_t kErrorDrainSize = 64 * 1024;
}  // namespace

ChildProcess::ChildProcess() = default;

ChildProcess::~ChildProcess() {
    Close();
    if (m_ProcessId != 0 && !m_Exit) Wait();
}

void ChildProcess::Start(const std::string& commandLine) {
    m_CommandLine = commandLine;
    Spawn(SplitCommandLine(commandLine));
}

void ChildProcess::Start(const std::string& program, const std::string& arguments) {
    m_CommandLine = program + arguments;
    // A stand-in first token lets the splitter read the rest as arguments.
    std::vector<std::string> argv = SplitCommandLine("_" + arguments);
    argv.front() = program;
    Spawn(std::move(argv));
}

void ChildProcess::Spawn(std::vector<std::string> argv) {
    if (m_ProcessId != 0) throw Utils::Exception("already started");
    platform::ChildStdio stdio;
    stdio.input = m_InputPipe.m_Read;
    stdio.output = m_OutputPipe.m_Write;
    stdio.error = m_ErrorPipe.m_Write;
    std::string reason;
    m_ProcessId = platform::SpawnProcess(argv, stdio, &reason);
    if (m_ProcessId == 0) {
        DEBUG_LOG("cannot start %s: %s", argv.empty() ? "" : argv.front().c_str(), reason.c_str());
        throw Utils::Exception();
    }
    // Only the child holds these now, so our reads see the end of its output
    // once it and everything it started have gone.
    m_OutputPipe.CloseWrite();
    m_ErrorPipe.CloseWrite();
    m_InputPipe.CloseRead();
}

void ChildProcess::DrainError() {
    char buffer[4096];
    size_t drained = 0;
    while (drained < kErrorDrainSize) {
        const platform::PipeHandle handle = m_ErrorPipe.m_Read;
        if (handle == platform::kNoPipeHandle || platform::WaitForPipes(&handle, 1, 0) == 0) {
            return;
        }
        const long got = platform::ReadPipe(handle, buffer, sizeof buffer);
        if (got <= 0) {
            m_ErrorPipe.CloseRead();
            return;
        }
        drained += static_cast<size_t>(got);
    }
}

ChildProcess::Output ChildProcess::ReadOutput(std::string& chunk, int timeoutMs) {
    chunk.clear();
    const platform::PipeHandle handles[2] = {m_OutputPipe.m_Read, m_ErrorPipe.m_Read};
    if (handles[0] == platform::kNoPipeHandle && handles[1] == platform::kNoPipeHandle) {
        platform::WaitForPipes(handles, 0, timeoutMs);
        return Output::Ended;
    }
    const unsigned ready = platform::WaitForPipes(handles, 2, timeoutMs);
    if ((ready & 2u) != 0) DrainError();
    if (handles[0] == platform::kNoPipeHandle) return Output::Ended;
    if ((ready & 1u) == 0) return Output::Idle;

    chunk.resize(kChunkSize);
    const long got = platform::ReadPipe(handles[0], chunk.data(), chunk.size());
    if (got <= 0) {
        chunk.clear();
        m_OutputPipe.CloseRead();
        return Output::Ended;
    }
    chunk.resize(static_cast<size_t>(got));
    return Output::Chunk;
}

std::optional<platform::ProcessExit> ChildProcess::ExitStatus() {
    if (!m_Exit && m_ProcessId != 0) m_Exit = platform::PollProcessExit(m_ProcessId);
    return m_Exit;
}

platform::ProcessExit ChildProcess::Wait() {
    if (!m_Exit && m_ProcessId != 0) m_Exit = platform::WaitProcessExit(m_ProcessId);
    return m_Exit.value_or(platform::ProcessExit{});
}

void ChildProcess::Close() {
    m_InputPipe.CloseWrite();
    m_InputPipe.CloseRead();
    m_OutputPipe.CloseWrite();
    m_OutputPipe.CloseRead();
    m_ErrorPipe.CloseWrite();
    m_ErrorPipe.CloseRead();
}
