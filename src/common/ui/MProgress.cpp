#include "common/ui/MProgress.h"

#include <algorithm>

namespace corvatt::dui {

void MProgress::SetRange(int min, int max) {
  std::lock_guard lock(Lock());
  m_min = min;
  m_max = max;
  Changed();
}

int MProgress::GetMin() const {
  std::lock_guard lock(Lock());
  return m_min;
}

int MProgress::GetMax() const {
  std::lock_guard lock(Lock());
  return m_max;
}

void MProgress::SetPos(int pos) {
  std::lock_guard lock(Lock());
  if (m_pos == pos) return;
  m_pos = pos;
  Changed();
}

int MProgress::GetPos() const {
  std::lock_guard lock(Lock());
  return m_pos;
}

double MProgress::GetFraction() const {
  std::lock_guard lock(Lock());
  if (m_max <= m_min) return 0.0;
  const double f = (static_cast<double>(m_pos) - m_min) / (static_cast<double>(m_max) - m_min);
  return std::clamp(f, 0.0, 1.0);
}

void MProgress::SetBarColor(uint32_t argb) {
  std::lock_guard lock(Lock());
  m_bar_color = argb;
  Changed();
}

uint32_t MProgress::GetBarColor() const {
  std::lock_guard lock(Lock());
  return m_bar_color;
}

}  // namespace corvatt::dui
