#pragma once

#include "common/ui/MButton.h"

namespace corvatt::dui {

// A small round "?" whose tool tip holds the help text; the view shows the tip on hover and
// on a click. Sends (id, kEventClick, 0) like MButton.
class CHelpButton : public MButton {
public:
  static constexpr const char* kClassName = "CHelpButton";
  CHelpButton() : MButton(kClassName) { SetTitle("?"); }
  // The text given to CreateControl is the help text.
  void SetCreateText(std::string_view text) override {
    if (!text.empty()) SetTooltip(text);
  }
};

}  // namespace corvatt::dui
