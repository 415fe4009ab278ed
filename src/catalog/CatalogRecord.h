#pragma once

#include <string>

namespace corvatt {

// One model (from a `mouse` element) or one connection mode of a model (a `mode` element).
// A mode record carries its model's fields too, so that each one stands on its own.
struct CatalogRecord {
    std::string name;
    int device_type = 0;
    std::string model_key;   // `device_attr`: names the description file and the database
    std::string image_path;  // skin folder + "device/" + `image`
    int mode = 0;            // 0 = the mouse by cable, 1 = the USB receiver
    int vendor_id = 0;
    int product_id = 0;
    std::string device_identity;
    std::string description;
    std::string reserved_text;
    std::string hid_interface;
    int reserved_a = 0;
    int reserved_b = -1;
};

// The program's own block of config.xml.
struct SoftwareInfo {
    std::string version;
    std::string website_url;
    std::string feedback_url;
    std::string qa_url;
    std::string upgrade_url;
};

}  // namespace corvatt
