#include "catalog/DeviceDescription.h"

#include "common/text/Text.h"
#include "common/xml/XmlDocument.h"

namespace corvatt {

void ParseButtonRect(std::string_view rect, int& a, int& b, int& c) {
    a = b = c = 0;
    const auto first = rect.find('#');
    a = text::ToInt(rect.substr(0, first));
    if (first == std::string_view::npos) return;
    const auto rest = rect.substr(first + 1);
    const auto second = rest.find('#');
    b = text::ToInt(rest.substr(0, second));
    if (second == std::string_view::npos) return;
    c = text::ToInt(rest.substr(second + 1));
}

bool DeviceDescription::Read(const std::string& path, Found* found) {
    Found seen;
    XmlDocument xml;
    if (!xml.LoadFile(path) || !xml.FindElement("mouse") || !xml.EnterElement()) {
        if (found) *found = seen;
        return false;
    }

    if (xml.FindElement("image_file")) {
        seen.image = true;
        mouse_image = "device/" + xml.GetAttribute("mouse_img");
    }
    if (xml.FindElement("menu")) {
        seen.menu = true;
        lighting = text::ToInt(xml.GetAttribute("light")) == 1 ? 1 : 0;
    }
    if (xml.FindElement("custom")) {
        seen.custom = true;
        show_dpi_tips = text::ToInt(xml.GetAttribute("show_dpitips")) == 1;
        show_save_tips = text::ToInt(xml.GetAttribute("show_savetips")) == 1;
        show_lod = text::ToInt(xml.GetAttribute("show_lod")) == 1;
        show_sensor = text::ToInt(xml.GetAttribute("show_sensor")) == 1;
        show_respond_time = text::ToInt(xml.GetAttribute("show_respondtime")) == 1;
    }
    if (xml.FindElement("firmware")) {
        seen.firmware = true;
        firmware_url = xml.GetAttribute("url");
    }
    if (xml.FindElement("mouse_key")) {
        seen.buttons = true;
        buttons.clear();
        xml.EnterElement();
        while (xml.FindElement("key")) {
            ButtonDescription button;
            button.name = xml.GetAttribute("name");
            button.key_value = text::ToInt(xml.GetAttribute("key_value"));
            button.direction = text::ToInt(xml.GetAttribute("direction"));
            ParseButtonRect(xml.GetAttribute("rect"), button.line_from_x, button.line_to_x, button.line_y);
            button.func_desc = xml.GetAttribute("func_desc");
            button.dashed = text::ToInt(xml.GetAttribute("dashed")) == 1;
            button.func_type = text::ToInt(xml.GetAttribute("func_type"));
            button.func_value = text::ToInt(xml.GetAttribute("func_value"));
            buttons.push_back(std::move(button));
        }
        xml.LeaveElement();
    }
    if (xml.FindElement("mouse_info") && xml.EnterElement()) {
        if (xml.FindElement("light_info") && xml.EnterElement()) {
            for (int i = 0; i < 6; ++i) {
                if (xml.FindElement(text::Format("light_%d", i + 1))) {
                    seen.lights = true;
                    light_enabled[i] = text::ToInt(xml.GetAttribute("enable")) == 1;
                }
            }
            xml.LeaveElement();
        }
        xml.LeaveElement();
    }
    if (found) *found = seen;
    return true;
}

}  // namespace corvatt
