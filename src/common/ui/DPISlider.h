#pragma once

#include <string>
#include <string_view>

#include "common/ui/LightSlider.h"

namespace corvatt::dui {

// The DPI slider of the selected stage: a LightSlider over the sensor's positions, with the
// two texts shown under its ends (SetDPIDesc: the step, the highest DPI) and the DPI shown
// above the thumb (SetValueText; the page sets it from the stage's value).
// Sends as LightSlider: kEventDrag while dragged, kEventClick on release and on key steps.
class DPISlider : public LightSlider {
public:
  static constexpr const char* kClassName = "DPISlider";
  DPISlider() : LightSlider(kClassName) { SetRange(0, 100); }

  void SetDPIDesc(std::string_view low_text, std::string_view high_text);
  std::string GetLowDesc() const;
  std::string GetHighDesc() const;
  void SetValueText(std::string_view text);
  std::string GetValueText() const;
  // The sensor's second value (kept for the page; 2 for the sensors that start at 100).
  void SetSecondValue(int value);
  int GetSecondValue() const;

private:
  std::string m_low_desc;
  std::string m_high_desc;
  std::string m_value_text;
  int m_second_value = 0;
};

}  // namespace corvatt::dui
