#pragma once

#include <string>
#include <string_view>

#include "common/ui/MControl.h"

namespace corvatt::dui {

// A page: a container whose visibility applies to the controls created in it.
class MTabLayout : public MControl {
public:
  static constexpr const char* kClassName = "MTabLayout";
  MTabLayout() : MControl(kClassName) {}

  void SetBkImage(std::string_view name);
  std::string GetBkImage() const;
  void SetBkColor(uint32_t argb);  // 0 = transparent
  uint32_t GetBkColor() const;

private:
  std::string m_bk_image;
  uint32_t m_bk_color = 0;
};

}  // namespace corvatt::dui
