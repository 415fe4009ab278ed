#pragma once

#include "view/ControlWidget.h"

namespace corvatt::view {

// MText: the title in the control's font, colour and alignment.
class TextWidget : public ControlWidget {
  Q_OBJECT
public:
  TextWidget(dui::MControl& control, QWidget* parent);

  // Draws an MControlFont's title in r (shared by the text-like widgets).
  static void DrawTitle(QPainter& painter, const class QRect& r, const dui::MControl& control,
                        const QColor* override_color = nullptr, bool underline = false);

protected:
  void Paint(QPainter& painter) override;
};

}  // namespace corvatt::view
