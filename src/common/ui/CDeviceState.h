#pragma once

#include "common/ui/MControlFont.h"

namespace corvatt::dui {

// The connection caption: a text with a state mark.
class CDeviceState : public MControlFont {
public:
  static constexpr const char* kClassName = "CDeviceState";
  // kNone: no device; kWired: cable; kWireless: receiver.
  enum State { kNone = 0, kWired = 1, kWireless = 2 };

  CDeviceState() : MControlFont(kClassName) {}

  void SetState(int state);
  int GetState() const;

private:
  int m_state = kNone;
};

}  // namespace corvatt::dui
