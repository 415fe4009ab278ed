#pragma once

#include <QImage>

#include "view/ControlWidget.h"

namespace corvatt::view {

// MPalette: the hue (left to right) and saturation (top to bottom) field with a ring at the
// selected colour. Press and drag pick (Pick), release picks and releases; the arrow keys move
// the ring (hue by 5 degrees, saturation by 0.05).
class PaletteWidget : public ControlWidget {
  Q_OBJECT
public:
  PaletteWidget(dui::MControl& control, QWidget* parent);

protected:
  void Paint(QPainter& painter) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  void PickAt(QPointF pos, bool released);
  QRectF Field() const;

  QImage m_field;
  bool m_dragging = false;
};

}  // namespace corvatt::view
