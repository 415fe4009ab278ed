#include "common/ui/MouseKeyCtrl.h"

namespace corvatt::dui {

void MouseKeyCtrl::DeleteAllItems() {
  std::lock_guard lock(Lock());
  m_items.clear();
  m_select = -1;
  Changed();
}

int MouseKeyCtrl::AddItem(std::string_view name, std::string_view desc, int key_value) {
  std::lock_guard lock(Lock());
  m_items.push_back({std::string(name), std::string(desc), key_value});
  Changed();
  return static_cast<int>(m_items.size()) - 1;
}

int MouseKeyCtrl::GetItemCount() const {
  std::lock_guard lock(Lock());
  return static_cast<int>(m_items.size());
}

std::vector<MouseKeyCtrl::Item> MouseKeyCtrl::GetItems() const {
  std::lock_guard lock(Lock());
  return m_items;
}

bool MouseKeyCtrl::SetSelectItem(int index) {
  std::lock_guard lock(Lock());
  if (index < -1 || index >= static_cast<int>(m_items.size())) return false;
  m_select = index;
  Changed();
  return true;
}

int MouseKeyCtrl::GetSelectItem() const {
  std::lock_guard lock(Lock());
  return m_select;
}

int MouseKeyCtrl::GetItemKeyValue(int index) const {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return -1;
  return m_items[index].key_value;
}

std::string MouseKeyCtrl::GetItemKeyName(int index) const {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return {};
  return m_items[index].name;
}

int MouseKeyCtrl::FindItem(int key_value) const {
  std::lock_guard lock(Lock());
  for (size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i].key_value == key_value) return static_cast<int>(i);
  }
  return -1;
}

bool MouseKeyCtrl::SetItemKeyDesc(int key_value, std::string_view desc) {
  std::lock_guard lock(Lock());
  bool found = false;
  for (Item& item : m_items) {
    if (item.key_value != key_value) continue;
    item.desc = desc;
    found = true;
  }
  if (found) Changed();
  return found;
}

std::string MouseKeyCtrl::GetItemKeyDesc(int key_value) const {
  std::lock_guard lock(Lock());
  for (const Item& item : m_items) {
    if (item.key_value == key_value) return item.desc;
  }
  return {};
}

bool MouseKeyCtrl::SetItemText(int index, std::string_view name) {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return false;
  m_items[index].name = name;
  Changed();
  return true;
}

bool MouseKeyCtrl::SetItemDesc(int index, std::string_view desc) {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return false;
  m_items[index].desc = desc;
  Changed();
  return true;
}

int MouseKeyCtrl::ActivateItem(int index) {
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
