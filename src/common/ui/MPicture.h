#pragma once

#include <string>
#include <string_view>

#include "common/ui/MControl.h"

namespace corvatt::dui {

// An image (skin name or absolute path) stretched to the rectangle; a colour when no image.
// The view fits (instead of stretching) an image whose aspect ratio is far from the rectangle's.
class MPicture : public MControl {
public:
  static constexpr const char* kClassName = "MPicture";
  MPicture() : MControl(kClassName) {}

  void SetImage(std::string_view name);
  std::string GetImage() const;
  void SetBkImage(std::string_view name) { SetImage(name); }
  // ARGB; 0 = transparent.
  void SetBkColor(uint32_t argb);
  uint32_t GetBkColor() const;
  // Keep the image's aspect ratio, centred (else stretched).
  void SetKeepAspect(bool keep);
  bool GetKeepAspect() const;

  void SetCreateText(std::string_view text) override { SetImage(text); }

private:
  std::string m_image;
  uint32_t m_bk_color = 0;
  bool m_keep_aspect = false;
};

}  // namespace corvatt::dui
