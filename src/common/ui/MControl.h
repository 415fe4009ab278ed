#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "common/ui/Types.h"

namespace corvatt::dui {

class MDialog;

// Base of every control: id, class name, rectangle (client coordinates of the owner window),
// visibility, enabled state, tool tip, remembered text ids, parent layout, dirty flag.
// Every setter takes the UI lock, marks the control dirty and wakes the host.
class MControl {
public:
  explicit MControl(std::string_view class_name);
  virtual ~MControl();
  MControl(const MControl&) = delete;
  MControl& operator=(const MControl&) = delete;

  int GetId() const;
  const std::string& GetClassName() const { return m_class_name; }
  MDialog* GetOwner() const { return m_owner; }
  int GetStyle1() const;
  int GetStyle2() const;

  void SetVisible(bool visible);
  bool IsVisible() const;
  // Visible itself and every parent layout visible.
  bool IsShown() const;
  void SetEnabled(bool enabled);
  bool IsEnabled() const;
  void SetRect(Rect rect);
  void SetRect(int left, int top, int right, int bottom);
  Rect GetRect() const;
  void SetTooltip(std::string_view text);
  std::string GetTooltip() const;
  // Marks the control for repainting.
  void UpdateControl();

  // Parent layout (an MTabLayout page or any container control); nullptr for the window.
  void SetParentLayout(MControl* parent);
  MControl* GetParentLayout() const;

  // Remembered language text ids (0 = none), re-applied by ApplyTexts.
  void SetTextId(int text_id);
  int GetTextId() const;
  void SetTooltipId(int text_id);
  int GetTooltipId() const;
  // Sets the texts whose ids are remembered. Subclasses add their own (title, items).
  virtual void ApplyTexts(const TextLookup& lookup);

  // Sends a notification to the owner's OnMessage (UI thread; no lock held). Returns its result.
  int Notify(int event, intptr_t param = 0);

  // For the host: dirty since the last call; serial unique for the run.
  bool TakeDirty();
  bool IsDirty() const { return m_dirty.load(); }
  uint64_t Serial() const { return m_serial; }

  // Called once by MDialog::CreateControl.
  void Attach(MDialog* owner, int id, int style1, int style2);
  // Text given to CreateControl. Base: ignored; MControlFont: the title; MPicture: the image.
  virtual void SetCreateText(std::string_view) {}

protected:
  static std::recursive_mutex& Lock();
  // Marks dirty and wakes the host. Call after changing state.
  void Changed();

private:
  std::string m_class_name;
  MDialog* m_owner = nullptr;
  int m_id = 0;
  int m_style1 = 0;
  int m_style2 = 0;
  uint64_t m_serial = 0;
  Rect m_rect{};
  bool m_visible = true;
  bool m_enabled = true;
  std::string m_tooltip;
  int m_text_id = 0;
  int m_tooltip_id = 0;
  MControl* m_parent = nullptr;
  std::atomic<bool> m_dirty{true};
};

}  // namespace corvatt::dui
