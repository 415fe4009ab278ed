#pragma once

#include <cstdint>
#include <string>

namespace corvatt {

// One row of t_profile_data.
struct ProfileRecord {
    int32_t profile = 0;
    std::string name;
    std::string app;
    int32_t type = 0;
    int32_t status = 0;
};

// One row of t_key_macro_data: a button's assignment in a profile.
struct KeyAssignment {
    int32_t key_id = 0;
    int32_t profile = 0;
    int32_t fn_layer = 0;
    int32_t key_code = 0;
    int32_t layout_value = 0;
    std::string layout_desc;
    int32_t macro_type = 0;
    int32_t macro_value = 0;
    int32_t macro_value2 = 0;
    int32_t macro_value3 = 0;
    std::string macro_desc;
};

// One row of t_light_data: a lighting mode of a profile.
struct LightRecord {
    int32_t light_id = 0;
    int32_t profile = 0;
    std::string name;
    int32_t mode = 0;
    int32_t brightness = 0;
    int32_t speed = 0;
    int32_t direction = 0;
    int32_t colorful = 0;
    int32_t colorindex = 0;
    int32_t color_value1 = 0;
    int32_t color_value2 = 0;
    int32_t color_value3 = 0;
    int32_t color_value4 = 0;
    int32_t color_value5 = 0;
    int32_t color_value6 = 0;
    int32_t color_value7 = 0;
    int32_t config_func = 0;
    int32_t reserved = 0;
    int32_t status = 0;

    // Colour 0..6 (color_value1 .. color_value7); out-of-range indexes read 0 and write nothing.
    int32_t ColorValue(int index) const;
    void SetColorValue(int index, int32_t colour);
};

// One row of t_macro_data.
struct MacroData {
    int32_t macro_id = 0;
    std::string name;
    int32_t play_type = 0;
    int32_t play_times = 0;
    int32_t delay_type = 0;
    int32_t delay_time = 0;
};

// One event of a macro (t_macrorecord).
struct MacroRecord {
    int32_t record_id = 0;
    int32_t macro_id = 0;
    int32_t type = 0;
    int32_t record_index = 0;
    int32_t value = 0;
    int32_t delay_time = 0;
    std::string desc;
};

inline int32_t LightRecord::ColorValue(int index) const {
    switch (index) {
    case 0: return color_value1;
    case 1: return color_value2;
    case 2: return color_value3;
    case 3: return color_value4;
    case 4: return color_value5;
    case 5: return color_value6;
    case 6: return color_value7;
    default: return 0;
    }
}

inline void LightRecord::SetColorValue(int index, int32_t colour) {
    switch (index) {
    case 0: color_value1 = colour; break;
    case 1: color_value2 = colour; break;
    case 2: color_value3 = colour; break;
    case 3: color_value4 = colour; break;
    case 4: color_value5 = colour; break;
    case 5: color_value6 = colour; break;
    case 6: color_value7 = colour; break;
    default: break;
    }
}

}  // namespace corvatt
