#include "common/ui/MControl.h"

#include "common/ui/MDialog.h"
#include "common/ui/Manager.h"

namespace corvatt::dui {

namespace {
std::atomic<uint64_t> g_next_serial{1};
}  // namespace

MControl::MControl(std::string_view class_name)
    : m_class_name(class_name), m_serial(g_next_serial.fetch_add(1)) {}

MControl::~MControl() = default;

std::recursive_mutex& MControl::Lock() { return Manager::Instance().UiLock(); }

void MControl::Changed() {
  m_dirty.store(true);
  Manager::Instance().WakeHost();
}

void MControl::Attach(MDialog* owner, int id, int style1, int style2) {
  std::lock_guard lock(Lock());
  m_owner = owner;
  m_id = id;
  m_style1 = style1;
  m_style2 = style2;
}

int MControl::GetId() const {
  std::lock_guard lock(Lock());
  return m_id;
}

int MControl::GetStyle1() const {
  std::lock_guard lock(Lock());
  return m_style1;
}

int MControl::GetStyle2() const {
  std::lock_guard lock(Lock());
  return m_style2;
}

void MControl::SetVisible(bool visible) {
  std::lock_guard lock(Lock());
  if (m_visible == visible) return;
  m_visible = visible;
  Changed();
}

bool MControl::IsVisible() const {
  std::lock_guard lock(Lock());
  return m_visible;
}

bool MControl::IsShown() const {
  std::lock_guard lock(Lock());
  // A parent chain is short; the depth cap guards against a cycle made by SetParentLayout.
  int depth = 0;
  for (const MControl* c = this; c != nullptr && depth < 64; c = c->m_parent, ++depth) {
    if (!c->m_visible) return false;
  }
  return true;
}

void MControl::SetEnabled(bool enabled) {
  std::lock_guard lock(Lock());
  if (m_enabled == enabled) return;
  m_enabled = enabled;
  Changed();
}

bool MControl::IsEnabled() const {
  std::lock_guard lock(Lock());
  return m_enabled;
}

void MControl::SetRect(Rect rect) {
  std::lock_guard lock(Lock());
  if (m_rect == rect) return;
  m_rect = rect;
  Changed();
}

void MControl::SetRect(int left, int top, int right, int bottom) {
  SetRect(Rect{left, top, right, bottom});
}

Rect MControl::GetRect() const {
  std::lock_guard lock(Lock());
  return m_rect;
}

void MControl::SetTooltip(std::string_view text) {
  std::lock_guard lock(Lock());
  m_tooltip = text;
  Changed();
}

std::string MControl::GetTooltip() const {
  std::lock_guard lock(Lock());
  return m_tooltip;
}

void MControl::UpdateControl() { Changed(); }

void MControl::SetParentLayout(MControl* parent) {
  std::lock_guard lock(Lock());
  for (const MControl* c = parent; c != nullptr; c = c->m_parent) {
    if (c == this) return;  // would make a cycle
  }
  m_parent = parent;
  Changed();
}

MControl* MControl::GetParentLayout() const {
  std::lock_guard lock(Lock());
  return m_parent;
}

void MControl::SetTextId(int text_id) {
  std::lock_guard lock(Lock());
  m_text_id = text_id;
}

int MControl::GetTextId() const {
  std::lock_guard lock(Lock());
  return m_text_id;
}

void MControl::SetTooltipId(int text_id) {
  std::lock_guard lock(Lock());
  m_tooltip_id = text_id;
}

int MControl::GetTooltipId() const {
  std::lock_guard lock(Lock());
  return m_tooltip_id;
}

void MControl::ApplyTexts(const TextLookup& lookup) {
  const int id = GetTooltipId();
  if (id != 0 && lookup) SetTooltip(lookup(id));
}

int MControl::Notify(int event, intptr_t param) {
  MDialog* owner;
  int id;
  {
    std::lock_guard lock(Lock());
    owner = m_owner;
    id = m_id;
  }
  if (owner == nullptr) return 0;
  return owner->OnMessage(id, event, param);
}

bool MControl::TakeDirty() { return m_dirty.exchange(false); }

}  // namespace corvatt::dui
