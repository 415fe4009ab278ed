#include "common/ui/ReporteCtrl.h"

namespace corvatt::dui {

int ReporteCtrl::AddItem(std::string_view text, int code, uint32_t color) {
  return Append({std::string(text), code, color});
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

}  // namespace corvatt::dui
