#pragma once

#include "view/ControlWidget.h"

namespace corvatt::view {

// MProgress: a rounded track with the accent bar.
class ProgressWidget : public ControlWidget {
  Q_OBJECT
public:
  ProgressWidget(dui::MControl& control, QWidget* parent);

  // The track and a bar from fraction start to end of the width.
  static void DrawBar(QPainter& painter, const QRect& area, double start, double end,
                      const QColor& color);

protected:
  void Paint(QPainter& painter) override;
};

}  // namespace corvatt::view
