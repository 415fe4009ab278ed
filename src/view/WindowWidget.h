#pragma once

#include <QWidget>

#include <cstdint>

#include "common/ui/MWindow.h"

namespace corvatt::view {

// The frameless top-level widget of a model window. Paints the dialog background (its image,
// else its colour, else the theme), lets the user drag the window by any spot not covered by
// a control, and turns the window system's close, resize and state changes into model calls.
class WindowWidget : public QWidget {
  Q_OBJECT
public:
  WindowWidget(dui::MWindow& window);

  uint64_t WindowSerial() const { return m_serial; }
  // Applies the model's title, geometry, flags, visibility and show state (lock held).
  void SyncFromModel();
  // Set by the host while it applies model geometry, so the echo is not sent back.
  bool m_applying = false;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  dui::MWindow* Window() const;  // nullptr once the model window is gone
  void ReportGeometry();

  uint64_t m_serial;
  bool m_dragging = false;
  QPoint m_drag_offset;
  Qt::WindowFlags m_flags_applied;
  std::string m_icon_applied;
};

}  // namespace corvatt::view
