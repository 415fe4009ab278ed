#pragma once

#include "view/ButtonWidget.h"

namespace corvatt::view {

// CColorButton: a round swatch of its colour, ringed in the accent when checked.
class ColorButtonWidget : public ButtonWidget {
  Q_OBJECT
public:
  using ButtonWidget::ButtonWidget;

protected:
  void Paint(QPainter& painter) override;
};

// CHelpButton: a small round "?"; its tool tip shows on hover and when clicked.
class HelpButtonWidget : public ButtonWidget {
  Q_OBJECT
public:
  using ButtonWidget::ButtonWidget;

protected:
  void Paint(QPainter& painter) override;
  void Clicked(QPoint pos) override;
};

// CArea and CRoundArea: a filled rectangle (rounded corners) or circle of the area's colour.
class AreaWidget : public ControlWidget {
  Q_OBJECT
public:
  AreaWidget(dui::MControl& control, QWidget* parent);

protected:
  void Paint(QPainter& painter) override;
};

}  // namespace corvatt::view
