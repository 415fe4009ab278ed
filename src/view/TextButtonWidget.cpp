#include "view/TextButtonWidget.h"

#include <QPainter>

#include "common/ui/CTextButton.h"
#include "view/TextWidget.h"
#include "view/Theme.h"

namespace corvatt::view {

void TextButtonWidget::Paint(QPainter& painter) {
  auto& button = static_cast<dui::CTextButton&>(Control());
  const QColor color = !Hovered()                    ? theme::FromArgb(button.GetTextColor())
                       : button.GetHoverTextColor() != 0 ? theme::FromArgb(button.GetHoverTextColor())
                                                         : theme::Accent();
  TextWidget::DrawTitle(painter, rect(), button, &color, Hovered());
}

}  // namespace corvatt::view
