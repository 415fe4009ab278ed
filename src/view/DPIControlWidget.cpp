#include "view/DPIControlWidget.h"

#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "common/ui/Manager.h"
#include "common/ui/Types.h"
#include "view/Theme.h"

namespace corvatt::view {

namespace {
const char* kFieldStyle =
    "QLineEdit { background: transparent; border: none; color: #e6e9ee; "
    "selection-background-color: #2a5f7a; }";
}  // namespace

DPIControlWidget::DPIControlWidget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
  for (int i = 0; i < dui::DPIControl::kMaxStages; ++i) {
    auto* field = new QLineEdit(this);
    field->setFrame(false);
    field->setStyleSheet(kFieldStyle);
    field->setAlignment(Qt::AlignCenter);
    field->setMaxLength(5);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), field));
    field->setFont(theme::Font({}, 17, true));
    field->setCursor(Qt::IBeamCursor);
    field->installEventFilter(this);
    field->hide();
    connect(field, &QLineEdit::returnPressed, this, [this, i] { Commit(i); });
    m_fields[i] = field;
  }
}

QRectF DPIControlWidget::CardRect(int stage, int count) const {
  if (count <= 0) return {};
  const double gap = 10;
  const double w = std::min(132.0, (width() - gap * (count - 1)) / count);
  const double total = w * count + gap * (count - 1);
  const double left = (width() - total) / 2;
  return {left + stage * (w + gap), 0, w, double(height())};
}

QRectF DPIControlWidget::ColorRect(int stage, int count) const {
  const QRectF card = CardRect(stage, count);
  const double d = std::min(18.0, card.height() / 4);
  return {card.right() - d - 10, card.top() + 10, d, d};
}

void DPIControlWidget::PlaceFields(int count) {
  for (int i = 0; i < dui::DPIControl::kMaxStages; ++i) {
    if (i >= count) {
      m_fields[i]->hide();
      continue;
    }
    const QRectF card = CardRect(i, count);
    const double h = std::min(30.0, card.height() / 2.4);
    m_fields[i]->setGeometry(QRectF(card.left() + 8, card.center().y() - h / 2 + 6, card.width() - 16, h)
                                 .toRect());
    m_fields[i]->show();
  }
}

void DPIControlWidget::SyncFromModel() {
  ControlWidget::SyncFromModel();
  const auto& dpi = static_cast<const dui::DPIControl&>(Control());
  m_count = dpi.GetItemCount();
  PlaceFields(m_count);
  for (int i = 0; i < m_count; ++i) {
    QLineEdit* field = m_fields[i];
    const QString text = theme::ToQt(dpi.GetEditText(i));
    // Keep what the user is typing; anything else shows the model.
    if (field->hasFocus() && field->isModified()) continue;
    if (field->text() != text) field->setText(text);
    field->setModified(false);
  }
}

void DPIControlWidget::resizeEvent(QResizeEvent* event) {
  PlaceFields(m_count);
  ControlWidget::resizeEvent(event);
}

void DPIControlWidget::Commit(int stage) {
  QLineEdit* field = m_fields[stage];
  if (!field->isModified()) return;
  field->setModified(false);
  const std::string text = field->text().toStdString();
  Deliver([stage, text](dui::MControl& c) { static_cast<dui::DPIControl&>(c).CommitEdit(stage, text); });
}

bool DPIControlWidget::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 0; i < dui::DPIControl::kMaxStages; ++i) {
    if (watched != m_fields[i]) continue;
    if (event->type() == QEvent::FocusIn) {
      Deliver([i](dui::MControl& c) { static_cast<dui::DPIControl&>(c).OnFocus(i); });
    } else if (event->type() == QEvent::FocusOut) {
      Commit(i);
      update();
    }
  }
  return ControlWidget::eventFilter(watched, event);
}

void DPIControlWidget::Paint(QPainter& painter) {
  const auto& dpi = static_cast<const dui::DPIControl&>(Control());
  const auto stages = dpi.GetStages();
  const int count = static_cast<int>(stages.size());
  const int selected = dpi.GetSelectItem();
  const QColor accent = theme::Accent();
  for (int i = 0; i < count; ++i) {
    const QRectF card = CardRect(i, count).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor color = theme::FromArgb(dui::RgbToArgb(stages[i].color));
    const bool is_selected = i == selected;
    painter.setPen(QPen(is_selected ? accent : theme::Border(), is_selected ? 2 : 1));
    painter.setBrush(is_selected ? theme::SurfaceHover() : theme::Surface());
    painter.drawRoundedRect(card, 10, 10);
    // The stage's colour as a bar along the bottom edge and a round mark.
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(card.left() + 10, card.bottom() - 7, card.width() - 20, 3), 1.5, 1.5);
    const QRectF mark = ColorRect(i, count);
    painter.setPen(QPen(theme::Text().darker(is_selected ? 100 : 160), 1.5));
    painter.drawEllipse(mark);
    painter.setFont(theme::Font({}, 13));
    painter.setPen(is_selected ? accent : theme::TextMuted());
    painter.drawText(QRectF(card.left() + 12, card.top() + 6, card.width() / 2, 26),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::number(i + 1));
    if (hasFocus() && is_selected) {
      painter.setPen(QPen(accent, 1, Qt::DotLine));
      painter.setBrush(Qt::NoBrush);
      painter.drawRoundedRect(card.adjusted(3, 3, -3, -3), 8, 8);
    }
  }
}

void DPIControlWidget::Clicked(QPoint pos) {
  int stage = -1;
  bool color = false;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    const int count = static_cast<const dui::DPIControl&>(Control()).GetItemCount();
    for (int i = 0; i < count; ++i) {
      if (ColorRect(i, count).adjusted(-4, -4, 4, 4).contains(pos)) {
        stage = i;
        color = true;
        break;
      }
      if (CardRect(i, count).contains(pos)) stage = i;
    }
  }
  if (stage < 0) return;
  if (color) {
    Deliver([stage](dui::MControl& c) { static_cast<dui::DPIControl&>(c).ClickColor(stage); });
  } else {
    Deliver([stage](dui::MControl& c) { static_cast<dui::DPIControl&>(c).SelectStage(stage); });
  }
}

void DPIControlWidget::keyPressEvent(QKeyEvent* event) {
  int delta = 0;
  if (event->key() == Qt::Key_Left) delta = -1;
  if (event->key() == Qt::Key_Right) delta = 1;
  if (event->key() == Qt::Key_Space || event->key() == Qt::Key_C) {
    Deliver([](dui::MControl& c) {
      auto& dpi = static_cast<dui::DPIControl&>(c);
      if (dpi.GetSelectItem() >= 0) dpi.ClickColor(dpi.GetSelectItem());
    });
    event->accept();
    return;
  }
  if (delta == 0) {
    ControlWidget::keyPressEvent(event);
    return;
  }
  // Worked out when delivered: earlier key presses may still be on their way to the model.
  Deliver([delta](dui::MControl& c) {
    auto& dpi = static_cast<dui::DPIControl&>(c);
    if (dpi.GetItemCount() == 0) return;
    const int target = std::clamp(dpi.GetSelectItem() + delta, 0, dpi.GetItemCount() - 1);
    if (target != dpi.GetSelectItem()) dpi.SelectStage(target);
  });
  event->accept();
}

}  // namespace corvatt::view
