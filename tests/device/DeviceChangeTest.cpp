#include "device/DeviceChange.h"

#include <gtest/gtest.h>

namespace corvatt {
namespace {

constexpr const char* kWired2 =
    "\\\\?\\HID#VID_1209&PID_0001&MI_02#8&2C5E1A01&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr const char* kWired0 =
    "\\\\?\\HID#VID_1209&PID_0001&MI_00#8&2C5E1A01&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr const char* kReceiver2 =
    "\\\\?\\hid#vid_1209&pid_0002&mi_02#8&2c5e1a02&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr const char* kOther2 = "\\\\?\\HID#VID_046D&PID_C077&MI_02#7&1&0&0000#{4d1e55b2}";

TEST(DeviceChange, PatternsUseFourUpperCaseHexDigits) {
    EXPECT_EQ(ArrivalPattern(0x1A2B, 0x0C3D), "VID_1A2B&PID_0C3D");
    EXPECT_EQ(RemovalPattern(0x1A2B, 0x0C3D), "VID_1A2B&PID_0C3D&MI_02");
    EXPECT_EQ(ArrivalPattern(0x1209, 0x2), "VID_1209&PID_0002");
}

TEST(DeviceChange, Decisions) {
    const std::vector<ModeIds> modes = {{0x1209, 0x0001}, {0x1209, 0x0002}};
    struct Case {
        const char* name;
        int event;
        int broadcast;
        const char* path;
        bool present;
        bool accepted;
        int expected;
        int accept_calls;
    };
    const Case cases[] = {
        {"accepted arrival", 0x8000, 5, kWired2, false, true, 2, 1},
        {"arrival of another usage", 0x8000, 5, kWired0, false, false, 0, 1},
        {"lower-case receiver path", 0x8000, 5, kReceiver2, true, true, 2, 1},
        {"arrival not catalogued", 0x8000, 5, kOther2, false, true, 0, 0},
        {"removal of interface 2", 0x8004, 5, kWired2, true, true, 3, 0},
        {"removal of interface 0", 0x8004, 5, kWired0, true, true, 0, 0},
        {"removal with no device present", 0x8004, 5, kWired2, false, true, 0, 0},
        {"removal of receiver interface 2", 0x8004, 5, kReceiver2, true, true, 3, 0},
        {"removal not catalogued", 0x8004, 5, kOther2, true, true, 0, 0},
        {"other event", 0x8001, 5, kWired2, true, true, 0, 0},
        {"other broadcast type", 0x8000, 2, kWired2, true, true, 0, 0},
        {"removal pending is not removal complete", 0x8003, 5, kWired2, true, true, 0, 0},
    };
    for (const Case& c : cases) {
        int calls = 0;
        std::string seen;
        auto accept = [&](const std::string& path) {
            ++calls;
            seen = path;
            return c.accepted;
        };
        EXPECT_EQ(DecideDeviceChange(c.event, c.broadcast, c.path, modes, c.present, accept), c.expected)
            << c.name;
        EXPECT_EQ(calls, c.accept_calls) << c.name;
        if (calls > 0) {
            EXPECT_EQ(seen, c.path) << c.name << ": the test gets the path as given";
        }
    }
}

TEST(DeviceChange, ArrivalStopsAtTheFirstMatchingRecord) {
    // The same ids twice: a rejected interface is not tried against the second.
    const std::vector<ModeIds> modes = {{0x1209, 0x0001}, {0x1209, 0x0001}};
    int calls = 0;
    auto reject = [&](const std::string&) {
        ++calls;
        return false;
    };
    EXPECT_EQ(DecideDeviceChange(0x8000, 5, kWired2, modes, false, reject), 0);
    EXPECT_EQ(calls, 1);
}

TEST(DeviceChange, NoModesNoAction) {
    EXPECT_EQ(DecideDeviceChange(0x8000, 5, kWired2, {}, true, [](const std::string&) { return true; }), 0);
    EXPECT_EQ(DecideDeviceChange(0x8004, 5, kWired2, {}, true, nullptr), 0);
}

}  // namespace
}  // namespace corvatt
