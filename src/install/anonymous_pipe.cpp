#include "install/anonymous_pipe.h"

#include "install/utils_exception.h"

AnonymousPipe::AnonymousPipe() {
    if (!platform::CreatePipe(m_Read, m_Write)) throw Utils::Exception();
}

AnonymousPipe::~AnonymousPipe() {
    CloseWrite();
    CloseRead();
}
