#pragma once

#include <map>
#include <string>

namespace skinui {

// One font of a layout: family, pixel size and style.
struct FontSpec {
    std::string family = "微软雅黑";
    int size = 12;
    bool bold = false;
    bool underline = false;
    bool italic = false;
};

// The fonts a window's layout declares, by id; one of them may be the default.
class FontTable {
  public:
    void Add(int id, const FontSpec& font, bool isDefault);

    // The font with this id; the default font for an unknown id or -1.
    const FontSpec& Get(int id) const;
    bool Has(int id) const { return fonts_.count(id) != 0; }

  private:
    std::map<int, FontSpec> fonts_;
    FontSpec default_;
};

}  // namespace skinui
