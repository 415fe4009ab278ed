#include "view/ProgressWidget.h"

#include <QPainter>

#include "common/ui/MProgress.h"
#include "view/Theme.h"

namespace corvatt::view {

ProgressWidget::ProgressWidget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

void ProgressWidget::DrawBar(QPainter& painter, const QRect& area, double start, double end,
                             const QColor& color) {
  const double h = std::min(8.0, static_cast<double>(area.height()));
  const QRectF track(area.left(), area.center().y() - h / 2 + 0.5, area.width(), h);
  painter.setPen(Qt::NoPen);
  painter.setBrush(theme::SurfaceHover());
  painter.drawRoundedRect(track, h / 2, h / 2);
  if (end <= start) return;
  const QRectF bar(track.left() + track.width() * start, track.top(),
                   std::max(h, track.width() * (end - start)), h);
  painter.setBrush(color);
  painter.drawRoundedRect(bar.intersected(track), h / 2, h / 2);
}

void ProgressWidget::Paint(QPainter& painter) {
  const auto& progress = static_cast<const dui::MProgress&>(Control());
  const QColor color = progress.GetBarColor() != 0 ? theme::FromArgb(progress.GetBarColor())
                                                   : theme::Accent();
  DrawBar(painter, rect(), 0.0, progress.GetFraction(), color);
}

}  // namespace corvatt::view
