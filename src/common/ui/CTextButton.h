#pragma once

#include "common/ui/MButton.h"

namespace corvatt::dui {

// A text link: the title, underlined on hover.
class CTextButton : public MButton {
public:
  static constexpr const char* kClassName = "CTextButton";
  CTextButton() : MButton(kClassName) { SetTextColor(0xFF8A93A3u); }
};

}  // namespace corvatt::dui
