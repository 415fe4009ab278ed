#include "view/PaletteWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "common/ui/MPalette.h"
#include "view/Theme.h"

namespace corvatt::view {

PaletteWidget::PaletteWidget(dui::MControl& control, QWidget* parent) : ControlWidget(control, parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::CrossCursor);
}

QRectF PaletteWidget::Field() const { return QRectF(rect()).adjusted(1, 1, -1, -1); }

void PaletteWidget::Paint(QPainter& painter) {
  const auto& palette = static_cast<const dui::MPalette&>(Control());
  const QRectF field = Field();
  const QSize size = field.size().toSize();
  if (m_field.size() != size && !size.isEmpty()) {
    m_field = QImage(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
      const double saturation = 1.0 - y / std::max(1.0, size.height() - 1.0);
      auto* line = reinterpret_cast<QRgb*>(m_field.scanLine(y));
      for (int x = 0; x < size.width(); ++x) {
        const uint32_t c = dui::MPalette::HsvToColor(360.0 * x / std::max(1, size.width()), saturation, 1.0);
        line[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
      }
    }
  }
  QPainterPath clip;
  clip.addRoundedRect(field, 8, 8);
  painter.save();
  painter.setClipPath(clip);
  painter.drawImage(field.topLeft(), m_field);
  if (!palette.IsEnabled()) painter.fillRect(field, QColor(0, 0, 0, 120));
  painter.restore();
  painter.setPen(QPen(hasFocus() ? theme::Accent() : theme::Border(), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(clip);
  const QPointF ring(field.left() + field.width() * palette.GetHue() / 360.0,
                     field.top() + field.height() * (1.0 - palette.GetSaturation()));
  const uint32_t c = palette.GetSelectColor();
  painter.setPen(QPen(Qt::white, 2));
  painter.setBrush(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
  painter.drawEllipse(ring, 7, 7);
  painter.setPen(QPen(QColor(0, 0, 0, 140), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(ring, 8.5, 8.5);
}

void PaletteWidget::PickAt(QPointF pos, bool released) {
  const QRectF field = Field();
  const double hue = std::clamp((pos.x() - field.left()) / std::max(1.0, field.width()), 0.0, 1.0) * 360.0;
  const double saturation = 1.0 - std::clamp((pos.y() - field.top()) / std::max(1.0, field.height()), 0.0, 1.0);
  Deliver([hue, saturation, released](dui::MControl& c) {
    static_cast<dui::MPalette&>(c).Pick(hue, saturation, released);
  });
}

void PaletteWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  m_dragging = true;
  PickAt(event->position(), false);
  event->accept();
}

void PaletteWidget::mouseMoveEvent(QMouseEvent* event) {
  if (m_dragging) PickAt(event->position(), false);
  event->accept();
}

void PaletteWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_dragging) return;
  m_dragging = false;
  PickAt(event->position(), true);
  event->accept();
}

void PaletteWidget::keyPressEvent(QKeyEvent* event) {
  double hue = 0, saturation = 0;
  switch (event->key()) {
    case Qt::Key_Left: hue = -5; break;
    case Qt::Key_Right: hue = 5; break;
    case Qt::Key_Up: saturation = 0.05; break;
    case Qt::Key_Down: saturation = -0.05; break;
    default: ControlWidget::keyPressEvent(event); return;
  }
  Deliver([hue, saturation](dui::MControl& c) { static_cast<dui::MPalette&>(c).Step(hue, saturation); });
  event->accept();
}

}  // namespace corvatt::view
