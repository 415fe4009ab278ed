#include "view/PictureWidget.h"

#include <QPainter>

#include "common/ui/MPicture.h"
#include "view/Theme.h"

namespace corvatt::view {

PictureWidget::PictureWidget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

void PictureWidget::Paint(QPainter& painter) {
  auto& picture = static_cast<dui::MPicture&>(Control());
  const QRectF area = rect();
  if (const uint32_t bk = picture.GetBkColor(); bk != 0) {
    painter.fillRect(area, theme::FromArgb(bk));
  }
  const std::string name = picture.GetImage();
  const QPixmap image = theme::Image(name);
  if (!image.isNull()) {
    // Stretch as the skin expects, but fit an image that stretching would plainly distort.
    const double ratio = (image.width() / static_cast<double>(image.height())) /
                         (area.width() / std::max(1.0, area.height()));
    if (picture.GetKeepAspect() || ratio > 1.5 || ratio < 1 / 1.5) {
      QSizeF size = image.size();
      size.scale(area.size(), Qt::KeepAspectRatio);
      const QRectF target(area.center().x() - size.width() / 2,
                          area.center().y() - size.height() / 2, size.width(), size.height());
      painter.drawPixmap(target, image, image.rect());
    } else {
      painter.drawPixmap(area, image, image.rect());
    }
    return;
  }
  if (name.empty() || picture.GetBkColor() != 0) return;
  // Missing image: a quiet panel so the layout still reads.
  painter.setPen(QPen(theme::Border(), 1));
  painter.setBrush(theme::Surface());
  painter.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

}  // namespace corvatt::view
