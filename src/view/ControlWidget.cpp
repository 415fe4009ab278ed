#include "view/ControlWidget.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "common/ui/Manager.h"
#include "view/Theme.h"
#include "view/WidgetRegistry.h"

namespace corvatt::view {

ControlWidget::ControlWidget(dui::MControl& control, QWidget* parent)
    : QWidget(parent), m_control(control), m_serial(control.Serial()) {
  setAttribute(Qt::WA_Hover, true);
  setMouseTracking(false);
}

void ControlWidget::SyncFromModel() {
  const dui::Rect r = m_control.GetRect();
  setGeometry(r.left, r.top, r.Width() > 0 ? r.Width() : 0, r.Height() > 0 ? r.Height() : 0);
  setEnabled(m_control.IsEnabled());
  const std::string tip = m_control.GetTooltip();
  setToolTip(theme::ToQt(tip));
  update();
}

void ControlWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  std::lock_guard lock(dui::Manager::Instance().UiLock());
  if (!WidgetRegistry::Instance().IsAlive(m_serial)) return;
  Paint(painter);
}

void ControlWidget::enterEvent(QEnterEvent*) {
  m_hovered = true;
  update();
}

void ControlWidget::leaveEvent(QEvent*) {
  m_hovered = false;
  m_pressed = false;
  update();
}

void ControlWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    m_pressed = true;
    update();
  }
  event->accept();
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* event) {
  const bool was_pressed = m_pressed;
  m_pressed = false;
  update();
  if (event->button() == Qt::LeftButton && was_pressed && rect().contains(event->pos())) {
    Clicked(event->pos());
  }
  event->accept();
}

void ControlWidget::Deliver(std::function<void(dui::MControl&)> fn) {
  const uint64_t serial = m_serial;
  QTimer::singleShot(0, QCoreApplication::instance(), [serial, fn = std::move(fn)] {
    if (dui::MControl* control = WidgetRegistry::Instance().FindControl(serial)) fn(*control);
  });
}

}  // namespace corvatt::view
