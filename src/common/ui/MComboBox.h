#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/ui/MControlFont.h"

namespace corvatt::dui {

// A drop-down list: items with text, data and an optional text id. The title is the chosen
// item's text. ApplyTexts re-sets the text of every item that has a text id (a format with
// "%s" keeps its other characters: "10 %s" with the id's text), keeping data and selection.
//
// Sends: (id, kEventClick, index) when the user chooses an item (ChooseItem: the popup list
// "ComboWnd", or the Up and Down keys in the view).
class MComboBox : public MControlFont {
public:
  static constexpr const char* kClassName = "MComboBox";
  MComboBox() : MComboBox(kClassName) {}

  struct Item {
    std::string text;
    intptr_t data = 0;
    int text_id = 0;
    std::string format;  // "%s" replaced by the text id's text; empty = the text alone
  };

  // Returns the new item's index.
  int AddItem(std::string_view text, intptr_t data = 0, int text_id = 0,
              std::string_view format = {});
  void DelAllItems();
  int GetItemCount() const;
  std::vector<Item> GetItems() const;
  std::string GetItemText(int index) const;
  bool SetItemText(int index, std::string_view text);
  intptr_t GetItemData(int index) const;  // 0 when out of range
  // -1 clears; out of range is refused.
  bool SetCurSel(int index);
  int GetCurSel() const;
  // Selects the first item with the data; false (selection kept) when none has it.
  bool SelectData(intptr_t data);
  intptr_t GetCurData() const;  // -1 when nothing is chosen
  std::string GetCurText() const;

  int ChooseItem(int index);

  void ApplyTexts(const TextLookup& lookup) override;

protected:
  explicit MComboBox(std::string_view class_name);

private:
  void ShowSelection();  // lock held

  std::vector<Item> m_items;
  int m_select = -1;
};

}  // namespace corvatt::dui
