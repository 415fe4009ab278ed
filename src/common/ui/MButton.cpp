#include "common/ui/MButton.h"

namespace corvatt::dui {

MButton::MButton(std::string_view class_name) : MControlFont(class_name) {
  SetAlignment(kAlignCenter | kAlignVCenter | kAlignSingleLine);
}

void MButton::SetImage(std::string_view normal) {
  std::lock_guard lock(Lock());
  if (m_image == normal) return;
  m_image = normal;
  Changed();
}

void MButton::SetImages(std::string_view normal, std::string_view hover,
                        std::string_view pressed, std::string_view disabled) {
  std::lock_guard lock(Lock());
  m_image = normal;
  m_hover_image = hover;
  m_pressed_image = pressed;
  m_disabled_image = disabled;
  Changed();
}

std::string MButton::GetImage() const {
  std::lock_guard lock(Lock());
  return m_image;
}

std::string MButton::GetHoverImage() const {
  std::lock_guard lock(Lock());
  return m_hover_image;
}

std::string MButton::GetPressedImage() const {
  std::lock_guard lock(Lock());
  return m_pressed_image;
}

std::string MButton::GetDisabledImage() const {
  std::lock_guard lock(Lock());
  return m_disabled_image;
}

void MButton::SetBkColor(uint32_t argb) {
  std::lock_guard lock(Lock());
  m_bk_color = argb;
  Changed();
}

uint32_t MButton::GetBkColor() const {
  std::lock_guard lock(Lock());
  return m_bk_color;
}

int MButton::Click() {
  if (!IsEnabled() || !IsShown()) return 0;
  return Notify(kEventClick, 0);
}

}  // namespace corvatt::dui
