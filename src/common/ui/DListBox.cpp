#include "common/ui/DListBox.h"

namespace corvatt::dui {

void DListBox::DeleteAllItems() {
  std::lock_guard lock(Lock());
  ItemListControl::DeleteAllItems();
  m_edit = -1;
}

int DListBox::AddItem(std::string_view text, intptr_t data) { return Append({std::string(text), data}); }

std::string DListBox::GetItemText(int index) const {
  std::lock_guard lock(Lock());
  return InRange(index) ? m_items[index].text : std::string();
}

bool DListBox::SetItemText(int index, std::string_view text) {
  return Modify(index, [text](Item& item) { item.text = text; });
}

intptr_t DListBox::GetItemData(int index) const {
  std::lock_guard lock(Lock());
  return InRange(index) ? m_items[index].data : 0;
}

bool DListBox::SelectData(intptr_t data) {
  std::lock_guard lock(Lock());
  const int index = FindFirst([data](const Item& item) { return item.data == data; });
  return index >= 0 && SetCurSel(index);
}

bool DListBox::BeginEdit(int index) {
  std::lock_guard lock(Lock());
  if (!IsEnabled() || !InRange(index)) return false;
  m_edit = index;
  m_select = index;
  m_edit_text = m_items[index].text;
  Changed();
  return true;
}

bool DListBox::IsEditing() const {
  std::lock_guard lock(Lock());
  return m_edit >= 0;
}

int DListBox::GetEditItem() const {
  std::lock_guard lock(Lock());
  return m_edit;
}

void DListBox::SetEditText(std::string_view text) {
  std::lock_guard lock(Lock());
  if (m_edit >= 0) m_edit_text = text;
}

std::string DListBox::GetEditText() const {
  std::lock_guard lock(Lock());
  return m_edit_text;
}

bool DListBox::EndEdit(bool commit) {
  int index;
  {
    std::lock_guard lock(Lock());
    if (m_edit < 0) return false;
    index = m_edit;
    m_edit = -1;
    // The list may have been rebuilt while editing: only a still-listed item takes the text.
    if (commit && index < static_cast<int>(m_items.size())) {
      // An emptied name is not shown as the item's text; the handler reads GetEditText.
      if (!m_edit_text.empty()) m_items[index].text = m_edit_text;
    } else {
      commit = false;
    }
    Changed();
  }
  if (commit) Notify(kEventKillFocus, index);
  return true;
}

}  // namespace corvatt::dui
