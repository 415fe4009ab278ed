#include "common/ui/MProgress2.h"

namespace corvatt::dui {

void MProgress2::StartAnimation() {
  std::lock_guard lock(Lock());
  m_animating = true;
  m_phase = 0;
  Changed();
}

void MProgress2::StopAnimation() {
  std::lock_guard lock(Lock());
  m_animating = false;
  Changed();
}

bool MProgress2::IsAnimating() const {
  std::lock_guard lock(Lock());
  return m_animating;
}

int MProgress2::GetPhase() const {
  std::lock_guard lock(Lock());
  return m_phase;
}

void MProgress2::Tick() {
  std::lock_guard lock(Lock());
  if (!m_animating) return;
  m_phase = (m_phase + 1) % 100;
  Changed();
}

}  // namespace corvatt::dui
