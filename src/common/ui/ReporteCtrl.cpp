#include "common/ui/ReporteCtrl.h"

namespace corvatt::dui {

void ReporteCtrl::DeleteAllItems() {
  std::lock_guard lock(Lock());
  m_items.clear();
  m_select = -1;
  Changed();
}

int ReporteCtrl::AddItem(std::string_view text, int code, uint32_t color) {
  std::lock_guard lock(Lock());
  m_items.push_back({std::string(text), code, color});
  Changed();
  return static_cast<int>(m_items.size()) - 1;
}

int ReporteCtrl::GetItemCount() const {
  std::lock_guard lock(Lock());
  return static_cast<int>(m_items.size());
}

std::vector<ReporteCtrl::Item> ReporteCtrl::GetItems() const {
  std::lock_guard lock(Lock());
  return m_items;
}

bool ReporteCtrl::SetSelectItem(int index) {
  std::lock_guard lock(Lock());
  if (index < -1 || index >= static_cast<int>(m_items.size())) return false;
  m_select = index;
  Changed();
  return true;
}

int ReporteCtrl::GetSelectItem() const {
  std::lock_guard lock(Lock());
  return m_select;
}

bool ReporteCtrl::SetSelectCode(int code) {
  std::lock_guard lock(Lock());
  m_select = -1;
  for (size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i].code == code) {
      m_select = static_cast<int>(i);
      break;
    }
  }
  Changed();
  return m_select >= 0;
}

int ReporteCtrl::GetSelectCode() const {
  std::lock_guard lock(Lock());
  return m_select < 0 ? -1 : m_items[m_select].code;
}

int ReporteCtrl::Choose(int index) {
  {
    std::lock_guard lock(Lock());
    if (!IsEnabled() || !IsShown()) return 0;
    if (index < 0 || index >= static_cast<int>(m_items.size())) return 0;
    m_select = index;
    Changed();
  }
  return Notify(kEventClick, index);
}

}  // namespace corvatt::dui
