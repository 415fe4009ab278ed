#pragma once

#include "common/ui/MButton.h"

namespace corvatt::dui {

// A button drawn by its image only (title-bar buttons, arrows).
class CImageButton : public MButton {
public:
  static constexpr const char* kClassName = "CImageButton";
  CImageButton() : MButton(kClassName) {}
  void SetCreateText(std::string_view text) override { SetImage(text); }
};

}  // namespace corvatt::dui
