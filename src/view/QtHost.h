#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/ui/Host.h"

namespace corvatt::view {

// Options of the Qt view taken from the command line.
struct ViewOptions {
  // --screenshot FILE: a PNG of the main window, saved once the program calls
  // dui::Manager::MarkViewReady() (its first device view is up) and the window has been
  // repainted; if that call never comes, screenshot_fallback_ms after the main window is
  // first shown, or at the latest when --exit-after fires or Quit is called.
  std::string screenshot_path;
  int screenshot_fallback_ms = 3000;
  // --exit-after MS: MS milliseconds after the host is made, end normally: every modal run is
  // closed with WM_CLOSE (wparam 0), innermost first, so ShowModal returns and the program's
  // orderly shutdown runs. A custom action replaces that when on_exit_after is set.
  int exit_after_ms = -1;
  std::function<void()> on_exit_after;
  // Quit(code) ends the process at once (_exit after flushing stdio). Tests turn it off: the
  // code is recorded (QuitCode) and every modal run is ended instead.
  bool quit_exits_process = true;
};

// Takes "--screenshot FILE" and "--exit-after MS" (also "--screenshot=FILE", "--exit-after=MS")
// from the arguments; other arguments are left alone.
ViewOptions ParseViewOptions(int argc, char** argv);

// The Qt implementation of dui::Host. Make it after the QApplication and before the first
// window is created; it installs itself as the Manager's host, marks the calling thread as the
// UI thread and sets the Manager's screen rectangle from the primary screen. Each model window
// gets a frameless top-level widget; each control a widget made by the WidgetFactory; dirty
// controls are repainted on the GUI thread (wakes are coalesced into one queued pass); clicks
// and other input become the model's notifications.
//
// Typical main():
//   QApplication app(argc, argv);
//   corvatt::view::QtHost host(corvatt::view::ParseViewOptions(argc, argv));
//   ... create the main dialog, ShowModal() runs the Qt event loop ...
class QtHost : public dui::Host {
public:
  explicit QtHost(ViewOptions options = {});
  ~QtHost() override;
  QtHost(const QtHost&) = delete;
  QtHost& operator=(const QtHost&) = delete;

  // Runs one sync pass now (posted messages, then model -> widgets). Normally queued by Wake.
  void SyncNow();
  // Saves a PNG of the window's widget (the main window when null); false on failure.
  bool SaveScreenshot(const std::string& path, dui::MWindow* window = nullptr);
  bool ScreenshotTaken() const;
  // Recorded Quit code when quit_exits_process is off; -1 if none.
  int QuitCode() const;
  // The top-level widget of a window (a QWidget*), for tests; nullptr if none.
  void* WidgetOf(const dui::MWindow& window) const;
  // The widget of a control (a QWidget*), for tests; nullptr if none yet.
  void* WidgetOfControl(uint64_t control_serial) const;

  // dui::Host
  void Wake() override;
  void WindowCreated(dui::MWindow& window) override;
  void WindowDestroyed(dui::MWindow& window) override;
  void StartTimer(dui::MWindow& window, unsigned id, unsigned ms) override;
  void StopTimer(dui::MWindow& window, unsigned id) override;
  int RunModal(dui::MWindow& window) override;
  void EndModal(dui::MWindow& window, int code) override;
  void ActivateWindow(dui::MWindow& window) override;
  void Quit(int exit_code) override;
  bool AddTrayIcon(dui::MWindow& window, unsigned id, const std::string& tip,
                   const std::string& icon_path, unsigned callback_msg) override;
  void RemoveTrayIcon(dui::MWindow& window, unsigned id) override;
  void ShowTrayMenu(dui::MWindow& window, const std::vector<dui::MenuItem>& items) override;
  void ShowPopupMenu(dui::MWindow& window, dui::Point at, int width, unsigned msg,
                     const std::vector<dui::MenuItem>& items) override;
  void ViewReady() override;

  class Impl;

private:
  std::unique_ptr<Impl> m_impl;
};

}  // namespace corvatt::view
