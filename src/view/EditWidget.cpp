#include "view/EditWidget.h"

#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpressionValidator>

#include "common/ui/MEdit.h"
#include "view/Theme.h"

namespace corvatt::view {

namespace {
const char* kLineStyle =
    "QLineEdit { background: transparent; border: none; color: #e6e9ee; "
    "selection-background-color: #2a5f7a; }";
}  // namespace

EditWidget::EditWidget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent), m_line(new QLineEdit(this)) {
  m_line->setFrame(false);
  m_line->setStyleSheet(kLineStyle);
  m_line->installEventFilter(this);
  setFocusProxy(m_line);
  setCursor(Qt::IBeamCursor);
  connect(m_line, &QLineEdit::textEdited, this, [this](const QString& text) {
    ++m_pending;
    const std::string typed = text.toStdString();
    QPointer<EditWidget> self(this);
    Deliver([self, typed](dui::MControl& c) {
      if (self) --self->m_pending;
      static_cast<dui::MEdit&>(c).TypeText(typed);
    });
  });
  connect(m_line, &QLineEdit::returnPressed, this, [this] {
    Deliver([](dui::MControl& c) { static_cast<dui::MEdit&>(c).Enter(); });
  });
}

bool EditWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_line) {
    if (event->type() == QEvent::FocusIn) {
      Deliver([](dui::MControl& c) { static_cast<dui::MEdit&>(c).FocusIn(); });
      update();
    } else if (event->type() == QEvent::FocusOut) {
      Deliver([](dui::MControl& c) { static_cast<dui::MEdit&>(c).FocusOut(); });
      update();
    }
  }
  return ControlWidget::eventFilter(watched, event);
}

void EditWidget::SyncFromModel() {
  ControlWidget::SyncFromModel();
  const auto& edit = static_cast<const dui::MEdit&>(Control());
  m_line->setFont(theme::Font(edit.GetFontName(), edit.GetFontSize(), edit.IsBold()));
  m_line->setAlignment(Qt::Alignment(theme::TextFlags(edit.GetAlignment()) & ~Qt::TextWordWrap));
  m_line->setReadOnly(edit.IsReadOnly());
  m_line->setPlaceholderText(theme::ToQt(edit.GetHint()));
  m_line->setMaxLength(edit.GetMaxLength() > 0 ? edit.GetMaxLength() : 32767);
  if (edit.IsNumberOnly() != m_number_only) {
    m_number_only = edit.IsNumberOnly();
    m_line->setValidator(m_number_only ? new QRegularExpressionValidator(
                                             QRegularExpression(QStringLiteral("-?[0-9]*")), m_line)
                                       : nullptr);
  }
  const QString text = theme::ToQt(edit.GetEditText());
  if (m_pending == 0 && m_line->text() != text) {
    const int cursor = m_line->cursorPosition();
    m_line->setText(text);
    m_line->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
  }
}

void EditWidget::resizeEvent(QResizeEvent* event) {
  m_line->setGeometry(rect().adjusted(10, 2, -10, -2));
  ControlWidget::resizeEvent(event);
}

void EditWidget::Paint(QPainter& painter) {
  const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const bool focused = m_line->hasFocus();
  painter.setPen(QPen(focused ? theme::Accent() : Hovered() ? theme::Border().lighter(150) : theme::Border(),
                      focused ? 1.5 : 1));
  painter.setBrush(Control().IsEnabled() ? theme::Background().lighter(115) : theme::Surface());
  const double radius = std::min(8.0, r.height() / 2);
  painter.drawRoundedRect(r, radius, radius);
}

}  // namespace corvatt::view
