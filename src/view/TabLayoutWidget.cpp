#include "view/TabLayoutWidget.h"

#include <QPainter>

#include "common/ui/MTabLayout.h"
#include "view/Theme.h"

namespace corvatt::view {

TabLayoutWidget::TabLayoutWidget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

void TabLayoutWidget::Paint(QPainter& painter) {
  const auto& page = static_cast<const dui::MTabLayout&>(Control());
  if (page.GetBkColor() != 0) painter.fillRect(rect(), theme::FromArgb(page.GetBkColor()));
  const QPixmap image = theme::Image(page.GetBkImage());
  if (!image.isNull()) painter.drawPixmap(QRectF(rect()), image, image.rect());
}

}  // namespace corvatt::view
