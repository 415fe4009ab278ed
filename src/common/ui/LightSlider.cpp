#include "common/ui/LightSlider.h"

#include <algorithm>

namespace corvatt::dui {

bool LightSlider::SetRange(int min, int max) {
  std::lock_guard lock(Lock());
  if (max < min) return false;
  m_min = min;
  m_max = max;
  m_pos = std::clamp(m_pos, m_min, m_max);
  Changed();
  return true;
}

int LightSlider::GetMin() const {
  std::lock_guard lock(Lock());
  return m_min;
}

int LightSlider::GetMax() const {
  std::lock_guard lock(Lock());
  return m_max;
}

void LightSlider::SetProgress(int pos) {
  std::lock_guard lock(Lock());
  m_pos = std::clamp(pos, m_min, m_max);
  Changed();
}

int LightSlider::GetProgress() const {
  std::lock_guard lock(Lock());
  return m_pos;
}

int LightSlider::Move(int pos, int event, bool always) {
  {
    std::lock_guard lock(Lock());
    if (!IsEnabled() || !IsShown()) return 0;
    pos = std::clamp(pos, m_min, m_max);
    if (!always && pos == m_pos) return 0;
    m_pos = pos;
    Changed();
  }
  return Notify(event, pos);
}

int LightSlider::Drag(int pos) { return Move(pos, kEventDrag, false); }
int LightSlider::Release(int pos) { return Move(pos, kEventClick, true); }

int LightSlider::Step(int delta) {
  int target;
  {
    std::lock_guard lock(Lock());
    target = m_pos + delta;
  }
  return Move(target, kEventClick, false);
}

}  // namespace corvatt::dui
