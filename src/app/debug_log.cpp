#include "app/debug_log.h"

#include <cstdarg>
#include <cstdio>

#include "platform/debug_output.h"
#include "platform/process_info.h"

namespace {

constexpr const char* kPrefix = "<P%05u><T%05u><%04d-%02d-%02d %02d:%02d:%02d.%03d>(%s)<%04d>: ";

// Formats prefix and message into one text with one measuring pass and one
// allocation; empty when the format is bad.
std::string FormatLine(uint32_t processId, uint32_t threadId, const platform::LocalTime& t,
                       const char* function, int line, const char* format, va_list args) {
    va_list measureArgs;
    va_copy(measureArgs, args);
    const int prefixLength = std::snprintf(nullptr, 0, kPrefix, processId, threadId, t.year,
                                           t.month, t.day, t.hour, t.minute, t.second,
                                           t.millisecond, function, line);
    const int messageLength = std::vsnprintf(nullptr, 0, format, measureArgs);
    va_end(measureArgs);
    if (prefixLength < 0 || messageLength < 0) return {};

    std::string text(static_cast<size_t>(prefixLength) + static_cast<size_t>(messageLength), '\0');
    std::snprintf(text.data(), static_cast<size_t>(prefixLength) + 1, kPrefix, processId, threadId,
                  t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond, function, line);
    std::vsnprintf(text.data() + prefixLength, static_cast<size_t>(messageLength) + 1, format, args);
    return text;
}

}  // namespace

bool DebugLogEnabled() { return platform::DebugOutputEnabled(); }

void DebugLog(const char* function, int line, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string text = FormatLine(platform::CurrentProcessId(), platform::CurrentThreadId(),
                                        platform::NowLocal(), function, line, format, args);
    va_end(args);
    if (!text.empty()) platform::WriteDebugOutput(text);
}

std::string FormatLogLine(uint32_t processId, uint32_t threadId, const platform::LocalTime& time,
                          const char* function, int line, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatLine(processId, threadId, time, function, line, format, args);
    va_end(args);
    return text;
}

std::string QualifiedFunctionName(std::string_view pretty) {
    // The parameter list starts at the first "(" outside template brackets.
    int depth = 0;
    size_t open = pretty.size();
    for (size_t i = 0; i < pretty.size(); ++i) {
        const char c = pretty[i];
        if (c == '<') ++depth;
        else if (c == '>' && depth > 0) --depth;
        else if (c == '(' && depth == 0) {
            open = i;
            break;
        }
    }
    // The name starts after the last blank outside template brackets before it.
    depth = 0;
    size_t start = 0;
    for (size_t i = open; i-- > 0;) {
        const char c = pretty[i];
        if (c == '>') ++depth;
        else if (c == '<' && depth > 0) --depth;
        else if (c == ' ' && depth == 0) {
            start = i + 1;
            break;
        }
    }
    std::string_view name = pretty.substr(start, open - start);
    while (name.starts_with('*') || name.starts_with('&')) name.remove_prefix(1);
    // Anonymous namespaces add nothing a reader could look up.
    std::string result(name);
    constexpr std::string_view kAnonymous = "{anonymous}::";
    for (size_t at = result.find(kAnonymous); at != std::string::npos; at = result.find(kAnonymous)) {
        result.erase(at, kAnonymous.size());
    }
    return result;
}
