#include "common/ui/MWindow.h"

#include <future>
#include <memory>
#include <vector>

#include "common/ui/Host.h"
#include "common/ui/Manager.h"

namespace corvatt::dui {

namespace {

std::recursive_mutex& UiLock() { return Manager::Instance().UiLock(); }
Host* GetHost() { return Manager::Instance().GetHost(); }

}  // namespace

MWindow::MWindow() = default;

MWindow::~MWindow() {
  // Derived parts are gone: only the base clean-up runs here.
  if (IsCreated()) {
    std::vector<unsigned> timers;
    {
      std::lock_guard lock(UiLock());
      timers.assign(m_timers.begin(), m_timers.end());
      m_timers.clear();
    }
    if (Host* host = GetHost()) {
      for (unsigned id : timers) host->StopTimer(*this, id);
      host->WindowDestroyed(*this);
    }
    std::lock_guard lock(UiLock());
    Manager::Instance().UnregisterWindow(this);
  }
}

bool MWindow::Create(MWindow* parent, std::string_view class_name, uint32_t style, Rect rect,
                     std::string_view title, uint32_t ex_style) {
  {
    std::lock_guard lock(UiLock());
    if (m_serial != 0) return false;
    m_parent = parent;
    m_class_name = class_name;
    m_title = title;
    m_style = style;
    m_ex_style = ex_style;
    m_rect = rect;
    m_normal_rect = rect;
    m_visible = false;
    m_dirty = true;
    m_serial = Manager::Instance().RegisterWindow(this);
  }
  if (Host* host = GetHost()) host->WindowCreated(*this);
  OnCreate();
  if (style & WS_VISIBLE) ShowWindow(SW_SHOW);
  MarkDirty();
  return true;
}

bool MWindow::IsCreated() const {
  std::lock_guard lock(UiLock());
  return m_serial != 0 && Manager::Instance().FindWindowBySerial(m_serial) == this;
}

uintptr_t MWindow::GetSafeHwnd() const { return IsCreated() ? static_cast<uintptr_t>(m_serial) : 0; }

int MWindow::ShowModal(bool show) {
  Host* host = GetHost();
  if (!IsCreated() || host == nullptr) return -1;
  if (show) ShowWindow(SW_SHOW);
  {
    std::lock_guard lock(UiLock());
    ++m_modal_depth;
  }
  const int code = host->RunModal(*this);
  {
    std::lock_guard lock(UiLock());
    --m_modal_depth;
  }
  return code;
}

void MWindow::EndModal(int code) {
  if (!IsModal()) return;
  ShowWindow(SW_HIDE);
  if (Host* host = GetHost()) host->EndModal(*this, code);
}

bool MWindow::IsModal() const {
  std::lock_guard lock(UiLock());
  return m_modal_depth > 0;
}

void MWindow::CenterWindow() {
  Rect area = Manager::Instance().GetScreenRect();
  {
    std::lock_guard lock(UiLock());
    if (m_parent != nullptr && m_parent->IsCreated() && m_parent->IsVisible()) {
      area = m_parent->GetWindowRect();
    }
  }
  const Rect rect = GetWindowRect();
  const int x = area.left + (area.Width() - rect.Width()) / 2;
  const int y = area.top + (area.Height() - rect.Height()) / 2;
  MoveWindow(x, y, rect.Width(), rect.Height());
}

void MWindow::DestroyWindow() {
  if (!IsCreated()) return;
  if (IsModal()) EndModal(0);
  OnDestroy();
  std::vector<unsigned> timers;
  {
    std::lock_guard lock(UiLock());
    m_visible = false;
    timers.assign(m_timers.begin(), m_timers.end());
    m_timers.clear();
  }
  Host* host = GetHost();
  if (host != nullptr) {
    for (unsigned id : timers) host->StopTimer(*this, id);
    host->WindowDestroyed(*this);
  }
  {
    std::lock_guard lock(UiLock());
    Manager::Instance().UnregisterWindow(this);
  }
  Manager::Instance().WakeHost();
}

void MWindow::ShowWindow(int cmd) {
  switch (cmd) {
    case SW_HIDE: {
      std::lock_guard lock(UiLock());
      m_visible = false;
      break;
    }
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      Minimize();
      return;
    case SW_SHOWMAXIMIZED:
      Maximize();
      return;
    case SW_RESTORE:
      Restore();
      return;
    default: {
      std::lock_guard lock(UiLock());
      m_visible = true;
      break;
    }
  }
  MarkDirty();
}

bool MWindow::IsVisible() const {
  std::lock_guard lock(UiLock());
  return m_visible;
}

unsigned MWindow::SetTimer(unsigned id, unsigned ms) {
  if (!IsCreated()) return 0;
  {
    std::lock_guard lock(UiLock());
    m_timers.insert(id);
  }
  if (Host* host = GetHost()) host->StartTimer(*this, id, ms);
  return id;
}

void MWindow::KillTimer(unsigned id) {
  {
    std::lock_guard lock(UiLock());
    if (m_timers.erase(id) == 0) return;
  }
  if (Host* host = GetHost()) host->StopTimer(*this, id);
}

bool MWindow::HasTimer(unsigned id) const {
  std::lock_guard lock(UiLock());
  return m_timers.count(id) != 0;
}

void MWindow::MoveWindow(Rect rect, bool /*repaint*/) { SetRectInternal(rect, true); }

void MWindow::MoveWindow(int x, int y, int width, int height, bool repaint) {
  MoveWindow(Rect{x, y, x + width, y + height}, repaint);
}

void MWindow::SetWindowPos(int x, int y, int width, int height) {
  MoveWindow(x, y, width, height);
}

void MWindow::SetRectInternal(Rect rect, bool notify_size) {
  bool resized;
  {
    std::lock_guard lock(UiLock());
    resized = rect.Width() != m_rect.Width() || rect.Height() != m_rect.Height();
    if (rect == m_rect) return;
    m_rect = rect;
    if (m_show_state == ShowState::kNormal) m_normal_rect = rect;
  }
  MarkDirty();
  if (resized && notify_size) OnSize();
}

void MWindow::HostSetRect(Rect rect) { SetRectInternal(rect, true); }

Rect MWindow::GetWindowRect() const {
  std::lock_guard lock(UiLock());
  return m_rect;
}

Rect MWindow::GetClientRect() const {
  std::lock_guard lock(UiLock());
  return Rect{0, 0, m_rect.Width(), m_rect.Height()};
}

Point MWindow::ClientToScreen(Point point) const {
  std::lock_guard lock(UiLock());
  return Point{point.x + m_rect.left, point.y + m_rect.top};
}

void MWindow::InvalidateRect() { MarkDirty(); }

bool MWindow::IsMaximized() const { return GetShowState() == ShowState::kMaximized; }
bool MWindow::IsMinimized() const { return GetShowState() == ShowState::kMinimized; }

MWindow::ShowState MWindow::GetShowState() const {
  std::lock_guard lock(UiLock());
  return m_show_state;
}

void MWindow::Maximize() {
  {
    std::lock_guard lock(UiLock());
    if (m_show_state == ShowState::kNormal) m_normal_rect = m_rect;
    m_show_state = ShowState::kMaximized;
    m_visible = true;
  }
  SetRectInternal(Manager::Instance().GetScreenRect(), true);
  MarkDirty();
  OnMaximize();
}

void MWindow::Minimize() {
  {
    std::lock_guard lock(UiLock());
    if (m_show_state == ShowState::kNormal) m_normal_rect = m_rect;
    m_show_state = ShowState::kMinimized;
  }
  MarkDirty();
  OnMinimize();
}

void MWindow::Restore() {
  Rect normal;
  {
    std::lock_guard lock(UiLock());
    m_show_state = ShowState::kNormal;
    m_visible = true;
    normal = m_normal_rect;
  }
  SetRectInternal(normal, true);
  MarkDirty();
}

void MWindow::SetForeground() {
  ShowWindow(SW_SHOW);
  if (Host* host = GetHost()) host->ActivateWindow(*this);
}

void MWindow::SetTitle(std::string_view title) {
  {
    std::lock_guard lock(UiLock());
    m_title = title;
  }
  MarkDirty();
}

std::string MWindow::GetTitle() const {
  std::lock_guard lock(UiLock());
  return m_title;
}

std::string MWindow::GetClassName() const {
  std::lock_guard lock(UiLock());
  return m_class_name;
}

uint32_t MWindow::GetStyle() const {
  std::lock_guard lock(UiLock());
  return m_style;
}

uint32_t MWindow::GetExStyle() const {
  std::lock_guard lock(UiLock());
  return m_ex_style;
}

void MWindow::SetTopMost(bool top_most) {
  {
    std::lock_guard lock(UiLock());
    if (top_most) {
      m_ex_style |= WS_EX_TOPMOST;
    } else {
      m_ex_style &= ~WS_EX_TOPMOST;
    }
  }
  MarkDirty();
}

bool MWindow::IsTopMost() const { return (GetExStyle() & WS_EX_TOPMOST) != 0; }
bool MWindow::IsToolWindow() const { return (GetExStyle() & WS_EX_TOOLWINDOW) != 0; }

MWindow* MWindow::GetParent() const {
  std::lock_guard lock(UiLock());
  return m_parent;
}

void MWindow::SetIcon(std::string_view path) {
  {
    std::lock_guard lock(UiLock());
    m_icon = path;
  }
  MarkDirty();
}

std::string MWindow::GetIcon() const {
  std::lock_guard lock(UiLock());
  return m_icon;
}

void MWindow::SetWindowProperty(std::string_view name, intptr_t value) {
  std::lock_guard lock(UiLock());
  m_properties[std::string(name)] = value;
}

intptr_t MWindow::GetWindowProperty(std::string_view name) const {
  std::lock_guard lock(UiLock());
  auto it = m_properties.find(name);
  return it == m_properties.end() ? 0 : it->second;
}

bool MWindow::PostMessage(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  uint64_t serial;
  {
    std::lock_guard lock(UiLock());
    serial = m_serial;
  }
  if (serial == 0 || Manager::Instance().FindWindowBySerial(serial) != this) return false;
  Manager::Instance().Post(serial, msg, wparam, lparam);
  return true;
}

intptr_t MWindow::SendMessage(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  if (!IsCreated()) return 0;
  if (Manager::Instance().IsUiThread()) return DispatchMessage(msg, wparam, lparam);
  auto reply = std::make_shared<std::promise<intptr_t>>();
  std::future<intptr_t> result = reply->get_future();
  Manager::Instance().Post(m_serial, msg, wparam, lparam, std::move(reply));
  return result.get();
}

intptr_t MWindow::DispatchMessage(unsigned msg, uintptr_t wparam, intptr_t lparam) {
  bool handled = false;
  const intptr_t result = OnWindowMessage(msg, wparam, lparam, handled);
  if (handled) return result;
  return DefWindowMessage(msg, wparam, lparam);
}

intptr_t MWindow::OnWindowMessage(unsigned, uintptr_t, intptr_t, bool& handled) {
  handled = false;
  return 0;
}

intptr_t MWindow::DefWindowMessage(unsigned msg, uintptr_t wparam, intptr_t /*lparam*/) {
  switch (msg) {
    case WM_CLOSE:
      if (IsModal()) {
        EndModal(static_cast<int>(wparam));
      } else {
        ShowWindow(SW_HIDE);
      }
      return 0;
    case WM_TIMER:
      DispatchTimer(static_cast<unsigned>(wparam));
      return 0;
    default:
      return 0;
  }
}

void MWindow::DispatchTimer(unsigned id) {
  if (!HasTimer(id)) return;  // killed after it fell due
  OnTimer(id);
}

void MWindow::OnTimer(unsigned) {}

bool MWindow::TakeDirty() {
  std::lock_guard lock(UiLock());
  const bool dirty = m_dirty;
  m_dirty = false;
  return dirty;
}

void MWindow::MarkDirty() {
  {
    std::lock_guard lock(UiLock());
    m_dirty = true;
  }
  Manager::Instance().WakeHost();
}

}  // namespace corvatt::dui
