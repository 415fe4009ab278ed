#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/ui/ItemListControl.h"

namespace corvatt::dui {

// One item of the control below.
struct MouseItem {
  std::string name;
  int key_value = 0;
  int direction = 0;  // 0 label on the left, 1 on the right
  Point point1;
  Point point2;
  bool dashed = false;
};

// The mouse picture with one label per button. Each item has a leader line from point 1 (on
// the mouse) to point 2 (where the label sits), both in picture pixels; direction 0 puts the
// label left of point 2, 1 right of it. The selected item is drawn in the accent colour.
//
// Sends: (id, kEventClick, index) when the user picks a label (ActivateItem).
class MouseCtrl : public ItemListControl<MouseItem> {
public:
  static constexpr const char* kClassName = "MouseCtrl";
  MouseCtrl() : ItemListControl(kClassName) {}

  // The picture (skin name); CreateControl's text is the picture too.
  void SetImage(std::string_view name);
  std::string GetImage() const;
  void SetCreateText(std::string_view text) override { SetImage(text); }

  // Returns the new item's index.
  int AddItem(std::string_view name, int key_value, int direction, Point point1, Point point2,
              bool dashed);
  // Key value of an item; -1 when out of range. Without an index: the selected item's.
  int GetItemKeyValue(int index) const;
  int GetItemKeyValue() const { return GetItemKeyValue(GetSelectItem()); }
  // The first item with the key value; -1 if none.
  int FindItem(int key_value) const;
  bool SetItemText(int index, std::string_view text);
  std::string GetItemText(int index) const;

  // The user picked a label: selects it and notifies, unless disabled or hidden.
  int ActivateItem(int index) { return UserSelect(index); }

private:
  std::string m_image;
};

}  // namespace corvatt::dui
