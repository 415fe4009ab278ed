#pragma once

#include "common/ui/CCheckButton.h"

namespace corvatt::dui {

// A radio button: a click checks it and clears its group. Sends (id, kEventClick, 1).
class CRadioButton : public CCheckButton {
public:
  static constexpr const char* kClassName = "CRadioButton";
  CRadioButton() : CCheckButton(kClassName, ClickMode::kRadio) {}
};

}  // namespace corvatt::dui
