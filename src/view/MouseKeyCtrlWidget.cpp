#include "view/MouseKeyCtrlWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "common/ui/Manager.h"
#include "common/ui/MouseKeyCtrl.h"
#include "view/Theme.h"

namespace corvatt::view {

MouseKeyCtrlWidget::MouseKeyCtrlWidget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

QRect MouseKeyCtrlWidget::RowRect(int index, int count) const {
  if (count <= 0) return {};
  const int gap = 6;
  const int h = std::max(28, std::min(58, (height() - gap * (count - 1)) / count));
  return {0, index * (h + gap), width(), h};
}

int MouseKeyCtrlWidget::RowAt(QPoint pos) const {
  const int count = static_cast<const dui::MouseKeyCtrl&>(Control()).GetItemCount();
  for (int i = 0; i < count; ++i) {
    if (RowRect(i, count).contains(pos)) return i;
  }
  return -1;
}

void MouseKeyCtrlWidget::Paint(QPainter& painter) {
  const auto& list = static_cast<const dui::MouseKeyCtrl&>(Control());
  const auto items = list.GetItems();
  const int selected = list.GetSelectItem();
  const int count = static_cast<int>(items.size());
  const QColor accent = theme::Accent();
  for (int i = 0; i < count; ++i) {
    const QRectF row = QRectF(RowRect(i, count)).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool is_selected = i == selected;
    const bool hot = i == m_hover;
    painter.setPen(QPen(is_selected ? accent : hot ? theme::Border().lighter(150) : theme::Border(), 1));
    painter.setBrush(is_selected ? theme::SurfaceHover() : hot ? theme::SurfaceHover() : theme::Surface());
    painter.drawRoundedRect(row, 8, 8);
    if (is_selected) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(accent);
      painter.drawRoundedRect(QRectF(row.left() + 5, row.top() + 8, 4, row.height() - 16), 2, 2);
    }
    const QRectF text = row.adjusted(18, 4, -12, -4);
    const bool two_lines = row.height() >= 44;
    painter.setFont(theme::Font({}, 15));
    painter.setPen(is_selected ? theme::Text() : theme::Text().darker(110));
    const QString name = theme::ToQt(items[i].name);
    const QString desc = theme::ToQt(items[i].desc);
    if (two_lines) {
      const QRectF top(text.left(), text.top(), text.width(), text.height() / 2);
      const QRectF bottom(text.left(), text.center().y(), text.width(), text.height() / 2);
      painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter,
                       painter.fontMetrics().elidedText(name, Qt::ElideRight, int(top.width())));
      painter.setFont(theme::Font({}, 13));
      painter.setPen(is_selected ? accent : theme::TextMuted());
      painter.drawText(bottom, Qt::AlignLeft | Qt::AlignVCenter,
                       painter.fontMetrics().elidedText(desc, Qt::ElideRight, int(bottom.width())));
    } else {
      const QRectF left(text.left(), text.top(), text.width() * 0.45, text.height());
      const QRectF right(text.left() + text.width() * 0.45, text.top(), text.width() * 0.55, text.height());
      painter.drawText(left, Qt::AlignLeft | Qt::AlignVCenter,
                       painter.fontMetrics().elidedText(name, Qt::ElideRight, int(left.width())));
      painter.setFont(theme::Font({}, 13));
      painter.setPen(is_selected ? accent : theme::TextMuted());
      painter.drawText(right, Qt::AlignRight | Qt::AlignVCenter,
                       painter.fontMetrics().elidedText(desc, Qt::ElideRight, int(right.width())));
    }
  }
  if (hasFocus() && selected >= 0 && selected < count) {
    painter.setPen(QPen(accent, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(RowRect(selected, count)).adjusted(2.5, 2.5, -2.5, -2.5), 6, 6);
  }
}

void MouseKeyCtrlWidget::Clicked(QPoint pos) {
  int index;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    index = RowAt(pos);
  }
  if (index < 0) return;
  Deliver([index](dui::MControl& c) { static_cast<dui::MouseKeyCtrl&>(c).ActivateItem(index); });
}

void MouseKeyCtrlWidget::mouseMoveEvent(QMouseEvent* event) {
  int hover;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    hover = RowAt(event->pos());
  }
  if (hover != m_hover) {
    m_hover = hover;
    update();
  }
}

void MouseKeyCtrlWidget::keyPressEvent(QKeyEvent* event) {
  int delta = 0;
  if (event->key() == Qt::Key_Up) delta = -1;
  if (event->key() == Qt::Key_Down) delta = 1;
  if (delta == 0) {
    ControlWidget::keyPressEvent(event);
    return;
  }
  // Worked out when delivered: earlier key presses may still be on their way to the model.
  Deliver([delta](dui::MControl& c) {
    auto& list = static_cast<dui::MouseKeyCtrl&>(c);
    if (list.GetItemCount() == 0) return;
    const int target = std::clamp(list.GetSelectItem() + delta, 0, list.GetItemCount() - 1);
    if (target != list.GetSelectItem()) list.ActivateItem(target);
  });
  event->accept();
}

}  // namespace corvatt::view
