#include "device/HidapiBackend.h"

#include <gtest/gtest.h>

namespace corvatt {
namespace {

TEST(HidapiBackend, NodeNameFromHotPlugAndEnumerationPaths) {
    struct Case {
        const char* path;
        const char* node;
    };
    const Case cases[] = {
        {"\\\\?\\HID#VID_1209&PID_0001&MI_02#hidraw3", "hidraw3"},
        {"\\\\?\\HID#VID_1209&PID_0001&MI_02#HIDRAW12", "hidraw12"},
        {"/dev/hidraw0", "hidraw0"},
        {"/dev/hidrawx#hidraw4", "hidraw4"},
        {"/dev/hidraw", ""},
        {"\\\\?\\HID#VID_1209&PID_0001&MI_02#8&2C5E1A01&0&0000", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HidapiBackend::HidrawNodeName(c.path), c.node) << c.path;
    }
}

TEST(HidapiBackend, UnknownNodesHaveNoDescriptor) {
    HidapiBackend backend;
    std::vector<std::uint8_t> descriptor;
    EXPECT_FALSE(backend.ReadReportDescriptor("\\\\?\\HID#VID_1209&PID_0001&MI_02#hidraw999999", descriptor));
    EXPECT_FALSE(backend.ReadReportDescriptor("no node here", descriptor));
    EXPECT_EQ(backend.Open(""), nullptr);
}

}  // namespace
}  // namespace corvatt
