#include "catalog/DeviceDescription.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace corvatt {
namespace {

class DeviceDescriptionTest : public ::testing::Test {
protected:
    std::string Write(const std::string& xml) {
        const auto path = std::filesystem::temp_directory_path() /
                          (std::string("description-") +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".xml");
        std::ofstream(path, std::ios::binary) << xml;
        m_paths.push_back(path);
        return path.string();
    }
    void TearDown() override {
        for (const auto& path : m_paths) std::filesystem::remove(path);
    }
    std::vector<std::filesystem::path> m_paths;
};

struct Flags {
    int dpi_tips, save_tips, lod, sensor, respond_time;
};

TEST_F(DeviceDescriptionTest, CustomFlagsChangeOnlyWhenTheElementIsPresent) {
    struct Case {
        const char* name;
        const char* xml;
        Flags expected;
    };
    const Case cases[] = {
        {"no custom keeps everything shown", "<mouse><menu light=\"1\"/></mouse>", {1, 1, 1, 1, 1}},
        {"only show_lod", "<mouse><custom show_lod=\"1\"/></mouse>", {0, 0, 1, 0, 0}},
        {"all on", "<mouse><custom show_dpitips=\"1\" show_savetips=\"1\" show_lod=\"1\" show_sensor=\"1\" "
                   "show_respondtime=\"1\"/></mouse>",
         {1, 1, 1, 1, 1}},
        {"not numeric reads as off", "<mouse><custom show_dpitips=\"yes\" show_lod=\"2\"/></mouse>", {0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceDescription description;
        ASSERT_TRUE(description.Read(Write(c.xml)));
        EXPECT_EQ(description.show_dpi_tips, c.expected.dpi_tips);
        EXPECT_EQ(description.show_save_tips, c.expected.save_tips);
        EXPECT_EQ(description.show_lod, c.expected.lod);
        EXPECT_EQ(description.show_sensor, c.expected.sensor);
        EXPECT_EQ(description.show_respond_time, c.expected.respond_time);
    }

    // A second model without `custom` keeps the first model's choice.
    DeviceDescription description;
    ASSERT_TRUE(description.Read(Write("<mouse><custom show_lod=\"1\"/></mouse>")));
    ASSERT_TRUE(description.Read(Write("<mouse><menu light=\"0\"/></mouse>")));
    EXPECT_EQ(description.show_sensor, 0);
    EXPECT_EQ(description.show_lod, 1);
    EXPECT_EQ(description.lighting, 0);
}

TEST_F(DeviceDescriptionTest, ReadsButtonsInFileOrderWithTheirLeaderLines) {
    DeviceDescription description;
    DeviceDescription::Found found;
    ASSERT_TRUE(description.Read(Write(R"(<mouse><image_file mouse_img="m.png"/><firmware url="fw/"/>
<mouse_key>
<key name="700" key_value="3" direction="1" rect="410#520#233" func_desc="110" dashed="1" func_type="1" func_value="6"/>
<key name="701" key_value="1" rect="12#" func_type="5" func_value="2"/>
</mouse_key>
<mouse_info><light_info><light_1 enable="1"/><light_3 enable="1"/><light_6 enable="0"/></light_info></mouse_info>
</mouse>)"),
                                 &found));
    EXPECT_TRUE(found.image && found.firmware && found.buttons && found.lights);
    EXPECT_FALSE(found.menu || found.custom);
    EXPECT_EQ(description.mouse_image, "device/m.png");
    EXPECT_EQ(description.firmware_url, "fw/");
    ASSERT_EQ(description.buttons.size(), 2u);
    const auto& back = description.buttons[0];
    EXPECT_EQ(back.name, "700");
    EXPECT_EQ(back.key_value, 3);
    EXPECT_EQ(back.direction, 1);
    EXPECT_EQ(back.line_from_x, 410);
    EXPECT_EQ(back.line_to_x, 520);
    EXPECT_EQ(back.line_y, 233);
    EXPECT_EQ(back.func_desc, "110");
    EXPECT_TRUE(back.dashed);
    EXPECT_EQ(back.func_type, 1);
    EXPECT_EQ(back.func_value, 6);
    const auto& second = description.buttons[1];
    EXPECT_EQ(second.line_from_x, 12);
    EXPECT_EQ(second.line_to_x, 0);
    EXPECT_EQ(second.line_y, 0);
    EXPECT_FALSE(second.dashed);
    EXPECT_EQ(description.light_enabled, (std::array<bool, 6>{true, false, true, false, false, false}));
}

TEST_F(DeviceDescriptionTest, ElementsOutOfOrderAreNotFound) {
    // The search only moves forward: finding `menu` behind `mouse_key` passes the buttons by.
    DeviceDescription description;
    DeviceDescription::Found found;
    ASSERT_TRUE(description.Read(Write(R"(<mouse><mouse_key><key name="1"/></mouse_key><menu light="0"/></mouse>)"),
                                 &found));
    EXPECT_TRUE(found.menu);
    EXPECT_EQ(description.lighting, 0);
    EXPECT_FALSE(found.buttons);
    EXPECT_TRUE(description.buttons.empty());

    // `firmware` found after `mouse_key`'s place: `menu` and `custom` before it are still read.
    ASSERT_TRUE(description.Read(Write(R"(<mouse><firmware url="f"/><custom show_lod="0"/><menu light="1"/></mouse>)"),
                                 &found));
    EXPECT_TRUE(found.menu);
    EXPECT_FALSE(found.custom);  // searched after `menu`, which stands behind it
    EXPECT_FALSE(found.firmware);
}

TEST_F(DeviceDescriptionTest, UnreadableFilesChangeNothing) {
    DeviceDescription description;
    description.firmware_url = "kept";
    EXPECT_FALSE(description.Read("/nonexistent/corvatt.xml"));
    EXPECT_FALSE(description.Read(Write("<device><menu light=\"0\"/></device>")));
    EXPECT_FALSE(description.Read(Write("<mouse><menu light=\"0\"></mouse>")));
    EXPECT_EQ(description.firmware_url, "kept");
    EXPECT_EQ(description.lighting, 1);
}

TEST(ShippedDescriptionsTest, ModelsMatchTheirRoles) {
    DeviceDescription v1;
    ASSERT_TRUE(v1.Read(std::string(CORVATT_TEST_DATA) + "/device/corvatt_v1.xml"));
    EXPECT_EQ(v1.lighting, 1);
    EXPECT_EQ(v1.buttons.size(), 7u);
    EXPECT_EQ(v1.show_dpi_tips + v1.show_save_tips + v1.show_lod + v1.show_sensor + v1.show_respond_time, 5);
    DeviceDescription v2;
    ASSERT_TRUE(v2.Read(std::string(CORVATT_TEST_DATA) + "/device/corvatt_v2.xml"));
    EXPECT_EQ(v2.lighting, 0);
    EXPECT_EQ(v2.buttons.size(), 5u);
    EXPECT_EQ(v2.show_lod, 1);
    EXPECT_EQ(v2.show_dpi_tips + v2.show_save_tips + v2.show_sensor + v2.show_respond_time, 0);
}

}  // namespace
}  // namespace corvatt
