#pragma once

#include <string>
#include <string_view>

#include "common/ui/MButton.h"

namespace corvatt::dui {

// A button with a check state and a group name. How a click changes the check depends on the
// class: a check box toggles it; a radio button (and a colour button) checks itself and
// clears the others of its group (same group name, non-empty, in the same dialog).
// MButton2 keeps its check as the program sets it.
//
// Sends: (id, kEventClick, check) after the click has changed the state. Several controls may
// share an id (the page then reads each one's GetCheck).
class CCheckButton : public MButton {
public:
  static constexpr const char* kClassName = "CCheckButton";
  enum class ClickMode { kToggle, kRadio, kNone };

  CCheckButton() : CCheckButton(kClassName, ClickMode::kToggle) {}

  // Checking a grouped radio button clears the rest of its group.
  void SetCheck(bool check);
  bool GetCheck() const;
  void SetGroupName(std::string_view name);
  std::string GetGroupName() const;
  ClickMode GetClickMode() const { return m_mode; }

  // The user clicked (the view, also Space): changes the check by the mode, then notifies.
  int Click() override;

protected:
  CCheckButton(std::string_view class_name, ClickMode mode);

private:
  void ClearGroup();  // lock held

  ClickMode m_mode;
  bool m_check = false;
  std::string m_group;
};

}  // namespace corvatt::dui
