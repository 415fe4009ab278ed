#include "view/SliderWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

#include "common/ui/DPISlider.h"
#include "common/ui/Manager.h"
#include "view/Theme.h"

namespace corvatt::view {

namespace {
constexpr double kThumb = 9;
}  // namespace

SliderWidget::SliderWidget(dui::MControl& control, QWidget* parent) : ControlWidget(control, parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

double SliderWidget::TrackY() const {
  // The DPI slider's value sits above the track, its range texts below.
  return height() / 2.0;
}

int SliderWidget::PositionAt(double x) const {
  const auto& slider = static_cast<const dui::LightSlider&>(Control());
  const double x0 = kThumb + 2, x1 = width() - kThumb - 2;
  const double t = x1 > x0 ? std::clamp((x - x0) / (x1 - x0), 0.0, 1.0) : 0.0;
  return slider.GetMin() + static_cast<int>(std::lround(t * (slider.GetMax() - slider.GetMin())));
}

double SliderWidget::XOf(int pos) const {
  const auto& slider = static_cast<const dui::LightSlider&>(Control());
  const double x0 = kThumb + 2, x1 = width() - kThumb - 2;
  const int span = slider.GetMax() - slider.GetMin();
  return span <= 0 ? x0 : x0 + (x1 - x0) * (pos - slider.GetMin()) / double(span);
}

void SliderWidget::Paint(QPainter& painter) {
  const auto& slider = static_cast<const dui::LightSlider&>(Control());
  const double y = TrackY();
  const double x0 = kThumb + 2, x1 = width() - kThumb - 2;
  const double thumb_x = XOf(slider.GetProgress());
  const QColor accent = Control().IsEnabled() ? theme::Accent() : theme::TextMuted();
  painter.setPen(Qt::NoPen);
  painter.setBrush(theme::Border());
  painter.drawRoundedRect(QRectF(x0, y - 2.5, x1 - x0, 5), 2.5, 2.5);
  painter.setBrush(accent);
  painter.drawRoundedRect(QRectF(x0, y - 2.5, thumb_x - x0, 5), 2.5, 2.5);
  // Steps of a short range as ticks.
  const int span = slider.GetMax() - slider.GetMin();
  if (span > 0 && span <= 10) {
    for (int p = slider.GetMin(); p <= slider.GetMax(); ++p) {
      painter.setBrush(p <= slider.GetProgress() ? accent.lighter(130) : theme::Border().lighter(140));
      painter.drawEllipse(QPointF(XOf(p), y), 2.5, 2.5);
    }
  }
  painter.setPen(QPen(accent, 2));
  painter.setBrush(m_dragging || Hovered() ? theme::Text() : theme::Background().lighter(160));
  painter.drawEllipse(QPointF(thumb_x, y), kThumb, kThumb);
  if (hasFocus()) {
    painter.setPen(QPen(accent, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(thumb_x, y), kThumb + 4, kThumb + 4);
  }
  if (const auto* dpi = dynamic_cast<const dui::DPISlider*>(&slider)) {
    painter.setFont(theme::Font({}, 12));
    painter.setPen(theme::TextMuted());
    const double below = y + kThumb + 2;
    painter.drawText(QRectF(0, below, width() / 2.0, height() - below), Qt::AlignLeft | Qt::AlignTop,
                     theme::ToQt(dpi->GetLowDesc()));
    painter.drawText(QRectF(width() / 2.0, below, width() / 2.0, height() - below),
                     Qt::AlignRight | Qt::AlignTop, theme::ToQt(dpi->GetHighDesc()));
    const QString value = theme::ToQt(dpi->GetValueText());
    if (!value.isEmpty()) {
      painter.setFont(theme::Font({}, 13, true));
      painter.setPen(theme::Text());
      const double w = painter.fontMetrics().horizontalAdvance(value) + 8;
      const double left = std::clamp(thumb_x - w / 2, 0.0, std::max(0.0, width() - w));
      painter.drawText(QRectF(left, 0, w, y - kThumb - 2), Qt::AlignCenter | Qt::AlignBottom, value);
    }
  }
}

void SliderWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  m_dragging = true;
  int pos;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    pos = PositionAt(event->position().x());
  }
  m_last_sent = pos;
  Deliver([pos](dui::MControl& c) { static_cast<dui::LightSlider&>(c).Drag(pos); });
  update();
  event->accept();
}

void SliderWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!m_dragging) return;
  int pos;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    pos = PositionAt(event->position().x());
  }
  if (pos == m_last_sent) return;
  m_last_sent = pos;
  Deliver([pos](dui::MControl& c) { static_cast<dui::LightSlider&>(c).Drag(pos); });
  event->accept();
}

void SliderWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_dragging) return;
  m_dragging = false;
  int pos;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    pos = PositionAt(event->position().x());
  }
  Deliver([pos](dui::MControl& c) { static_cast<dui::LightSlider&>(c).Release(pos); });
  update();
  event->accept();
}

void SliderWidget::keyPressEvent(QKeyEvent* event) {
  int delta = 0;
  int span;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    const auto& slider = static_cast<const dui::LightSlider&>(Control());
    span = slider.GetMax() - slider.GetMin();
  }
  const int page = std::max(1, span / 10);
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down: delta = -1; break;
    case Qt::Key_Right:
    case Qt::Key_Up: delta = 1; break;
    case Qt::Key_PageDown: delta = -page; break;
    case Qt::Key_PageUp: delta = page; break;
    case Qt::Key_Home: delta = -span; break;
    case Qt::Key_End: delta = span; break;
    default: ControlWidget::keyPressEvent(event); return;
  }
  Deliver([delta](dui::MControl& c) { static_cast<dui::LightSlider&>(c).Step(delta); });
  event->accept();
}

}  // namespace corvatt::view
