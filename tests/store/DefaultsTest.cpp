#include <array>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/ConfigStore.h"

namespace corvatt {
namespace {

using testing::QueryFile;
using testing::TempDataFolder;

const std::vector<std::pair<std::string, std::string>> kBuiltInDefaults = {
    {"version", "1.0.1"}, {"sleep_light", "1"}, {"move_wakeup", "1"}, {"move_closelight", "1"},
    {"report_rate", "2"}, {"report_rate_wireless", "1"}, {"report_count", "4"}, {"report_flag", "127"},
    {"button_respondtime", "8"}, {"sensor_flag", "53"}, {"liftoff_height", "1"}, {"scroll_flag", "1"},
    {"e-sports_flag", "0"}, {"leftbtn_lock", "1"}, {"dpi_flag", "6"}, {"dpi_index", "1"},
    {"dpi_count", "6"}, {"dpi_group0_value", "800"}, {"dpi_group1_value", "1600"},
    {"dpi_group2_value", "2400"}, {"dpi_group3_value", "3200"}, {"dpi_group4_value", "6400"},
    {"dpi_group5_value", "26000"}, {"dpi_group6_value", "26000"}, {"dpi_group7_value", "0"},
    {"dpi_group0_rgb", "255"}, {"dpi_group1_rgb", "16711680"}, {"dpi_group2_rgb", "65280"},
    {"dpi_group3_rgb", "65535"}, {"dpi_group4_rgb", "16711935"}, {"dpi_group5_rgb", "16776960"},
    {"dpi_group6_rgb", "16712191"}, {"dpi_group7_rgb", "16777215"}, {"dpi_group8_rgb", "2139135"},
    {"mouse_speed", "10"}, {"mouse_sensitivity", "1"}, {"wheel_scrollflag", "0"},
    {"wheel_scrolllines", "3"}, {"doubleclick_time", "550"},
};

std::string Fixture(const std::string& name) {
    return std::string(CORVATT_TEST_FIXTURES) + "/store/device/" + name;
}

class DefaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_store.OpenDatabase(m_folder.Folder(), "corvatt_v1"));
        m_profile = m_store.AddProfile(ProfileRecord{});
        ASSERT_EQ(m_profile, 1);
    }

    std::string Value(const std::string& key) {
        std::string value;
        EXPECT_TRUE(m_store.GetConfigValue(m_profile, key, value)) << key;
        return value;
    }

    // Every key and value of the profile, with the keys in `changed` expected to differ.
    void ExpectDefaultsExcept(const std::vector<std::pair<std::string, std::string>>& changed) {
        for (const auto& [key, built_in] : kBuiltInDefaults) {
            std::string expected = built_in;
            for (const auto& [changed_key, changed_value] : changed) {
                if (changed_key == key) expected = changed_value;
            }
            EXPECT_EQ(Value(key), expected) << key;
        }
    }

    TempDataFolder m_folder;
    ConfigStore m_store;
    int m_profile = 0;
};

TEST_F(DefaultsTest, NewProfileGetsTheThirtyNineRowsInOrder) {
    const auto rows = QueryFile(m_store.Path(), "SELECT profile, key, value FROM t_configdata ORDER BY config_id");
    ASSERT_EQ(rows.size(), kBuiltInDefaults.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0], "1");
        EXPECT_EQ(rows[i][1], kBuiltInDefaults[i].first);
        EXPECT_EQ(rows[i][2], kBuiltInDefaults[i].second);
    }
    EXPECT_EQ(m_store.AddProfile(ProfileRecord{}), 2);
    EXPECT_EQ(testing::CountRows(m_store.Path(), "t_configdata WHERE profile = 2"), 39);
}

TEST_F(DefaultsTest, FullModeWritesEveryModelSetting) {
    EXPECT_TRUE(m_store.ApplyDeviceDefaults(m_profile, Fixture("full.xml"), false));
    ExpectDefaultsExcept({
        {"dpi_index", "3"}, {"dpi_flag", "5"}, {"dpi_count", "5"},
        {"dpi_group0_value", "400"}, {"dpi_group1_value", "900"}, {"dpi_group2_value", "1800"},
        {"dpi_group3_value", "3600"}, {"dpi_group4_value", "7200"}, {"dpi_group5_value", "12000"},
        {"dpi_group0_rgb", "255"}, {"dpi_group1_rgb", "65280"}, {"dpi_group2_rgb", "16711680"},
        {"dpi_group3_rgb", "33023"}, {"dpi_group4_rgb", "4095"}, {"dpi_group5_rgb", "3153936"},
        {"report_rate", "1"}, {"sleep_light", "5"}, {"move_wakeup", "0"}, {"move_closelight", "0"},
        {"liftoff_height", "2"}, {"button_respondtime", "4"},
    });
}

TEST_F(DefaultsTest, DpiOnlyModeStopsAfterDpiInfo) {
    m_store.SetConfigValue(m_profile, "report_rate", "8");
    EXPECT_TRUE(m_store.ApplyDeviceDefaults(m_profile, Fixture("full.xml"), true));
    EXPECT_EQ(Value("report_rate"), "8");
    EXPECT_EQ(Value("liftoff_height"), "1");
    EXPECT_EQ(Value("dpi_group5_value"), "12000");
}

TEST_F(DefaultsTest, StagesMissingFromTheDescriptionKeepTheirValues) {
    ModelContext model;
    model.install_folder = std::string(CORVATT_TEST_FIXTURES) + "/store/";
    model.model_key = "four_stages";
    model.current_profile = m_profile;
    EXPECT_TRUE(m_store.ApplyDeviceDefaults(model, false));
    ExpectDefaultsExcept({
        {"dpi_index", "2"}, {"dpi_flag", "4"}, {"dpi_count", "4"},
        {"dpi_group0_value", "500"}, {"dpi_group1_value", "1000"}, {"dpi_group2_value", "1500"},
        {"dpi_group3_value", "2000"}, {"dpi_group0_rgb", "255"}, {"dpi_group1_rgb", "65280"},
        {"dpi_group2_rgb", "16711680"}, {"dpi_group3_rgb", "16777215"}, {"liftoff_height", "3"},
    });
}

TEST_F(DefaultsTest, ElementsBeforeDpiInfoAreNotSeen) {
    EXPECT_TRUE(m_store.ApplyDeviceDefaults(m_profile, Fixture("rate_before_dpi.xml"), false));
    ExpectDefaultsExcept({{"dpi_group1_value", "1200"}, {"dpi_group1_rgb", "65280"}, {"sleep_light", "9"}});
}

TEST_F(DefaultsTest, PresentElementWithoutItsAttributeWritesEmpty) {
    EXPECT_TRUE(m_store.ApplyDeviceDefaults(m_profile, Fixture("missing_attributes.xml"), false));
    ExpectDefaultsExcept({{"dpi_index", ""}, {"dpi_flag", "3"}, {"dpi_count", "3"}, {"dpi_group0_value", "700"},
                          {"dpi_group0_rgb", "0"}, {"liftoff_height", ""}});
}

TEST_F(DefaultsTest, MissingOrBrokenDescriptionChangesNothing) {
    EXPECT_FALSE(m_store.ApplyDeviceDefaults(m_profile, Fixture("no_such_model.xml"), false));
    const std::string not_a_mouse = m_folder.WriteFile("other.xml", "<keyboard><mouse_info/></keyboard>");
    EXPECT_FALSE(m_store.ApplyDeviceDefaults(m_profile, not_a_mouse, false));
    const std::string garbage = m_folder.WriteFile("garbage.xml", std::string("\x01\xff<mouse", 8));
    m_store.ApplyDeviceDefaults(m_profile, garbage, false);
    ExpectDefaultsExcept({});
}

TEST(ParseColour, DigitsAreReadByLength) {
    const std::vector<std::pair<std::string, int32_t>> cases = {
        {"#FF0000", 255},        {"#00FF00", 65280},     {"#0000FF", 16711680}, {"#FF8000", 33023},
        {"#ff8000", 33023},      {"#FFF", 4095},         {"", 0},               {"#", 0},
        {"#12", 0x12},           {"#1234", 0x3412},      {"#12345", 0x053412},  {"#1234567", 0},
        {"#GG0000", 0},          {"x102030", 0x302010},  {"配FF0000", 255},
    };
    for (const auto& [text, colour] : cases) EXPECT_EQ(ConfigStore::ParseColour(text), colour) << text;
}

TEST_F(DefaultsTest, DefaultLightsFollowTheEnabledModes) {
    m_store.EnsureDefaultLights(m_profile, {true, false, true, false, true, true});
    std::vector<LightRecord> lights;
    ASSERT_EQ(m_store.GetLights(m_profile, lights), 4);
    struct Expected {
        int mode;
        std::string name;
        int config_func;
        int reserved;
    };
    const std::vector<Expected> expected = {
        {1, "流光", 3, 280}, {3, "常亮", 17, 282}, {5, "七彩波浪", 3, 284}, {0, "关闭", 0, 285}};
    const std::array<int32_t, 7> colours = {255, 65280, 16711680, 16776960, 65535, 16711935, 16777215};
    for (size_t i = 0; i < expected.size(); ++i) {
        const LightRecord& light = lights[i];
        EXPECT_EQ(light.profile, m_profile);
        EXPECT_EQ(light.mode, expected[i].mode);
        EXPECT_EQ(light.name, expected[i].name);
        EXPECT_EQ(light.config_func, expected[i].config_func);
        EXPECT_EQ(light.reserved, expected[i].reserved);
        EXPECT_EQ(light.brightness, 4);
        EXPECT_EQ(light.speed, 2);
        EXPECT_EQ(light.direction, 0);
        EXPECT_EQ(light.colorful, 1);
        EXPECT_EQ(light.colorindex, 0);
        for (int c = 0; c < 7; ++c) EXPECT_EQ(light.ColorValue(c), colours[c]);
        EXPECT_EQ(light.status, expected[i].mode == 1 ? 1 : 0);
    }
    EXPECT_EQ(m_store.GetActiveLightMode(m_profile), 1);

    // A profile that already has a row gets nothing more.
    m_store.EnsureDefaultLights(m_profile, {true, true, true, true, true, true});
    EXPECT_EQ(m_store.CountLights(m_profile), 4);
}

TEST_F(DefaultsTest, DefaultLightsWithoutModeOneLeaveNoActiveMode) {
    LightRecord existing;
    existing.profile = 2;
    m_store.AddLight(existing);
    m_store.EnsureDefaultLights(2, {true, true, true, true, true, true});
    EXPECT_EQ(m_store.CountLights(2), 1);

    m_store.EnsureDefaultLights(m_profile, {false, true, false, false, false, false});
    EXPECT_EQ(m_store.CountLights(m_profile), 1);
    EXPECT_EQ(testing::CountRows(m_store.Path(), "t_light_data WHERE status = 1"), 0);
}

}  // namespace
}  // namespace corvatt
