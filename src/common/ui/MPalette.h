#pragma once

#include <cstdint>

#include "common/ui/MControl.h"

namespace corvatt::dui {

// A colour field: hue from left (0) to right (360), saturation from top (1) to bottom (0), at
// full brightness. The selected colour (0x00BBGGRR) is kept exactly as set; the marker sits at
// its hue and saturation.
//
// Sends: (id, kEventPick, colour) on press and on every move while held; on release
// (id, kEventPick, colour) then (id, kEventClick, colour). A key step sends both too.
class MPalette : public MControl {
public:
  static constexpr const char* kClassName = "MPalette";
  MPalette() : MControl(kClassName) {}

  void SetSelectColor(uint32_t color);
  uint32_t GetSelectColor() const;
  // Marker: hue 0..360, saturation 0..1.
  double GetHue() const;
  double GetSaturation() const;

  // User input: hue and saturation are held within their ranges.
  int Pick(double hue, double saturation, bool released);
  // Arrow keys: moves the marker by hue and saturation steps and releases.
  int Step(double hue_delta, double saturation_delta);

  static uint32_t HsvToColor(double hue, double saturation, double value);
  // Hue 0..360 (0 for greys), saturation 0..1.
  static void ColorToHueSaturation(uint32_t color, double& hue, double& saturation);

private:
  uint32_t m_color = 0x0000FFu;
  double m_hue = 0;
  double m_saturation = 1;
};

}  // namespace corvatt::dui
