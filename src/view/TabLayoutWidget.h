#pragma once

#include "view/ControlWidget.h"

namespace corvatt::view {

// MTabLayout: a page. Paints its background image or colour, if any; takes no input, so the
// controls of the page (its siblings in Qt) get the clicks.
class TabLayoutWidget : public ControlWidget {
  Q_OBJECT
public:
  TabLayoutWidget(dui::MControl& control, QWidget* parent);

protected:
  void Paint(QPainter& painter) override;
};

}  // namespace corvatt::view
