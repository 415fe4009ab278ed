#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "common/ui/Host.h"

namespace corvatt::dui {

class MDialog;

// A host without a display, for tests: posted messages are delivered by PumpMessages, timers
// fire from a virtual clock advanced by AdvanceClock, modal runs are answered from a script.
// Installs itself as the Manager's host and the calling thread as the UI thread; restores the
// previous host when destroyed.
class HeadlessHost : public Host {
public:
  HeadlessHost();
  ~HeadlessHost() override;

  // Delivers posted messages until the queue is empty (at most max messages); returns count.
  size_t PumpMessages(size_t max = 100000);
  // Moves the virtual clock on by ms, firing due timers in time order (ties: start order) and
  // delivering posted messages before each timer and at the end.
  void AdvanceClock(uint64_t ms);
  uint64_t Now() const;

  // Answers for modal runs, used in order. The script gets the window (it may click, call
  // DoOK/DoCancel, post messages...); if the window was not ended by the script, the script's
  // return value is the result. Without a script a modal run returns DefaultModalResult.
  using ModalScript = std::function<int(MWindow&)>;
  void ScriptModal(ModalScript script);
  void ScriptModalResult(int result);
  void SetDefaultModalResult(int result);
  size_t PendingScripts() const;
  // Titles of the windows run modally, in order.
  std::vector<std::string> ModalTitles() const;
  int ModalDepth() const;

  std::optional<int> QuitCode() const;
  bool IsTimerRunning(const MWindow& window, unsigned id) const;
  size_t TimerCount() const;
  size_t WakeCount() const;

  struct Tray {
    unsigned id = 0;
    std::string tip;
    std::string icon;
    unsigned callback_msg = 0;
    uint64_t window = 0;
  };
  std::optional<Tray> GetTray() const;
  // Simulates a tray click: posts the callback message with the mouse message as lParam.
  bool ClickTray(unsigned mouse_msg);
  std::vector<MenuItem> LastMenu() const;
  // Chooses an item of the last tray menu: posts WM_COMMAND id.
  bool ChooseMenuItem(unsigned id);
  uint64_t ActivatedWindow() const;
  struct PopupMenu {
    uint64_t window = 0;
    Point at;
    int width = 0;
    unsigned msg = 0;
    std::vector<MenuItem> items;
  };
  std::optional<PopupMenu> LastPopupMenu() const;
  // Chooses an item of the last pop-up menu: posts (msg, id, 0). False when it has no such item.
  bool ChoosePopupItem(unsigned id);

  // Host.
  void Wake() override;
  void WindowDestroyed(MWindow& window) override;
  void StartTimer(MWindow& window, unsigned id, unsigned ms) override;
  void StopTimer(MWindow& window, unsigned id) override;
  int RunModal(MWindow& window) override;
  void EndModal(MWindow& window, int code) override;
  void ActivateWindow(MWindow& window) override;
  void Quit(int exit_code) override;
  bool AddTrayIcon(MWindow& window, unsigned id, const std::string& tip,
                   const std::string& icon_path, unsigned callback_msg) override;
  void RemoveTrayIcon(MWindow& window, unsigned id) override;
  void ShowTrayMenu(MWindow& window, const std::vector<MenuItem>& items) override;
  void ShowPopupMenu(MWindow& window, Point at, int width, unsigned msg,
                     const std::vector<MenuItem>& items) override;

private:
  struct Timer {
    unsigned interval;
    uint64_t due;
    uint64_t order;
  };
  struct Modal {
    uint64_t window;
    std::optional<int> result;
  };

  Host* m_previous = nullptr;
  mutable std::mutex m_mutex;
  uint64_t m_now = 0;
  uint64_t m_timer_order = 0;
  std::map<std::pair<uint64_t, unsigned>, Timer> m_timers;
  std::deque<ModalScript> m_scripts;
  int m_default_modal = 0;
  std::vector<std::string> m_modal_titles;
  std::vector<Modal> m_modal_stack;
  std::optional<int> m_quit;
  std::optional<Tray> m_tray;
  std::vector<MenuItem> m_menu;
  uint64_t m_menu_window = 0;
  uint64_t m_activated = 0;
  std::optional<PopupMenu> m_popup;
  size_t m_wakes = 0;
};

}  // namespace corvatt::dui
