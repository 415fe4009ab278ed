#pragma once

#include <string>
#include <string_view>

#include "common/ui/MControl.h"

namespace corvatt::dui {

// A control with a title drawn in a font: size, bold, font name, alignment, colours (ARGB).
class MControlFont : public MControl {
public:
  explicit MControlFont(std::string_view class_name);

  void SetTitle(std::string_view title);
  std::string GetTitle() const;
  void SetFont(int size, bool bold = false, bool underline = false);
  int GetFontSize() const;
  bool IsBold() const;
  bool IsUnderline() const;
  // Empty = the Manager's font name.
  void SetFontName(std::string_view name);
  std::string GetFontName() const;
  // kAlign* flags.
  void SetAlignment(int flags);
  int GetAlignment() const;
  void SetTextColor(uint32_t argb);
  uint32_t GetTextColor() const;
  void SetHoverTextColor(uint32_t argb);  // 0 = none
  uint32_t GetHoverTextColor() const;

  void ApplyTexts(const TextLookup& lookup) override;
  void SetCreateText(std::string_view text) override { SetTitle(text); }

private:
  std::string m_title;
  std::string m_font_name;
  int m_font_size = 14;
  bool m_bold = false;
  bool m_underline = false;
  int m_alignment = kAlignLeft | kAlignVCenter | kAlignSingleLine;
  uint32_t m_text_color = 0xFFE6E9EEu;
  uint32_t m_hover_text_color = 0;
};

}  // namespace corvatt::dui
