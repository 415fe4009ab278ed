#pragma once

#include "view/ControlWidget.h"

namespace corvatt::view {

// CRecordList: numbered rows of the macro's events, scrolled with the wheel and kept so that
// the chosen row is in view. A click selects (ActivateItem), a right click selects and asks
// for the menu (RightClick); Up/Down move the selection.
class RecordListWidget : public ControlWidget {
  Q_OBJECT
public:
  static constexpr int kRowHeight = 28;
  RecordListWidget(dui::MControl& control, QWidget* parent);

  void SyncFromModel() override;
  int RowAt(QPoint pos) const;  // lock held
  int FirstRow() const { return m_first; }

protected:
  void Paint(QPainter& painter) override;
  void Clicked(QPoint pos) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  int VisibleRows() const { return std::max(1, height() / kRowHeight); }
  void ClampFirst(int count);

  int m_first = 0;
  int m_shown_select = -1;
};

}  // namespace corvatt::view
