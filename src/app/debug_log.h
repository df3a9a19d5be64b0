#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/clock.h"

// The one way to write a diagnostic line. Each line carries the process and
// thread ids, the local time to the millisecond, the qualified name of the
// function that writes it and the source line:
//   <P00123><T00456><2026-12-11 09:30:00.042>(CDownloadInstaller::Start)<0074>: DL_TYPE=1
// Messages are printf formats over UTF-8 text.
#define DEBUG_LOG(...)                                                                     \
    do {                                                                                   \
        if (::DebugLogEnabled()) {                                                         \
            static const std::string debug_log_function_ =                                 \
                ::QualifiedFunctionName(__PRETTY_FUNCTION__);                              \
            ::DebugLog(debug_log_function_.c_str(), __LINE__, __VA_ARGS__);                \
        }                                                                                  \
    } while (0)

// Writes one line to the debug-output channel; a line that cannot be
// formatted is dropped.
void DebugLog(const char* function, int line, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

bool DebugLogEnabled();

// "CDownloadInstaller::Start" from "void CDownloadInstaller::Start(int)".
std::string QualifiedFunctionName(std::string_view prettyFunction);

// The line exactly as it is sent: the prefix, then the formatted message.
std::string FormatLogLine(uint32_t processId, uint32_t threadId, const platform::LocalTime& time,
                          const char* function, int line, const char* format, ...)
    __attribute__((format(printf, 6, 7)));
