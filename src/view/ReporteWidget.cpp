#include "view/ReporteWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "common/ui/Manager.h"
#include "common/ui/ReporteCtrl.h"
#include "view/Theme.h"

namespace corvatt::view {

ReporteWidget::ReporteWidget(dui::MControl& control, QWidget* parent) : ControlWidget(control, parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

QRectF ReporteWidget::SegmentRect(int index, int count) const {
  if (count <= 0) return {};
  const double w = (width() - 4.0) / count;
  return {2 + index * w, 2, w, height() - 4.0};
}

int ReporteWidget::SegmentAt(QPoint pos) const {
  const int count = static_cast<const dui::ReporteCtrl&>(Control()).GetItemCount();
  for (int i = 0; i < count; ++i) {
    if (SegmentRect(i, count).contains(pos)) return i;
  }
  return -1;
}

void ReporteWidget::Paint(QPainter& painter) {
  const auto& rates = static_cast<const dui::ReporteCtrl&>(Control());
  const auto items = rates.GetItems();
  const int count = static_cast<int>(items.size());
  const int selected = rates.GetSelectItem();
  const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const double radius = std::min(10.0, outer.height() / 2);
  painter.setPen(QPen(theme::Border(), 1));
  painter.setBrush(theme::Surface());
  painter.drawRoundedRect(outer, radius, radius);
  const QColor accent = theme::Accent();
  painter.setFont(theme::Font({}, 14));
  for (int i = 0; i < count; ++i) {
    const QRectF seg = SegmentRect(i, count).adjusted(1, 1, -1, -1);
    const bool is_selected = i == selected;
    if (is_selected || i == m_hover) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(is_selected ? accent : theme::SurfaceHover());
      painter.drawRoundedRect(seg, radius - 2, radius - 2);
    } else if (i > 0 && i - 1 != selected) {
      painter.setPen(QPen(theme::Border(), 1));
      painter.drawLine(QPointF(seg.left() - 1, seg.top() + 8), QPointF(seg.left() - 1, seg.bottom() - 8));
    }
    const QString text = theme::ToQt(items[i].text);
    const double text_w = painter.fontMetrics().horizontalAdvance(text);
    const double dot = 8;
    const double start = seg.center().x() - (text_w + dot + 6) / 2;
    painter.setPen(is_selected ? QPen(theme::Background(), 1.5) : Qt::NoPen);
    painter.setBrush(theme::FromArgb(dui::RgbToArgb(items[i].color)));
    painter.drawEllipse(QRectF(start, seg.center().y() - dot / 2, dot, dot));
    painter.setPen(is_selected ? theme::Background() : theme::Text());
    painter.drawText(QRectF(start + dot + 6, seg.top(), text_w + 2, seg.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
  }
  if (hasFocus() && selected >= 0 && selected < count) {
    painter.setPen(QPen(theme::Text(), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(SegmentRect(selected, count).adjusted(3, 3, -3, -3), radius - 3, radius - 3);
  }
}

void ReporteWidget::Clicked(QPoint pos) {
  int index;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    index = SegmentAt(pos);
  }
  if (index < 0) return;
  Deliver([index](dui::MControl& c) { static_cast<dui::ReporteCtrl&>(c).Choose(index); });
}

void ReporteWidget::mouseMoveEvent(QMouseEvent* event) {
  int hover;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    hover = SegmentAt(event->pos());
  }
  if (hover != m_hover) {
    m_hover = hover;
    update();
  }
}

void ReporteWidget::keyPressEvent(QKeyEvent* event) {
  int delta = 0;
  if (event->key() == Qt::Key_Left) delta = -1;
  if (event->key() == Qt::Key_Right) delta = 1;
  if (delta == 0) {
    ControlWidget::keyPressEvent(event);
    return;
  }
  // Worked out when delivered: earlier key presses may still be on their way to the model.
  Deliver([delta](dui::MControl& c) {
    auto& rates = static_cast<dui::ReporteCtrl&>(c);
    if (rates.GetItemCount() == 0) return;
    const int target = std::clamp(rates.GetSelectItem() + delta, 0, rates.GetItemCount() - 1);
    if (target != rates.GetSelectItem()) rates.Choose(target);
  });
  event->accept();
}

}  // namespace corvatt::view
