#pragma once

#include "skinui/container.h"

namespace skinui {

// `TabLayout`: its children are pages; only the selected page shows.
class TabLayout : public Container {
  public:
    std::string_view GetClass() const override { return "TabLayout"; }

    int GetCurSel() const { return current_; }
    // Shows page `index`; with `notify`, sends "tabselect" (wParam the new
    // page, lParam the old one). False for an index that is not a page.
    bool SelectItem(int index, bool notify = true);

    void SetPos(const Rect& rect) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

  protected:
    bool IsChildShown(int index) const override;

  private:
    int current_ = 0;
};

}  // namespace skinui
