#include "common/ui/MPicture.h"

namespace corvatt::dui {

void MPicture::SetImage(std::string_view name) {
  std::lock_guard lock(Lock());
  if (m_image == name) return;
  m_image = name;
  Changed();
}

std::string MPicture::GetImage() const {
  std::lock_guard lock(Lock());
  return m_image;
}

void MPicture::SetBkColor(uint32_t argb) {
  std::lock_guard lock(Lock());
  m_bk_color = argb;
  Changed();
}

uint32_t MPicture::GetBkColor() const {
  std::lock_guard lock(Lock());
  return m_bk_color;
}

void MPicture::SetKeepAspect(bool keep) {
  std::lock_guard lock(Lock());
  m_keep_aspect = keep;
  Changed();
}

bool MPicture::GetKeepAspect() const {
  std::lock_guard lock(Lock());
  return m_keep_aspect;
}

}  // namespace corvatt::dui
