#pragma once

#include <QPointer>

#include "view/ComboPopup.h"
#include "view/ControlWidget.h"

namespace corvatt::view {

// MComboBox and MComboBox2: a field with the chosen text and a chevron; MComboBox2's check
// shows as an accent mark at the left. A click, Space, Enter or Alt+Down opens the "ComboWnd"
// list; Up and Down choose the previous or next item directly.
class ComboWidget : public ControlWidget {
  Q_OBJECT
public:
  ComboWidget(dui::MControl& control, QWidget* parent);

  void OpenPopup();
  ComboPopup* Popup() const { return m_popup; }

protected:
  void Paint(QPainter& painter) override;
  void Clicked(QPoint pos) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  void Choose(int index);
  QPointer<ComboPopup> m_popup;
};

}  // namespace corvatt::view
