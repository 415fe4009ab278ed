#include "common/ui/MTabLayout.h"

namespace corvatt::dui {

void MTabLayout::SetBkImage(std::string_view name) {
  std::lock_guard lock(Lock());
  m_bk_image = name;
  Changed();
}

std::string MTabLayout::GetBkImage() const {
  std::lock_guard lock(Lock());
  return m_bk_image;
}

void MTabLayout::SetBkColor(uint32_t argb) {
  std::lock_guard lock(Lock());
  m_bk_color = argb;
  Changed();
}

uint32_t MTabLayout::GetBkColor() const {
  std::lock_guard lock(Lock());
  return m_bk_color;
}

}  // namespace corvatt::dui
