#include "view/ListBoxWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "common/ui/DListBox.h"
#include "common/ui/MacroList.h"
#include "common/ui/Manager.h"
#include "view/Theme.h"

namespace corvatt::view {

ListBoxWidget::ListBoxWidget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent), m_editor(new QLineEdit(this)) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  m_editor->setFrame(false);
  m_editor->setStyleSheet(
      "QLineEdit { background: #14171c; border: 1px solid #27b6f0; border-radius: 5px; color: #e6e9ee; "
      "padding-left: 6px; }");
  m_editor->setFont(theme::Font({}, 14));
  m_editor->hide();
  m_editor->installEventFilter(this);
  connect(m_editor, &QLineEdit::returnPressed, this, [this] { Finish(true); });
}

int ListBoxWidget::RowAt(QPoint pos) const {
  const int row = pos.y() / kRowHeight;
  const int count = static_cast<const dui::DListBox&>(Control()).GetItemCount();
  return pos.y() >= 0 && row < count ? row : -1;
}

void ListBoxWidget::Finish(bool commit) {
  if (m_editor->isHidden()) return;
  const std::string text = m_editor->text().toStdString();
  m_editor->hide();
  m_shown_edit = -1;
  setFocus();
  Deliver([text, commit](dui::MControl& c) {
    auto& list = static_cast<dui::DListBox&>(c);
    list.SetEditText(text);
    list.EndEdit(commit);
  });
}

void ListBoxWidget::SyncFromModel() {
  ControlWidget::SyncFromModel();
  const auto& list = static_cast<const dui::DListBox&>(Control());
  const int edit = list.GetEditItem();
  if (edit < 0) {
    if (!m_editor->isHidden()) m_editor->hide();
    m_shown_edit = -1;
    return;
  }
  if (edit != m_shown_edit) {
    m_shown_edit = edit;
    m_editor->setText(theme::ToQt(list.GetEditText()));
    m_editor->setGeometry(4, edit * kRowHeight + 3, width() - 8, kRowHeight - 6);
    m_editor->show();
    m_editor->setFocus();
    m_editor->selectAll();
  }
}

bool ListBoxWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_editor) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      Finish(false);
      return true;
    }
    if (event->type() == QEvent::FocusOut) Finish(true);
  }
  return ControlWidget::eventFilter(watched, event);
}

void ListBoxWidget::Paint(QPainter& painter) {
  const auto& list = static_cast<const dui::DListBox&>(Control());
  const auto items = list.GetItems();
  const int selected = list.GetCurSel();
  painter.setFont(theme::Font({}, 14));
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    const QRectF row(2, i * kRowHeight + 1, width() - 4, kRowHeight - 2);
    if (i == selected || i == m_hover) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(theme::SurfaceHover());
      painter.drawRoundedRect(row, 6, 6);
    }
    if (i == selected) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(theme::Accent());
      painter.drawRoundedRect(QRectF(row.left() + 4, row.top() + 8, 3, row.height() - 16), 1.5, 1.5);
    }
    if (i == selected && HasEditButton()) {
      const QRectF button = EditButtonRect(i);
      const QPixmap image = theme::Image(static_cast<const dui::MacroList&>(list).GetEditImage());
      if (!image.isNull()) {
        painter.drawPixmap(button, image, image.rect());
      } else {
        // Three dots.
        painter.setPen(Qt::NoPen);
        painter.setBrush(theme::TextMuted());
        for (int d = -1; d <= 1; ++d) painter.drawEllipse(button.center() + QPointF(d * 5.0, 0), 1.8, 1.8);
      }
    }
    painter.setPen(i == selected ? theme::Accent() : theme::Text());
    painter.drawText(row.adjusted(16, 0, HasEditButton() ? -34 : -8, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(theme::ToQt(items[i].text), Qt::ElideRight,
                                                      int(row.width()) - 24));
  }
  if (hasFocus() && selected >= 0 && selected < static_cast<int>(items.size())) {
    painter.setPen(QPen(theme::Accent(), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(3.5, selected * kRowHeight + 2.5, width() - 7, kRowHeight - 5), 5, 5);
  }
}

bool ListBoxWidget::HasEditButton() const {
  return dynamic_cast<const dui::MacroList*>(&Control()) != nullptr;
}

QRectF ListBoxWidget::EditButtonRect(int index) const {
  return {width() - 30.0, index * kRowHeight + (kRowHeight - 20) / 2.0, 20, 20};
}

void ListBoxWidget::Clicked(QPoint pos) {
  int index;
  bool edit;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    index = RowAt(pos);
    edit = index >= 0 && HasEditButton() &&
           static_cast<const dui::DListBox&>(Control()).GetCurSel() == index &&
           EditButtonRect(index).adjusted(-4, -4, 4, 4).contains(pos);
  }
  if (index < 0) return;
  if (edit) {
    Deliver([index](dui::MControl& c) { static_cast<dui::DListBox&>(c).BeginEdit(index); });
    return;
  }
  Deliver([index](dui::MControl& c) { static_cast<dui::DListBox&>(c).ActivateItem(index); });
}

void ListBoxWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  int index;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    index = RowAt(event->pos());
  }
  if (index >= 0) Deliver([index](dui::MControl& c) { static_cast<dui::DListBox&>(c).BeginEdit(index); });
  event->accept();
}

void ListBoxWidget::mouseMoveEvent(QMouseEvent* event) {
  int hover;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    hover = RowAt(event->pos());
  }
  if (hover != m_hover) {
    m_hover = hover;
    update();
  }
}

void ListBoxWidget::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_F2) {
    Deliver([](dui::MControl& c) {
      auto& list = static_cast<dui::DListBox&>(c);
      list.BeginEdit(list.GetCurSel());
    });
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    Deliver([](dui::MControl& c) {
      auto& list = static_cast<dui::DListBox&>(c);
      list.ActivateItem(list.GetCurSel());
    });
  } else if (key == Qt::Key_Up || key == Qt::Key_Down) {
    const int delta = key == Qt::Key_Up ? -1 : 1;
    // Moves the choice without activating: a click or Enter activates.
    Deliver([delta](dui::MControl& c) {
      auto& list = static_cast<dui::DListBox&>(c);
      if (list.GetItemCount() == 0) return;
      list.SetCurSel(std::clamp(list.GetCurSel() + delta, 0, list.GetItemCount() - 1));
    });
  } else {
    ControlWidget::keyPressEvent(event);
    return;
  }
  event->accept();
}

}  // namespace corvatt::view
