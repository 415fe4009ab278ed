#include "app/StartupConfig.h"

#include "common/text/Text.h"
#include "common/xml/XmlDocument.h"

namespace corvatt {

StartupConfig StartupConfig::Read(const std::string& config_path) {
    StartupConfig config;
    XmlDocument xml;
    if (!xml.LoadFile(config_path)) return config;
    if (!xml.FindElement("config") || !xml.EnterElement()) return config;

    if (xml.FindElement("language.info")) {
        config.default_language = text::ToInt(xml.GetAttribute("default_lan"));
        xml.EnterElement();
        while (xml.FindElement("lan")) {
            config.available_languages[text::ToInt(xml.GetAttribute("value"))] = 1;
        }
        xml.LeaveElement();
    }
    // Searched after `language.info`: the file must place `software` behind it.
    // An empty caption would leave the registry key, the data folder and the instance lock
    // without a name, so it keeps the default name instead.
    if (xml.FindElement("software")) {
        std::string caption = xml.GetAttribute("caption");
        if (!caption.empty()) config.application_name = std::move(caption);
    }
    return config;
}

}  // namespace corvatt
