#include "skinui/image_spec.h"

#include <algorithm>

#include "skinui/attribute_values.h"

namespace skinui {

ImageSpec ImageSpec::Parse(std::string_view text) {
    ImageSpec spec;
    if (text.find('=') == std::string_view::npos) {
        spec.file = std::string(text);
        return spec;
    }
    size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos] == ' ') ++pos;
        const size_t eq = text.find('=', pos);
        if (eq == std::string_view::npos) break;
        const std::string key = AsciiLower(text.substr(pos, eq - pos));
        size_t valueStart = eq + 1;
        if (valueStart >= text.size() || text[valueStart] != '\'') break;
        ++valueStart;
        const size_t close = text.find('\'', valueStart);
        if (close == std::string_view::npos) break;
        const std::string_view value = text.substr(valueStart, close - valueStart);
        pos = close + 1;

        if (key == "file" || key == "res") {
            spec.file = std::string(value);
        } else if (key == "dest") {
            spec.dest = ParseRect(value);
        } else if (key == "corner") {
            spec.corner = ParseRect(value);
        } else if (key == "mask") {
            spec.mask = ParseColor(value);
        } else if (key == "fade") {
            spec.fade = std::clamp(ParseInt(value).value_or(255), 0, 255);
        } else if (key == "hole") {
            spec.hole = ParseBool(value);
        } else if (key == "xtiled") {
            spec.xtiled = ParseBool(value);
        } else if (key == "ytiled") {
            spec.ytiled = ParseBool(value);
        }
        // Other keys are not ours and are ignored.
    }
    return spec;
}

}  // namespace skinui
