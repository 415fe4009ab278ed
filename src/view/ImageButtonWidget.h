#pragma once

#include "view/ButtonWidget.h"

namespace corvatt::view {

// CImageButton: the image; a missing image is drawn as a glyph chosen from the image name
// (close, minimise, maximise, restore, settings, previous, next) or a plain rounded key.
class ImageButtonWidget : public ButtonWidget {
  Q_OBJECT
public:
  using ButtonWidget::ButtonWidget;

protected:
  void Paint(QPainter& painter) override;
};

}  // namespace corvatt::view
