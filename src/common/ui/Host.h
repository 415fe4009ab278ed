#pragma once

#include <string>
#include <vector>

#include "common/ui/Types.h"

namespace corvatt::dui {

class MWindow;

struct MenuItem {
  unsigned id = 0;    // WM_COMMAND id posted to the window when chosen
  std::string text;
};

// The event loop behind the model: Qt in the program, HeadlessHost in tests.
// All calls except Wake, StartTimer and StopTimer are made on the UI thread.
class Host {
public:
  virtual ~Host() = default;

  // The model changed or a message was posted; called from any thread, must not block.
  virtual void Wake() = 0;

  virtual void WindowCreated(MWindow&) {}
  virtual void WindowDestroyed(MWindow&) {}

  // Periodic timer; firing calls MWindow::DispatchTimer(id) on the UI thread. Any thread.
  virtual void StartTimer(MWindow& window, unsigned id, unsigned ms) = 0;
  virtual void StopTimer(MWindow& window, unsigned id) = 0;

  // Nested loop until EndModal(window, code) for that window; returns the code.
  virtual int RunModal(MWindow& window) = 0;
  virtual void EndModal(MWindow& window, int code) = 0;

  // Brings a window to the front (tray icon click, second start).
  virtual void ActivateWindow(MWindow&) {}

  // Ends the process (or the headless run) at once with the code.
  virtual void Quit(int exit_code) = 0;

  // Tray icon. Clicks post callback_msg (wparam = id, lparam = mouse message) to the window.
  virtual bool AddTrayIcon(MWindow& window, unsigned id, const std::string& tip,
                           const std::string& icon_path, unsigned callback_msg) = 0;
  virtual void RemoveTrayIcon(MWindow& window, unsigned id) = 0;
  // Pop-up menu at the cursor; a chosen item posts WM_COMMAND (item id) to the window.
  virtual void ShowTrayMenu(MWindow& window, const std::vector<MenuItem>& items) = 0;
  // A pop-up menu (MenuWnd) with its top-left corner at a screen point: the chosen item
  // posts (msg, item id, 0) to the window; nothing is posted when it is dismissed.
  virtual void ShowPopupMenu(MWindow& /*window*/, Point /*at*/, int /*width*/, unsigned /*msg*/,
                             const std::vector<MenuItem>& /*items*/) {}

  // The program has shown its first device view (screenshot point of the Qt host).
  virtual void ViewReady() {}
};

}  // namespace corvatt::dui
