#pragma once

#include <string>

namespace corvatt {

// One identifier under which a catalogued model appears (a catalogue mode record).
struct SupportedId {
    int vendor_id = 0;
    int product_id = 0;
    std::string text;  // always empty
    int device_type = 0;
    int mode = 0;          // 0 = the mouse itself (cable), 1 = USB receiver
    std::string identity;  // the model's dev_id
};

}  // namespace corvatt
