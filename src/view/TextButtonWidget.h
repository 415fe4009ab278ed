#pragma once

#include "view/ButtonWidget.h"

namespace corvatt::view {

// CTextButton: a link, accent-coloured and underlined on hover.
class TextButtonWidget : public ButtonWidget {
  Q_OBJECT
public:
  using ButtonWidget::ButtonWidget;

protected:
  void Paint(QPainter& painter) override;
};

}  // namespace corvatt::view
