#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/ui/ItemListControl.h"

namespace corvatt::dui {

// One item of the control below.
struct MouseKeyItem {
  std::string name;
  std::string desc;
  int key_value = 0;
};

// The button list beside the mouse picture: one row per button with its name, the description
// of its function and its key value.
//
// Sends: (id, kEventClick, index) when the user picks a row (ActivateItem; the view also moves
// the selection with the Up and Down keys through it).
class MouseKeyCtrl : public ItemListControl<MouseKeyItem> {
public:
  static constexpr const char* kClassName = "MouseKeyCtrl";
  MouseKeyCtrl() : ItemListControl(kClassName) {}

  // Returns the new item's index.
  int AddItem(std::string_view name, std::string_view desc, int key_value);
  // -1 when out of range. Without an index: the selected item's.
  int GetItemKeyValue(int index) const;
  int GetItemKeyValue() const { return GetItemKeyValue(GetSelectItem()); }
  // Name of an item (empty when out of range). Without an index: the selected item's.
  std::string GetItemKeyName(int index) const;
  std::string GetItemKeyName() const { return GetItemKeyName(GetSelectItem()); }
  // The first item with the key value; -1 if none.
  int FindItem(int key_value) const;
  // Description of every item with the key value; false when there is none.
  bool SetItemKeyDesc(int key_value, std::string_view desc);
  std::string GetItemKeyDesc(int key_value) const;
  // By index.
  bool SetItemText(int index, std::string_view name);
  bool SetItemDesc(int index, std::string_view desc);

  // The user picked a row: selects it and notifies, unless disabled or hidden.
  int ActivateItem(int index) { return UserSelect(index); }
};

}  // namespace corvatt::dui
