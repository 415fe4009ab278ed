#pragma once

#include "common/ui/MEdit.h"

namespace corvatt::dui {

// An MEdit that takes digits only (at most 5), centred. Sends as MEdit.
class NumberEdit : public MEdit {
public:
  static constexpr const char* kClassName = "NumberEdit";
  NumberEdit() : NumberEdit(kClassName) {}

protected:
  explicit NumberEdit(std::string_view class_name) : MEdit(class_name) {
    SetNumberOnly(true);
    SetMaxLength(5);
    SetAlignment(kAlignCenter | kAlignVCenter | kAlignSingleLine);
  }
};

}  // namespace corvatt::dui
