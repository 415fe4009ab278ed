#pragma once

#include <QLineEdit>

#include "view/ControlWidget.h"

namespace corvatt::view {

// MEdit, NumberEdit, NumberEdit2: a rounded field holding a frameless line edit. Typing,
// focus changes and Enter are handed to the model (TypeText, FocusIn, FocusOut, Enter); the
// model's text is shown again whenever no typed text is still on its way to the model.
class EditWidget : public ControlWidget {
  Q_OBJECT
public:
  EditWidget(dui::MControl& control, QWidget* parent);

  void SyncFromModel() override;
  QLineEdit* LineEdit() const { return m_line; }

protected:
  void Paint(QPainter& painter) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QLineEdit* m_line;
  int m_pending = 0;
  bool m_number_only = false;
};

}  // namespace corvatt::view
