#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include "view/ControlWidget.h"

namespace corvatt::view {

// MProgress2: the bar, or while animating a moving accent segment (its own frame timer).
class Progress2Widget : public ControlWidget {
  Q_OBJECT
public:
  Progress2Widget(dui::MControl& control, QWidget* parent);
  void SyncFromModel() override;

protected:
  void Paint(QPainter& painter) override;

private:
  QTimer m_frames;
  QElapsedTimer m_clock;
};

}  // namespace corvatt::view
