#include "view/TabCtrlWidget.h"

#include <QMouseEvent>
#include <QPainter>

#include "common/ui/MTabCtrl.h"
#include "common/ui/Manager.h"
#include "view/Theme.h"

namespace corvatt::view {

TabCtrlWidget::TabCtrlWidget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent) {
  setMouseTracking(true);
  setCursor(Qt::PointingHandCursor);
}

std::vector<std::pair<int, QRect>> TabCtrlWidget::Cells() const {
  const auto& tabs = static_cast<const dui::MTabCtrl&>(Control());
  const auto items = tabs.GetItems();
  std::vector<int> shown;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].visible) shown.push_back(static_cast<int>(i));
  }
  std::vector<std::pair<int, QRect>> cells;
  if (shown.empty()) return cells;
  const bool vertical = height() > width();
  const int n = static_cast<int>(shown.size());
  for (int k = 0; k < n; ++k) {
    QRect cell;
    if (vertical) {
      const int h = std::min(64, height() / n);
      cell = QRect(0, k * h, width(), h);
    } else {
      const int w = width() / n;
      cell = QRect(k * w, 0, k == n - 1 ? width() - k * w : w, height());
    }
    cells.emplace_back(shown[k], cell);
  }
  return cells;
}

int TabCtrlWidget::ItemAt(QPoint pos) const {
  for (const auto& [index, cell] : Cells()) {
    if (cell.contains(pos)) return index;
  }
  return -1;
}

void TabCtrlWidget::Paint(QPainter& painter) {
  const auto& tabs = static_cast<const dui::MTabCtrl&>(Control());
  const auto items = tabs.GetItems();
  const int selected = tabs.GetSelectItem();
  const bool vertical = height() > width();
  for (const auto& [index, cell] : Cells()) {
    const auto& item = items[static_cast<size_t>(index)];
    const bool is_selected = index == selected;
    const QRect inner = cell.adjusted(4, 4, -4, -4);
    if (is_selected || index == m_hover) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(is_selected ? theme::SurfaceHover() : theme::Surface());
      painter.drawRoundedRect(inner, 8, 8);
    }
    if (is_selected) {
      painter.setBrush(theme::Accent());
      if (vertical) {
        painter.drawRoundedRect(QRectF(inner.left(), inner.top() + 8, 3, inner.height() - 16), 1.5, 1.5);
      } else {
        painter.drawRoundedRect(QRectF(inner.center().x() - 18, inner.bottom() - 3, 36, 3), 1.5, 1.5);
      }
    }
    const QPixmap icon = theme::Image(item.icon);
    const QString text = theme::ToQt(item.text);
    painter.setFont(theme::Font({}, 14));
    painter.setPen(is_selected ? theme::Text() : theme::TextMuted());
    painter.setOpacity(is_selected ? 1.0 : 0.75);
    if (vertical) {
      // Icon left, caption right.
      const int side = std::min(26, inner.height() - 12);
      int text_left = inner.left() + 18;
      if (!icon.isNull() && side > 0) {
        painter.drawPixmap(QRect(inner.left() + 18, inner.center().y() - side / 2, side, side), icon);
        text_left += side + 12;
      }
      const QRect text_rect(text_left, inner.top(), inner.right() - text_left - 6, inner.height());
      painter.setOpacity(1.0);
      painter.drawText(text_rect, Qt::AlignLeft | Qt::AlignVCenter,
                       painter.fontMetrics().elidedText(text, Qt::ElideRight, text_rect.width()));
    } else {
      // Icon above the caption.
      const int side = std::min(26, inner.height() / 2);
      QRect text_rect = inner;
      if (!icon.isNull() && side > 0) {
        const QRect icon_rect(inner.center().x() - side / 2,
                              inner.top() + inner.height() / 2 - side + 2, side, side);
        painter.drawPixmap(icon_rect, icon);
        text_rect.setTop(icon_rect.bottom() + 4);
      }
      painter.setOpacity(1.0);
      painter.drawText(text_rect,
                       (icon.isNull() ? Qt::AlignVCenter : Qt::AlignTop) | Qt::AlignHCenter,
                       painter.fontMetrics().elidedText(text, Qt::ElideRight, text_rect.width()));
    }
  }
}

void TabCtrlWidget::Clicked(QPoint pos) {
  int index;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    index = ItemAt(pos);
  }
  if (index < 0) return;
  Deliver([index](dui::MControl& control) { static_cast<dui::MTabCtrl&>(control).UserSelect(index); });
}

void TabCtrlWidget::mouseMoveEvent(QMouseEvent* event) {
  int hover;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    hover = ItemAt(event->pos());
  }
  if (hover != m_hover) {
    m_hover = hover;
    update();
  }
  ControlWidget::mouseMoveEvent(event);
}

}  // namespace corvatt::view
