#include "skinui/image_attributes.h"

#include <algorithm>

#include "skinui/attribute_values.h"

namespace skinui {

ImageAttributes ImageAttributes::Parse(std::string_view text) {
    ImageAttributes attributes;
    if (text.find('=') == std::string_view::npos) {
        attributes.file = std::string(text);
        return attributes;
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
            attributes.file = std::string(value);
        } else if (key == "dest") {
            attributes.dest = ParseRect(value);
        } else if (key == "corner") {
            attributes.corner = ParseRect(value);
        } else if (key == "mask") {
            attributes.mask = ParseColor(value);
        } else if (key == "fade") {
            attributes.fade = std::clamp(ParseInt(value).value_or(255), 0, 255);
        } else if (key == "hole") {
            attributes.hole = ParseBool(value);
        } else if (key == "xtiled") {
            attributes.xtiled = ParseBool(value);
        } else if (key == "ytiled") {
            attributes.ytiled = ParseBool(value);
        }
        // Other keys are not ours and are ignored.
    }
    return attributes;
}

}  // namespace skinui
