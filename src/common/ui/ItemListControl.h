#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/ui/MControl.h"
#include "common/ui/Types.h"

namespace corvatt::dui {

// A control that shows a list of items with at most one selected: the part the button list,
// the button picture and the report-rate row share. Every call takes the control's lock.
template <class ItemT>
class ItemListControl : public MControl {
public:
  using Item = ItemT;

  void DeleteAllItems() {
    std::lock_guard lock(Lock());
    m_items.clear();
    m_select = -1;
    Changed();
  }
  int GetItemCount() const {
    std::lock_guard lock(Lock());
    return static_cast<int>(m_items.size());
  }
  std::vector<Item> GetItems() const {
    std::lock_guard lock(Lock());
    return m_items;
  }
  // -1 clears; out of range is refused (false).
  bool SetSelectItem(int index) {
    std::lock_guard lock(Lock());
    if (index < -1 || index >= static_cast<int>(m_items.size())) return false;
    m_select = index;
    Changed();
    return true;
  }
  int GetSelectItem() const {
    std::lock_guard lock(Lock());
    return m_select;
  }

protected:
  explicit ItemListControl(std::string_view class_name) : MControl(class_name) {}

  // Appends an item; returns its index.
  int Append(Item item) {
    std::lock_guard lock(Lock());
    m_items.push_back(std::move(item));
    Changed();
    return static_cast<int>(m_items.size()) - 1;
  }
  // Lock held.
  bool InRange(int index) const { return index >= 0 && index < static_cast<int>(m_items.size()); }
  // The first item the test holds for; -1 if none.
  template <class Test>
  int FindFirst(Test test) const {
    std::lock_guard lock(Lock());
    for (std::size_t i = 0; i < m_items.size(); ++i) {
      if (test(m_items[i])) return static_cast<int>(i);
    }
    return -1;
  }
  // Changes the item at index (false when out of range).
  template <class Change>
  bool Modify(int index, Change change) {
    std::lock_guard lock(Lock());
    if (!InRange(index)) return false;
    change(m_items[index]);
    Changed();
    return true;
  }
  // The user picked an item: selects it and notifies (kEventClick, index), unless the control
  // is disabled or hidden or the index is out of range.
  int UserSelect(int index) {
    {
      std::lock_guard lock(Lock());
      if (!IsEnabled() || !IsShown()) return 0;
      if (!InRange(index)) return 0;
      m_select = index;
      Changed();
    }
    return Notify(kEventClick, index);
  }

  std::vector<Item> m_items;
  int m_select = -1;
};

}  // namespace corvatt::dui
