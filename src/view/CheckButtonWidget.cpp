#include "view/CheckButtonWidget.h"

#include <QPainter>
#include <QPainterPath>

#include "common/ui/CCheckButton.h"
#include "view/TextWidget.h"
#include "view/Theme.h"

namespace corvatt::view {

CheckButtonWidget::CheckButtonWidget(dui::MControl& control, QWidget* parent)
    : ButtonWidget(control, parent) {}

void CheckButtonWidget::Paint(QPainter& painter) {
  const auto& button = static_cast<const dui::CCheckButton&>(Control());
  const bool radio = button.GetClickMode() == dui::CCheckButton::ClickMode::kRadio;
  const bool checked = button.GetCheck();
  const bool enabled = button.IsEnabled();
  const QColor accent = enabled ? theme::Accent() : theme::TextMuted();
  const double d = std::min(18.0, height() - 4.0);
  const QRectF box(1.5, (height() - d) / 2, d, d);
  painter.setPen(QPen(checked ? accent : Hovered() && enabled ? theme::Text() : theme::TextMuted(), 1.5));
  painter.setBrush(checked && !radio ? accent : theme::Background().lighter(115));
  if (radio) {
    painter.drawEllipse(box);
    if (checked) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(accent);
      painter.drawEllipse(box.center(), d * 0.25, d * 0.25);
    }
  } else {
    painter.drawRoundedRect(box, 4, 4);
    if (checked) {
      QPainterPath tick;
      tick.moveTo(box.left() + d * 0.24, box.top() + d * 0.52);
      tick.lineTo(box.left() + d * 0.43, box.top() + d * 0.70);
      tick.lineTo(box.left() + d * 0.77, box.top() + d * 0.32);
      painter.setPen(QPen(theme::Background(), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      painter.setBrush(Qt::NoBrush);
      painter.drawPath(tick);
    }
  }
  if (hasFocus()) {
    painter.setPen(QPen(accent, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box.adjusted(-3, -3, 3, 3), radio ? d / 2 + 3 : 6, radio ? d / 2 + 3 : 6);
  }
  TextWidget::DrawTitle(painter, rect().adjusted(static_cast<int>(d) + 10, 0, 0, 0), button);
}

void ToggleButtonWidget::Paint(QPainter& painter) {
  const auto& button = static_cast<const dui::CCheckButton&>(Control());
  const bool checked = button.GetCheck();
  if (!DrawImage(painter)) {
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor fill = checked ? theme::Accent() : theme::SurfaceHover();
    if (Pressed()) fill = fill.darker(130);
    else if (Hovered() && button.IsEnabled()) fill = fill.lighter(120);
    painter.setPen(QPen(checked || Hovered() ? theme::Accent() : theme::Border(), 1));
    painter.setBrush(fill);
    const double radius = std::min(8.0, r.height() / 2);
    painter.drawRoundedRect(r, radius, radius);
  } else if (checked) {
    painter.setPen(QPen(theme::Accent(), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
  }
  const QColor text = checked ? theme::Background() : theme::Text();
  TextWidget::DrawTitle(painter, rect().adjusted(8, 0, -8, 0), button, checked ? &text : nullptr);
  DrawFocus(painter);
}

}  // namespace corvatt::view
