#pragma once

#include <QRectF>

#include <vector>

#include "view/ControlWidget.h"

namespace corvatt::view {

// MouseCtrl: the picture fitted between two label columns; per button a leader line (solid or
// dashed) from its point on the mouse to its label. Click a label or its marker to pick it;
// Up/Down (Left/Right) move the choice.
class MouseCtrlWidget : public ControlWidget {
  Q_OBJECT
public:
  MouseCtrlWidget(dui::MControl& control, QWidget* parent);

  // Lock held. Hit areas of the items in widget coordinates (label and marker).
  int ItemAt(QPointF pos) const;
  QRectF LabelRect(int index) const;

protected:
  void Paint(QPainter& painter) override;
  void Clicked(QPoint pos) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  struct Geometry {
    QRectF picture;
    double scale = 1;
    double margin = 0;
  };
  Geometry Layout() const;
  QPointF Map(const Geometry& g, int x, int y) const;

  int m_hover = -1;
};

}  // namespace corvatt::view
