#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>

#include "common/ui/MControl.h"

namespace corvatt::view {

// Base of the widget of one model control. It paints from the model (taking the UI lock) and
// hands user input back to the model after the current Qt event is done, so a handler that
// runs a modal loop or destroys windows never runs inside a widget's event.
class ControlWidget : public QWidget {
  Q_OBJECT
public:
  ControlWidget(dui::MControl& control, QWidget* parent);

  dui::MControl& Control() const { return m_control; }
  uint64_t ControlSerial() const { return m_serial; }

  // Called by the host on the GUI thread with the UI lock held, when the control is dirty.
  virtual void SyncFromModel();

protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

  // Painting with the UI lock held.
  virtual void Paint(QPainter& painter) = 0;
  // A click released inside the widget (left button).
  virtual void Clicked(QPoint /*pos*/) {}

  // Runs fn on the control later on the GUI thread, if the control still exists then.
  void Deliver(std::function<void(dui::MControl&)> fn);

  bool Hovered() const { return m_hovered; }
  bool Pressed() const { return m_pressed; }

private:
  dui::MControl& m_control;
  uint64_t m_serial;
  bool m_hovered = false;
  bool m_pressed = false;
};

}  // namespace corvatt::view
