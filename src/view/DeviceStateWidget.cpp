#include "view/DeviceStateWidget.h"

#include <QPainter>

#include "common/ui/CDeviceState.h"
#include "view/TextWidget.h"
#include "view/Theme.h"

namespace corvatt::view {

DeviceStateWidget::DeviceStateWidget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

void DeviceStateWidget::Paint(QPainter& painter) {
  const auto& state = static_cast<const dui::CDeviceState&>(Control());
  const int s = state.GetState();
  const double d = 8;
  painter.setPen(Qt::NoPen);
  painter.setBrush(s == dui::CDeviceState::kNone ? theme::TextMuted().darker(130) : theme::Ok());
  painter.drawEllipse(QRectF(2, height() / 2.0 - d / 2, d, d));
  TextWidget::DrawTitle(painter, rect().adjusted(static_cast<int>(d) + 10, 0, 0, 0), state);
}

}  // namespace corvatt::view
