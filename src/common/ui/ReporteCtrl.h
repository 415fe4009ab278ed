#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/ui/MControl.h"

namespace corvatt::dui {

// The report-rate choices: a segmented row of items with text, code and colour (0x00BBGGRR).
// Sends: (id, kEventClick, index) when the user picks an item (Choose; also the Left and Right
// keys in the view). GetSelectCode() gives the chosen item's code.
class ReporteCtrl : public MControl {
public:
  static constexpr const char* kClassName = "ReporteCtrl";
  ReporteCtrl() : MControl(kClassName) {}

  struct Item {
    std::string text;
    int code = 0;
    uint32_t color = 0;
  };

  void DeleteAllItems();
  int AddItem(std::string_view text, int code, uint32_t color);
  int GetItemCount() const;
  std::vector<Item> GetItems() const;
  bool SetSelectItem(int index);  // -1 clears
  int GetSelectItem() const;
  // Selects the first item with the code; when none has it the selection is cleared (false).
  bool SetSelectCode(int code);
  int GetSelectCode() const;  // -1 when nothing is selected

  int Choose(int index);

private:
  std::vector<Item> m_items;
  int m_select = -1;
};

}  // namespace corvatt::dui
