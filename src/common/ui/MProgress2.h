#pragma once

#include "common/ui/MProgress.h"

namespace corvatt::dui {

// A progress bar with an endless "busy" animation. The view runs the animation while
// IsAnimating(); Tick() moves it on for hosts without their own animation clock.
class MProgress2 : public MProgress {
public:
  static constexpr const char* kClassName = "MProgress2";
  MProgress2() : MProgress(kClassName) {}

  void StartAnimation();
  void StopAnimation();
  bool IsAnimating() const;
  // Phase of the animation, 0 to 99; advanced by Tick (one step per call while animating).
  int GetPhase() const;
  void Tick();

private:
  bool m_animating = false;
  int m_phase = 0;
};

}  // namespace corvatt::dui
