#pragma once

#include <map>
#include <string>
#include <string_view>

namespace corvatt {

// What is known about one hidraw device, by udev property or attribute name:
//   "SYSNAME"           the device's name, e.g. "hidraw3" (required)
//   "DEVPATH"           e.g. /devices/.../1-1:1.2/0003:1209:0001.0005/hidraw/hidraw3
//   "HID_ID"            of the hid parent, "0003:00001209:00000001" (bus:vendor:product)
//   "HID_PHYS"          of the hid parent, "usb-0000:00:14.0-1/input2"
//   "PRODUCT"           of the usb parent, "1209/1/100" (hex vendor/product/release)
//   "bInterfaceNumber"  attribute of the usb_interface parent, "02" (hex)
using DeviceProperties = std::map<std::string, std::string, std::less<>>;

// \\?\HID#VID_1209&PID_0001&MI_02#hidraw3: vendor and product from HID_ID, else from the
// hid component of DEVPATH, else from PRODUCT; the interface from bInterfaceNumber, else
// HID_PHYS "inputN", else the usb interface component of DEVPATH; "&MI_nn" is left out
// when no interface number is known. "" when SYSNAME or the ids are missing.
std::string BuildHidDevicePath(const DeviceProperties& properties);

// "/dev/hidraw3" for a path built above (in any letter case); "" when it holds no node name.
std::string HidrawNodeFromDevicePath(std::string_view path);

}  // namespace corvatt
