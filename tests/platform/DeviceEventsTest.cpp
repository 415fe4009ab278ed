#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/DeviceMonitor.h"
#include "platform/HidDevicePath.h"
#include "platform/MemoryDeviceEventSource.h"

namespace corvatt {
namespace {

DeviceProperties LoadProperties(const std::string& name) {
    DeviceProperties properties;
    std::ifstream in(std::string(CORVATT_TEST_FIXTURES) + "/platform/" + name);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t eq = line.find('=');
        if (line.empty() || line.front() == '#' || eq == std::string::npos) {
            continue;
        }
        properties.emplace(line.substr(0, eq), line.substr(eq + 1));
    }
    return properties;
}

TEST(HidDevicePath, RecordedAddAndRemoveEventsGiveTheSamePath) {
    const DeviceProperties added = LoadProperties("hidraw_add.properties");
    const DeviceProperties removed = LoadProperties("hidraw_remove.properties");
    ASSERT_FALSE(added.empty());
    ASSERT_FALSE(removed.empty());
    EXPECT_EQ(BuildHidDevicePath(added), "\\\\?\\HID#VID_1209&PID_0001&MI_02#hidraw5");
    EXPECT_EQ(BuildHidDevicePath(removed), BuildHidDevicePath(added));
}

TEST(HidDevicePath, EachSourceOfTheIds) {
    struct Case {
        const char* what;
        DeviceProperties properties;
        std::string path;
    };
    const Case cases[] = {
        {"HID_ID and bInterfaceNumber",
         {{"SYSNAME", "hidraw3"}, {"HID_ID", "0003:00001209:00000001"}, {"bInterfaceNumber", "02"}},
         "\\\\?\\HID#VID_1209&PID_0001&MI_02#hidraw3"},
        {"upper-case four-digit hex",
         {{"SYSNAME", "hidraw0"}, {"HID_ID", "0003:00001a2b:00000c3d"}, {"bInterfaceNumber", "0a"}},
         "\\\\?\\HID#VID_1A2B&PID_0C3D&MI_0A#hidraw0"},
        {"interface from HID_PHYS (decimal)",
         {{"SYSNAME", "hidraw1"}, {"HID_ID", "0003:00001209:00000003"},
          {"HID_PHYS", "usb-0000:00:14.0-2/input11"}},
         "\\\\?\\HID#VID_1209&PID_0003&MI_0B#hidraw1"},
        {"everything from DEVPATH, behind a hub",
         {{"DEVPATH",
           "/devices/pci0000:00/0000:00:14.0/usb3/3-1/3-1.4/3-1.4.2/3-1.4.2:1.10/"
           "0003:1A2B:0C3D.000F/hidraw/hidraw12"}},
         "\\\\?\\HID#VID_1A2B&PID_0C3D&MI_0A#hidraw12"},
        {"ids from the usb PRODUCT",
         {{"SYSNAME", "hidraw2"}, {"PRODUCT", "1a2b/c3d/100"}, {"bInterfaceNumber", "00"}},
         "\\\\?\\HID#VID_1A2B&PID_0C3D&MI_00#hidraw2"},
        {"bluetooth: no interface number",
         {{"SYSNAME", "hidraw4"}, {"HID_ID", "0005:0000046D:0000B012"},
          {"DEVPATH", "/devices/virtual/misc/uhid/0005:046D:B012.0002/hidraw/hidraw4"}},
         "\\\\?\\HID#VID_046D&PID_B012#hidraw4"},
        {"malformed HID_ID falls back to DEVPATH",
         {{"SYSNAME", "hidraw3"}, {"HID_ID", "garbage"},
          {"DEVPATH", "/devices/x/1-1/1-1:1.1/0003:1209:0002.0001/hidraw/hidraw3"}},
         "\\\\?\\HID#VID_1209&PID_0002&MI_01#hidraw3"},
        {"no ids", {{"SYSNAME", "hidraw3"}, {"HID_PHYS", "usb-x/input2"}}, ""},
        {"no name", {{"HID_ID", "0003:00001209:00000001"}}, ""},
        {"vendor out of range", {{"SYSNAME", "hidraw3"}, {"HID_ID", "0003:00011209:00000001"}}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildHidDevicePath(c.properties), c.path) << c.what;
    }
}

TEST(HidDevicePath, NodeNameComesBackFromAnUpperCasedPath) {
    EXPECT_EQ(HidrawNodeFromDevicePath("\\\\?\\HID#VID_1209&PID_0001&MI_02#HIDRAW5"),
              "/dev/hidraw5");
    EXPECT_EQ(HidrawNodeFromDevicePath("\\\\?\\HID#VID_1209&PID_0001&MI_02#hidraw12"),
              "/dev/hidraw12");
    EXPECT_EQ(HidrawNodeFromDevicePath("\\\\?\\HID#VID_1209&PID_0001#../../etc/passwd"), "");
    EXPECT_EQ(HidrawNodeFromDevicePath("\\\\?\\HID#VID_1209&PID_0001#hidraw"), "");
    EXPECT_EQ(HidrawNodeFromDevicePath("no separator"), "");
}

TEST(MemoryDeviceEventSource, DeliversOnlyWhileStarted) {
    MemoryDeviceEventSource source;
    std::vector<std::pair<int, std::string>> seen;
    EXPECT_FALSE(source.Emit(kDeviceArrival, "a"));
    ASSERT_TRUE(source.Start([&](int event, std::string path) { seen.emplace_back(event, path); }));
    EXPECT_FALSE(source.Start([](int, std::string) {}));
    EXPECT_TRUE(source.Emit(kDeviceArrival, "a"));
    EXPECT_TRUE(source.Emit(kDeviceRemoveComplete, "b"));
    source.Stop();
    EXPECT_FALSE(source.Emit(kDeviceArrival, "c"));
    EXPECT_EQ(seen, (std::vector<std::pair<int, std::string>>{{0x8000, "a"}, {0x8004, "b"}}));
}

TEST(DeviceMonitor, StartsAndStopsPromptly) {
    DeviceMonitor monitor;
    if (!monitor.Start([](int, std::string) {})) {
        GTEST_SKIP() << "no udev netlink monitor in this environment";
    }
    EXPECT_TRUE(monitor.Running());
    EXPECT_FALSE(monitor.Start([](int, std::string) {}));
    const auto start = std::chrono::steady_clock::now();
    monitor.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_FALSE(monitor.Running());
    // It can start again after a stop.
    EXPECT_TRUE(monitor.Start([](int, std::string) {}));
    monitor.Stop();
}

TEST(DeviceMonitor, RefusesAnEmptyHandler) {
    DeviceMonitor monitor;
    EXPECT_FALSE(monitor.Start(nullptr));
    EXPECT_FALSE(monitor.Running());
}

}  // namespace
}  // namespace corvatt
