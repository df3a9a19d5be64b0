#pragma once

#include "skinui/label.h"

namespace skinui {

// `Edit`: one line of text the user types into. Clicking gives it the
// keyboard; typed characters are appended, BackSpace removes the last one,
// and each change sends "textchanged".
class Edit : public Label {
  public:
    std::string_view GetClass() const override { return "Edit"; }
    void SetAttribute(std::string_view name, std::string_view value) override;
    void DoEvent(ControlEvent& event) override;
    bool WantsMouse() const override { return true; }

    bool IsReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

  protected:
    void PaintText(cairo_t* cr) override;

  private:
    bool readOnly_ = false;
};

}  // namespace skinui
