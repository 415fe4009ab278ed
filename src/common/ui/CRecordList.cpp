#include "common/ui/CRecordList.h"

#include <algorithm>

namespace corvatt::dui {

void CRecordList::DeleteAllItems() {
  std::lock_guard lock(Lock());
  m_items.clear();
  m_select = -1;
  Changed();
}

int CRecordList::InsertString(int index, const RecordItem& item) {
  std::lock_guard lock(Lock());
  if (index < 0 || index > static_cast<int>(m_items.size())) index = static_cast<int>(m_items.size());
  m_items.insert(m_items.begin() + index, item);
  if (m_select >= index) ++m_select;
  Changed();
  return index;
}

bool CRecordList::DeleteItem(int index) {
  std::lock_guard lock(Lock());
  if (!Valid(index)) return false;
  m_items.erase(m_items.begin() + index);
  if (m_select == index) {
    m_select = -1;
  } else if (m_select > index) {
    --m_select;
  }
  Changed();
  return true;
}

bool CRecordList::SwapItems(int a, int b) {
  std::lock_guard lock(Lock());
  if (!Valid(a) || !Valid(b)) return false;
  std::swap(m_items[a], m_items[b]);
  Changed();
  return true;
}

bool CRecordList::MoveToTop(int index) {
  std::lock_guard lock(Lock());
  if (!Valid(index)) return false;
  std::rotate(m_items.begin(), m_items.begin() + index, m_items.begin() + index + 1);
  if (m_select == index) m_select = 0;
  else if (m_select >= 0 && m_select < index) ++m_select;
  Changed();
  return true;
}

bool CRecordList::MoveToBottom(int index) {
  std::lock_guard lock(Lock());
  if (!Valid(index)) return false;
  std::rotate(m_items.begin() + index, m_items.begin() + index + 1, m_items.end());
  const int last = static_cast<int>(m_items.size()) - 1;
  if (m_select == index) m_select = last;
  else if (m_select > index) --m_select;
  Changed();
  return true;
}

int CRecordList::GetItemCount() const {
  std::lock_guard lock(Lock());
  return static_cast<int>(m_items.size());
}

int CRecordList::GetEventCount() const {
  std::lock_guard lock(Lock());
  return static_cast<int>(std::count_if(m_items.begin(), m_items.end(),
                                        [](const RecordItem& r) { return r.type != kDelayType; }));
}

std::vector<RecordItem> CRecordList::GetItems() const {
  std::lock_guard lock(Lock());
  return m_items;
}

bool CRecordList::SetSelectItem(int index) {
  std::lock_guard lock(Lock());
  if (index != -1 && !Valid(index)) return false;
  m_select = index;
  Changed();
  return true;
}

int CRecordList::GetSelectItem() const {
  std::lock_guard lock(Lock());
  return m_select;
}

bool CRecordList::GetRecordInfo(int index, RecordItem& item) const {
  std::lock_guard lock(Lock());
  if (!Valid(index)) return false;
  item = m_items[index];
  return true;
}

uint32_t CRecordList::GetRecrodTimeStamp(int index) const {
  std::lock_guard lock(Lock());
  return Valid(index) ? m_items[index].time_stamp : 0;
}

bool CRecordList::SetRecordInfo(int index, const RecordItem& item) {
  std::lock_guard lock(Lock());
  if (!Valid(index)) return false;
  m_items[index] = item;
  Changed();
  return true;
}

int CRecordList::SetRecordInfo(uint32_t time_stamp, int type, std::string_view text, int value) {
  std::lock_guard lock(Lock());
  int changed = 0;
  for (RecordItem& item : m_items) {
    if (item.time_stamp != time_stamp || item.type != type) continue;
    item.text = text;
    item.value = value;
    ++changed;
  }
  if (changed > 0) Changed();
  return changed;
}

int CRecordList::Send(int index, int event) {
  {
    std::lock_guard lock(Lock());
    if (!IsEnabled() || !IsShown() || !Valid(index)) return 0;
    m_select = index;
    Changed();
  }
  return Notify(event, index);
}

int CRecordList::ActivateItem(int index) { return Send(index, kEventClick); }
int CRecordList::RightClick(int index) { return Send(index, kEventSecondary); }

}  // namespace corvatt::dui
