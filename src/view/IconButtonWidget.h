#pragma once

#include "view/ButtonWidget.h"

namespace corvatt::view {

// CIconButton: a rounded button with its icon left of the title.
class IconButtonWidget : public ButtonWidget {
  Q_OBJECT
public:
  using ButtonWidget::ButtonWidget;

protected:
  void Paint(QPainter& painter) override;
};

}  // namespace corvatt::view
