#include "view/MouseCtrlWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "common/ui/Manager.h"
#include "common/ui/MouseCtrl.h"
#include "view/Theme.h"

namespace corvatt::view {

namespace {
constexpr int kLabelHeight = 26;
constexpr double kMarkerRadius = 5;
const QSize kDefaultPicture(420, 520);
}  // namespace

MouseCtrlWidget::MouseCtrlWidget(dui::MControl& control, QWidget* parent)
    : ControlWidget(control, parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

MouseCtrlWidget::Geometry MouseCtrlWidget::Layout() const {
  const auto& mouse = static_cast<const dui::MouseCtrl&>(Control());
  const QPixmap image = theme::Image(mouse.GetImage());
  const QSize size = image.isNull() ? kDefaultPicture : image.size();
  Geometry g;
  g.margin = std::min(150.0, width() * 0.24);
  const QRectF area = QRectF(rect()).adjusted(g.margin, 4, -g.margin, -4);
  g.scale = std::max(0.05, std::min(area.width() / size.width(), area.height() / size.height()));
  const QSizeF shown(size.width() * g.scale, size.height() * g.scale);
  g.picture = QRectF(area.center().x() - shown.width() / 2, area.center().y() - shown.height() / 2,
                     shown.width(), shown.height());
  return g;
}

QPointF MouseCtrlWidget::Map(const Geometry& g, int x, int y) const {
  return {g.picture.left() + x * g.scale, g.picture.top() + y * g.scale};
}

QRectF MouseCtrlWidget::LabelRect(int index) const {
  const auto& mouse = static_cast<const dui::MouseCtrl&>(Control());
  const auto items = mouse.GetItems();
  if (index < 0 || index >= static_cast<int>(items.size())) return {};
  const auto& item = items[index];
  const Geometry g = Layout();
  const QPointF end = Map(g, item.point2.x, item.point2.y);
  const QFontMetrics metrics(theme::Font({}, 14));
  const double text_width = metrics.horizontalAdvance(theme::ToQt(item.name)) + 22;
  // Keep the label inside the widget: it starts at the line's end and grows outwards.
  if (item.direction == 0) {
    const double right = end.x();
    const double left = std::max(0.0, right - text_width);
    return {left, end.y() - kLabelHeight / 2.0, right - left, double(kLabelHeight)};
  }
  const double left = end.x();
  const double right = std::min(double(width()), left + text_width);
  return {left, end.y() - kLabelHeight / 2.0, right - left, double(kLabelHeight)};
}

int MouseCtrlWidget::ItemAt(QPointF pos) const {
  const auto& mouse = static_cast<const dui::MouseCtrl&>(Control());
  const auto items = mouse.GetItems();
  const Geometry g = Layout();
  for (int i = static_cast<int>(items.size()) - 1; i >= 0; --i) {
    if (LabelRect(i).adjusted(-2, -2, 2, 2).contains(pos)) return i;
    const QPointF start = Map(g, items[i].point1.x, items[i].point1.y);
    const QPointF d = pos - start;
    if (d.x() * d.x() + d.y() * d.y() <= 12.0 * 12.0) return i;
  }
  return -1;
}

void MouseCtrlWidget::Paint(QPainter& painter) {
  const auto& mouse = static_cast<const dui::MouseCtrl&>(Control());
  const Geometry g = Layout();
  const QPixmap image = theme::Image(mouse.GetImage());
  if (!image.isNull()) {
    painter.drawPixmap(g.picture, image, image.rect());
  } else {
    // No picture: an outline of a mouse in the picture's place.
    painter.setPen(QPen(theme::Border().lighter(130), 2));
    painter.setBrush(theme::Surface());
    const QRectF body = g.picture.adjusted(g.picture.width() * 0.19, g.picture.height() * 0.05,
                                           -g.picture.width() * 0.19, -g.picture.height() * 0.08);
    painter.drawRoundedRect(body, body.width() / 2, body.width() / 2);
  }

  const auto items = mouse.GetItems();
  const int selected = mouse.GetSelectItem();
  const QColor accent = theme::Accent();
  painter.setFont(theme::Font({}, 14));
  // Unselected first, so the selected leader line is drawn on top.
  std::vector<int> order;
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    if (i != selected) order.push_back(i);
  }
  if (selected >= 0 && selected < static_cast<int>(items.size())) order.push_back(selected);
  for (const int i : order) {
    const auto& item = items[i];
    const bool is_selected = i == selected;
    const bool hot = i == m_hover;
    const QColor line_color = is_selected ? accent : hot ? theme::Text() : theme::TextMuted();
    const QPointF start = Map(g, item.point1.x, item.point1.y);
    const QPointF end = Map(g, item.point2.x, item.point2.y);
    const QRectF label = LabelRect(i);
    const QPointF label_edge(item.direction == 0 ? label.right() : label.left(), end.y());
    QPen pen(line_color, is_selected ? 2.0 : 1.4);
    if (item.dashed) pen.setDashPattern({4, 3});
    painter.setPen(pen);
    painter.drawLine(start, label_edge);
    painter.setPen(QPen(theme::Background(), 2));
    painter.setBrush(line_color);
    painter.drawEllipse(start, kMarkerRadius, kMarkerRadius);

    painter.setPen(QPen(is_selected ? accent : hot ? theme::Border().lighter(160) : theme::Border(),
                        is_selected ? 1.6 : 1));
    painter.setBrush(is_selected ? QColor(accent.red(), accent.green(), accent.blue(), 48)
                                 : hot ? theme::SurfaceHover() : theme::Surface());
    painter.drawRoundedRect(label.adjusted(0.5, 0.5, -0.5, -0.5), kLabelHeight / 2.0,
                            kLabelHeight / 2.0);
    painter.setPen(is_selected ? theme::Text() : hot ? theme::Text() : theme::TextMuted().lighter(125));
    const QString text = painter.fontMetrics().elidedText(
        theme::ToQt(item.name), Qt::ElideRight, std::max(0, static_cast<int>(label.width()) - 16));
    painter.drawText(label, Qt::AlignCenter, text);
  }
  if (hasFocus() && selected >= 0 && selected < static_cast<int>(items.size())) {
    painter.setPen(QPen(accent, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(LabelRect(selected).adjusted(-3, -3, 3, 3), kLabelHeight / 2.0 + 3,
                            kLabelHeight / 2.0 + 3);
  }
}

void MouseCtrlWidget::Clicked(QPoint pos) {
  int index;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    index = ItemAt(pos);
  }
  if (index < 0) return;
  Deliver([index](dui::MControl& c) { static_cast<dui::MouseCtrl&>(c).ActivateItem(index); });
}

void MouseCtrlWidget::mouseMoveEvent(QMouseEvent* event) {
  int hover;
  {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    hover = ItemAt(event->position());
  }
  setCursor(hover >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
  if (hover != m_hover) {
    m_hover = hover;
    update();
  }
}

void MouseCtrlWidget::keyPressEvent(QKeyEvent* event) {
  int delta = 0;
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left: delta = -1; break;
    case Qt::Key_Down:
    case Qt::Key_Right: delta = 1; break;
    default: ControlWidget::keyPressEvent(event); return;
  }
  // Worked out when delivered: earlier key presses may still be on their way to the model.
  Deliver([delta](dui::MControl& c) {
    auto& mouse = static_cast<dui::MouseCtrl&>(c);
    if (mouse.GetItemCount() == 0) return;
    const int target = std::clamp(mouse.GetSelectItem() + delta, 0, mouse.GetItemCount() - 1);
    if (target != mouse.GetSelectItem()) mouse.ActivateItem(target);
  });
  event->accept();
}

}  // namespace corvatt::view
