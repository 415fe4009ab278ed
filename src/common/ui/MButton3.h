#pragma once

#include "common/ui/CCheckButton.h"

namespace corvatt::dui {

// A toggle push button ("Ctrl", "Shift" ...): a click flips its check. Sends
// (id, kEventClick, check after the click).
class MButton3 : public CCheckButton {
public:
  static constexpr const char* kClassName = "MButton3";
  MButton3() : CCheckButton(kClassName, ClickMode::kToggle) {
    SetAlignment(kAlignCenter | kAlignVCenter | kAlignSingleLine);
  }
};

}  // namespace corvatt::dui
