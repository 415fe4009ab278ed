#include "view/BatteryWidget.h"

#include <QPainter>

#include "common/ui/BatteryCtrl.h"
#include "view/Theme.h"

namespace corvatt::view {

BatteryWidget::BatteryWidget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

void BatteryWidget::Paint(QPainter& painter) {
  const auto& battery = static_cast<const dui::BatteryCtrl&>(Control());
  const double h = std::min(height() - 4.0, 16.0);
  const double w = h * 1.9;
  const QRectF body(2, height() / 2.0 - h / 2, w, h);
  painter.setPen(QPen(theme::TextMuted(), 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(body, 3, 3);
  painter.setPen(Qt::NoPen);
  painter.setBrush(theme::TextMuted());
  painter.drawRoundedRect(QRectF(body.right() + 1, body.center().y() - h / 5, 2.5, h / 2.5), 1, 1);
  const int level = battery.GetShownLevel();
  if (battery.IsKnown()) {
    const QColor fill = level <= 15 ? theme::Danger() : level <= 35 ? QColor(0xf0, 0xb4, 0x29)
                                                                    : theme::Ok();
    painter.setBrush(fill);
    const QRectF inner = body.adjusted(2.5, 2.5, -2.5, -2.5);
    painter.drawRoundedRect(QRectF(inner.left(), inner.top(), inner.width() * level / 100.0,
                                   inner.height()), 1.5, 1.5);
  }
  painter.setFont(theme::Font({}, 13));
  painter.setPen(theme::Text());
  const QString text = battery.IsKnown() ? QStringLiteral("%1%").arg(level) : QStringLiteral("--");
  painter.drawText(QRectF(body.right() + 8, 0, width() - body.right() - 8, height()),
                   Qt::AlignLeft | Qt::AlignVCenter, text);
}

}  // namespace corvatt::view
