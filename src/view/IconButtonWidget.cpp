#include "view/IconButtonWidget.h"

#include <QPainter>

#include "common/ui/CIconButton.h"
#include "view/TextWidget.h"
#include "view/Theme.h"

namespace corvatt::view {

void IconButtonWidget::Paint(QPainter& painter) {
  auto& button = static_cast<dui::CIconButton&>(Control());
  if (!DrawImage(painter)) {
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(Hovered() ? theme::Accent() : theme::Border(), 1));
    painter.setBrush(Pressed() ? theme::Surface().darker(110)
                     : Hovered() ? theme::SurfaceHover()
                                 : theme::Surface());
    painter.drawRoundedRect(r, 8, 8);
  }
  QRect text_area = rect().adjusted(10, 0, -10, 0);
  const QPixmap icon = theme::Image(button.GetIcon());
  const int side = std::min(height() - 12, 22);
  if (!icon.isNull() && side > 0) {
    painter.drawPixmap(QRect(12, (height() - side) / 2, side, side), icon);
    text_area.setLeft(12 + side + 8);
  } else if (!button.GetIcon().empty() && side > 0) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme::Accent());
    painter.drawEllipse(QRectF(14, (height() - 8) / 2.0, 8, 8));
    text_area.setLeft(30);
  }
  TextWidget::DrawTitle(painter, text_area, button);
}

}  // namespace corvatt::view
