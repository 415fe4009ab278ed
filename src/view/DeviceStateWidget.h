#pragma once

#include "view/ControlWidget.h"

namespace corvatt::view {

// CDeviceState: a state mark (accent when connected) and the caption.
class DeviceStateWidget : public ControlWidget {
  Q_OBJECT
public:
  DeviceStateWidget(dui::MControl& control, QWidget* parent);

protected:
  void Paint(QPainter& painter) override;
};

}  // namespace corvatt::view
