// The model's defaults from its description file.

#include "common/text/Text.h"
#include "common/xml/XmlDocument.h"
#include "store/ConfigStore.h"

namespace corvatt {

namespace {

// Element and attribute of a setting outside dpi_info, in file order.
struct ModelSetting {
    const char* element;
    const char* attribute;
    const char* key;
};

constexpr ModelSetting kModelSettings[] = {
    {"report_rate", "default_value", "report_rate"},
    {"sleep_light", "value", "sleep_light"},
    {"move_wakeup", "value", "move_wakeup"},
    {"move_closelight", "value", "move_closelight"},
    {"lod", "value", "liftoff_height"},
    {"button_respondtime", "value", "button_respondtime"},
};

}  // namespace

bool ConfigStore::ApplyDeviceDefaults(const ModelContext& model, bool dpi_only) {
    return ApplyDeviceDefaults(model.current_profile, model.DescriptionPath(), dpi_only);
}

bool ConfigStore::ApplyDeviceDefaults(int profile, const std::string& description_path, bool dpi_only) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    XmlDocument doc;
    if (!doc.LoadFile(description_path)) return false;
    if (!doc.FindElement("mouse")) return false;
    OperationTransaction transaction(m_connection);
    doc.EnterElement();
    if (!doc.FindElement("mouse_info")) return true;
    doc.EnterElement();

    if (doc.FindElement("dpi_info")) {
        SetConfigValue(profile, "dpi_index", doc.GetAttribute("default_dpi"));
        const std::string count = doc.GetAttribute("dpi_count");
        SetConfigValue(profile, "dpi_flag", count);
        SetConfigValue(profile, "dpi_count", count);
        doc.EnterElement();
        for (int stage = 0; stage < 6; ++stage) {
            if (!doc.FindElement(text::Format("dpi_%d", stage + 1))) continue;
            SetConfigValue(profile, text::Format("dpi_group%d_value", stage), doc.GetAttribute("value"));
            SetConfigValue(profile, text::Format("dpi_group%d_rgb", stage),
                           text::Format("%d", ParseColour(doc.GetAttribute("color"))));
        }
        doc.LeaveElement();
    }
    if (dpi_only) return true;

    for (const ModelSetting& setting : kModelSettings) {
        if (doc.FindElement(setting.element)) {
            SetConfigValue(profile, setting.key, doc.GetAttribute(setting.attribute));
        }
    }
    return true;
}

}  // namespace corvatt
