#pragma once

#include "common/ui/MControl.h"

namespace corvatt::dui {

// Battery display. The level is a percentage; 0 (or below) means no battery information and
// the display shows an empty outline; values above 100 are shown as 100. The second value is
// kept as given (GetSecondValue); the display does not interpret it.
class BatteryCtrl : public MControl {
public:
  static constexpr const char* kClassName = "BatteryCtrl";
  BatteryCtrl() : MControl(kClassName) {}

  void SetBatteryInfo(int level, int second_value);
  int GetLevel() const;          // as given
  int GetSecondValue() const;
  bool IsKnown() const;          // level > 0
  int GetShownLevel() const;     // 0..100
  void SetCharging(bool charging);
  bool IsCharging() const;

private:
  int m_level = 0;
  int m_second = 0;
  bool m_charging = false;
};

}  // namespace corvatt::dui
