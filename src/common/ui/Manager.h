#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/ui/Types.h"

namespace corvatt::dui {

class Host;
class MWindow;

// Process-wide toolkit state: names, theme, skin folder, the host, the UI lock, the window
// registry and the posted-message queue.
class Manager {
public:
  static Manager& Instance();

  // Kept for the program's start-up sequence; there is no module handle on Linux.
  static void SetInstance(void* /*module*/) {}

  void SetDeviceName(std::string_view name);
  std::string GetDeviceName() const;  // default "Corvatt"
  std::string GetTheme() const;       // "default"
  void SetFontName(std::string_view name);
  std::string GetFontName() const;    // default "Open Sans Semibold"

  // Installation folder + "skins/" + theme + "/", with a trailing slash.
  void SetSkinRoot(std::string_view path);
  std::string GetSkinRoot() const;
  // Absolute path of a skin image: names are relative to the skin root ("\\" becomes "/");
  // absolute paths are kept. A missing ".ico" falls back to the ".png" of the same name.
  // Returns the path even when the file is missing (the caller draws a fallback).
  std::string ResolveImage(std::string_view name) const;

  // Highlight colour, 0x00BBGGRR.
  std::atomic<uint32_t> m_select_color{0x00F0B627u};

  void SetHost(Host* host);
  Host* GetHost() const { return m_host.load(); }

  // Marks the calling thread as the UI thread (hosts do this when they are made).
  void SetUiThread();
  bool IsUiThread() const;

  // The one recursive lock that every control read and write takes.
  std::recursive_mutex& UiLock() { return m_ui_lock; }

  // Work area of the screen, for CenterWindow and Maximize.
  void SetScreenRect(Rect rect);
  Rect GetScreenRect() const;

  // Windows alive, in creation order. Off the UI thread, hold UiLock() while using the
  // pointers: windows are unregistered under it.
  std::vector<MWindow*> Windows() const;
  std::vector<MWindow*> FindWindows(std::string_view class_name, std::string_view title) const;
  MWindow* FindWindowBySerial(uint64_t serial) const;

  // Delivers posted messages in order on the calling (UI) thread; returns how many.
  // Messages to windows destroyed meanwhile are dropped.
  size_t DispatchPostedMessages();
  size_t PendingMessageCount() const;

  // Tells the host that the first device view is up.
  void MarkViewReady();

  // Wakes the host (cheap; hosts coalesce).
  void WakeHost();

  // Internal: called by MWindow.
  uint64_t RegisterWindow(MWindow* window);
  void UnregisterWindow(MWindow* window);
  // reply, when given, receives the handler's result (0 when the window is gone).
  void Post(uint64_t serial, unsigned msg, uintptr_t wparam, intptr_t lparam,
            std::shared_ptr<std::promise<intptr_t>> reply = {});

private:
  Manager() = default;

  struct Posted {
    uint64_t serial;
    unsigned msg;
    uintptr_t wparam;
    intptr_t lparam;
    std::shared_ptr<std::promise<intptr_t>> reply;
  };

  mutable std::mutex m_names_mutex;
  std::string m_device_name = "Corvatt";
  std::string m_font_name = "Open Sans Semibold";
  std::string m_skin_root;
  Rect m_screen{0, 0, 1920, 1080};

  std::atomic<Host*> m_host{nullptr};
  std::atomic<std::thread::id> m_ui_thread{};
  std::recursive_mutex m_ui_lock;

  mutable std::mutex m_windows_mutex;
  std::vector<MWindow*> m_windows;
  uint64_t m_next_serial = 1;

  mutable std::mutex m_queue_mutex;
  std::deque<Posted> m_queue;
};

}  // namespace corvatt::dui
