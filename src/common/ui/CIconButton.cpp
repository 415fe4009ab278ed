#include "common/ui/CIconButton.h"

namespace corvatt::dui {

void CIconButton::SetIcon(std::string_view name) {
  std::lock_guard lock(Lock());
  m_icon = name;
  Changed();
}

std::string CIconButton::GetIcon() const {
  std::lock_guard lock(Lock());
  return m_icon;
}

}  // namespace corvatt::dui
