#pragma once

#include <optional>
#include <string>

#include "install/anonymous_pipe.h"
#include "platform/process.h"

// A hidden child process whose standard input, output and error are
// anonymous pipes. The owner reads standard output in chunks (standard error
// is drained on the way, so a child that writes much there never blocks),
// watches for the end and closes everything. One thread uses an object.
class ChildProcess {
  public:
    // The most bytes one chunk of standard output holds.
    static constexpr size_t kChunkSize = 1024;

    enum class Output {
        Chunk,  // a chunk of standard output arrived
        Idle,   // nothing arrived within the time
        Ended,  // standard output has no writer left
    };

    // Makes the error, output and input pipes; throws Utils::Exception when one
    // cannot be made.
    ChildProcess();
    // Closes what is open and reaps the child, waiting for it when it runs.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts a command text: the arguments are split by the Windows rules, the
    // first naming the program. Throws Utils::Exception when it cannot start.
    void Start(const std::string& commandLine);

    // Starts the program at a path with the arguments of a command text that
    // follows it. The path is used as it is, blanks and all, so it is never
    // split apart.
    void Start(const std::string& program, const std::string& arguments);

    // Waits at most timeoutMs (0: only looks) for standard output and takes at
    // most kChunkSize bytes of it into chunk. Whatever standard error holds
    // meanwhile is read and dropped.
    Output ReadOutput(std::string& chunk, int timeoutMs);

    // How the child ended; nullopt while it runs.
    std::optional<platform::ProcessExit> ExitStatus();

    // Waits without time limit for the child to end.
    platform::ProcessExit Wait();

    // Closes the parent's ends of the three pipes. The child's standard input
    // sees its end only now.
    void Close();

    platform::ProcessId Id() const { return m_ProcessId; }
    const std::string& CommandLine() const { return m_CommandLine; }

    AnonymousPipe m_ErrorPipe;
    AnonymousPipe m_OutputPipe;
    AnonymousPipe m_InputPipe;

  private:
    void Spawn(std::vector<std::string> argv);
    void DrainError();

    std::string m_CommandLine;
    platform::ProcessId m_ProcessId = 0;
    std::optional<platform::ProcessExit> m_Exit;
};
