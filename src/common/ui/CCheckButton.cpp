#include "common/ui/CCheckButton.h"

#include "common/ui/MDialog.h"

namespace corvatt::dui {

CCheckButton::CCheckButton(std::string_view class_name, ClickMode mode)
    : MButton(class_name), m_mode(mode) {
  if (mode != ClickMode::kNone) SetAlignment(kAlignLeft | kAlignVCenter | kAlignSingleLine);
}

void CCheckButton::ClearGroup() {
  MDialog* owner = GetOwner();
  if (owner == nullptr || m_group.empty()) return;
  for (MControl* control : owner->Controls()) {
    auto* other = dynamic_cast<CCheckButton*>(control);
    if (other == nullptr || other == this || other->m_mode != ClickMode::kRadio) continue;
    if (other->m_group != m_group || !other->m_check) continue;
    other->m_check = false;
    other->Changed();
  }
}

void CCheckButton::SetCheck(bool check) {
  std::lock_guard lock(Lock());
  if (check && m_mode == ClickMode::kRadio) ClearGroup();
  m_check = check;
  Changed();
}

bool CCheckButton::GetCheck() const {
  std::lock_guard lock(Lock());
  return m_check;
}

void CCheckButton::SetGroupName(std::string_view name) {
  std::lock_guard lock(Lock());
  m_group = name;
}

std::string CCheckButton::GetGroupName() const {
  std::lock_guard lock(Lock());
  return m_group;
}

int CCheckButton::Click() {
  bool check;
  {
    std::lock_guard lock(Lock());
    if (!IsEnabled() || !IsShown()) return 0;
    if (m_mode == ClickMode::kToggle) {
      m_check = !m_check;
    } else if (m_mode == ClickMode::kRadio) {
      ClearGroup();
      m_check = true;
    }
    check = m_check;
    Changed();
  }
  return Notify(kEventClick, check ? 1 : 0);
}

}  // namespace corvatt::dui
