#pragma once

#include <cstdint>

#include "common/ui/CCheckButton.h"

namespace corvatt::dui {

// A preset or slot colour: a round swatch (colour 0x00BBGGRR) that behaves as a radio button
// of its group ("DEFAULTCOLOR", "COLORVALUE"). Sends (id, kEventClick, 1).
class CColorButton : public CCheckButton {
public:
  static constexpr const char* kClassName = "CColorButton";
  CColorButton() : CCheckButton(kClassName, ClickMode::kRadio) {}

  void SetColor(uint32_t color) {
    std::lock_guard lock(Lock());
    m_color = color & 0xFFFFFFu;
    Changed();
  }
  uint32_t GetColor() const {
    std::lock_guard lock(Lock());
    return m_color;
  }

private:
  uint32_t m_color = 0;
};

}  // namespace corvatt::dui
