#pragma once

#include <vector>

#include "view/ControlWidget.h"

namespace corvatt::view {

// CDeviceList: one card per model, side by side and centred (stacked when the list is taller
// than wide): picture, name, online mark, version and battery. A click on a card activates it.
class DeviceListWidget : public ControlWidget {
  Q_OBJECT
public:
  DeviceListWidget(dui::MControl& control, QWidget* parent);

  int RowAt(QPoint pos) const;  // lock held

protected:
  void Paint(QPainter& painter) override;
  void Clicked(QPoint pos) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  std::vector<QRect> Cards(int count) const;
  int m_hover = -1;
};

}  // namespace corvatt::view
