#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/ui/MControl.h"

namespace corvatt::dui {

// One row of the macro event list.
struct RecordItem {
  std::string text;
  int type = 0;  // 1 delay, 2 key down, 3 key up, 4 mouse down, 5 mouse up
  int value = 0;
  uint32_t time_stamp = 0;
  friend bool operator==(const RecordItem&, const RecordItem&) = default;
};

// The event list of a macro: rows in order, one selected.
//
// Sends:
//   (id, kEventClick, index)      the user selected a row (ActivateItem, also Up/Down)
//   (id, kEventSecondary, index)  right click on a row (RightClick; the row is selected first)
class CRecordList : public MControl {
public:
  static constexpr const char* kClassName = "CRecordList";
  static constexpr int kDelayType = 1;
  CRecordList() : MControl(kClassName) {}

  void DeleteAllItems();
  // Inserts before index; -1 (or an index past the end) appends. Returns the row's index.
  // The selection stays on the same row.
  int InsertString(int index, const RecordItem& item);
  bool DeleteItem(int index);  // the selection is cleared when it was that row
  bool SwapItems(int a, int b);
  bool MoveToTop(int index);
  bool MoveToBottom(int index);
  int GetItemCount() const;
  // Rows that are not delays.
  int GetEventCount() const;
  std::vector<RecordItem> GetItems() const;

  bool SetSelectItem(int index);  // -1 clears
  int GetSelectItem() const;
  int GetSelectEvent() const { return GetSelectItem(); }

  bool GetRecordInfo(int index, RecordItem& item) const;
  uint32_t GetRecrodTimeStamp(int index) const;  // 0 when out of range
  bool SetRecordInfo(int index, const RecordItem& item);
  // Text and value of every row with the time stamp and type; returns how many changed.
  int SetRecordInfo(uint32_t time_stamp, int type, std::string_view text, int value);
  void Redraw() { UpdateControl(); }

  int ActivateItem(int index);
  int RightClick(int index);

private:
  bool Valid(int index) const { return index >= 0 && index < static_cast<int>(m_items.size()); }
  int Send(int index, int event);

  std::vector<RecordItem> m_items;
  int m_select = -1;
};

}  // namespace corvatt::dui
