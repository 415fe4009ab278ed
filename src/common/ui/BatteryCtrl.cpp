#include "common/ui/BatteryCtrl.h"

#include <algorithm>

namespace corvatt::dui {

void BatteryCtrl::SetBatteryInfo(int level, int second_value) {
  std::lock_guard lock(Lock());
  m_level = level;
  m_second = second_value;
  Changed();
}

int BatteryCtrl::GetLevel() const {
  std::lock_guard lock(Lock());
  return m_level;
}

int BatteryCtrl::GetSecondValue() const {
  std::lock_guard lock(Lock());
  return m_second;
}

bool BatteryCtrl::IsKnown() const { return GetLevel() > 0; }

int BatteryCtrl::GetShownLevel() const { return std::clamp(GetLevel(), 0, 100); }

void BatteryCtrl::SetCharging(bool charging) {
  std::lock_guard lock(Lock());
  m_charging = charging;
  Changed();
}

bool BatteryCtrl::IsCharging() const {
  std::lock_guard lock(Lock());
  return m_charging;
}

}  // namespace corvatt::dui
