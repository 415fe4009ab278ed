#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/ui/ItemListControl.h"

namespace corvatt::dui {

// One item of the control below.
struct ReportRateItem {
  std::string text;
  int code = 0;
  uint32_t color = 0;
};

// The report-rate choices: a segmented row of items with text, code and colour (0x00BBGGRR).
// Sends: (id, kEventClick, index) when the user picks an item (Choose; also the Left and Right
// keys in the view). GetSelectCode() gives the chosen item's code.
class ReporteCtrl : public ItemListControl<ReportRateItem> {
public:
  static constexpr const char* kClassName = "ReporteCtrl";
  ReporteCtrl() : ItemListControl(kClassName) {}

  int AddItem(std::string_view text, int code, uint32_t color);
  // Selects the first item with the code; when none has it the selection is cleared (false).
  bool SetSelectCode(int code);
  int GetSelectCode() const;  // -1 when nothing is selected

  int Choose(int index) { return UserSelect(index); }
};

}  // namespace corvatt::dui
