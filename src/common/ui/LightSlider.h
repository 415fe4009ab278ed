#pragma once

#include <string_view>

#include "common/ui/MControl.h"

namespace corvatt::dui {

// A horizontal slider over the whole positions min..max (default 0..4).
//
// Sends (param = the position):
//   (id, kEventDrag, pos)   while the thumb is held and moved (Drag)
//   (id, kEventClick, pos)  when it is released (Release) and after a key step (Step)
// Setting the position from the program sends nothing.
class LightSlider : public MControl {
public:
  static constexpr const char* kClassName = "LightSlider";
  LightSlider() : LightSlider(kClassName) {}

  // A range with max below min is refused (false). The position is held within the range.
  bool SetRange(int min, int max);
  int GetMin() const;
  int GetMax() const;
  void SetProgress(int pos);
  int GetProgress() const;
  void SetPos(int pos) { SetProgress(pos); }
  int GetPos() const { return GetProgress(); }

  // User input (the view): positions are held within the range; nothing is sent when the
  // control is disabled or hidden.
  int Drag(int pos);
  int Release(int pos);
  // Arrow keys, Page keys: moves by delta positions; sends kEventClick when it moved.
  int Step(int delta);

protected:
  explicit LightSlider(std::string_view class_name) : MControl(class_name) {}

private:
  int Move(int pos, int event, bool always);

  int m_min = 0;
  int m_max = 4;
  int m_pos = 0;
};

}  // namespace corvatt::dui
