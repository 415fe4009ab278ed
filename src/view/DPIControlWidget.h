#pragma once

#include <QLineEdit>
#include <QRectF>

#include <array>

#include "common/ui/DPIControl.h"
#include "view/ControlWidget.h"

namespace corvatt::view {

// DPIControl: one card per listed stage with its number, its colour mark and its value in an
// editable field. A click on the card selects the stage, on the colour mark asks for a colour,
// focus in the field selects it (OnFocus), Enter or leaving an edited field commits the typed
// value; Left/Right on a card move the selection.
class DPIControlWidget : public ControlWidget {
  Q_OBJECT
public:
  DPIControlWidget(dui::MControl& control, QWidget* parent);

  void SyncFromModel() override;
  QRectF CardRect(int stage, int count) const;
  QRectF ColorRect(int stage, int count) const;
  QLineEdit* Field(int stage) const { return m_fields[stage]; }

protected:
  void Paint(QPainter& painter) override;
  void Clicked(QPoint pos) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void PlaceFields(int count);
  void Commit(int stage);

  std::array<QLineEdit*, dui::DPIControl::kMaxStages> m_fields{};
  int m_count = 0;
};

}  // namespace corvatt::view
