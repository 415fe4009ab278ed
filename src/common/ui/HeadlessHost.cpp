#include "common/ui/HeadlessHost.h"

#include <limits>

#include "common/ui/MWindow.h"
#include "common/ui/Manager.h"
#include "common/ui/Messages.h"

namespace corvatt::dui {

HeadlessHost::HeadlessHost() : m_previous(Manager::Instance().GetHost()) {
  Manager::Instance().SetUiThread();
  Manager::Instance().SetHost(this);
}

HeadlessHost::~HeadlessHost() { Manager::Instance().SetHost(m_previous); }

size_t HeadlessHost::PumpMessages(size_t max) {
  size_t total = 0;
  while (total < max) {
    const size_t n = Manager::Instance().DispatchPostedMessages();
    if (n == 0 && Manager::Instance().PendingMessageCount() == 0) break;
    total += n;
  }
  return total;
}

void HeadlessHost::AdvanceClock(uint64_t ms) {
  uint64_t target;
  {
    std::lock_guard lock(m_mutex);
    target = m_now + ms;
  }
  for (;;) {
    PumpMessages();
    std::pair<uint64_t, unsigned> key;
    bool found = false;
    {
      std::lock_guard lock(m_mutex);
      uint64_t best_due = std::numeric_limits<uint64_t>::max();
      uint64_t best_order = 0;
      for (const auto& [k, timer] : m_timers) {
        if (timer.due > target) continue;
        if (timer.due < best_due || (timer.due == best_due && timer.order < best_order)) {
          best_due = timer.due;
          best_order = timer.order;
          key = k;
          found = true;
        }
      }
      if (!found) {
        m_now = target;
        break;
      }
      m_now = best_due;
      Timer& timer = m_timers[key];
      timer.due += timer.interval;
    }
    if (MWindow* window = Manager::Instance().FindWindowBySerial(key.first)) {
      window->DispatchTimer(key.second);
    }
  }
  PumpMessages();
}

uint64_t HeadlessHost::Now() const {
  std::lock_guard lock(m_mutex);
  return m_now;
}

void HeadlessHost::ScriptModal(ModalScript script) {
  std::lock_guard lock(m_mutex);
  m_scripts.push_back(std::move(script));
}

void HeadlessHost::ScriptModalResult(int result) {
  ScriptModal([result](MWindow&) { return result; });
}

void HeadlessHost::SetDefaultModalResult(int result) {
  std::lock_guard lock(m_mutex);
  m_default_modal = result;
}

size_t HeadlessHost::PendingScripts() const {
  std::lock_guard lock(m_mutex);
  return m_scripts.size();
}

std::vector<std::string> HeadlessHost::ModalTitles() const {
  std::lock_guard lock(m_mutex);
  return m_modal_titles;
}

int HeadlessHost::ModalDepth() const {
  std::lock_guard lock(m_mutex);
  return static_cast<int>(m_modal_stack.size());
}

std::optional<int> HeadlessHost::QuitCode() const {
  std::lock_guard lock(m_mutex);
  return m_quit;
}

bool HeadlessHost::IsTimerRunning(const MWindow& window, unsigned id) const {
  std::lock_guard lock(m_mutex);
  return m_timers.count({window.Serial(), id}) != 0;
}

size_t HeadlessHost::TimerCount() const {
  std::lock_guard lock(m_mutex);
  return m_timers.size();
}

size_t HeadlessHost::WakeCount() const {
  std::lock_guard lock(m_mutex);
  return m_wakes;
}

std::optional<HeadlessHost::Tray> HeadlessHost::GetTray() const {
  std::lock_guard lock(m_mutex);
  return m_tray;
}

bool HeadlessHost::ClickTray(unsigned mouse_msg) {
  std::optional<Tray> tray = GetTray();
  if (!tray) return false;
  MWindow* window = Manager::Instance().FindWindowBySerial(tray->window);
  if (window == nullptr) return false;
  return window->PostMessage(tray->callback_msg, tray->id, static_cast<intptr_t>(mouse_msg));
}

std::vector<MenuItem> HeadlessHost::LastMenu() const {
  std::lock_guard lock(m_mutex);
  return m_menu;
}

bool HeadlessHost::ChooseMenuItem(unsigned id) {
  uint64_t serial;
  bool listed = false;
  {
    std::lock_guard lock(m_mutex);
    serial = m_menu_window;
    for (const MenuItem& item : m_menu) listed = listed || item.id == id;
    if (listed) m_menu.clear();
  }
  if (!listed) return false;
  MWindow* window = Manager::Instance().FindWindowBySerial(serial);
  return window != nullptr && window->PostMessage(WM_COMMAND, id, 0);
}

uint64_t HeadlessHost::ActivatedWindow() const {
  std::lock_guard lock(m_mutex);
  return m_activated;
}

void HeadlessHost::Wake() {
  std::lock_guard lock(m_mutex);
  ++m_wakes;
}

void HeadlessHost::WindowDestroyed(MWindow& window) {
  std::lock_guard lock(m_mutex);
  const uint64_t serial = window.Serial();
  for (auto it = m_timers.begin(); it != m_timers.end();) {
    it = it->first.first == serial ? m_timers.erase(it) : std::next(it);
  }
  if (m_tray && m_tray->window == serial) m_tray.reset();
}

void HeadlessHost::StartTimer(MWindow& window, unsigned id, unsigned ms) {
  std::lock_guard lock(m_mutex);
  const unsigned interval = ms == 0 ? 1 : ms;
  m_timers[{window.Serial(), id}] = Timer{interval, m_now + interval, m_timer_order++};
}

void HeadlessHost::StopTimer(MWindow& window, unsigned id) {
  std::lock_guard lock(m_mutex);
  m_timers.erase({window.Serial(), id});
}

int HeadlessHost::RunModal(MWindow& window) {
  ModalScript script;
  int fallback;
  std::string title = window.GetTitle();  // UI lock: never taken under m_mutex
  {
    std::lock_guard lock(m_mutex);
    m_modal_titles.push_back(std::move(title));
    m_modal_stack.push_back({window.Serial(), std::nullopt});
    if (!m_scripts.empty()) {
      script = std::move(m_scripts.front());
      m_scripts.pop_front();
    }
    fallback = m_default_modal;
  }
  const int answer = script ? script(window) : fallback;
  std::lock_guard lock(m_mutex);
  const Modal modal = m_modal_stack.back();
  m_modal_stack.pop_back();
  return modal.result.value_or(answer);
}

void HeadlessHost::EndModal(MWindow& window, int code) {
  std::lock_guard lock(m_mutex);
  for (auto it = m_modal_stack.rbegin(); it != m_modal_stack.rend(); ++it) {
    if (it->window == window.Serial()) {
      if (!it->result) it->result = code;
      return;
    }
  }
}

void HeadlessHost::ActivateWindow(MWindow& window) {
  std::lock_guard lock(m_mutex);
  m_activated = window.Serial();
}

void HeadlessHost::Quit(int exit_code) {
  std::lock_guard lock(m_mutex);
  if (!m_quit) m_quit = exit_code;
}

bool HeadlessHost::AddTrayIcon(MWindow& window, unsigned id, const std::string& tip,
                               const std::string& icon_path, unsigned callback_msg) {
  std::lock_guard lock(m_mutex);
  m_tray = Tray{id, tip, icon_path, callback_msg, window.Serial()};
  return true;
}

void HeadlessHost::RemoveTrayIcon(MWindow& window, unsigned id) {
  std::lock_guard lock(m_mutex);
  if (m_tray && m_tray->window == window.Serial() && m_tray->id == id) m_tray.reset();
}

void HeadlessHost::ShowTrayMenu(MWindow& window, const std::vector<MenuItem>& items) {
  std::lock_guard lock(m_mutex);
  m_menu = items;
  m_menu_window = window.Serial();
}

void HeadlessHost::ShowPopupMenu(MWindow& window, Point at, int width, unsigned msg,
                                 const std::vector<MenuItem>& items) {
  std::lock_guard lock(m_mutex);
  m_popup = PopupMenu{window.Serial(), at, width, msg, items};
}

std::optional<HeadlessHost::PopupMenu> HeadlessHost::LastPopupMenu() const {
  std::lock_guard lock(m_mutex);
  return m_popup;
}

bool HeadlessHost::ChoosePopupItem(unsigned id) {
  PopupMenu menu;
  {
    std::lock_guard lock(m_mutex);
    if (!m_popup) return false;
    menu = *m_popup;
  }
  for (const MenuItem& item : menu.items) {
    if (item.id != id) continue;
    MWindow* window = Manager::Instance().FindWindowBySerial(menu.window);
    if (window == nullptr) return false;
    window->PostMessage(menu.msg, id, 0);
    return true;
  }
  return false;
}

}  // namespace corvatt::dui
