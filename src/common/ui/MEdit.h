#pragma once

#include <string>
#include <string_view>

#include "common/ui/MControlFont.h"

namespace corvatt::dui {

// A one-line edit. Its text is the MControlFont title; the hint is shown while it is empty.
// A language change re-applies the tool tip and the hint, never the text the user typed.
//
// Sends:
//   (id, kEventSetFocus, 0)    focus gained (FocusIn)
//   (id, kEventTextChange, 0)  the user changed the text (TypeText)
//   (id, kEventKillFocus, 0)   focus lost, or Enter pressed (FocusOut, Enter)
//   (id, kEventClick, 0)       Enter pressed, right after kEventKillFocus
class MEdit : public MControlFont {
public:
  static constexpr const char* kClassName = "MEdit";
  MEdit() : MEdit(kClassName) {}

  void SetText(std::string_view text) { SetTitle(text); }
  std::string GetEditText() const { return GetTitle(); }
  void SetHint(std::string_view hint);
  std::string GetHint() const;
  void SetHintId(int text_id);
  // Characters (code points); 0 = no limit. Longer typed text is cut.
  void SetMaxLength(int count);
  int GetMaxLength() const;
  // Only the digits 0-9 (and a leading minus when negative numbers are allowed) can be typed.
  void SetNumberOnly(bool number_only, bool allow_negative = false);
  bool IsNumberOnly() const;
  void SetReadOnly(bool read_only);
  bool IsReadOnly() const;
  bool HasFocus() const;

  // The text that typing would leave: characters not allowed are dropped, then cut to the limit.
  std::string FilterTyped(std::string_view text) const;

  // User input (the view); nothing is sent when disabled or hidden (read-only: no TypeText).
  int TypeText(std::string_view text);
  int FocusIn();
  int FocusOut();
  int Enter();

  void ApplyTexts(const TextLookup& lookup) override;

protected:
  explicit MEdit(std::string_view class_name);

private:
  bool CanSend() const;

  std::string m_hint;
  int m_hint_id = 0;
  int m_max_length = 0;
  bool m_number_only = false;
  bool m_allow_negative = false;
  bool m_read_only = false;
  bool m_focus = false;
};

}  // namespace corvatt::dui
