#pragma once

#include "view/ControlWidget.h"

namespace corvatt::view {

// LightSlider and DPISlider: a track filled in the accent up to a round thumb. Pressing or
// dragging sends Drag, releasing sends Release; Left/Right (Down/Up), Page keys, Home and End
// step the position. The DPI slider shows its two range texts under the ends and its value
// text above the thumb.
class SliderWidget : public ControlWidget {
  Q_OBJECT
public:
  SliderWidget(dui::MControl& control, QWidget* parent);

  // Lock held: the position at a widget x, and the x of a position.
  int PositionAt(double x) const;
  double XOf(int pos) const;

protected:
  void Paint(QPainter& painter) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  double TrackY() const;

  bool m_dragging = false;
  int m_last_sent = -1;
};

}  // namespace corvatt::view
