#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "common/ui/MControl.h"

namespace corvatt::view {

class ControlWidget;

// Widget makers by control class name (adding a control class = one model class + one maker
// here), and the GUI thread's table of the controls that have a widget.
class WidgetRegistry {
public:
  using Maker = std::function<ControlWidget*(dui::MControl&, QWidget* parent)>;

  static WidgetRegistry& Instance();
  void Register(std::string_view class_name, Maker maker);
  bool Has(std::string_view class_name) const;
  // The widget for the control: the class's maker, else a neutral placeholder that paints
  // nothing and takes no input.
  ControlWidget* Make(dui::MControl& control, QWidget* parent) const;

  // GUI thread only.
  void Track(uint64_t serial, dui::MControl* control);
  void Untrack(uint64_t serial);
  bool IsAlive(uint64_t serial) const;
  dui::MControl* FindControl(uint64_t serial) const;

private:
  WidgetRegistry();
  std::map<std::string, Maker, std::less<>> m_makers;
  std::map<uint64_t, dui::MControl*> m_alive;
};

}  // namespace corvatt::view
