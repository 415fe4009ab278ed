#include "common/ui/DPISlider.h"

namespace corvatt::dui {

void DPISlider::SetDPIDesc(std::string_view low_text, std::string_view high_text) {
  std::lock_guard lock(Lock());
  m_low_desc = low_text;
  m_high_desc = high_text;
  Changed();
}

std::string DPISlider::GetLowDesc() const {
  std::lock_guard lock(Lock());
  return m_low_desc;
}

std::string DPISlider::GetHighDesc() const {
  std::lock_guard lock(Lock());
  return m_high_desc;
}

void DPISlider::SetValueText(std::string_view text) {
  std::lock_guard lock(Lock());
  m_value_text = text;
  Changed();
}

std::string DPISlider::GetValueText() const {
  std::lock_guard lock(Lock());
  return m_value_text;
}

void DPISlider::SetSecondValue(int value) {
  std::lock_guard lock(Lock());
  m_second_value = value;
}

int DPISlider::GetSecondValue() const {
  std::lock_guard lock(Lock());
  return m_second_value;
}

}  // namespace corvatt::dui
