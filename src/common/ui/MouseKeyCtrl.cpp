#include "common/ui/MouseKeyCtrl.h"

namespace corvatt::dui {

int MouseKeyCtrl::AddItem(std::string_view name, std::string_view desc, int key_value) {
  return Append({std::string(name), std::string(desc), key_value});
}

int MouseKeyCtrl::GetItemKeyValue(int index) const {
  std::lock_guard lock(Lock());
  return InRange(index) ? m_items[index].key_value : -1;
}

std::string MouseKeyCtrl::GetItemKeyName(int index) const {
  std::lock_guard lock(Lock());
  return InRange(index) ? m_items[index].name : std::string();
}

int MouseKeyCtrl::FindItem(int key_value) const {
  return FindFirst([key_value](const Item& item) { return item.key_value == key_value; });
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
  return Modify(index, [name](Item& item) { item.name = name; });
}

bool MouseKeyCtrl::SetItemDesc(int index, std::string_view desc) {
  return Modify(index, [desc](Item& item) { item.desc = desc; });
}

}  // namespace corvatt::dui
