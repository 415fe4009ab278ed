#include "view/ButtonWidget.h"

#include <QPainter>

#include "common/ui/MButton.h"
#include "view/TextWidget.h"
#include "view/Theme.h"

namespace corvatt::view {

ButtonWidget::ButtonWidget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent) {
  setCursor(Qt::PointingHandCursor);
}

bool ButtonWidget::DrawImage(QPainter& painter) {
  auto& button = static_cast<dui::MButton&>(Control());
  std::string name = button.GetImage();
  if (!button.IsEnabled() && !button.GetDisabledImage().empty()) {
    name = button.GetDisabledImage();
  } else if (Pressed() && !button.GetPressedImage().empty()) {
    name = button.GetPressedImage();
  } else if (Hovered() && !button.GetHoverImage().empty()) {
    name = button.GetHoverImage();
  }
  const QPixmap image = theme::Image(name);
  if (image.isNull()) return false;
  painter.save();
  if (!button.IsEnabled()) painter.setOpacity(0.4);
  painter.drawPixmap(QRectF(rect()), image, image.rect());
  const bool own_hover = Hovered() && button.GetHoverImage().empty();
  if (own_hover || Pressed()) {
    // Lighten a single-state image on hover and press.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, Pressed() ? 46 : 22));
    painter.drawRoundedRect(QRectF(rect()), 6, 6);
  }
  painter.restore();
  return true;
}

void ButtonWidget::Paint(QPainter& painter) {
  auto& button = static_cast<dui::MButton&>(Control());
  if (!DrawImage(painter)) {
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor fill = button.GetBkColor() != 0 ? theme::FromArgb(button.GetBkColor())
                                           : theme::SurfaceHover();
    if (Pressed()) {
      fill = theme::Accent().darker(130);
    } else if (Hovered() && button.IsEnabled()) {
      fill = fill.lighter(125);
    }
    painter.setPen(QPen(Hovered() && button.IsEnabled() ? theme::Accent() : theme::Border(), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(r, r.height() / 2 < 8 ? r.height() / 2 : 8,
                            r.height() / 2 < 8 ? r.height() / 2 : 8);
  }
  TextWidget::DrawTitle(painter, rect().adjusted(8, 0, -8, 0), button);
}

void ButtonWidget::Clicked(QPoint) {
  Deliver([](dui::MControl& control) { static_cast<dui::MButton&>(control).Click(); });
}

}  // namespace corvatt::view
