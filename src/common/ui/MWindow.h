#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "common/ui/Messages.h"
#include "common/ui/Types.h"

namespace corvatt::dui {

// A top-level window of the model. Its state (title, rectangle, visibility, show state) is read
// by the host; messages and timers arrive on the UI thread.
class MWindow {
public:
  enum class ShowState { kNormal, kMinimized, kMaximized };

  MWindow();
  virtual ~MWindow();
  MWindow(const MWindow&) = delete;
  MWindow& operator=(const MWindow&) = delete;

  // Creates the window: registers it, then calls OnCreate() (MDialog: OnInitDialog).
  // Visible at once when style has WS_VISIBLE. False if already created.
  bool Create(MWindow* parent, std::string_view class_name, uint32_t style, Rect rect,
              std::string_view title = {}, uint32_t ex_style = 0);
  bool IsCreated() const;
  // Non-zero while created; unique for the process run.
  uintptr_t GetSafeHwnd() const;

  // Shows the window (unless show is false) and runs the host's modal loop until DoOK,
  // DoCancel, EndModal or WM_CLOSE; returns the code. -1 when not created or no host.
  int ShowModal(bool show = true);
  void EndModal(int code);
  bool IsModal() const;

  void CenterWindow();
  // Stops its timers, hides it, unregisters it. Safe to call twice.
  virtual void DestroyWindow();
  virtual void ShowWindow(int cmd);
  bool IsVisible() const;

  // Periodic timer; OnTimer(id) runs on the UI thread. Restarting a running id restarts it.
  unsigned SetTimer(unsigned id, unsigned ms);
  void KillTimer(unsigned id);
  bool HasTimer(unsigned id) const;

  void MoveWindow(Rect rect, bool repaint = true);
  void MoveWindow(int x, int y, int width, int height, bool repaint = true);
  void SetWindowPos(int x, int y, int width, int height);
  Rect GetWindowRect() const;   // screen coordinates
  Rect GetClientRect() const;   // 0, 0, width, height
  Point ClientToScreen(Point point) const;
  void InvalidateRect();

  bool IsMaximized() const;
  bool IsMinimized() const;
  ShowState GetShowState() const;
  void Maximize();
  void Minimize();
  void Restore();
  void SetForeground();

  void SetTitle(std::string_view title);
  std::string GetTitle() const;
  std::string GetClassName() const;
  uint32_t GetStyle() const;
  uint32_t GetExStyle() const;
  void SetTopMost(bool top_most);
  bool IsTopMost() const;
  bool IsToolWindow() const;
  MWindow* GetParent() const;

  // Icon image path (may be missing on disk: the icon is then empty).
  void SetIcon(std::string_view path);
  std::string GetIcon() const;

  void SetWindowProperty(std::string_view name, intptr_t value);
  intptr_t GetWindowProperty(std::string_view name) const;  // 0 when absent

  // Thread-safe; delivered later on the UI thread to OnWindowMessage. False when not created.
  bool PostMessage(unsigned msg, uintptr_t wparam = 0, intptr_t lparam = 0);
  // On the UI thread: delivered at once. On another thread: posted, and the caller waits for
  // the result (never call it while holding the UI lock).
  intptr_t SendMessage(unsigned msg, uintptr_t wparam = 0, intptr_t lparam = 0);

  // Host entry points (UI thread).
  intptr_t DispatchMessage(unsigned msg, uintptr_t wparam, intptr_t lparam);
  void DispatchTimer(unsigned id);
  // The host resized or moved the window (user drag, maximise by the window system).
  void HostSetRect(Rect rect);

  // Dirty flag of the window's own state, for the host.
  bool TakeDirty();
  uint64_t Serial() const { return m_serial; }

protected:
  // Overridables.
  virtual void OnCreate() {}
  virtual intptr_t OnWindowMessage(unsigned msg, uintptr_t wparam, intptr_t lparam,
                                   bool& handled);
  // Default handling of messages OnWindowMessage left unhandled (WM_CLOSE ends a modal run
  // with wparam as the code, or hides the window).
  virtual intptr_t DefWindowMessage(unsigned msg, uintptr_t wparam, intptr_t lparam);
  virtual void OnTimer(unsigned id);
  virtual void OnSize() {}
  virtual void OnMinimize() {}
  virtual void OnMaximize() {}
  virtual void OnDestroy() {}

  void MarkDirty();

private:
  void SetRectInternal(Rect rect, bool notify_size);

  uint64_t m_serial = 0;
  MWindow* m_parent = nullptr;
  std::string m_class_name;
  std::string m_title;
  std::string m_icon;
  uint32_t m_style = 0;
  uint32_t m_ex_style = 0;
  Rect m_rect{};
  Rect m_normal_rect{};
  bool m_visible = false;
  ShowState m_show_state = ShowState::kNormal;
  int m_modal_depth = 0;
  bool m_dirty = true;
  std::set<unsigned> m_timers;
  std::map<std::string, intptr_t, std::less<>> m_properties;
};

}  // namespace corvatt::dui
