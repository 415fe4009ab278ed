#pragma once

#include "view/ControlWidget.h"

namespace corvatt::view {

// BatteryCtrl: a battery outline filled to the level with the percentage beside it; an empty
// outline and a dash when the level is unknown.
class BatteryWidget : public ControlWidget {
  Q_OBJECT
public:
  BatteryWidget(dui::MControl& control, QWidget* parent);

protected:
  void Paint(QPainter& painter) override;
};

}  // namespace corvatt::view
