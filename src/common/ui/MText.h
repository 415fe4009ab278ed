#pragma once

#include "common/ui/MControlFont.h"

namespace corvatt::dui {

// A static text.
class MText : public MControlFont {
public:
  static constexpr const char* kClassName = "MText";
  MText() : MControlFont(kClassName) {}
};

}  // namespace corvatt::dui
