#pragma once

#include "common/ui/MComboBox.h"

namespace corvatt::dui {

// A combo box with a mark (SetCheck) telling that its category holds the current choice.
// Sends as MComboBox.
class MComboBox2 : public MComboBox {
public:
  static constexpr const char* kClassName = "MComboBox2";
  MComboBox2() : MComboBox(kClassName) {}

  void SetCheck(bool check) {
    std::lock_guard lock(Lock());
    m_check = check;
    Changed();
  }
  bool GetCheck() const {
    std::lock_guard lock(Lock());
    return m_check;
  }

private:
  bool m_check = false;
};

}  // namespace corvatt::dui
