#include "common/ui/MEdit.h"

namespace corvatt::dui {

MEdit::MEdit(std::string_view class_name) : MControlFont(class_name) {
  SetAlignment(kAlignLeft | kAlignVCenter | kAlignSingleLine);
}

void MEdit::SetHint(std::string_view hint) {
  std::lock_guard lock(Lock());
  m_hint = hint;
  Changed();
}

std::string MEdit::GetHint() const {
  std::lock_guard lock(Lock());
  return m_hint;
}

void MEdit::SetHintId(int text_id) {
  std::lock_guard lock(Lock());
  m_hint_id = text_id;
}

void MEdit::SetMaxLength(int count) {
  std::lock_guard lock(Lock());
  m_max_length = count < 0 ? 0 : count;
}

int MEdit::GetMaxLength() const {
  std::lock_guard lock(Lock());
  return m_max_length;
}

void MEdit::SetNumberOnly(bool number_only, bool allow_negative) {
  std::lock_guard lock(Lock());
  m_number_only = number_only;
  m_allow_negative = allow_negative;
}

bool MEdit::IsNumberOnly() const {
  std::lock_guard lock(Lock());
  return m_number_only;
}

void MEdit::SetReadOnly(bool read_only) {
  std::lock_guard lock(Lock());
  m_read_only = read_only;
  Changed();
}

bool MEdit::IsReadOnly() const {
  std::lock_guard lock(Lock());
  return m_read_only;
}

bool MEdit::HasFocus() const {
  std::lock_guard lock(Lock());
  return m_focus;
}

std::string MEdit::FilterTyped(std::string_view text) const {
  std::lock_guard lock(Lock());
  std::string out;
  int count = 0;
  for (size_t i = 0; i < text.size();) {
    // One UTF-8 sequence at a time, so a cut never splits a character.
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t len = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
    if (i + len > text.size()) len = text.size() - i;
    const std::string_view piece = text.substr(i, len);
    i += len;
    if (m_number_only) {
      const bool digit = len == 1 && piece[0] >= '0' && piece[0] <= '9';
      const bool minus = len == 1 && piece[0] == '-' && m_allow_negative && out.empty();
      if (!digit && !minus) continue;
    } else if (len == 1 && (piece[0] == '\n' || piece[0] == '\r')) {
      continue;
    }
    if (m_max_length > 0 && count >= m_max_length) break;
    out += piece;
    ++count;
  }
  return out;
}

bool MEdit::CanSend() const { return IsEnabled() && IsShown(); }

int MEdit::TypeText(std::string_view text) {
  if (!CanSend() || IsReadOnly()) return 0;
  SetTitle(FilterTyped(text));
  return Notify(kEventTextChange, 0);
}

int MEdit::FocusIn() {
  if (!CanSend()) return 0;
  {
    std::lock_guard lock(Lock());
    m_focus = true;
    Changed();
  }
  return Notify(kEventSetFocus, 0);
}

int MEdit::FocusOut() {
  {
    std::lock_guard lock(Lock());
    if (!m_focus) return 0;
    m_focus = false;
    Changed();
  }
  return Notify(kEventKillFocus, 0);
}

int MEdit::Enter() {
  if (!CanSend()) return 0;
  Notify(kEventKillFocus, 0);
  return Notify(kEventClick, 0);
}

void MEdit::ApplyTexts(const TextLookup& lookup) {
  MControl::ApplyTexts(lookup);
  int id;
  {
    std::lock_guard lock(Lock());
    id = m_hint_id;
  }
  if (id != 0 && lookup) SetHint(lookup(id));
}

}  // namespace corvatt::dui
