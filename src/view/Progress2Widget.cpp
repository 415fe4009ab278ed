#include "view/Progress2Widget.h"

#include <QPainter>

#include "common/ui/MProgress2.h"
#include "view/ProgressWidget.h"
#include "view/Theme.h"

namespace corvatt::view {

Progress2Widget::Progress2Widget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents, true);
  m_frames.setInterval(33);
  connect(&m_frames, &QTimer::timeout, this, [this] { update(); });
  m_clock.start();
}

void Progress2Widget::SyncFromModel() {
  ControlWidget::SyncFromModel();
  const bool animating = static_cast<const dui::MProgress2&>(Control()).IsAnimating();
  if (animating && !m_frames.isActive()) {
    m_clock.restart();
    m_frames.start();
  } else if (!animating && m_frames.isActive()) {
    m_frames.stop();
  }
}

void Progress2Widget::Paint(QPainter& painter) {
  const auto& progress = static_cast<const dui::MProgress2&>(Control());
  const QColor color = progress.GetBarColor() != 0 ? theme::FromArgb(progress.GetBarColor())
                                                   : theme::Accent();
  if (!progress.IsAnimating()) {
    ProgressWidget::DrawBar(painter, rect(), 0.0, progress.GetFraction(), color);
    return;
  }
  // A segment of a third of the track sweeping across every 1.4 s.
  const double t = static_cast<double>(m_clock.elapsed() % 1400) / 1400.0;
  const double start = -0.33 + t * 1.33;
  ProgressWidget::DrawBar(painter, rect(), std::max(0.0, start), std::min(1.0, start + 0.33),
                          color);
}

}  // namespace corvatt::view
