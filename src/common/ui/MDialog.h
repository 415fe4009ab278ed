#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/ui/MControl.h"
#include "common/ui/MWindow.h"

namespace corvatt::dui {

// A window with controls. The controls are owned here, kept in creation order and found by id.
class MDialog : public MWindow {
public:
  MDialog();
  ~MDialog() override;
  using MWindow::Create;

  // Creates a control of a registered class (see ControlFactory). An unknown class name gives
  // nullptr. The text is the title (text controls and buttons) or the image (MPicture).
  // parent: the layout (page) the control belongs to; hiding it hides the control.
  MControl* CreateControl(std::string_view class_name, int id, Rect rect,
                          std::string_view text = {}, int style1 = 0, int style2 = 0,
                          MControl* parent = nullptr);
  MControl* CreateArea(std::string_view class_name, int id, Rect rect,
                       std::string_view text = {}, int style1 = 0, int style2 = 0,
                       MControl* parent = nullptr);
  // Typed creation: T must have a static kClassName.
  template <class T>
  T* Create(int id, Rect rect, std::string_view text = {}, int style1 = 0, int style2 = 0,
            MControl* parent = nullptr) {
    return dynamic_cast<T*>(CreateControl(T::kClassName, id, rect, text, style1, style2, parent));
  }

  // First control with the id, in creation order; nullptr if none.
  MControl* GetControl(int id) const;
  // The same, nullptr also when it is not a T.
  template <class T>
  T* GetControl(int id) const {
    return dynamic_cast<T*>(GetControl(id));
  }
  // Every control with the id, in creation order.
  std::vector<MControl*> FindControls(int id) const;
  // All controls in creation order.
  std::vector<MControl*> Controls() const;
  size_t ControlCount() const;

  // End ShowModal with 1, 0 or the code.
  void DoOK();
  void DoCancel();
  void EndDialog(int code) { EndModal(code); }

  // The dialog timer: OnMTimer() every ms milliseconds (0 stops it).
  void SetMTimer(int ms);
  int GetMTimer() const;
  static constexpr unsigned kMTimerId = 0x7FFF0001u;

  // Background image (skin name) and colours (ARGB, 0 = theme).
  bool LoadBKImage(std::string_view name);
  std::string GetBKImage() const;
  void SetBackMode(int mode, int value = 0);
  int GetBackMode() const;
  void SetBackColor(uint32_t color1, uint32_t color2 = 0);
  uint32_t GetBackColor1() const;
  uint32_t GetBackColor2() const;
  void SetLayeredWindow(bool layered);
  bool IsLayeredWindow() const;

  void SetFocusControl(int id);
  int GetFocusControl() const;

  // Re-applies every remembered text id of every control (and item) through lookup.
  void ApplyTexts(const TextLookup& lookup);

  // Overridables.
  virtual std::string GetWindowClassName() const { return "MWindow"; }
  // Base: InitUI(), then UISize(). Derived classes call it first.
  virtual bool OnInitDialog();
  virtual void InitUI() {}
  virtual void UISize() {}
  // Control notification (control id, event, parameter); nonzero = handled.
  virtual int OnMessage(int id, int event, intptr_t param);
  virtual void OnMTimer() {}

protected:
  void OnCreate() override;
  void OnSize() override;
  void OnTimer(unsigned id) override;

private:
  std::vector<std::unique_ptr<MControl>> m_controls;
  std::string m_bk_image;
  int m_back_mode = 0;
  int m_back_value = 0;
  uint32_t m_back_color1 = 0;
  uint32_t m_back_color2 = 0;
  bool m_layered = false;
  int m_focus_id = 0;
  int m_mtimer_ms = 0;
};

}  // namespace corvatt::dui
