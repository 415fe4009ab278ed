#include "view/ImageButtonWidget.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "common/ui/CImageButton.h"
#include "view/Theme.h"

namespace corvatt::view {

namespace {

bool Has(const std::string& name, const char* part) { return name.find(part) != std::string::npos; }

void DrawGlyph(QPainter& p, const QRectF& box, const std::string& name, const QColor& color) {
  const double s = std::min(box.width(), box.height()) * 0.36;
  const QPointF c = box.center();
  p.setPen(QPen(color, std::max(1.5, s / 5), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  if (Has(name, "close")) {
    p.drawLine(QPointF(c.x() - s / 2, c.y() - s / 2), QPointF(c.x() + s / 2, c.y() + s / 2));
    p.drawLine(QPointF(c.x() + s / 2, c.y() - s / 2), QPointF(c.x() - s / 2, c.y() + s / 2));
  } else if (Has(name, "min")) {
    p.drawLine(QPointF(c.x() - s / 2, c.y()), QPointF(c.x() + s / 2, c.y()));
  } else if (Has(name, "maximize")) {
    p.drawRoundedRect(QRectF(c.x() - s / 2, c.y() - s / 2, s, s), 1.5, 1.5);
  } else if (Has(name, "restore")) {
    const double d = s * 0.25;
    p.drawRoundedRect(QRectF(c.x() - s / 2, c.y() - s / 2 + d, s - d, s - d), 1.5, 1.5);
    QPainterPath back;
    back.moveTo(c.x() - s / 2 + d, c.y() - s / 2 + d);
    back.lineTo(c.x() - s / 2 + d, c.y() - s / 2);
    back.lineTo(c.x() + s / 2, c.y() - s / 2);
    back.lineTo(c.x() + s / 2, c.y() + s / 2 - d);
    back.lineTo(c.x() + s / 2 - d, c.y() + s / 2 - d);
    p.drawPath(back);
  } else if (Has(name, "setting")) {
    const double r = s * 0.55;
    for (int i = 0; i < 8; ++i) {
      const double a = i * M_PI / 4;
      p.drawLine(QPointF(c.x() + std::cos(a) * r, c.y() + std::sin(a) * r),
                 QPointF(c.x() + std::cos(a) * (r + s * 0.28), c.y() + std::sin(a) * (r + s * 0.28)));
    }
    p.drawEllipse(c, r, r);
    p.drawEllipse(c, r * 0.35, r * 0.35);
  } else if (Has(name, "pre") || Has(name, "next")) {
    const double dir = Has(name, "pre") ? -1 : 1;
    QPainterPath chevron;
    chevron.moveTo(c.x() - dir * s / 4, c.y() - s / 2);
    chevron.lineTo(c.x() + dir * s / 4, c.y());
    chevron.lineTo(c.x() - dir * s / 4, c.y() + s / 2);
    p.drawPath(chevron);
  } else {
    p.drawEllipse(c, s / 3, s / 3);
  }
}

}  // namespace

void ImageButtonWidget::Paint(QPainter& painter) {
  auto& button = static_cast<dui::CImageButton&>(Control());
  const std::string name = button.GetImage();
  const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const QPixmap image = theme::Image(name);
  const bool own_states = !button.GetHoverImage().empty() || !button.GetPressedImage().empty();
  if (!image.isNull() && own_states) {
    DrawImage(painter);
    return;
  }
  if ((Hovered() || Pressed()) && button.IsEnabled()) {
    painter.setPen(Qt::NoPen);
    QColor hover = Has(name, "close") ? theme::Danger() : theme::SurfaceHover();
    if (Pressed()) hover = hover.darker(115);
    painter.setBrush(hover);
    painter.drawRoundedRect(r, 6, 6);
  }
  if (!image.isNull()) {
    painter.save();
    if (!button.IsEnabled()) painter.setOpacity(0.4);
    painter.drawPixmap(r, image, image.rect());
    painter.restore();
    return;
  }
  QColor color = Hovered() ? theme::Text() : theme::TextMuted();
  if (!button.IsEnabled()) color.setAlpha(90);
  DrawGlyph(painter, r, name, color);
}

}  // namespace corvatt::view
