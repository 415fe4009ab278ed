#pragma once

#include "view/ButtonWidget.h"

namespace corvatt::view {

// CCheckButton and CRadioButton: a box (or a circle) with the title beside it. A click, Space
// or Enter runs the model's click (toggle, or check and clear the group).
class CheckButtonWidget : public ButtonWidget {
  Q_OBJECT
public:
  CheckButtonWidget(dui::MControl& control, QWidget* parent);

protected:
  void Paint(QPainter& painter) override;
};

// MButton2 and MButton3: a push button whose check is shown by the accent (filled when checked).
class ToggleButtonWidget : public ButtonWidget {
  Q_OBJECT
public:
  using ButtonWidget::ButtonWidget;

protected:
  void Paint(QPainter& painter) override;
};

}  // namespace corvatt::view
