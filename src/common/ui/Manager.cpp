#include "common/ui/Manager.h"

#include <algorithm>
#include <filesystem>

#include "common/ui/Host.h"
#include "common/ui/MWindow.h"

namespace corvatt::dui {

Manager& Manager::Instance() {
  static Manager manager;
  return manager;
}

void Manager::SetDeviceName(std::string_view name) {
  std::lock_guard lock(m_names_mutex);
  m_device_name = name;
}

std::string Manager::GetDeviceName() const {
  std::lock_guard lock(m_names_mutex);
  return m_device_name;
}

std::string Manager::GetTheme() const { return "default"; }

void Manager::SetFontName(std::string_view name) {
  std::lock_guard lock(m_names_mutex);
  m_font_name = name;
}

std::string Manager::GetFontName() const {
  std::lock_guard lock(m_names_mutex);
  return m_font_name;
}

void Manager::SetSkinRoot(std::string_view path) {
  std::string root(path);
  std::replace(root.begin(), root.end(), '\\', '/');
  if (!root.empty() && root.back() != '/') root.push_back('/');
  std::lock_guard lock(m_names_mutex);
  m_skin_root = std::move(root);
}

std::string Manager::GetSkinRoot() const {
  std::lock_guard lock(m_names_mutex);
  return m_skin_root;
}

std::string Manager::ResolveImage(std::string_view name) const {
  if (name.empty()) return {};
  std::string path(name);
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.front() != '/') path = GetSkinRoot() + path;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) && path.size() > 4) {
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".ico") {
      std::string png = path.substr(0, path.size() - 4) + ".png";
      if (std::filesystem::exists(png, ec)) return png;
    }
  }
  return path;
}

void Manager::SetHost(Host* host) { m_host.store(host); }

void Manager::SetUiThread() { m_ui_thread.store(std::this_thread::get_id()); }

bool Manager::IsUiThread() const {
  const auto id = m_ui_thread.load();
  return id == std::thread::id{} || id == std::this_thread::get_id();
}

void Manager::SetScreenRect(Rect rect) {
  std::lock_guard lock(m_names_mutex);
  m_screen = rect;
}

Rect Manager::GetScreenRect() const {
  std::lock_guard lock(m_names_mutex);
  return m_screen;
}

std::vector<MWindow*> Manager::Windows() const {
  std::lock_guard lock(m_windows_mutex);
  return m_windows;
}

std::vector<MWindow*> Manager::FindWindows(std::string_view class_name,
                                           std::string_view title) const {
  std::vector<MWindow*> found;
  for (MWindow* window : Windows()) {
    if (window->GetClassName() == class_name && window->GetTitle() == title) {
      found.push_back(window);
    }
  }
  return found;
}

MWindow* Manager::FindWindowBySerial(uint64_t serial) const {
  std::lock_guard lock(m_windows_mutex);
  for (MWindow* window : m_windows) {
    if (window->Serial() == serial) return window;
  }
  return nullptr;
}

uint64_t Manager::RegisterWindow(MWindow* window) {
  std::lock_guard lock(m_windows_mutex);
  m_windows.push_back(window);
  return m_next_serial++;
}

void Manager::UnregisterWindow(MWindow* window) {
  {
    std::lock_guard lock(m_windows_mutex);
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
  }
  const uint64_t serial = window->Serial();
  std::deque<Posted> dropped;
  {
    std::lock_guard lock(m_queue_mutex);
    auto keep = std::stable_partition(m_queue.begin(), m_queue.end(),
                                      [serial](const Posted& p) { return p.serial != serial; });
    dropped.assign(std::make_move_iterator(keep), std::make_move_iterator(m_queue.end()));
    m_queue.erase(keep, m_queue.end());
  }
  for (Posted& p : dropped) {
    if (p.reply) p.reply->set_value(0);
  }
}

void Manager::Post(uint64_t serial, unsigned msg, uintptr_t wparam, intptr_t lparam,
                   std::shared_ptr<std::promise<intptr_t>> reply) {
  {
    std::lock_guard lock(m_queue_mutex);
    m_queue.push_back({serial, msg, wparam, lparam, std::move(reply)});
  }
  WakeHost();
}

size_t Manager::DispatchPostedMessages() {
  size_t count = 0;
  // Only what was queued before this call: a handler that posts again does not starve the loop.
  size_t budget;
  {
    std::lock_guard lock(m_queue_mutex);
    budget = m_queue.size();
  }
  while (budget-- > 0) {
    Posted posted;
    {
      std::lock_guard lock(m_queue_mutex);
      if (m_queue.empty()) break;
      posted = std::move(m_queue.front());
      m_queue.pop_front();
    }
    intptr_t result = 0;
    if (MWindow* window = FindWindowBySerial(posted.serial)) {
      result = window->DispatchMessage(posted.msg, posted.wparam, posted.lparam);
      ++count;
    }
    if (posted.reply) posted.reply->set_value(result);
  }
  return count;
}

size_t Manager::PendingMessageCount() const {
  std::lock_guard lock(m_queue_mutex);
  return m_queue.size();
}

void Manager::MarkViewReady() {
  if (Host* host = GetHost()) host->ViewReady();
}

void Manager::WakeHost() {
  if (Host* host = GetHost()) host->Wake();
}

}  // namespace corvatt::dui
