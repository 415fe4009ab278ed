#pragma once

#include "common/ui/CCheckButton.h"

namespace corvatt::dui {

// A push button that can be marked (SetCheck) by the program; a click does not change the
// mark. Sends (id, kEventClick, check).
class MButton2 : public CCheckButton {
public:
  static constexpr const char* kClassName = "MButton2";
  MButton2() : CCheckButton(kClassName, ClickMode::kNone) {}
};

}  // namespace corvatt::dui
