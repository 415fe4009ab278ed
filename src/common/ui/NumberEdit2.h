#pragma once

#include "common/ui/NumberEdit.h"

namespace corvatt::dui {

// The second look of the number edit (a boxed field); same behaviour as NumberEdit.
class NumberEdit2 : public NumberEdit {
public:
  static constexpr const char* kClassName = "NumberEdit2";
  NumberEdit2() : NumberEdit(kClassName) {}
};

}  // namespace corvatt::dui
