#include "catalog/DeviceCatalog.h"

#include "common/text/Text.h"
#include "common/xml/XmlDocument.h"

namespace corvatt {

void DeviceCatalog::Clear() {
    m_models.clear();
    m_modes.clear();
}

bool DeviceCatalog::Load(const std::string& config_path, const std::string& image_folder) {
    Clear();
    m_has_software = false;

    XmlDocument xml;
    if (!xml.LoadFile(config_path) || !xml.FindElement("config") || !xml.EnterElement()) {
        return false;
    }

    if (xml.FindElement("device")) {
        xml.EnterElement();
        while (xml.FindElement("mouse")) {
            CatalogRecord record;
            record.name = xml.GetAttribute("name");
            record.device_type = text::ToInt(xml.GetAttribute("device_type"));
            record.model_key = xml.GetAttribute("device_attr");
            record.image_path = image_folder + xml.GetAttribute("image");
            m_models.push_back(record);

            xml.EnterElement();
            while (xml.FindElement("mode")) {
                record.mode = text::ToInt(xml.GetAttribute("value"));
                record.description = xml.GetAttribute("desc");
                record.vendor_id = static_cast<int>(text::HexToLong(xml.GetAttribute("vid")));
                record.product_id = static_cast<int>(text::HexToLong(xml.GetAttribute("pid")));
                record.device_identity = xml.GetAttribute("dev_id");
                record.hid_interface = xml.GetAttribute("hid_interface");
                m_modes.push_back(record);
            }
            xml.LeaveElement();
        }
        xml.LeaveElement();
    }

    // The search goes on after `device`: a `software` block placed before it is not seen.
    if (xml.FindElement("software")) {
        m_has_software = true;
        m_software.version = xml.GetAttribute("version");
        xml.EnterElement();
        // Each address is looked for after the previous one found, in this order.
        if (xml.FindElement("website")) m_software.website_url = xml.GetAttribute("url");
        if (xml.FindElement("feedback")) m_software.feedback_url = xml.GetAttribute("url");
        if (xml.FindElement("qa")) m_software.qa_url = xml.GetAttribute("url");
        if (xml.FindElement("upgrade")) m_software.upgrade_url = xml.GetAttribute("url");
        xml.LeaveElement();
    }
    return true;
}

const CatalogRecord* DeviceCatalog::FindModel(int device_type) const {
    for (const auto& model : m_models) {
        if (model.device_type == device_type) return &model;
    }
    return nullptr;
}

}  // namespace corvatt
