#include "common/ui/MouseCtrl.h"

namespace corvatt::dui {

void MouseCtrl::SetImage(std::string_view name) {
  std::lock_guard lock(Lock());
  m_image = name;
  Changed();
}

std::string MouseCtrl::GetImage() const {
  std::lock_guard lock(Lock());
  return m_image;
}

void MouseCtrl::DeleteAllItems() {
  std::lock_guard lock(Lock());
  m_items.clear();
  m_select = -1;
  Changed();
}

int MouseCtrl::AddItem(std::string_view name, int key_value, int direction, Point point1,
                       Point point2, bool dashed) {
  std::lock_guard lock(Lock());
  m_items.push_back({std::string(name), key_value, direction, point1, point2, dashed});
  Changed();
  return static_cast<int>(m_items.size()) - 1;
}

int MouseCtrl::GetItemCount() const {
  std::lock_guard lock(Lock());
  return static_cast<int>(m_items.size());
}

std::vector<MouseCtrl::Item> MouseCtrl::GetItems() const {
  std::lock_guard lock(Lock());
  return m_items;
}

bool MouseCtrl::SetSelectItem(int index) {
  std::lock_guard lock(Lock());
  if (index < -1 || index >= static_cast<int>(m_items.size())) return false;
  m_select = index;
  Changed();
  return true;
}

int MouseCtrl::GetSelectItem() const {
  std::lock_guard lock(Lock());
  return m_select;
}

int MouseCtrl::GetItemKeyValue(int index) const {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return -1;
  return m_items[index].key_value;
}

int MouseCtrl::FindItem(int key_value) const {
  std::lock_guard lock(Lock());
  for (size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i].key_value == key_value) return static_cast<int>(i);
  }
  return -1;
}

bool MouseCtrl::SetItemText(int index, std::string_view text) {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return false;
  m_items[index].name = text;
  Changed();
  return true;
}

std::string MouseCtrl::GetItemText(int index) const {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return {};
  return m_items[index].name;
}

int MouseCtrl::ActivateItem(int index) {
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
