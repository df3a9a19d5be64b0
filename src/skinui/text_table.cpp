#include "skinui/text_table.h"

#include <cctype>
#include <charconv>

namespace skinui {

TextTable& TextTable::Instance() {
    static TextTable table;
    return table;
}

void TextTable::Set(int id, std::string text) {
    std::lock_guard lock(mutex_);
    texts_[id] = std::move(text);
}

void TextTable::Clear() {
    std::lock_guard lock(mutex_);
    texts_.clear();
}

bool TextTable::Get(int id, std::string& out) const {
    std::lock_guard lock(mutex_);
    const auto it = texts_.find(id);
    if (it == texts_.end()) return false;
    out = it->second;
    return true;
}

std::string TextTable::Substitute(std::string_view text) const {
    std::string out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = text.find("%{", pos);
        if (start == std::string_view::npos) break;
        size_t digitsEnd = start + 2;
        while (digitsEnd < text.size() &&
               std::isdigit(static_cast<unsigned char>(text[digitsEnd]))) {
            ++digitsEnd;
        }
        int id = 0;
        std::string replacement;
        const bool isToken =
            digitsEnd > start + 2 && digitsEnd < text.size() && text[digitsEnd] == '}' &&
            std::from_chars(text.data() + start + 2, text.data() + digitsEnd, id).ec ==
                std::errc() &&
            Get(id, replacement);
        out.append(text.substr(pos, start - pos));
        if (isToken) {
            out += replacement;
            pos = digitsEnd + 1;
        } else {
            out.append(text.substr(start, 2));
            pos = start + 2;
        }
    }
    out.append(text.substr(pos));
    return out;
}

}  // namespace skinui
