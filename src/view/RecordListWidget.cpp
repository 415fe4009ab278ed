#include "view/RecordListWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "common/ui/CRecordList.h"
#include "common/ui/Manager.h"
#include "view/Theme.h"

namespace corvatt::view {

RecordListWidget::RecordListWidget(dui::MControl& control, QWidget* parent) : ControlWidget(control, parent) {
  setFocusPolicy(Qt::StrongFocus);
}

void RecordListWidget::ClampFirst(int count) {
  m_first = std::clamp(m_first, 0, std::max(0, count - VisibleRows()));
}

void RecordListWidget::SyncFromModel() {
  ControlWidget::SyncFromModel();
  const auto& list = static_cast<const dui::CRecordList&>(Control());
  const int select = list.GetSelectItem();
  if (select != m_shown_select && select >= 0) {
    if (select < m_first) m_first = select;
    if (select >= m_first + VisibleRows()) m_first = select - VisibleRows() + 1;
  }
  m_shown_select = select;
  ClampFirst(list.GetItemCount());
}

int RecordListWidget::RowAt(QPoint pos) const {
  if (pos.y() < 0) return -1;
  const int row = m_first + pos.y() / kRowHeight;
  return row < static_cast<const dui::CRecordList&>(Control()).GetItemCount() ? row : -1;
}

void RecordListWidget::Paint(QPainter& painter) {
  const auto& list = static_cast<const dui::CRecordList&>(Control());
  const auto items = list.GetItems();
  const int selected = list.GetSelectItem();
  const int count = static_cast<int>(items.size());
  painter.setPen(QPen(hasFocus() ? theme::Accent() : theme::Border(), 1));
  painter.setBrush(theme::Surface());
  painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
  painter.setFont(theme::Font({}, 14));
  const int last = std::min(count, m_first + VisibleRows());
  for (int i = m_first; i < last; ++i) {
    const QRectF row(3, (i - m_first) * kRowHeight + 1, width() - 6 - (count > VisibleRows() ? 6 : 0), kRowHeight - 2);
    if (i == selected) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(theme::SurfaceHover());
      painter.drawRoundedRect(row, 5, 5);
    }
    const bool delay = items[i].type == dui::CRecordList::kDelayType;
    painter.setPen(theme::TextMuted());
    painter.drawText(QRectF(row.left() + 8, row.top(), 40, row.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::number(i + 1));
    painter.setPen(i == selected ? theme::Accent() : delay ? theme::TextMuted() : theme::Text());
    painter.drawText(row.adjusted(56, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(theme::ToQt(items[i].text), Qt::ElideRight, int(row.width()) - 64));
  }
  if (count > VisibleRows()) {
    // Scroll position.
    const double track = height() - 8.0;
    const double thumb = std::max(18.0, track * VisibleRows() / count);
    const double top = 4 + (track - thumb) * m_first / std::max(1, count - VisibleRows());
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme::Border().lighter(130));
    painter.drawRoundedRect(QRectF(width() - 7, top, 3, thumb), 1.5, 1.5);
  }
}

void RecordListWidget::Clicked(QPoint pos) {
  int index;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    index = RowAt(pos);
  }
  if (index >= 0) Deliver([index](dui::MControl& c) { static_cast<dui::CRecordList&>(c).ActivateItem(index); });
}

void RecordListWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    int index;
    {
      std::lock_guard lock(dui::Manager::Instance().UiLock());
      index = RowAt(event->pos());
    }
    if (index >= 0) Deliver([index](dui::MControl& c) { static_cast<dui::CRecordList&>(c).RightClick(index); });
    event->accept();
    return;
  }
  ControlWidget::mousePressEvent(event);
}

void RecordListWidget::wheelEvent(QWheelEvent* event) {
  int count;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    count = static_cast<const dui::CRecordList&>(Control()).GetItemCount();
  }
  m_first -= event->angleDelta().y() / 40;
  ClampFirst(count);
  update();
  event->accept();
}

void RecordListWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Up && event->key() != Qt::Key_Down) {
    ControlWidget::keyPressEvent(event);
    return;
  }
  const int delta = event->key() == Qt::Key_Up ? -1 : 1;
  Deliver([delta](dui::MControl& c) {
    auto& list = static_cast<dui::CRecordList&>(c);
    if (list.GetItemCount() == 0) return;
    const int target = std::clamp(list.GetSelectItem() + delta, 0, list.GetItemCount() - 1);
    if (target != list.GetSelectItem()) list.ActivateItem(target);
  });
  event->accept();
}

}  // namespace corvatt::view
