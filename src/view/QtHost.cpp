#include "view/QtHost.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string_view>

#include "common/ui/MDialog.h"
#include "common/ui/Manager.h"
#include "common/ui/Messages.h"
#include "view/ControlWidget.h"
#include "view/Theme.h"
#include "view/WidgetRegistry.h"
#include "view/WindowWidget.h"

namespace corvatt::view {

using dui::Manager;

ViewOptions ParseViewOptions(int argc, char** argv) {
  ViewOptions options;
  auto number = [](const char* text, int fallback) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return (end != text && value >= 0 && value < 0x7FFFFFFF) ? static_cast<int>(value) : fallback;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--screenshot" && i + 1 < argc) {
      options.screenshot_path = argv[++i];
    } else if (arg.rfind("--screenshot=", 0) == 0) {
      options.screenshot_path = std::string(arg.substr(13));
    } else if (arg == "--exit-after" && i + 1 < argc) {
      options.exit_after_ms = number(argv[++i], -1);
    } else if (arg.rfind("--exit-after=", 0) == 0) {
      options.exit_after_ms = number(argv[i] + 13, -1);
    }
  }
  return options;
}

class QtHost::Impl : public QObject {
public:
  struct Entry {
    std::unique_ptr<WindowWidget> widget;
    std::map<uint64_t, QPointer<ControlWidget>> controls;
  };
  struct Modal {
    uint64_t serial;
    QEventLoop* loop;
    int code;
    bool ended;
  };

  ViewOptions options;
  std::atomic<bool> wake_pending{false};
  std::map<uint64_t, Entry> windows;
  std::map<std::pair<uint64_t, unsigned>, std::unique_ptr<QTimer>> timers;
  std::vector<Modal*> modals;
  std::unique_ptr<QSystemTrayIcon> tray;
  std::unique_ptr<QMenu> menu;
  std::unique_ptr<QMenu> popup_menu;
  uint64_t tray_window = 0;
  unsigned tray_id = 0;
  unsigned tray_msg = 0;
  bool screenshot_taken = false;
  bool screenshot_scheduled = false;
  bool fallback_started = false;
  int quit_code = -1;

  void Sync();
  void DropWindow(uint64_t serial);
  WindowWidget* MainWidget();
  void TakeScreenshot();
  bool Save(const std::string& path, WindowWidget* widget);
  void EndAllModals(int code);
};

void QtHost::Impl::Sync() {
  wake_pending.store(false);
  Manager::Instance().DispatchPostedMessages();

  std::lock_guard lock(Manager::Instance().UiLock());
  std::set<uint64_t> alive;
  bool any_shown = false;
  for (dui::MWindow* window : Manager::Instance().Windows()) {
    const uint64_t serial = window->Serial();
    alive.insert(serial);
    Entry& entry = windows[serial];
    bool window_dirty = window->TakeDirty();
    if (!entry.widget) {
      entry.widget = std::make_unique<WindowWidget>(*window);
      window_dirty = true;
    }
    if (auto* dialog = dynamic_cast<dui::MDialog*>(window)) {
      for (dui::MControl* control : dialog->Controls()) {
        auto& slot = entry.controls[control->Serial()];
        bool fresh = false;
        if (slot.isNull()) {
          slot = WidgetRegistry::Instance().Make(*control, entry.widget.get());
          WidgetRegistry::Instance().Track(control->Serial(), control);
          fresh = true;
        }
        if (control->TakeDirty() || fresh) slot->SyncFromModel();
        const bool shown = control->IsShown();
        if (slot->isHidden() == shown) slot->setVisible(shown);
      }
    }
    if (window_dirty) entry.widget->SyncFromModel();
    any_shown = any_shown || window->IsVisible();
  }
  for (auto it = windows.begin(); it != windows.end();) {
    if (alive.count(it->first) == 0) {
      const uint64_t serial = it->first;
      ++it;
      DropWindow(serial);
    } else {
      ++it;
    }
  }
  if (any_shown && !fallback_started && !options.screenshot_path.empty()) {
    fallback_started = true;
    QTimer::singleShot(std::max(0, options.screenshot_fallback_ms), this, [this] {
      if (!screenshot_taken) TakeScreenshot();
    });
  }
}

void QtHost::Impl::DropWindow(uint64_t serial) {
  auto it = windows.find(serial);
  if (it == windows.end()) return;
  for (auto& [control_serial, widget] : it->second.controls) {
    WidgetRegistry::Instance().Untrack(control_serial);
  }
  if (it->second.widget) {
    it->second.widget->hide();
    it->second.widget.release()->deleteLater();
  }
  windows.erase(it);
  for (auto t = timers.begin(); t != timers.end();) {
    t = t->first.first == serial ? timers.erase(t) : std::next(t);
  }
}

WindowWidget* QtHost::Impl::MainWidget() {
  if (!modals.empty()) {
    auto it = windows.find(modals.front()->serial);
    if (it != windows.end() && it->second.widget) return it->second.widget.get();
  }
  for (auto& [serial, entry] : windows) {
    if (entry.widget && entry.widget->isVisible()) return entry.widget.get();
  }
  return nullptr;
}

bool QtHost::Impl::Save(const std::string& path, WindowWidget* widget) {
  if (widget == nullptr || path.empty()) return false;
  const QPixmap pixmap = widget->grab();
  if (pixmap.isNull()) return false;
  return pixmap.save(theme::ToQt(path), "PNG");
}

void QtHost::Impl::TakeScreenshot() {
  if (screenshot_taken || options.screenshot_path.empty()) return;
  Sync();
  if (Save(options.screenshot_path, MainWidget())) {
    screenshot_taken = true;
  } else {
    std::fprintf(stderr, "corvatt: could not write the screenshot %s\n",
                 options.screenshot_path.c_str());
  }
}

void QtHost::Impl::EndAllModals(int code) {
  // Innermost first, through the model so its modal bookkeeping follows.
  std::vector<uint64_t> serials;
  for (auto it = modals.rbegin(); it != modals.rend(); ++it) serials.push_back((*it)->serial);
  for (uint64_t serial : serials) {
    if (dui::MWindow* window = Manager::Instance().FindWindowBySerial(serial)) {
      window->EndModal(code);
    }
  }
}

QtHost::QtHost(ViewOptions options) : m_impl(std::make_unique<Impl>()) {
  m_impl->options = std::move(options);
  Manager::Instance().SetUiThread();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    Manager::Instance().SetScreenRect(
        dui::Rect{area.left(), area.top(), area.left() + area.width(), area.top() + area.height()});
  }
  Manager::Instance().SetHost(this);
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
    app->setStyleSheet(QStringLiteral(
        "QToolTip{background:#1d2129;color:#e6e9ee;border:1px solid #303642;padding:4px 6px;}"));
  }
  if (m_impl->options.exit_after_ms >= 0) {
    Impl* impl = m_impl.get();
    QTimer::singleShot(m_impl->options.exit_after_ms, m_impl.get(), [impl] {
      impl->TakeScreenshot();
      if (impl->options.on_exit_after) {
        impl->options.on_exit_after();
      } else if (!impl->modals.empty()) {
        impl->EndAllModals(0);
      } else {
        QCoreApplication::exit(0);
      }
    });
  }
}

QtHost::~QtHost() {
  if (Manager::Instance().GetHost() == this) Manager::Instance().SetHost(nullptr);
  for (auto& [serial, entry] : m_impl->windows) {
    for (auto& [control_serial, widget] : entry.controls) {
      WidgetRegistry::Instance().Untrack(control_serial);
    }
  }
  m_impl->tray.reset();
}

void QtHost::SyncNow() { m_impl->Sync(); }

bool QtHost::SaveScreenshot(const std::string& path, dui::MWindow* window) {
  m_impl->Sync();
  WindowWidget* widget = nullptr;
  if (window != nullptr) {
    auto it = m_impl->windows.find(window->Serial());
    if (it != m_impl->windows.end()) widget = it->second.widget.get();
  } else {
    widget = m_impl->MainWidget();
  }
  return m_impl->Save(path, widget);
}

bool QtHost::ScreenshotTaken() const { return m_impl->screenshot_taken; }
int QtHost::QuitCode() const { return m_impl->quit_code; }

void* QtHost::WidgetOf(const dui::MWindow& window) const {
  auto it = m_impl->windows.find(window.Serial());
  return it == m_impl->windows.end() ? nullptr : static_cast<QWidget*>(it->second.widget.get());
}

void* QtHost::WidgetOfControl(uint64_t control_serial) const {
  for (auto& [serial, entry] : m_impl->windows) {
    auto it = entry.controls.find(control_serial);
    if (it != entry.controls.end()) return static_cast<QWidget*>(it->second.data());
  }
  return nullptr;
}

void QtHost::Wake() {
  if (m_impl->wake_pending.exchange(true)) return;
  Impl* impl = m_impl.get();
  QMetaObject::invokeMethod(impl, [impl] { impl->Sync(); }, Qt::QueuedConnection);
}

void QtHost::WindowCreated(dui::MWindow&) { Wake(); }

void QtHost::WindowDestroyed(dui::MWindow& window) {
  const uint64_t serial = window.Serial();
  if (Manager::Instance().IsUiThread()) {
    m_impl->DropWindow(serial);
  } else {
    Impl* impl = m_impl.get();
    QMetaObject::invokeMethod(impl, [impl, serial] { impl->DropWindow(serial); },
                              Qt::QueuedConnection);
  }
}

void QtHost::StartTimer(dui::MWindow& window, unsigned id, unsigned ms) {
  Impl* impl = m_impl.get();
  const uint64_t serial = window.Serial();
  auto start = [impl, serial, id, ms] {
    auto& timer = impl->timers[{serial, id}];
    if (!timer) {
      timer = std::make_unique<QTimer>();
      QObject::connect(timer.get(), &QTimer::timeout, impl, [serial, id] {
        if (dui::MWindow* w = Manager::Instance().FindWindowBySerial(serial)) w->DispatchTimer(id);
      });
    }
    timer->start(static_cast<int>(ms));
  };
  if (Manager::Instance().IsUiThread()) {
    start();
  } else {
    QMetaObject::invokeMethod(impl, start, Qt::QueuedConnection);
  }
}

void QtHost::StopTimer(dui::MWindow& window, unsigned id) {
  Impl* impl = m_impl.get();
  const uint64_t serial = window.Serial();
  auto stop = [impl, serial, id] { impl->timers.erase({serial, id}); };
  if (Manager::Instance().IsUiThread()) {
    stop();
  } else {
    QMetaObject::invokeMethod(impl, stop, Qt::QueuedConnection);
  }
}

int QtHost::RunModal(dui::MWindow& window) {
  QEventLoop loop;
  Impl::Modal modal{window.Serial(), &loop, 0, false};
  m_impl->modals.push_back(&modal);
  m_impl->Sync();
  if (m_impl->modals.size() > 1) {
    // A modal run over another window blocks input to the others, as a modal dialog does.
    auto it = m_impl->windows.find(window.Serial());
    if (it != m_impl->windows.end() && it->second.widget &&
        it->second.widget->windowModality() != Qt::ApplicationModal) {
      QWidget* widget = it->second.widget.get();
      const bool shown = widget->isVisible();
      widget->hide();
      widget->setWindowModality(Qt::ApplicationModal);
      if (shown) widget->show();
    }
  }
  const int code = modal.ended ? modal.code : loop.exec();
  std::erase(m_impl->modals, &modal);
  m_impl->Sync();
  return modal.ended ? modal.code : code;
}

void QtHost::EndModal(dui::MWindow& window, int code) {
  for (auto it = m_impl->modals.rbegin(); it != m_impl->modals.rend(); ++it) {
    Impl::Modal* modal = *it;
    if (modal->serial == window.Serial() && !modal->ended) {
      modal->ended = true;
      modal->code = code;
      modal->loop->exit(code);
      return;
    }
  }
}

void QtHost::ActivateWindow(dui::MWindow& window) {
  m_impl->Sync();
  auto it = m_impl->windows.find(window.Serial());
  if (it == m_impl->windows.end() || !it->second.widget) return;
  it->second.widget->raise();
  it->second.widget->activateWindow();
}

void QtHost::Quit(int exit_code) {
  m_impl->TakeScreenshot();
  if (m_impl->options.quit_exits_process) {
    std::fflush(nullptr);
    _exit(exit_code);
  }
  m_impl->quit_code = exit_code;
  m_impl->EndAllModals(exit_code);
}

bool QtHost::AddTrayIcon(dui::MWindow& window, unsigned id, const std::string& tip,
                         const std::string& icon_path, unsigned callback_msg) {
  Impl* impl = m_impl.get();
  impl->tray_window = window.Serial();
  impl->tray_id = id;
  impl->tray_msg = callback_msg;
  if (!impl->tray) {
    impl->tray = std::make_unique<QSystemTrayIcon>();
    QObject::connect(impl->tray.get(), &QSystemTrayIcon::activated, impl,
                     [impl](QSystemTrayIcon::ActivationReason reason) {
                       unsigned mouse = 0;
                       switch (reason) {
                         case QSystemTrayIcon::Trigger: mouse = dui::WM_LBUTTONDOWN; break;
                         case QSystemTrayIcon::DoubleClick: mouse = dui::WM_LBUTTONDBLCLK; break;
                         case QSystemTrayIcon::Context: mouse = dui::WM_RBUTTONUP; break;
                         default: return;
                       }
                       if (dui::MWindow* w = Manager::Instance().FindWindowBySerial(impl->tray_window)) {
                         w->PostMessage(impl->tray_msg, impl->tray_id, static_cast<intptr_t>(mouse));
                       }
                     });
  }
  QPixmap pixmap = theme::Image(icon_path);
  if (pixmap.isNull()) {
    // No icon file: a plain accent disc, so the tray entry is still there to click.
    pixmap = QPixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme::Accent());
    painter.drawEllipse(QRectF(6, 6, 52, 52));
  }
  impl->tray->setIcon(QIcon(pixmap));
  impl->tray->setToolTip(theme::ToQt(tip));
  if (QSystemTrayIcon::isSystemTrayAvailable()) impl->tray->show();
  return true;
}

void QtHost::RemoveTrayIcon(dui::MWindow& window, unsigned id) {
  if (m_impl->tray && m_impl->tray_window == window.Serial() && m_impl->tray_id == id) {
    m_impl->tray->hide();
    m_impl->tray.reset();
  }
}

void QtHost::ShowTrayMenu(dui::MWindow& window, const std::vector<dui::MenuItem>& items) {
  Impl* impl = m_impl.get();
  impl->menu = std::make_unique<QMenu>();
  impl->menu->setStyleSheet(QStringLiteral(
      "QMenu{background:#1d2129;color:#e6e9ee;border:1px solid #303642;padding:4px;}"
      "QMenu::item{padding:6px 22px;border-radius:4px;}"
      "QMenu::item:selected{background:#272c36;}"));
  const uint64_t serial = window.Serial();
  for (const dui::MenuItem& item : items) {
    QAction* action = impl->menu->addAction(theme::ToQt(item.text));
    const unsigned command = item.id;
    QObject::connect(action, &QAction::triggered, impl, [serial, command] {
      if (dui::MWindow* w = Manager::Instance().FindWindowBySerial(serial)) {
        w->PostMessage(dui::WM_COMMAND, command, 0);
      }
    });
  }
  impl->menu->popup(QCursor::pos());
}

void QtHost::ShowPopupMenu(dui::MWindow& window, dui::Point at, int width, unsigned msg,
                           const std::vector<dui::MenuItem>& items) {
  Impl* impl = m_impl.get();
  impl->popup_menu = std::make_unique<QMenu>();
  impl->popup_menu->setWindowTitle(QStringLiteral("MenuWnd"));
  impl->popup_menu->setStyleSheet(QStringLiteral(
      "QMenu{background:#1d2129;color:#e6e9ee;border:1px solid #303642;padding:4px;}"
      "QMenu::item{padding:6px 18px;border-radius:4px;}"
      "QMenu::item:selected{background:#272c36;}"));
  if (width > 0) impl->popup_menu->setFixedWidth(width);
  const uint64_t serial = window.Serial();
  for (const dui::MenuItem& item : items) {
    QAction* action = impl->popup_menu->addAction(theme::ToQt(item.text));
    const unsigned command = item.id;
    QObject::connect(action, &QAction::triggered, impl, [serial, msg, command] {
      if (dui::MWindow* w = Manager::Instance().FindWindowBySerial(serial)) w->PostMessage(msg, command, 0);
    });
  }
  impl->popup_menu->popup(QPoint(at.x, at.y));
}

void QtHost::ViewReady() {
  if (m_impl->options.screenshot_path.empty() || m_impl->screenshot_scheduled) return;
  m_impl->screenshot_scheduled = true;
  Impl* impl = m_impl.get();
  // Let the worker's last changes and the repaint land first.
  QTimer::singleShot(400, impl, [impl] { impl->TakeScreenshot(); });
}

}  // namespace corvatt::view
