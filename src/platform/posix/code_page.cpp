#include "platform/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <cstdlib>

namespace platform {
namespace {

// The encoding part of a locale name such as "zh_CN.GB18030@euro".
std::string LocaleCodeset() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0') continue;
        std::string_view locale(value);
        const size_t dot = locale.find('.');
        if (dot == std::string_view::npos) break;
        std::string_view codeset = locale.substr(dot + 1);
        codeset = codeset.substr(0, codeset.find('@'));
        if (!codeset.empty()) return std::string(codeset);
        break;
    }
    // The C locale and names without a codeset: our texts are UTF-8 anyway.
    return "UTF-8";
}

class Converter {
public:
    Converter(const std::string& to, const std::string& from)
        : handle_(::iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (valid()) ::iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> Run(std::string_view text) {
        std::string out;
        out.resize(text.size() * 2 + 16);
        char* in = const_cast<char*>(text.data());
        size_t inLeft = text.size();
        size_t produced = 0;
        while (true) {
            char* outPtr = out.data() + produced;
            size_t outLeft = out.size() - produced;
            const size_t rc = ::iconv(handle_, inLeft > 0 ? &in : nullptr, &inLeft, &outPtr, &outLeft);
            produced = out.size() - outLeft;
            if (rc != static_cast<size_t>(-1)) {
                if (inLeft == 0) break;
                continue;
            }
            if (errno != E2BIG) return std::nullopt;  // invalid or incomplete input
            out.resize(out.size() * 2);
        }
        out.resize(produced);
        return out;
    }

private:
    iconv_t handle_;
};

}  // namespace

std::string CodePageEncodingName(unsigned codePage) {
    switch (codePage) {
        case kCodePageAnsi: return LocaleCodeset();
        case kCodePageUtf8: return "UTF-8";
        case 936: return "GBK";
        case 54936: return "GB18030";
        case 950: return "BIG5";
        case 932: return "SHIFT_JIS";
        case 949: return "CP949";
        case 1200: return "UTF-16LE";
        case 1201: return "UTF-16BE";
        case 20127: return "ASCII";
        case 28591: return "ISO-8859-1";
        default: return "CP" + std::to_string(codePage);
    }
}

std::optional<std::string> ConvertCodePage(std::string_view text, unsigned fromCodePage,
                                           unsigned toCodePage) {
    Converter converter(CodePageEncodingName(toCodePage), CodePageEncodingName(fromCodePage));
    if (!converter.valid()) return std::nullopt;
    if (text.empty()) return std::string();
    return converter.Run(text);
}

}  // namespace platform
