#include "common/ui/MPalette.h"

#include <algorithm>
#include <cmath>

namespace corvatt::dui {

uint32_t MPalette::HsvToColor(double hue, double saturation, double value) {
  hue = std::fmod(std::clamp(hue, 0.0, 360.0), 360.0);
  saturation = std::clamp(saturation, 0.0, 1.0);
  value = std::clamp(value, 0.0, 1.0);
  const double c = value * saturation;
  const double h = hue / 60.0;
  const double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(h)) {
    case 0: r = c; g = x; break;
    case 1: r = x; g = c; break;
    case 2: g = c; b = x; break;
    case 3: g = x; b = c; break;
    case 4: r = x; b = c; break;
    default: r = c; b = x; break;
  }
  const double m = value - c;
  auto byte = [m](double v) { return static_cast<uint32_t>(std::lround((v + m) * 255.0)); };
  return byte(r) | (byte(g) << 8) | (byte(b) << 16);
}

void MPalette::ColorToHueSaturation(uint32_t color, double& hue, double& saturation) {
  const double r = (color & 0xFF) / 255.0;
  const double g = ((color >> 8) & 0xFF) / 255.0;
  const double b = ((color >> 16) & 0xFF) / 255.0;
  const double max = std::max({r, g, b});
  const double min = std::min({r, g, b});
  const double d = max - min;
  saturation = max <= 0 ? 0 : d / max;
  if (d <= 0) {
    hue = 0;
  } else if (max == r) {
    hue = 60 * std::fmod((g - b) / d + 6, 6.0);
  } else if (max == g) {
    hue = 60 * ((b - r) / d + 2);
  } else {
    hue = 60 * ((r - g) / d + 4);
  }
}

void MPalette::SetSelectColor(uint32_t color) {
  std::lock_guard lock(Lock());
  m_color = color & 0xFFFFFFu;
  ColorToHueSaturation(m_color, m_hue, m_saturation);
  Changed();
}

uint32_t MPalette::GetSelectColor() const {
  std::lock_guard lock(Lock());
  return m_color;
}

double MPalette::GetHue() const {
  std::lock_guard lock(Lock());
  return m_hue;
}

double MPalette::GetSaturation() const {
  std::lock_guard lock(Lock());
  return m_saturation;
}

int MPalette::Pick(double hue, double saturation, bool released) {
  uint32_t color;
  {
    std::lock_guard lock(Lock());
    if (!IsEnabled() || !IsShown()) return 0;
    m_hue = std::clamp(hue, 0.0, 360.0);
    m_saturation = std::clamp(saturation, 0.0, 1.0);
    m_color = HsvToColor(m_hue, m_saturation, 1.0);
    color = m_color;
    Changed();
  }
  const int result = Notify(kEventPick, color);
  if (!released) return result;
  return Notify(kEventClick, color);
}

int MPalette::Step(double hue_delta, double saturation_delta) {
  double hue, saturation;
  {
    std::lock_guard lock(Lock());
    hue = m_hue + hue_delta;
    saturation = m_saturation + saturation_delta;
  }
  return Pick(hue, saturation, true);
}

}  // namespace corvatt::dui
