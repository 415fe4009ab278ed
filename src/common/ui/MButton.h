#pragma once

#include <string>
#include <string_view>

#include "common/ui/MControlFont.h"

namespace corvatt::dui {

// A push button with a title and optional state images. Click() notifies (id, 2, 0);
// subclasses with a check state change it first (CCheckButton).
class MButton : public MControlFont {
public:
  static constexpr const char* kClassName = "MButton";
  MButton() : MButton(kClassName) {}

  // Normal image; hover, pressed and disabled images are optional (empty = derived look).
  void SetImage(std::string_view normal);
  void SetImages(std::string_view normal, std::string_view hover, std::string_view pressed = {},
                 std::string_view disabled = {});
  std::string GetImage() const;
  std::string GetHoverImage() const;
  std::string GetPressedImage() const;
  std::string GetDisabledImage() const;
  // Background colour of the plain (image-less) look, ARGB; 0 = theme.
  void SetBkColor(uint32_t argb);
  uint32_t GetBkColor() const;

  // The user activated the button: notifies (id, kEventClick, 0) unless it is disabled or
  // hidden. Returns the handler's result (0 when not delivered).
  virtual int Click();

protected:
  explicit MButton(std::string_view class_name);

private:
  std::string m_image;
  std::string m_hover_image;
  std::string m_pressed_image;
  std::string m_disabled_image;
  uint32_t m_bk_color = 0;
};

}  // namespace corvatt::dui
