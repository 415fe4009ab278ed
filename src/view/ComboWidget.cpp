#include "view/ComboWidget.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include "common/ui/MComboBox2.h"
#include "common/ui/Manager.h"
#include "view/TextWidget.h"
#include "view/Theme.h"

namespace corvatt::view {

ComboWidget::ComboWidget(dui::MControl& control, QWidget* parent) : ControlWidget(control, parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void ComboWidget::Choose(int index) {
  Deliver([index](dui::MControl& c) { static_cast<dui::MComboBox&>(c).ChooseItem(index); });
}

void ComboWidget::OpenPopup() {
  if (m_popup) return;
  QStringList texts;
  int current;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    const auto& combo = static_cast<const dui::MComboBox&>(Control());
    if (!combo.IsEnabled()) return;
    for (const auto& item : combo.GetItems()) texts << theme::ToQt(item.text);
    current = combo.GetCurSel();
  }
  if (texts.isEmpty()) return;
  QPointer<ComboWidget> self(this);
  m_popup = new ComboPopup(this, texts, current, [self](int index) {
    if (self) self->Choose(index);
  });
  const int h = std::min(8 + ComboPopup::kRowHeight * static_cast<int>(texts.size()), 8 + ComboPopup::kRowHeight * 10);
  m_popup->setGeometry(QRect(mapToGlobal(QPoint(0, height() + 2)), QSize(width(), h)));
  m_popup->show();
  m_popup->setFocus();
}

void ComboWidget::Paint(QPainter& painter) {
  const auto& combo = static_cast<const dui::MComboBox&>(Control());
  const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const bool open = !m_popup.isNull();
  painter.setPen(QPen(open || hasFocus() ? theme::Accent() : Hovered() ? theme::Border().lighter(150) : theme::Border(), 1));
  painter.setBrush(Hovered() ? theme::SurfaceHover() : theme::Surface());
  const double radius = std::min(8.0, r.height() / 2);
  painter.drawRoundedRect(r, radius, radius);
  int left = 12;
  if (const auto* two = dynamic_cast<const dui::MComboBox2*>(&combo); two != nullptr && two->GetCheck()) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme::Accent());
    painter.drawEllipse(QPointF(13, r.center().y()), 4, 4);
    left = 24;
  }
  // Chevron.
  const double cx = r.right() - 16, cy = r.center().y();
  QPainterPath chevron;
  chevron.moveTo(cx - 5, cy - (open ? -2 : 2));
  chevron.lineTo(cx, cy + (open ? -3 : 3));
  chevron.lineTo(cx + 5, cy - (open ? -2 : 2));
  painter.setPen(QPen(combo.IsEnabled() ? theme::Text() : theme::TextMuted(), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(chevron);
  TextWidget::DrawTitle(painter, rect().adjusted(left, 0, -32, 0), combo);
}

void ComboWidget::Clicked(QPoint) { OpenPopup(); }

void ComboWidget::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter ||
      (key == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))) {
    OpenPopup();
    event->accept();
    return;
  }
  if (key != Qt::Key_Up && key != Qt::Key_Down) {
    ControlWidget::keyPressEvent(event);
    return;
  }
  const int delta = key == Qt::Key_Up ? -1 : 1;
  // Worked out when delivered: earlier key presses may still be on their way to the model.
  Deliver([delta](dui::MControl& c) {
    auto& combo = static_cast<dui::MComboBox&>(c);
    if (combo.GetItemCount() == 0) return;
    const int target = std::clamp(combo.GetCurSel() + delta, 0, combo.GetItemCount() - 1);
    if (target != combo.GetCurSel()) combo.ChooseItem(target);
  });
  event->accept();
}

}  // namespace corvatt::view
