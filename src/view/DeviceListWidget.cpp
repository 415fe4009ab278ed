#include "view/DeviceListWidget.h"

#include <QMouseEvent>
#include <QPainter>

#include "common/ui/CDeviceList.h"
#include "common/ui/Manager.h"
#include "view/Theme.h"

namespace corvatt::view {

DeviceListWidget::DeviceListWidget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent) {
  setMouseTracking(true);
  setCursor(Qt::PointingHandCursor);
}

std::vector<QRect> DeviceListWidget::Cards(int count) const {
  std::vector<QRect> cards;
  if (count <= 0) return cards;
  const int gap = 24;
  if (height() > width()) {
    const int h = std::min(160, (height() - gap * (count - 1)) / count);
    for (int i = 0; i < count; ++i) cards.emplace_back(0, i * (h + gap), width(), h);
    return cards;
  }
  const int w = std::min(300, (width() - gap * (count - 1)) / count);
  const int total = count * w + (count - 1) * gap;
  const int left = (width() - total) / 2;
  for (int i = 0; i < count; ++i) cards.emplace_back(left + i * (w + gap), 0, w, height());
  return cards;
}

int DeviceListWidget::RowAt(QPoint pos) const {
  const auto& list = static_cast<const dui::CDeviceList&>(Control());
  const auto cards = Cards(list.GetRowCount());
  for (size_t i = 0; i < cards.size(); ++i) {
    if (cards[i].contains(pos)) return static_cast<int>(i);
  }
  return -1;
}

void DeviceListWidget::Paint(QPainter& painter) {
  const auto& list = static_cast<const dui::CDeviceList&>(Control());
  const auto rows = list.GetRows();
  const auto cards = Cards(static_cast<int>(rows.size()));
  const int selected = list.GetSelectIndex();
  const QString label = theme::ToQt(list.GetVersionLabel());
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto& row = rows[i];
    const QRectF card = QRectF(cards[i]).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool online = row.IsOnline();
    const bool hot = static_cast<int>(i) == m_hover;
    painter.setPen(QPen(static_cast<int>(i) == selected ? theme::Accent()
                        : hot                             ? theme::Border().lighter(140)
                                                          : theme::Border(),
                        static_cast<int>(i) == selected ? 2 : 1));
    painter.setBrush(hot ? theme::SurfaceHover() : theme::Surface());
    painter.drawRoundedRect(card, 14, 14);

    // Picture.
    const double text_block = 86;
    QRectF pic_area = card.adjusted(20, 20, -20, -text_block);
    const QPixmap image = theme::Image(row.image);
    painter.setOpacity(online ? 1.0 : 0.35);
    if (!image.isNull() && pic_area.height() > 10) {
      QSizeF size = image.size();
      size.scale(pic_area.size(), Qt::KeepAspectRatio);
      painter.drawPixmap(QRectF(pic_area.center().x() - size.width() / 2,
                                pic_area.center().y() - size.height() / 2, size.width(),
                                size.height()),
                         image, image.rect());
    } else if (pic_area.height() > 10) {
      // No picture: a simple mouse outline.
      const double h = std::min(pic_area.height(), pic_area.width() * 1.3);
      const QRectF body(pic_area.center().x() - h / 2.6, pic_area.center().y() - h / 2, h / 1.3, h);
      painter.setPen(QPen(theme::TextMuted(), 2));
      painter.setBrush(Qt::NoBrush);
      painter.drawRoundedRect(body, body.width() / 2, body.width() / 2);
      painter.drawLine(QPointF(body.center().x(), body.top()),
                       QPointF(body.center().x(), body.top() + body.height() * 0.35));
    }
    painter.setOpacity(1.0);

    // Name with the online mark.
    const QRectF name_rect(card.left() + 16, card.bottom() - text_block + 8, card.width() - 32, 26);
    painter.setFont(theme::Font({}, 17));
    const QString name = painter.fontMetrics().elidedText(theme::ToQt(row.name), Qt::ElideRight,
                                                          static_cast<int>(name_rect.width()) - 20);
    const int name_width = painter.fontMetrics().horizontalAdvance(name);
    const double dot_x = name_rect.center().x() - (name_width + 18) / 2.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(online ? theme::Ok() : theme::TextMuted().darker(140));
    painter.drawEllipse(QRectF(dot_x, name_rect.center().y() - 4, 8, 8));
    painter.setPen(online ? theme::Text() : theme::TextMuted());
    painter.drawText(QRectF(dot_x + 18, name_rect.top(), name_width + 2, name_rect.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, name);

    // Version and battery.
    QStringList details;
    if (!row.version.empty()) {
      details << (label.isEmpty() ? QString() : label + QStringLiteral(" ")) +
                     QStringLiteral("V") + theme::ToQt(row.version);
    }
    if (row.battery > 0) details << QStringLiteral("%1%").arg(std::min(row.battery, 100));
    painter.setFont(theme::Font({}, 13));
    painter.setPen(theme::TextMuted());
    painter.drawText(QRectF(card.left() + 12, name_rect.bottom() + 4, card.width() - 24, 22),
                     Qt::AlignHCenter | Qt::AlignVCenter,
                     details.join(QStringLiteral("   \u00B7   ")));
  }
}

void DeviceListWidget::Clicked(QPoint pos) {
  int index;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    index = RowAt(pos);
  }
  if (index < 0) return;
  Deliver([index](dui::MControl& control) {
    static_cast<dui::CDeviceList&>(control).ActivateRow(index);
  });
}

void DeviceListWidget::mouseMoveEvent(QMouseEvent* event) {
  int hover;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    hover = RowAt(event->pos());
  }
  if (hover != m_hover) {
    m_hover = hover;
    update();
  }
  ControlWidget::mouseMoveEvent(event);
}

}  // namespace corvatt::view
