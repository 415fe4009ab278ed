#include "common/ui/CDeviceState.h"

namespace corvatt::dui {

void CDeviceState::SetState(int state) {
  std::lock_guard lock(Lock());
  m_state = state;
  Changed();
}

int CDeviceState::GetState() const {
  std::lock_guard lock(Lock());
  return m_state;
}

}  // namespace corvatt::dui
