#pragma once

#include <vector>

#include "view/ControlWidget.h"

namespace corvatt::view {

// MTabCtrl: the visible items side by side (stacked when the strip is taller than wide), each
// with its icon and caption; the selected one carries the accent bar. A click selects.
class TabCtrlWidget : public ControlWidget {
  Q_OBJECT
public:
  TabCtrlWidget(dui::MControl& control, QWidget* parent);

  // Item index at a point, -1 for none (lock held).
  int ItemAt(QPoint pos) const;

protected:
  void Paint(QPainter& painter) override;
  void Clicked(QPoint pos) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  // (item index, cell) of the visible items (lock held).
  std::vector<std::pair<int, QRect>> Cells() const;
  int m_hover = -1;
};

}  // namespace corvatt::view
