#pragma once

#include "platform/pipe.h"

// One anonymous pipe. Both ends stay out of child processes unless handed to
// one explicitly; an end set to platform::kNoPipeHandle is closed or handed
// over.
class AnonymousPipe {
  public:
    // Throws Utils::Exception when the system cannot make the pipe.
    AnonymousPipe();
    ~AnonymousPipe();
    AnonymousPipe(const AnonymousPipe&) = delete;
    AnonymousPipe& operator=(const AnonymousPipe&) = delete;

    void CloseRead() { platform::ClosePipe(m_Read); }
    void CloseWrite() { platform::ClosePipe(m_Write); }

    platform::PipeHandle m_Write = platform::kNoPipeHandle;
    platform::PipeHandle m_Read = platform::kNoPipeHandle;
};
