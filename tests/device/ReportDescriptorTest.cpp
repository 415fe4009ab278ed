#include "device/ReportDescriptor.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace corvatt {
namespace {

// Hex text, '#' starts a comment line.
std::vector<std::uint8_t> LoadHex(const std::string& name) {
    std::ifstream file(std::string(CORVATT_TEST_FIXTURES) + "/device/" + name);
    EXPECT_TRUE(file) << name;
    std::vector<std::uint8_t> bytes;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream words(line);
        std::string word;
        while (words >> word) {
            bytes.push_back(static_cast<std::uint8_t>(std::stoul(word, nullptr, 16)));
        }
    }
    return bytes;
}

struct DescriptorCase {
    const char* file;
    std::vector<HidUsage> collections;
    bool accepted;
};

TEST(ReportDescriptor, TopLevelCollectionsOfRecordedDescriptors) {
    const DescriptorCase cases[] = {
        {"boot_mouse.hex", {{0x0001, 0x0002}}, false},
        {"consumer_control.hex", {{0x000C, 0x0001}}, false},
        {"vendor_ff01_0010.hex", {{0xFF01, 0x0010}}, true},
        {"vendor_ff00_0001.hex", {{0xFF00, 0x0001}}, false},
        {"composite_keys_vendor.hex", {{0x0001, 0x0006}, {0x000C, 0x0001}, {0x0001, 0x0080}, {0xFF01, 0x0010}}, true},
        {"desktop_usage0_push_pop.hex", {{0x0001, 0x0000}}, true},
        {"extended_usage.hex", {{0xFF01, 0x0010}}, true},
    };
    for (const DescriptorCase& c : cases) {
        const std::vector<std::uint8_t> bytes = LoadHex(c.file);
        ASSERT_FALSE(bytes.empty()) << c.file;
        EXPECT_EQ(ParseTopLevelUsages(bytes), c.collections) << c.file;
        EXPECT_EQ(IsAcceptedDescriptor(bytes), c.accepted) << c.file;
    }
}

TEST(ReportDescriptor, NestedCollectionsAreNotTopLevel) {
    // The boot mouse's physical pointer collection (usage 0x01) sits inside the
    // application collection and must not appear.
    const std::vector<std::uint8_t> bytes = LoadHex("boot_mouse.hex");
    EXPECT_EQ(ParseTopLevelUsages(bytes).size(), 1u);
}

TEST(ReportDescriptor, MalformedInputEndsTheParse) {
    std::vector<std::uint8_t> vendor = LoadHex("vendor_ff01_0010.hex");
    // cut inside the Usage Page item's data: nothing complete before it
    EXPECT_TRUE(ParseTopLevelUsages(std::span(vendor.data(), 2)).empty());
    // a two-collection descriptor cut inside the second collection keeps the first
    std::vector<std::uint8_t> two = LoadHex("consumer_control.hex");
    two.insert(two.end(), {0x06, 0x01, 0xFF, 0x09, 0x10, 0xA1});
    EXPECT_EQ(ParseTopLevelUsages(two), (std::vector<HidUsage>{{0x000C, 0x0001}}));
    EXPECT_FALSE(IsAcceptedDescriptor(two));
    // a long item claiming more data than there is
    const std::vector<std::uint8_t> long_item = {0xFE, 0x40, 0x10, 0x00};
    EXPECT_TRUE(ParseTopLevelUsages(long_item).empty());
    EXPECT_TRUE(ParseTopLevelUsages({}).empty());
}

TEST(ReportDescriptor, AcceptedUsages) {
    struct Case {
        unsigned page;
        unsigned usage;
        bool accepted;
    };
    const Case cases[] = {
        {0x0001, 0x0000, true},  {0xFF01, 0x0010, true},  {0x0001, 0x0002, false},
        {0x0001, 0x0006, false}, {0xFF01, 0x0001, false}, {0xFF00, 0x0010, false},
        {0xFFEF, 0x0000, false}, {0x000C, 0x0001, false}, {0x0000, 0x0000, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsAcceptedUsage(c.page, c.usage), c.accepted) << std::hex << c.page << "/" << c.usage;
    }
}

}  // namespace
}  // namespace corvatt
