#include "common/ui/MTabCtrl.h"

#include "common/ui/MDialog.h"

namespace corvatt::dui {

int MTabCtrl::AddItem(int item_id, std::string_view text, std::string_view icon, int page_id,
                      int text_id) {
  std::lock_guard lock(Lock());
  Item item;
  item.item_id = item_id;
  item.text = text;
  item.text_id = text_id;
  item.icon = icon;
  item.page_id = page_id;
  m_items.push_back(std::move(item));
  Changed();
  return static_cast<int>(m_items.size()) - 1;
}

void MTabCtrl::DeleteAllItems() {
  std::lock_guard lock(Lock());
  m_items.clear();
  m_select = -1;
  Changed();
}

int MTabCtrl::GetItemCount() const {
  std::lock_guard lock(Lock());
  return static_cast<int>(m_items.size());
}

std::vector<MTabCtrl::Item> MTabCtrl::GetItems() const {
  std::lock_guard lock(Lock());
  return m_items;
}

int MTabCtrl::GetItemId(int index) const {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return -1;
  return m_items[index].item_id;
}

int MTabCtrl::FindItemIndex(int item_id) const {
  std::lock_guard lock(Lock());
  for (size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i].item_id == item_id) return static_cast<int>(i);
  }
  return -1;
}

bool MTabCtrl::SetItemText(int index, std::string_view text) {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return false;
  m_items[index].text = text;
  Changed();
  return true;
}

bool MTabCtrl::SetItemTextId(int index, int text_id) {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return false;
  m_items[index].text_id = text_id;
  return true;
}

bool MTabCtrl::SetItemVisible(int index, bool visible) {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return false;
  m_items[index].visible = visible;
  Changed();
  return true;
}

bool MTabCtrl::IsItemVisible(int index) const {
  std::lock_guard lock(Lock());
  if (index < 0 || index >= static_cast<int>(m_items.size())) return false;
  return m_items[index].visible;
}

bool MTabCtrl::SetSelectItem(int index) {
  std::lock_guard lock(Lock());
  if (index < -1 || index >= static_cast<int>(m_items.size())) return false;
  m_select = index;
  if (index >= 0) ShowPages();
  Changed();
  return true;
}

int MTabCtrl::GetSelectItem() const {
  std::lock_guard lock(Lock());
  return m_select;
}

int MTabCtrl::UserSelect(int index) {
  {
    std::lock_guard lock(Lock());
    if (!IsEnabled() || !IsShown()) return 0;
    if (index < 0 || index >= static_cast<int>(m_items.size())) return 0;
    if (!m_items[index].visible) return 0;
    m_select = index;
    ShowPages();
    Changed();
  }
  return Notify(kEventClick, index);
}

void MTabCtrl::ShowPages() {
  MDialog* owner = GetOwner();
  if (owner == nullptr || m_select < 0) return;
  const int shown = m_items[m_select].page_id;
  // Hide first, then show, so a page named by two items stays visible.
  for (const Item& item : m_items) {
    if (item.page_id != 0 && item.page_id != shown) {
      if (MControl* page = owner->GetControl(item.page_id)) page->SetVisible(false);
    }
  }
  if (shown != 0) {
    if (MControl* page = owner->GetControl(shown)) page->SetVisible(true);
  }
}

void MTabCtrl::ApplyTexts(const TextLookup& lookup) {
  MControl::ApplyTexts(lookup);
  if (!lookup) return;
  std::lock_guard lock(Lock());
  for (Item& item : m_items) {
    if (item.text_id != 0) item.text = lookup(item.text_id);
  }
  Changed();
}

}  // namespace corvatt::dui
