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

int MouseCtrl::AddItem(std::string_view name, int key_value, int direction, Point point1,
                       Point point2, bool dashed) {
  return Append({std::string(name), key_value, direction, point1, point2, dashed});
}

int MouseCtrl::GetItemKeyValue(int index) const {
  std::lock_guard lock(Lock());
  return InRange(index) ? m_items[index].key_value : -1;
}

int MouseCtrl::FindItem(int key_value) const {
  return FindFirst([key_value](const Item& item) { return item.key_value == key_value; });
}

bool MouseCtrl::SetItemText(int index, std::string_view text) {
  return Modify(index, [text](Item& item) { item.name = text; });
}

std::string MouseCtrl::GetItemText(int index) const {
  std::lock_guard lock(Lock());
  return InRange(index) ? m_items[index].name : std::string();
}

}  // namespace corvatt::dui
