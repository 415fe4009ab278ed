#pragma once

#include "view/ControlWidget.h"

namespace corvatt::view {

// MouseKeyCtrl: one row per button (name above, function description below); the chosen row
// is marked with the accent. Click a row to pick it; Up/Down move the choice.
class MouseKeyCtrlWidget : public ControlWidget {
  Q_OBJECT
public:
  MouseKeyCtrlWidget(dui::MControl& control, QWidget* parent);

  int RowAt(QPoint pos) const;  // lock held
  QRect RowRect(int index, int count) const;

protected:
  void Paint(QPainter& painter) override;
  void Clicked(QPoint pos) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  int m_hover = -1;
};

}  // namespace corvatt::view
