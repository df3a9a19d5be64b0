#include "skinui/font_table.h"

namespace skinui {

void FontTable::Add(int id, const FontSpec& font, bool isDefault) {
    fonts_[id] = font;
    if (isDefault) default_ = font;
}

const FontSpec& FontTable::Get(int id) const {
    const auto it = fonts_.find(id);
    return it == fonts_.end() ? default_ : it->second;
}

}  // namespace skinui
