#include "common/ui/DListBox.h"

namespace corvatt::dui {

void DListBox::DeleteAllItems() {
  std::lock_guard lock(Lock());
  m_items.clear();
  m_select = -1;
  m_edit = -1;
  Changed();
}

int DListBox::AddItem(std::string_view text, intptr_t data) {
  std::lock_guard lock(Lock());
  m_items.push_back({std::string(text), data});
  Changed();
  return static_cast<int>(m_items.size()) - 1;
}

int DListBox::GetItemCount() const {
  std::lock_guard lock(Lock());
  return static_cast<int>(m_items.size());
}

std::vector<DListBox::Item> DListBox::GetItems() const {
  std::lock_guard lock(Lock());
  return m_items;
}

std::string DListBox::GetItemText(int index) const {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return {};
  return m_items[index].text;
}

bool DListBox::SetItemText(int index, std::string_view text) {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return false;
  m_items[index].text = text;
  Changed();
  return true;
}

intptr_t DListBox::GetItemData(int index) const {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return 0;
  return m_items[index].data;
}

bool DListBox::SetCurSel(int index) {
  std::lock_guard lock(Lock());
  if (index < -1 || index >= static_cast<int>(m_items.size())) return false;
  m_select = index;
  Changed();
  return true;
}

int DListBox::GetCurSel() const {
  std::lock_guard lock(Lock());
  return m_select;
}

bool DListBox::SelectData(intptr_t data) {
  std::lock_guard lock(Lock());
  for (size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i].data == data) return SetCurSel(static_cast<int>(i));
  }
  return false;
}

bool DListBox::BeginEdit(int index) {
  std::lock_guard lock(Lock());
  if (!IsEnabled() || index < 0 || index >= static_cast<int>(m_items.size())) return false;
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

int DListBox::ActivateItem(int index) {
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
