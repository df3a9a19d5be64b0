#pragma once

#include <vector>

#include "skinui/label.h"

namespace skinui {

// `Combo`: a choice among text items, showing the current one. A click
// moves to the next item; each change of selection sends "itemselect"
// (wParam the new index, lParam the old one).
class Combo : public Label {
  public:
    std::string_view GetClass() const override { return "Combo"; }

    void AddItem(std::string text);
    int GetCount() const { return static_cast<int>(items_.size()); }
    const std::string& GetItemText(int index) const;
    int GetCurSel() const { return current_; }
    // False for an index that is not an item.
    bool SelectItem(int index, bool notify = true);

    void DoEvent(ControlEvent& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    bool WantsMouse() const override { return true; }

  private:
    std::vector<std::string> items_;
    int current_ = -1;
    bool pushed_ = false;
};

}  // namespace skinui
