#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace corvatt::dui {

// Window rectangle: right and bottom are one past the last pixel.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Text lookup by number, used to re-apply remembered text ids.
using TextLookup = std::function<std::string(int)>;

// Notification event codes passed to MDialog::OnMessage.
inline constexpr int kEventClick = 2;  // activation: button click, tab chosen, device row chosen
inline constexpr int kEventDrag = 8;         // a slider moved while its thumb is held
inline constexpr int kEventSecondary = 9;    // a second part of a control: a DPI stage's colour
inline constexpr int kEventTextChange = 26;  // an edit's text changed by the user
inline constexpr int kEventPick = 27;        // a palette colour picked (press, move, release)
inline constexpr int kEventKillFocus = 29;   // an edit lost the focus or its typing ended
inline constexpr int kEventSetFocus = 30;    // an edit (or a DPI stage's edit) gained the focus

// Text alignment flags (numbers as the Windows DT_ flags).
inline constexpr int kAlignLeft = 0x00;
inline constexpr int kAlignCenter = 0x01;
inline constexpr int kAlignRight = 0x02;
inline constexpr int kAlignTop = 0x00;
inline constexpr int kAlignVCenter = 0x04;
inline constexpr int kAlignBottom = 0x08;
inline constexpr int kAlignWordBreak = 0x10;
inline constexpr int kAlignSingleLine = 0x20;

// Colours. Two forms are in use:
//  - "RGB int" 0x00BBGGRR (red in the low byte), as stored settings and m_select_color hold them;
//  - "ARGB" 0xAARRGGBB, as text and background colours are given to controls.
inline constexpr uint32_t RgbToArgb(uint32_t bgr) {
  return 0xFF000000u | ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}
inline constexpr uint32_t ArgbToRgb(uint32_t argb) {
  return ((argb >> 16) & 0xFFu) | (argb & 0xFF00u) | ((argb & 0xFFu) << 16);
}

}  // namespace corvatt::dui

// The toolkit is reachable as plain dui:: too.
namespace dui = corvatt::dui;
