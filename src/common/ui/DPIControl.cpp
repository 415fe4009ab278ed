#include "common/ui/DPIControl.h"

#include <vector>

namespace corvatt::dui {

void DPIControl::DeleteAllItems() {
  std::lock_guard lock(Lock());
  m_count = 0;
  m_select = -1;
  Changed();
}

int DPIControl::AddItem(int value, uint32_t color) {
  std::lock_guard lock(Lock());
  if (m_count >= kMaxStages) return -1;
  Stage& stage = m_stages[m_count];
  stage.value = value;
  stage.color = color;
  stage.edit_text = std::to_string(value);
  Changed();
  return m_count++;
}

int DPIControl::GetItemCount() const {
  std::lock_guard lock(Lock());
  return m_count;
}

bool DPIControl::SetSelectItem(int index) {
  std::lock_guard lock(Lock());
  if (index < -1 || index >= m_count) return false;
  m_select = index;
  Changed();
  return true;
}

int DPIControl::GetSelectItem() const {
  std::lock_guard lock(Lock());
  return m_select;
}

bool DPIControl::SetDPIValue(int stage, int value) {
  std::lock_guard lock(Lock());
  if (stage < 0 || stage >= kMaxStages) return false;
  m_stages[stage].value = value;
  m_stages[stage].edit_text = std::to_string(value);
  Changed();
  return true;
}

int DPIControl::GetDPIValue(int stage) const {
  std::lock_guard lock(Lock());
  if (stage < 0 || stage >= kMaxStages) return 0;
  return m_stages[stage].value;
}

bool DPIControl::SetDPIColorValue(int stage, uint32_t color) {
  std::lock_guard lock(Lock());
  if (stage < 0 || stage >= kMaxStages) return false;
  m_stages[stage].color = color;
  Changed();
  return true;
}

uint32_t DPIControl::GetDPIColorValue(int stage) const {
  std::lock_guard lock(Lock());
  if (stage < 0 || stage >= kMaxStages) return 0;
  return m_stages[stage].color;
}

bool DPIControl::SetEditText(int stage, std::string_view text) {
  std::lock_guard lock(Lock());
  if (stage < 0 || stage >= kMaxStages) return false;
  m_stages[stage].edit_text = text;
  Changed();
  return true;
}

std::string DPIControl::GetEditText(int stage) const {
  std::lock_guard lock(Lock());
  if (stage < 0 || stage >= kMaxStages) return {};
  return m_stages[stage].edit_text;
}

std::vector<DPIControl::Stage> DPIControl::GetStages() const {
  std::lock_guard lock(Lock());
  return {m_stages.begin(), m_stages.begin() + m_count};
}

int DPIControl::Send(int stage, int event) {
  {
    std::lock_guard lock(Lock());
    if (!IsEnabled() || !IsShown() || stage < 0 || stage >= m_count) return 0;
    m_select = stage;
    Changed();
  }
  return Notify(event, stage);
}

int DPIControl::SelectStage(int stage) { return Send(stage, kEventClick); }
int DPIControl::OnFocus(int stage) { return Send(stage, kEventSetFocus); }
int DPIControl::ClickColor(int stage) { return Send(stage, kEventSecondary); }

int DPIControl::CommitEdit(int stage, std::string_view text) {
  {
    std::lock_guard lock(Lock());
    if (!IsEnabled() || !IsShown() || stage < 0 || stage >= m_count) return 0;
    m_stages[stage].edit_text = text;
  }
  return Send(stage, kEventKillFocus);
}

}  // namespace corvatt::dui
