#include "view/WindowWidget.h"

#include <QCloseEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>

#include "common/ui/MDialog.h"
#include "common/ui/Manager.h"
#include "common/ui/Messages.h"
#include "view/Theme.h"

namespace corvatt::view {

WindowWidget::WindowWidget(dui::MWindow& window) : QWidget(nullptr), m_serial(window.Serial()) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setAttribute(Qt::WA_QuitOnClose, false);
}

dui::MWindow* WindowWidget::Window() const {
  return dui::Manager::Instance().FindWindowBySerial(m_serial);
}

void WindowWidget::SyncFromModel() {
  dui::MWindow* window = Window();
  if (window == nullptr) return;
  m_applying = true;
  Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
  if (window->IsToolWindow()) flags |= Qt::Tool;
  if (window->IsTopMost()) flags |= Qt::WindowStaysOnTopHint;
  if (flags != m_flags_applied) {
    setWindowFlags(flags);
    m_flags_applied = flags;
  }
  setWindowTitle(theme::ToQt(window->GetTitle()));
  const std::string icon = window->GetIcon();
  if (icon != m_icon_applied) {
    m_icon_applied = icon;
    const QPixmap pixmap = theme::Image(icon);
    setWindowIcon(pixmap.isNull() ? QIcon() : QIcon(pixmap));
  }
  const dui::Rect r = window->GetWindowRect();
  if (r.Width() > 0 && r.Height() > 0) setGeometry(r.left, r.top, r.Width(), r.Height());
  if (!window->IsVisible()) {
    hide();
  } else if (window->IsMinimized()) {
    showMinimized();
  } else {
    if (isMinimized()) showNormal();
    show();
  }
  update();
  m_applying = false;
}

void WindowWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  std::lock_guard lock(dui::Manager::Instance().UiLock());
  auto* dialog = dynamic_cast<dui::MDialog*>(Window());
  QColor back = theme::Background();
  if (dialog != nullptr && dialog->GetBackColor1() != 0) {
    back = theme::FromArgb(dialog->GetBackColor1());
  }
  painter.fillRect(rect(), back);
  if (dialog != nullptr) {
    const QPixmap image = theme::Image(dialog->GetBKImage());
    if (!image.isNull()) painter.drawPixmap(QRectF(rect()), image, image.rect());
  }
  // A hairline frame keeps a frameless window readable on a dark desktop.
  painter.setPen(theme::Border());
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void WindowWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    dui::MWindow* window = Window();
    if (window != nullptr && !window->IsMaximized()) {
      m_dragging = true;
      m_drag_offset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
  }
  event->accept();
}

void WindowWidget::mouseMoveEvent(QMouseEvent* event) {
  if (m_dragging && (event->buttons() & Qt::LeftButton)) {
    move(event->globalPosition().toPoint() - m_drag_offset);
  }
  event->accept();
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* event) {
  m_dragging = false;
  event->accept();
}

void WindowWidget::closeEvent(QCloseEvent* event) {
  // The model decides: hide, end its modal run, or whatever the program does on WM_CLOSE.
  event->ignore();
  if (dui::MWindow* window = Window()) window->PostMessage(dui::WM_CLOSE, 0, 0);
}

void WindowWidget::ReportGeometry() {
  if (m_applying || !isVisible() || isMinimized()) return;
  dui::MWindow* window = Window();
  if (window == nullptr) return;
  const QRect g = geometry();
  window->HostSetRect(dui::Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()});
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ReportGeometry();
}

void WindowWidget::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  ReportGeometry();
}

void WindowWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || m_applying) return;
  dui::MWindow* window = Window();
  if (window != nullptr && window->IsMinimized() && !isMinimized()) window->Restore();
}

}  // namespace corvatt::view
