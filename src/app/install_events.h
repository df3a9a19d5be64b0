#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

// How workers report: the event code, its number (a fraction, a count, an
// error code) and its text (empty when unused). Called on the worker's own
// thread; the text is valid only during the call, so a receiver that keeps
// it copies it.
using EventCallback = std::function<void(int32_t code, double value, std::string_view text)>;

// The progress events of one installation. Downloaders send the 1000 range,
// the package runner the 2000 and 3000 ranges, the remover of an old version
// the 5000 range.
enum InstallEventCode : int32_t {
    DL_CODE_START = 1001,
    DL_CODE_PROGRESS = 1002,
    DL_CODE_SUCCESS = 1003,
    DL_CODE_FAIL = 1004,
    DL_CODE_RETRY = 1005,
    DL_CODE_MESSAGE = 1006,

    IST_CODE_START = 2001,
    IST_CODE_PROGRESS = 2002,
    IST_CODE_SUCCESS = 2003,
    IST_CODE_FAIL = 2004,

    IST_INFO_INSTPATH = 3000,
    IST_INFO_EXEPATH = 3001,
    IST_INFO_UNINSTEXE = 3002,
    IST_INFO_UNINSTEP = 3003,
    IST_INFO_STARTURL = 3004,
    IST_INFO_STARTUPSTYLE = 3005,
    IST_INFO_TOPSHOW = 3007,
    IST_INFO_FINISHCLOSE = 3008,
    IST_INFO_MESSAGE = 3009,

    UNIST_CODE_START = 5001,
    UNIST_CODE_PROGRESS = 5002,
    UNIST_CODE_SUCCESS = 5003,
    UNIST_CODE_FAIL = 5004,
    UNIST_CODE_ERROR = 5005,
};
