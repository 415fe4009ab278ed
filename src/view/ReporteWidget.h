#pragma once

#include <QRectF>

#include "view/ControlWidget.h"

namespace corvatt::view {

// ReporteCtrl: a segmented row, one segment per rate with a dot of its colour; the chosen one
// filled with the accent. Click a segment to choose it; Left/Right move the choice.
class ReporteWidget : public ControlWidget {
  Q_OBJECT
public:
  ReporteWidget(dui::MControl& control, QWidget* parent);
  QRectF SegmentRect(int index, int count) const;

protected:
  void Paint(QPainter& painter) override;
  void Clicked(QPoint pos) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  int SegmentAt(QPoint pos) const;  // lock held
  int m_hover = -1;
};

}  // namespace corvatt::view
