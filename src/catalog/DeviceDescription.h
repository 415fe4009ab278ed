#pragma once

#include <array>
#include <string>
#include <vector>

namespace corvatt {

// One button of a model's description file (`mouse_key` / `key`).
struct ButtonDescription {
    std::string name;       // raw text of `name`: a language text id
    int key_value = 0;      // the button's code
    int direction = 0;      // side of the label on the picture
    int line_from_x = 0;    // `rect` "a#b#c": the leader line runs from (a, c) to (b, c)
    int line_to_x = 0;
    int line_y = 0;
    std::string func_desc;  // raw text of `func_desc`: a language text id
    bool dashed = false;
    int func_type = 0;
    int func_value = 0;
};

// What a model's description file says about it. A setting changes only when its element is
// present, so a description read over another keeps the other's values where it is silent.
struct DeviceDescription {
    std::string model_name;
    std::string model_key;
    std::string mouse_image;   // "device/" + `mouse_img`, empty when the file names none
    int lighting = 1;
    int show_dpi_tips = 1;
    int show_save_tips = 1;
    int show_lod = 1;
    int show_sensor = 1;
    int show_respond_time = 1;
    std::string firmware_url;
    std::array<bool, 6> light_enabled{};
    std::vector<ButtonDescription> buttons;

    // What the last Read found, so that the caller applies only those parts.
    struct Found {
        bool image = false;
        bool menu = false;
        bool custom = false;
        bool firmware = false;
        bool buttons = false;
        bool lights = false;
    };

    // Reads "<install>device/<key>.xml" in the file's forward-only order. False, with nothing
    // changed, when the file cannot be read or has no `mouse` root.
    bool Read(const std::string& path, Found* found = nullptr);
};

// "a#b#c" as three decimal numbers; a missing part reads as 0.
void ParseButtonRect(std::string_view rect, int& a, int& b, int& c);

}  // namespace corvatt
