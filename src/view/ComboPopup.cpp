#include "view/ComboPopup.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "view/Theme.h"

namespace corvatt::view {

ComboPopup::ComboPopup(QWidget* owner, QStringList items, int current, std::function<void(int)> chosen)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint),
      m_items(std::move(items)),
      m_current(current),
      m_highlight(current < 0 ? 0 : current),
      m_chosen(std::move(chosen)) {
  setWindowTitle(QStringLiteral("ComboWnd"));
  setAttribute(Qt::WA_DeleteOnClose, true);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

int ComboPopup::RowAt(QPoint pos) const {
  if (pos.x() < 0 || pos.x() >= width()) return -1;
  const int row = (pos.y() - 4) / kRowHeight;
  return pos.y() >= 4 && row < m_items.size() ? row : -1;
}

void ComboPopup::Choose(int index) {
  auto chosen = m_chosen;
  close();
  if (index >= 0 && chosen) chosen(index);
}

void ComboPopup::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.fillRect(rect(), theme::Background());
  painter.setPen(QPen(theme::Border(), 1));
  painter.setBrush(theme::Surface());
  painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
  painter.setFont(theme::Font({}, 14));
  for (int i = 0; i < m_items.size(); ++i) {
    const QRectF row(4, 4 + i * kRowHeight, width() - 8, kRowHeight);
    if (i == m_highlight) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(theme::SurfaceHover());
      painter.drawRoundedRect(row, 5, 5);
    }
    painter.setPen(i == m_current ? theme::Accent() : theme::Text());
    painter.drawText(row.adjusted(10, 0, -10, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(m_items[i], Qt::ElideRight, int(row.width()) - 20));
  }
}

void ComboPopup::mouseMoveEvent(QMouseEvent* event) {
  const int row = RowAt(event->pos());
  if (row >= 0 && row != m_highlight) {
    m_highlight = row;
    update();
  }
}

void ComboPopup::mouseReleaseEvent(QMouseEvent* event) {
  if (!rect().contains(event->pos())) {
    close();
    return;
  }
  const int row = RowAt(event->pos());
  if (row >= 0) Choose(row);
}

void ComboPopup::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      m_highlight = std::max(0, m_highlight - 1);
      update();
      break;
    case Qt::Key_Down:
      m_highlight = std::min(static_cast<int>(m_items.size()) - 1, m_highlight + 1);
      update();
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      Choose(m_highlight < m_items.size() ? m_highlight : -1);
      break;
    case Qt::Key_Escape:
      close();
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

}  // namespace corvatt::view
