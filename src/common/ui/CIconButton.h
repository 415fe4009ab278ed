#pragma once

#include <string>
#include <string_view>

#include "common/ui/MButton.h"

namespace corvatt::dui {

// A button with an icon left of its title.
class CIconButton : public MButton {
public:
  static constexpr const char* kClassName = "CIconButton";
  CIconButton() : MButton(kClassName) {}

  void SetIcon(std::string_view name);
  std::string GetIcon() const;

private:
  std::string m_icon;
};

}  // namespace corvatt::dui
