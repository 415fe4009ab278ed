// The default rows of a new profile and the default lighting modes.

#include <cstddef>

#include "common/text/Text.h"
#include "store/ConfigStore.h"
#include "store/StoreSql.h"

namespace corvatt {

namespace {

struct DefaultSetting {
    const char* key;
    const char* value;
};

constexpr DefaultSetting kDefaultSettings[] = {
    {"version", "1.0.1"},
    {"sleep_light", "1"},
    {"move_wakeup", "1"},
    {"move_closelight", "1"},
    {"report_rate", "2"},
    {"report_rate_wireless", "1"},
    {"report_count", "4"},
    {"report_flag", "127"},
    {"button_respondtime", "8"},
    {"sensor_flag", "53"},
    {"liftoff_height", "1"},
    {"scroll_flag", "1"},
    {"e-sports_flag", "0"},
    {"leftbtn_lock", "1"},
    {"dpi_flag", "6"},
    {"dpi_index", "1"},
    {"dpi_count", "6"},
    {"dpi_group0_value", "800"},
    {"dpi_group1_value", "1600"},
    {"dpi_group2_value", "2400"},
    {"dpi_group3_value", "3200"},
    {"dpi_group4_value", "6400"},
    {"dpi_group5_value", "26000"},
    {"dpi_group6_value", "26000"},
    {"dpi_group7_value", "0"},
    {"dpi_group0_rgb", "255"},
    {"dpi_group1_rgb", "16711680"},
    {"dpi_group2_rgb", "65280"},
    {"dpi_group3_rgb", "65535"},
    {"dpi_group4_rgb", "16711935"},
    {"dpi_group5_rgb", "16776960"},
    {"dpi_group6_rgb", "16712191"},
    {"dpi_group7_rgb", "16777215"},
    {"dpi_group8_rgb", "2139135"},
    {"mouse_speed", "10"},
    {"mouse_sensitivity", "1"},
    {"wheel_scrollflag", "0"},
    {"wheel_scrolllines", "3"},
    {"doubleclick_time", "550"},
};

struct DefaultLight {
    int mode;
    const char* name;
    int config_func;
    int reserved;  // language text of the mode's name
};

// In the order of the enable flags light_1 .. light_6.
constexpr DefaultLight kDefaultLights[6] = {
    {1, "流光", 3, 280},
    {2, "呼吸", 2067, 281},
    {3, "常亮", 17, 282},
    {4, "霓虹", 3, 283},
    {5, "七彩波浪", 3, 284},
    {0, "关闭", 0, 285},
};

constexpr int32_t kDefaultLightColours[7] = {255, 65280, 16711680, 16776960, 65535, 16711935, 16777215};

int HexPart(const std::string& digits, std::size_t start, std::size_t count) {
    return static_cast<int>(text::HexToLong(text::Mid(digits, start, count)) & 0xFF);
}

}  // namespace

void ConfigStore::InsertDefaultConfig(int profile) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    for (const DefaultSetting& setting : kDefaultSettings) {
        const std::string key = setting.key;
        const std::string value = setting.value;
        StatementUse st(*this, sql::kInsertConfig);
        st->BindInt(1, profile);
        st->BindText(2, ToUtf8(key));
        st->BindText(3, ToUtf8(value));
        st->Step();
    }
}

int32_t ConfigStore::ParseColour(const std::string& colour_text) {
    const std::string digits = text::Mid(colour_text, 1);
    int red = 0;
    int green = 0;
    int blue = 0;
    switch (text::CharCount(digits)) {
    case 6:
        red = HexPart(digits, 0, 2);
        green = HexPart(digits, 2, 2);
        blue = HexPart(digits, 4, 2);
        break;
    case 5:
        red = HexPart(digits, 0, 2);
        green = HexPart(digits, 2, 2);
        blue = HexPart(digits, 4, 1);
        break;
    case 4:
        red = HexPart(digits, 0, 2);
        green = HexPart(digits, 2, 2);
        break;
    case 3:
        red = HexPart(digits, 0, 2);
        green = HexPart(digits, 2, 1);
        break;
    case 2:
        red = HexPart(digits, 0, 2);
        break;
    default:
        break;
    }
    return red + green * 256 + blue * 65536;
}

void ConfigStore::EnsureDefaultLights(int profile, const std::array<bool, 6>& light_enabled) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    if (CountLights(profile) >= 1) return;
    OperationTransaction transaction(m_connection);
    for (std::size_t i = 0; i < 6; ++i) {
        if (!light_enabled[i]) continue;
        LightRecord light;
        light.profile = profile;
        light.name = kDefaultLights[i].name;
        light.mode = kDefaultLights[i].mode;
        light.brightness = 4;
        light.speed = 2;
        light.direction = 0;
        light.colorful = 1;
        light.colorindex = 0;
        for (int c = 0; c < 7; ++c) light.SetColorValue(c, kDefaultLightColours[c]);
        light.config_func = kDefaultLights[i].config_func;
        light.reserved = kDefaultLights[i].reserved;
        light.status = 0;
        AddLight(light);
    }
    SetActiveLight(profile, 1);
}

}  // namespace corvatt
