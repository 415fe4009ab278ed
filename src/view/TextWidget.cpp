#include "view/TextWidget.h"

#include <QPainter>

#include "common/ui/MControlFont.h"
#include "view/Theme.h"

namespace corvatt::view {

TextWidget::TextWidget(dui::MControl& control, QWidget* parent) : ControlWidget(control, parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

void TextWidget::DrawTitle(QPainter& painter, const QRect& r, const dui::MControl& control,
                           const QColor* override_color, bool underline) {
  const auto& text = static_cast<const dui::MControlFont&>(control);
  painter.setFont(theme::Font(text.GetFontName(), text.GetFontSize(), text.IsBold(),
                              underline || text.IsUnderline()));
  QColor color = override_color != nullptr ? *override_color : theme::FromArgb(text.GetTextColor());
  if (!control.IsEnabled()) color.setAlphaF(color.alphaF() * 0.45f);
  painter.setPen(color);
  const QString title = theme::ToQt(text.GetTitle());
  const int flags = theme::TextFlags(text.GetAlignment());
  if (flags & Qt::TextWordWrap) {
    painter.drawText(r, flags, title);
  } else {
    const QString shown = painter.fontMetrics().elidedText(title, Qt::ElideRight, r.width());
    painter.drawText(r, flags, title.contains('\n') ? title : shown);
  }
}

void TextWidget::Paint(QPainter& painter) { DrawTitle(painter, rect(), Control()); }

}  // namespace corvatt::view
