#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/ui/MControl.h"

namespace corvatt::dui {

// A tab strip. Each item may name a page (an MTabLayout id of the same dialog): selecting the
// item shows its page and hides the pages of the other items.
class MTabCtrl : public MControl {
public:
  static constexpr const char* kClassName = "MTabCtrl";
  MTabCtrl() : MControl(kClassName) {}

  struct Item {
    int item_id = 0;
    std::string text;
    int text_id = 0;       // remembered for ApplyTexts; 0 = none
    std::string icon;      // skin image name
    int page_id = 0;       // MTabLayout id; 0 = none
    bool visible = true;
  };

  // Returns the new item's index.
  int AddItem(int item_id, std::string_view text, std::string_view icon = {}, int page_id = 0,
              int text_id = 0);
  void DeleteAllItems();
  int GetItemCount() const;
  std::vector<Item> GetItems() const;
  int GetItemId(int index) const;         // -1 when out of range
  int FindItemIndex(int item_id) const;   // -1 when absent
  bool SetItemText(int index, std::string_view text);
  bool SetItemTextId(int index, int text_id);
  bool SetItemVisible(int index, bool visible);
  bool IsItemVisible(int index) const;

  // Programmatic selection: no notification. -1 = no tab selected (pages left as they are).
  // Out-of-range indexes are refused (false).
  bool SetSelectItem(int index);
  int GetSelectItem() const;
  bool SetCurSel(int index) { return SetSelectItem(index); }
  int GetCurSel() const { return GetSelectItem(); }

  // The user chose an item (the view): selects it and notifies (id, kEventClick, index).
  // Hidden items, a disabled or hidden strip are ignored (0).
  int UserSelect(int index);

  void ApplyTexts(const TextLookup& lookup) override;

private:
  void ShowPages();  // lock held

  std::vector<Item> m_items;
  int m_select = -1;
};

}  // namespace corvatt::dui
