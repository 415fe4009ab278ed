#pragma once

#include "view/ControlWidget.h"

namespace corvatt::view {

// MButton: its state image when it has one, else a rounded flat button; the title on top.
// A click notifies the model (MButton::Click).
class ButtonWidget : public ControlWidget {
  Q_OBJECT
public:
  ButtonWidget(dui::MControl& control, QWidget* parent);

protected:
  void Paint(QPainter& painter) override;
  void Clicked(QPoint pos) override;
  // Space and Enter click a focused button.
  void keyPressEvent(QKeyEvent* event) override;
  // A dotted ring while the button has the keyboard focus.
  void DrawFocus(QPainter& painter);
  // Draws the state image; false when the button has none on disk.
  bool DrawImage(QPainter& painter);
};

}  // namespace corvatt::view
