#include "common/ui/MComboBox.h"

namespace corvatt::dui {

MComboBox::MComboBox(std::string_view class_name) : MControlFont(class_name) {}

void MComboBox::ShowSelection() {
  SetTitle(m_select < 0 ? std::string() : m_items[m_select].text);
}

int MComboBox::AddItem(std::string_view text, intptr_t data, int text_id,
                       std::string_view format) {
  std::lock_guard lock(Lock());
  m_items.push_back({std::string(text), data, text_id, std::string(format)});
  Changed();
  return static_cast<int>(m_items.size()) - 1;
}

void MComboBox::DelAllItems() {
  std::lock_guard lock(Lock());
  m_items.clear();
  m_select = -1;
  ShowSelection();
  Changed();
}

int MComboBox::GetItemCount() const {
  std::lock_guard lock(Lock());
  return static_cast<int>(m_items.size());
}

std::vector<MComboBox::Item> MComboBox::GetItems() const {
  std::lock_guard lock(Lock());
  return m_items;
}

std::string MComboBox::GetItemText(int index) const {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return {};
  return m_items[index].text;
}

bool MComboBox::SetItemText(int index, std::string_view text) {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return false;
  m_items[index].text = text;
  if (index == m_select) ShowSelection();
  Changed();
  return true;
}

intptr_t MComboBox::GetItemData(int index) const {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return 0;
  return m_items[index].data;
}

bool MComboBox::SetCurSel(int index) {
  std::lock_guard lock(Lock());
  if (index < -1 || index >= static_cast<int>(m_items.size())) return false;
  m_select = index;
  ShowSelection();
  Changed();
  return true;
}

int MComboBox::GetCurSel() const {
  std::lock_guard lock(Lock());
  return m_select;
}

bool MComboBox::SelectData(intptr_t data) {
  std::lock_guard lock(Lock());
  for (size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i].data == data) return SetCurSel(static_cast<int>(i));
  }
  return false;
}

intptr_t MComboBox::GetCurData() const {
  std::lock_guard lock(Lock());
  return m_select < 0 ? -1 : m_items[m_select].data;
}

std::string MComboBox::GetCurText() const {
  std::lock_guard lock(Lock());
  return m_select < 0 ? std::string() : m_items[m_select].text;
}

int MComboBox::ChooseItem(int index) {
  {
    std::lock_guard lock(Lock());
    if (!IsEnabled() || !IsShown()) return 0;
    if (index < 0 || index >= static_cast<int>(m_items.size())) return 0;
    m_select = index;
    ShowSelection();
    Changed();
  }
  return Notify(kEventClick, index);
}

void MComboBox::ApplyTexts(const TextLookup& lookup) {
  MControl::ApplyTexts(lookup);
  if (!lookup) return;
  std::lock_guard lock(Lock());
  for (Item& item : m_items) {
    if (item.text_id == 0) continue;
    const std::string text = lookup(item.text_id);
    const size_t at = item.format.find("%s");
    item.text = at == std::string::npos ? text
                                        : item.format.substr(0, at) + text + item.format.substr(at + 2);
  }
  ShowSelection();
  Changed();
}

}  // namespace corvatt::dui
