#pragma once

#include <string>
#include <string_view>

#include "common/ui/DListBox.h"

namespace corvatt::dui {

// The macro list: a DListBox whose selected row shows an edit image ("btn_more.png", the text
// given to CreateControl); clicking it starts the in-place rename. Sends as DListBox.
class MacroList : public DListBox {
public:
  static constexpr const char* kClassName = "MacroList";
  MacroList() : DListBox(kClassName) {}

  void SetEditImage(std::string_view name) {
    std::lock_guard lock(Lock());
    m_edit_image = name;
    Changed();
  }
  std::string GetEditImage() const {
    std::lock_guard lock(Lock());
    return m_edit_image;
  }
  void SetCreateText(std::string_view text) override { SetEditImage(text); }
  bool ModifyItemString(int index, std::string_view text) { return SetItemText(index, text); }

private:
  std::string m_edit_image;
};

}  // namespace corvatt::dui
