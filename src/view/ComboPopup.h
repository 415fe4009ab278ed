#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

namespace corvatt::view {

// The drop-down list of a combo box: a frameless pop-up window titled "ComboWnd" with one row
// per item. A click or Enter chooses the highlighted row (the callback gets its index) and
// closes; Escape or a click outside closes without a choice.
class ComboPopup : public QWidget {
  Q_OBJECT
public:
  static constexpr int kRowHeight = 30;

  ComboPopup(QWidget* owner, QStringList items, int current, std::function<void(int)> chosen);
  int Highlighted() const { return m_highlight; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  int RowAt(QPoint pos) const;
  void Choose(int index);

  QStringList m_items;
  int m_current;
  int m_highlight;
  std::function<void(int)> m_chosen;
};

}  // namespace corvatt::view
