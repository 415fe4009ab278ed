#include "common/ui/CDeviceList.h"

#include <cstdio>

namespace corvatt::dui {

int CDeviceList::FindRow(int device_type) const {
  for (size_t i = 0; i < m_rows.size(); ++i) {
    if (m_rows[i].device_type == device_type) return static_cast<int>(i);
  }
  return -1;
}

void CDeviceList::ClearList() {
  std::lock_guard lock(Lock());
  m_rows.clear();
  m_select = -1;
  Changed();
}

int CDeviceList::AddDevice(std::string_view name, int device_type, std::string_view image_path) {
  std::lock_guard lock(Lock());
  if (FindRow(device_type) >= 0) return -1;
  Row row;
  row.name = name;
  row.device_type = device_type;
  row.image = image_path;
  m_rows.push_back(std::move(row));
  Changed();
  return static_cast<int>(m_rows.size()) - 1;
}

int CDeviceList::GetRowCount() const {
  std::lock_guard lock(Lock());
  return static_cast<int>(m_rows.size());
}

std::vector<CDeviceList::Row> CDeviceList::GetRows() const {
  std::lock_guard lock(Lock());
  return m_rows;
}

void CDeviceList::SetAllDeviceState(int state) {
  std::lock_guard lock(Lock());
  for (Row& row : m_rows) row.state[0] = row.state[1] = state;
  Changed();
}

bool CDeviceList::SetDeviceState(int device_type, int mode, int state) {
  std::lock_guard lock(Lock());
  const int index = FindRow(device_type);
  if (index < 0 || mode < 0 || mode > 1) return false;
  m_rows[index].state[mode] = state;
  Changed();
  return true;
}

int CDeviceList::GetDeviceState(int device_type, int mode) const {
  std::lock_guard lock(Lock());
  const int index = FindRow(device_type);
  if (index < 0 || mode < 0 || mode > 1) return 0;
  return m_rows[index].state[mode];
}

bool CDeviceList::IsDeviceOnline(int device_type) const {
  std::lock_guard lock(Lock());
  const int index = FindRow(device_type);
  return index >= 0 && m_rows[index].IsOnline();
}

std::string CDeviceList::FormatRelease(int release_number) {
  if (release_number < 0) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%x.%02x", static_cast<unsigned>(release_number) >> 8,
                static_cast<unsigned>(release_number) & 0xFFu);
  return text;
}

bool CDeviceList::SetDeviceVersion(int device_type, int release_number) {
  std::lock_guard lock(Lock());
  const int index = FindRow(device_type);
  if (index < 0) return false;
  m_rows[index].release = release_number;
  m_rows[index].version = FormatRelease(release_number);
  Changed();
  return true;
}

bool CDeviceList::SetDeviceVersion(int device_type, std::string_view version_text) {
  std::lock_guard lock(Lock());
  const int index = FindRow(device_type);
  if (index < 0) return false;
  m_rows[index].release = -1;
  m_rows[index].version = version_text;
  Changed();
  return true;
}

std::string CDeviceList::GetDeviceVersion(int device_type) const {
  std::lock_guard lock(Lock());
  const int index = FindRow(device_type);
  return index < 0 ? std::string() : m_rows[index].version;
}

bool CDeviceList::SetDeviceBattery(int device_type, int battery, int second) {
  std::lock_guard lock(Lock());
  const int index = FindRow(device_type);
  if (index < 0) return false;
  m_rows[index].battery = battery;
  m_rows[index].battery2 = second;
  Changed();
  return true;
}

int CDeviceList::GetDeviceBattery(int device_type) const {
  std::lock_guard lock(Lock());
  const int index = FindRow(device_type);
  return index < 0 ? -1 : m_rows[index].battery;
}

void CDeviceList::SetSelectDevice(int device_type) {
  std::lock_guard lock(Lock());
  int chosen = FindRow(device_type);
  if (chosen < 0 || !m_rows[chosen].IsOnline()) {
    int first_online = -1;
    for (size_t i = 0; i < m_rows.size(); ++i) {
      if (m_rows[i].IsOnline()) {
        first_online = static_cast<int>(i);
        break;
      }
    }
    if (first_online >= 0) chosen = first_online;
  }
  m_select = chosen;
  Changed();
}

int CDeviceList::GetSelectDevice() const {
  std::lock_guard lock(Lock());
  if (m_select < 0 || m_select >= static_cast<int>(m_rows.size())) return 0;
  return m_rows[m_select].device_type;
}

bool CDeviceList::SetSelectIndex(int index) {
  std::lock_guard lock(Lock());
  if (index < -1 || index >= static_cast<int>(m_rows.size())) return false;
  m_select = index;
  Changed();
  return true;
}

int CDeviceList::GetSelectIndex() const {
  std::lock_guard lock(Lock());
  return m_select;
}

int CDeviceList::GetOnlineDevCount() const {
  std::lock_guard lock(Lock());
  int count = 0;
  for (const Row& row : m_rows) count += row.IsOnline() ? 1 : 0;
  return count;
}

void CDeviceList::SetVersionLabel(std::string_view text) {
  std::lock_guard lock(Lock());
  m_version_label = text;
  Changed();
}

void CDeviceList::SetVersionLabelId(int text_id) {
  std::lock_guard lock(Lock());
  m_version_label_id = text_id;
}

std::string CDeviceList::GetVersionLabel() const {
  std::lock_guard lock(Lock());
  return m_version_label;
}

int CDeviceList::ActivateRow(int index) {
  int device_type;
  {
    std::lock_guard lock(Lock());
    if (!IsEnabled() || !IsShown()) return 0;
    if (index < 0 || index >= static_cast<int>(m_rows.size())) return 0;
    m_select = index;
    device_type = m_rows[index].device_type;
    Changed();
  }
  return Notify(kEventClick, device_type);
}

void CDeviceList::ApplyTexts(const TextLookup& lookup) {
  MControl::ApplyTexts(lookup);
  int id;
  {
    std::lock_guard lock(Lock());
    id = m_version_label_id;
  }
  if (id != 0 && lookup) SetVersionLabel(lookup(id));
}

}  // namespace corvatt::dui
