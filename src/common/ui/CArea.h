#pragma once

#include <cstdint>
#include <string_view>

#include "common/ui/MControl.h"

namespace corvatt::dui {

// A filled colour area (the colour preview). SetTransparent gives its colour (0x00BBGGRR).
// Takes no input and sends nothing.
class CArea : public MControl {
public:
  static constexpr const char* kClassName = "CArea";
  CArea() : CArea(kClassName) {}

  void SetTransparent(uint32_t color) { SetColor(color); }
  void SetColor(uint32_t color) {
    std::lock_guard lock(Lock());
    m_color = color & 0xFFFFFFu;
    Changed();
  }
  uint32_t GetColor() const {
    std::lock_guard lock(Lock());
    return m_color;
  }
  bool IsRound() const { return m_round; }

protected:
  CArea(std::string_view class_name, bool round = false) : MControl(class_name), m_round(round) {}

private:
  uint32_t m_color = 0xFFFFFFu;
  bool m_round;
};

}  // namespace corvatt::dui
