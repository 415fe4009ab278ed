#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/ui/MControl.h"

namespace corvatt::dui {

// The device list: one row per model (in the order added), each with its picture, the online
// state of its two connections (mode 0 cable, mode 1 receiver), firmware version and battery.
//
// Selection rule of SetSelectDevice(type): the row of that type when it is online; otherwise
// the first online row; otherwise the row of that type if listed; otherwise no selection.
// GetSelectDevice() returns the selected row's device type, 0 when nothing is selected.
class CDeviceList : public MControl {
public:
  static constexpr const char* kClassName = "CDeviceList";
  CDeviceList() : MControl(kClassName) {}

  struct Row {
    std::string name;
    int device_type = 0;
    std::string image;
    int state[2] = {0, 0};    // per mode; nonzero = online
    int release = -1;         // release number; -1 = unknown
    std::string version;      // version text shown ("1.02"); empty = unknown
    int battery = 0;          // level A (0 = unknown)
    int battery2 = 0;         // second value
    bool IsOnline() const { return state[0] != 0 || state[1] != 0; }
  };

  void ClearList();
  // Returns the new row's index. A type already listed is not added again (-1).
  int AddDevice(std::string_view name, int device_type, std::string_view image_path);
  int GetRowCount() const;
  std::vector<Row> GetRows() const;

  // Every connection of every row gets this state (0 = offline).
  void SetAllDeviceState(int state);
  // One connection; false when the type is not listed or mode is not 0 or 1.
  bool SetDeviceState(int device_type, int mode, int state);
  int GetDeviceState(int device_type, int mode) const;
  bool IsDeviceOnline(int device_type) const;
  // Release number as the device gives it (0x0102 shows "1.02").
  bool SetDeviceVersion(int device_type, int release_number);
  bool SetDeviceVersion(int device_type, std::string_view version_text);
  std::string GetDeviceVersion(int device_type) const;
  bool SetDeviceBattery(int device_type, int battery, int second = 0);
  int GetDeviceBattery(int device_type) const;  // -1 when not listed

  void SetSelectDevice(int device_type);
  int GetSelectDevice() const;
  // -1 clears the selection; out-of-range indexes are refused.
  bool SetSelectIndex(int index);
  int GetSelectIndex() const;
  int GetOnlineDevCount() const;

  // Label before the version ("Version"), or a text id for ApplyTexts.
  void SetVersionLabel(std::string_view text);
  void SetVersionLabelId(int text_id);
  std::string GetVersionLabel() const;

  // The user activated a row (the view): selects it and notifies (id, kEventClick, type).
  int ActivateRow(int index);

  void ApplyTexts(const TextLookup& lookup) override;

  // "1.02" for 0x0102: the major byte in hex, a dot, the minor byte as two hex digits.
  static std::string FormatRelease(int release_number);

private:
  int FindRow(int device_type) const;  // lock held

  std::vector<Row> m_rows;
  int m_select = -1;
  std::string m_version_label;
  int m_version_label_id = 0;
};

}  // namespace corvatt::dui
