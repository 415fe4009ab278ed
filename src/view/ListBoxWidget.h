#pragma once

#include <QLineEdit>

#include "view/ControlWidget.h"

namespace corvatt::view {

// DListBox and MacroList: rows with the chosen one marked (MacroList: with its edit image at
// the right of the chosen row; a click on it starts the rename). A click activates a row; a double click or F2
// edits its text in place (Enter or leaving the field commits, Escape cancels); Up/Down
// move the choice and Enter activates it.
class ListBoxWidget : public ControlWidget {
  Q_OBJECT
public:
  static constexpr int kRowHeight = 34;
  ListBoxWidget(dui::MControl& control, QWidget* parent);

  void SyncFromModel() override;
  QLineEdit* Editor() const { return m_editor; }

protected:
  void Paint(QPainter& painter) override;
  void Clicked(QPoint pos) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  int RowAt(QPoint pos) const;
  bool HasEditButton() const;
  QRectF EditButtonRect(int index) const;
  void Finish(bool commit);

  QLineEdit* m_editor;
  int m_hover = -1;
  int m_shown_edit = -1;
};

}  // namespace corvatt::view
