#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/ui/MControl.h"

namespace corvatt::dui {

// The DPI stages: up to kMaxStages slots, each with a value, a colour (0x00BBGGRR) and the text
// of its value edit; the first GetItemCount() slots are listed (AddItem fills the next slot).
// Values and colours may be set for unlisted slots too; they are kept until AddItem or
// DeleteAllItems overwrites them.
//
// Sends (param = the stage index):
//   (id, kEventClick, stage)      a stage chip picked (SelectStage)
//   (id, kEventSetFocus, stage)   a stage's value edit gained the focus (OnFocus)
//   (id, kEventSecondary, stage)  a stage's colour mark clicked (ClickColor)
//   (id, kEventKillFocus, stage)  a stage's value typed and finished (CommitEdit)
// Each of them selects the stage first.
class DPIControl : public MControl {
public:
  static constexpr const char* kClassName = "DPIControl";
  static constexpr int kMaxStages = 8;
  DPIControl() : MControl(kClassName) {}

  struct Stage {
    int value = 0;
    uint32_t color = 0;
    std::string edit_text;
  };

  // Unlists every stage (the slots keep their last values) and clears the selection.
  void DeleteAllItems();
  // Lists the next stage; its index, or -1 when all slots are listed.
  int AddItem(int value, uint32_t color);
  int GetItemCount() const;
  // -1 clears; a stage that is not listed is refused.
  bool SetSelectItem(int index);
  int GetSelectItem() const;
  // The value also becomes the stage's edit text ("%d"). False for a stage out of 0..kMaxStages-1.
  bool SetDPIValue(int stage, int value);
  int GetDPIValue(int stage) const;  // 0 when out of range
  bool SetDPIColorValue(int stage, uint32_t color);
  uint32_t GetDPIColorValue(int stage) const;
  bool SetEditText(int stage, std::string_view text);
  std::string GetEditText(int stage) const;
  // The listed stages.
  std::vector<Stage> GetStages() const;

  // User input (the view); each selects the stage and notifies, unless disabled or hidden
  // or the stage is not listed. Returns the handler's result.
  int SelectStage(int stage);
  int OnFocus(int stage);
  int ClickColor(int stage);
  // The edit's text is set to the typed text before the notification.
  int CommitEdit(int stage, std::string_view text);

private:
  int Send(int stage, int event);

  std::array<Stage, kMaxStages> m_stages{};
  int m_count = 0;
  int m_select = -1;
};

}  // namespace corvatt::dui
