#include "common/ui/MenuWnd.h"

#include "common/ui/Manager.h"

namespace corvatt::dui {

void MenuWnd::AddItem(unsigned id, std::string_view text) { m_items.push_back({id, std::string(text)}); }

void MenuWnd::DeleteAllItems() { m_items.clear(); }

bool MenuWnd::Popup(MWindow& owner, Point screen_point, int width, unsigned message) const {
  Host* host = Manager::Instance().GetHost();
  if (host == nullptr || m_items.empty()) return false;
  host->ShowPopupMenu(owner, screen_point, width, message, m_items);
  return true;
}

}  // namespace corvatt::dui
