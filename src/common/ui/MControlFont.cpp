#include "common/ui/MControlFont.h"

namespace corvatt::dui {

MControlFont::MControlFont(std::string_view class_name) : MControl(class_name) {}

void MControlFont::SetTitle(std::string_view title) {
  std::lock_guard lock(Lock());
  if (m_title == title) return;
  m_title = title;
  Changed();
}

std::string MControlFont::GetTitle() const {
  std::lock_guard lock(Lock());
  return m_title;
}

void MControlFont::SetFont(int size, bool bold, bool underline) {
  std::lock_guard lock(Lock());
  m_font_size = size > 0 ? size : 14;
  m_bold = bold;
  m_underline = underline;
  Changed();
}

int MControlFont::GetFontSize() const {
  std::lock_guard lock(Lock());
  return m_font_size;
}

bool MControlFont::IsBold() const {
  std::lock_guard lock(Lock());
  return m_bold;
}

bool MControlFont::IsUnderline() const {
  std::lock_guard lock(Lock());
  return m_underline;
}

void MControlFont::SetFontName(std::string_view name) {
  std::lock_guard lock(Lock());
  m_font_name = name;
  Changed();
}

std::string MControlFont::GetFontName() const {
  std::lock_guard lock(Lock());
  return m_font_name;
}

void MControlFont::SetAlignment(int flags) {
  std::lock_guard lock(Lock());
  m_alignment = flags;
  Changed();
}

int MControlFont::GetAlignment() const {
  std::lock_guard lock(Lock());
  return m_alignment;
}

void MControlFont::SetTextColor(uint32_t argb) {
  std::lock_guard lock(Lock());
  m_text_color = argb;
  Changed();
}

uint32_t MControlFont::GetTextColor() const {
  std::lock_guard lock(Lock());
  return m_text_color;
}

void MControlFont::SetHoverTextColor(uint32_t argb) {
  std::lock_guard lock(Lock());
  m_hover_text_color = argb;
  Changed();
}

uint32_t MControlFont::GetHoverTextColor() const {
  std::lock_guard lock(Lock());
  return m_hover_text_color;
}

void MControlFont::ApplyTexts(const TextLookup& lookup) {
  MControl::ApplyTexts(lookup);
  const int id = GetTextId();
  if (id != 0 && lookup) SetTitle(lookup(id));
}

}  // namespace corvatt::dui
