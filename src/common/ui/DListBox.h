#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/ui/ItemListControl.h"

namespace corvatt::dui {

// One item of a DListBox.
struct ListBoxItem {
  std::string text;
  intptr_t data = 0;
};

// A list of items with text and data whose items can be renamed in place.
//
// Sends:
//   (id, kEventClick, index)      an item clicked (ActivateItem)
//   (id, kEventKillFocus, index)  an in-place edit finished (EndEdit with commit); the item's
//                                 text is the edited text by then, unless that is empty (the
//                                 item keeps its text; GetEditText still gives the edit's)
class DListBox : public ItemListControl<ListBoxItem> {
public:
  static constexpr const char* kClassName = "DListBox";
  DListBox() : ItemListControl(kClassName) {}

  // Also ends an edit without committing it.
  void DeleteAllItems();
  int AddItem(std::string_view text, intptr_t data = 0);
  std::string GetItemText(int index) const;
  bool SetItemText(int index, std::string_view text);
  intptr_t GetItemData(int index) const;  // 0 when out of range
  bool SetCurSel(int index) { return SetSelectItem(index); }  // -1 clears
  int GetCurSel() const { return GetSelectItem(); }
  bool SelectData(intptr_t data);

  // In-place editing of one item: the edited text lives here until EndEdit.
  bool BeginEdit(int index);
  bool IsEditing() const;
  int GetEditItem() const;  // -1 when not editing
  void SetEditText(std::string_view text);
  std::string GetEditText() const;
  // Ends the edit; with commit the item takes a non-empty text and the end is notified. False
  // when nothing was being edited. GetEditText keeps the last edit's text afterwards.
  bool EndEdit(bool commit = true);

  int ActivateItem(int index) { return UserSelect(index); }

protected:
  explicit DListBox(std::string_view class_name) : ItemListControl(class_name) {}

private:
  int m_edit = -1;
  std::string m_edit_text;
};

}  // namespace corvatt::dui
