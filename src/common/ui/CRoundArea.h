#pragma once

#include "common/ui/CArea.h"

namespace corvatt::dui {

// A CArea drawn as a circle.
class CRoundArea : public CArea {
public:
  static constexpr const char* kClassName = "CRoundArea";
  CRoundArea() : CArea(kClassName, true) {}
};

}  // namespace corvatt::dui
