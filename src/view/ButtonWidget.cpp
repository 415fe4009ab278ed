#include "view/ButtonWidget.h"

#include <QKeyEvent>
#include <QPainter>

#include "common/ui/MButton.h"
#include "view/TextWidget.h"
#include "view/Theme.h"

namespace corvatt::view {

ButtonWidget::ButtonWidget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent) {
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::TabFocus);
}

void ButtonWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
      event->key() == Qt::Key_Enter) {
    Clicked(rect().center());
    event->accept();
    return;
  }
  ControlWidget::keyPressEvent(event);
}

void ButtonWidget::DrawFocus(QPainter& painter) {
  if (!hasFocus()) return;
  painter.save();
  painter.setPen(QPen(theme::Accent(), 1, Qt::DotLine));
  painter.setBrush(Qt::NoBrush);
  const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  const double radius = std::min(8.0, r.height() / 2);
  painter.drawRoundedRect(r, radius, radius);
  painter.restore();
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
  const double ratio = (image.width() / static_cast<double>(image.height())) /
                       (width() / std::max(1.0, static_cast<double>(height())));
  if (ratio < 1 / 1.3 || ratio > 1.3) {
    // Three slices: the rounded ends keep their shape, the middle stretches.
    const int cap = std::min(image.width() / 3, image.height() / 2);
    const double scale = height() / static_cast<double>(image.height());
    const double dst_cap = std::min(cap * scale, width() / 2.0);
    const QRectF r(rect());
    painter.drawPixmap(QRectF(r.left(), r.top(), dst_cap, r.height()), image,
                       QRectF(0, 0, cap, image.height()));
    painter.drawPixmap(QRectF(r.left() + dst_cap, r.top(), r.width() - 2 * dst_cap, r.height()),
                       image, QRectF(cap, 0, image.width() - 2 * cap, image.height()));
    painter.drawPixmap(QRectF(r.right() - dst_cap, r.top(), dst_cap, r.height()), image,
                       QRectF(image.width() - cap, 0, cap, image.height()));
  } else {
    painter.drawPixmap(QRectF(rect()), image, image.rect());
  }
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
  DrawFocus(painter);
}

void ButtonWidget::Clicked(QPoint) {
  Deliver([](dui::MControl& control) { static_cast<dui::MButton&>(control).Click(); });
}

}  // namespace corvatt::view
