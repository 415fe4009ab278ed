#pragma once

#include "view/ControlWidget.h"

namespace corvatt::view {

// MPicture: the image stretched (or fitted) to the rectangle; missing image = its colour, or
// a soft panel when the picture has neither.
class PictureWidget : public ControlWidget {
  Q_OBJECT
public:
  PictureWidget(dui::MControl& control, QWidget* parent);

protected:
  void Paint(QPainter& painter) override;
};

}  // namespace corvatt::view
