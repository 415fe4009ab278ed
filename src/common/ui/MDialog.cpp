#include "common/ui/MDialog.h"

#include "common/ui/ControlFactory.h"
#include "common/ui/Host.h"
#include "common/ui/Manager.h"

namespace corvatt::dui {

namespace {
std::recursive_mutex& UiLock() { return Manager::Instance().UiLock(); }
}  // namespace

MDialog::MDialog() = default;

MDialog::~MDialog() {
  if (IsCreated()) {
    // Stop the dialog timer and let the host drop its widgets while the controls exist.
    KillTimer(kMTimerId);
    if (Host* host = Manager::Instance().GetHost()) host->WindowDestroyed(*this);
  }
}

MControl* MDialog::CreateControl(std::string_view class_name, int id, Rect rect,
                                 std::string_view text, int style1, int style2,
                                 MControl* parent) {
  std::unique_ptr<MControl> control = ControlFactory::Instance().Make(class_name);
  if (!control) return nullptr;
  control->Attach(this, id, style1, style2);
  control->SetRect(rect);
  if (!text.empty()) control->SetCreateText(text);
  if (parent != nullptr) control->SetParentLayout(parent);
  MControl* raw = control.get();
  {
    std::lock_guard lock(UiLock());
    m_controls.push_back(std::move(control));
  }
  Manager::Instance().WakeHost();
  return raw;
}

MControl* MDialog::CreateArea(std::string_view class_name, int id, Rect rect,
                              std::string_view text, int style1, int style2, MControl* parent) {
  return CreateControl(class_name, id, rect, text, style1, style2, parent);
}

MControl* MDialog::GetControl(int id) const {
  std::lock_guard lock(UiLock());
  for (const auto& control : m_controls) {
    if (control->GetId() == id) return control.get();
  }
  return nullptr;
}

std::vector<MControl*> MDialog::FindControls(int id) const {
  std::lock_guard lock(UiLock());
  std::vector<MControl*> found;
  for (const auto& control : m_controls) {
    if (control->GetId() == id) found.push_back(control.get());
  }
  return found;
}

std::vector<MControl*> MDialog::Controls() const {
  std::lock_guard lock(UiLock());
  std::vector<MControl*> all;
  all.reserve(m_controls.size());
  for (const auto& control : m_controls) all.push_back(control.get());
  return all;
}

size_t MDialog::ControlCount() const {
  std::lock_guard lock(UiLock());
  return m_controls.size();
}

void MDialog::DoOK() { EndModal(1); }
void MDialog::DoCancel() { EndModal(0); }

void MDialog::SetMTimer(int ms) {
  {
    std::lock_guard lock(UiLock());
    m_mtimer_ms = ms > 0 ? ms : 0;
  }
  if (ms > 0) {
    SetTimer(kMTimerId, static_cast<unsigned>(ms));
  } else {
    KillTimer(kMTimerId);
  }
}

int MDialog::GetMTimer() const {
  std::lock_guard lock(UiLock());
  return m_mtimer_ms;
}

bool MDialog::LoadBKImage(std::string_view name) {
  {
    std::lock_guard lock(UiLock());
    m_bk_image = name;
  }
  InvalidateRect();
  return !name.empty();
}

std::string MDialog::GetBKImage() const {
  std::lock_guard lock(UiLock());
  return m_bk_image;
}

void MDialog::SetBackMode(int mode, int value) {
  {
    std::lock_guard lock(UiLock());
    m_back_mode = mode;
    m_back_value = value;
  }
  InvalidateRect();
}

int MDialog::GetBackMode() const {
  std::lock_guard lock(UiLock());
  return m_back_mode;
}

void MDialog::SetBackColor(uint32_t color1, uint32_t color2) {
  {
    std::lock_guard lock(UiLock());
    m_back_color1 = color1;
    m_back_color2 = color2;
  }
  InvalidateRect();
}

uint32_t MDialog::GetBackColor1() const {
  std::lock_guard lock(UiLock());
  return m_back_color1;
}

uint32_t MDialog::GetBackColor2() const {
  std::lock_guard lock(UiLock());
  return m_back_color2;
}

void MDialog::SetLayeredWindow(bool layered) {
  std::lock_guard lock(UiLock());
  m_layered = layered;
}

bool MDialog::IsLayeredWindow() const {
  std::lock_guard lock(UiLock());
  return m_layered;
}

void MDialog::SetFocusControl(int id) {
  {
    std::lock_guard lock(UiLock());
    m_focus_id = id;
  }
  InvalidateRect();
}

int MDialog::GetFocusControl() const {
  std::lock_guard lock(UiLock());
  return m_focus_id;
}

void MDialog::ApplyTexts(const TextLookup& lookup) {
  if (!lookup) return;
  for (MControl* control : Controls()) control->ApplyTexts(lookup);
}

bool MDialog::OnInitDialog() {
  InitUI();
  UISize();
  return true;
}

int MDialog::OnMessage(int, int, intptr_t) { return 0; }

void MDialog::OnCreate() { OnInitDialog(); }

void MDialog::OnSize() { UISize(); }

void MDialog::OnTimer(unsigned id) {
  if (id == kMTimerId) OnMTimer();
}

}  // namespace corvatt::dui
