#include "view/ColorButtonWidget.h"

#include <QPainter>
#include <QToolTip>

#include "common/ui/CArea.h"
#include "common/ui/CColorButton.h"
#include "common/ui/Types.h"
#include "view/Theme.h"

namespace corvatt::view {

void ColorButtonWidget::Paint(QPainter& painter) {
  const auto& button = static_cast<const dui::CColorButton&>(Control());
  const double d = std::min(width(), height()) - 2.0;
  const QRectF outer((width() - d) / 2, (height() - d) / 2, d, d);
  const bool checked = button.GetCheck();
  if (checked || Hovered() || hasFocus()) {
    painter.setPen(QPen(checked ? theme::Accent() : theme::TextMuted(), checked ? 2 : 1,
                        hasFocus() && !checked ? Qt::DotLine : Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(outer.adjusted(1, 1, -1, -1));
  }
  const double inset = std::max(3.0, d * 0.16);
  painter.setPen(QPen(theme::Border(), 1));
  painter.setBrush(theme::FromArgb(dui::RgbToArgb(button.GetColor())));
  painter.drawEllipse(outer.adjusted(inset, inset, -inset, -inset));
  if (!button.IsEnabled()) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 120));
    painter.drawEllipse(outer);
  }
}

void HelpButtonWidget::Paint(QPainter& painter) {
  const double d = std::min(width(), height()) - 2.0;
  const QRectF circle((width() - d) / 2, (height() - d) / 2, d, d);
  const bool hot = Hovered() || hasFocus();
  painter.setPen(QPen(hot ? theme::Accent() : theme::TextMuted(), 1.4));
  painter.setBrush(hot ? theme::SurfaceHover() : Qt::NoBrush);
  painter.drawEllipse(circle);
  painter.setFont(theme::Font({}, std::max(9, static_cast<int>(d * 0.62)), true));
  painter.setPen(hot ? theme::Accent() : theme::TextMuted());
  painter.drawText(circle, Qt::AlignCenter, QStringLiteral("?"));
}

void HelpButtonWidget::Clicked(QPoint pos) {
  if (!toolTip().isEmpty()) QToolTip::showText(mapToGlobal(pos), toolTip(), this);
  ButtonWidget::Clicked(pos);
}

AreaWidget::AreaWidget(dui::MControl& control, QWidget* parent) : ControlWidget(control, parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

void AreaWidget::Paint(QPainter& painter) {
  const auto& area = static_cast<const dui::CArea&>(Control());
  painter.setPen(QPen(theme::Border(), 1));
  painter.setBrush(theme::FromArgb(dui::RgbToArgb(area.GetColor())));
  const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  if (area.IsRound()) {
    const double d = std::min(r.width(), r.height());
    painter.drawEllipse(QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d));
  } else {
    painter.drawRoundedRect(r, 8, 8);
  }
}

}  // namespace corvatt::view
