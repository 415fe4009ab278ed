#include "device/DeviceChange.h"

#include <fmt/format.h>

namespace corvatt {

std::string ArrivalPattern(int vendor_id, int product_id) {
    return fmt::format("VID_{:04X}&PID_{:04X}", static_cast<unsigned>(vendor_id) & 0xFFFF,
                       static_cast<unsigned>(product_id) & 0xFFFF);
}

std::string RemovalPattern(int vendor_id, int product_id) {
    return ArrivalPattern(vendor_id, product_id) + "&MI_02";
}

int DecideDeviceChange(int event, int broadcast_type, std::string_view path,
                       const std::vector<ModeIds>& modes, bool device_present,
                       const std::function<bool(const std::string& path)>& is_accepted) {
    if ((event != kDeviceArrival && event != kDeviceRemoveComplete) ||
        broadcast_type != kBroadcastDeviceInterface) {
        return 0;
    }
    std::string upper(path);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    if (event == kDeviceArrival) {
        for (const ModeIds& mode : modes) {
            if (upper.find(ArrivalPattern(mode.vendor_id, mode.product_id)) != std::string::npos) {
                return is_accepted && is_accepted(std::string(path)) ? 2 : 0;
            }
        }
        return 0;
    }
    if (!device_present) {
        return 0;
    }
    for (const ModeIds& mode : modes) {
        if (upper.find(RemovalPattern(mode.vendor_id, mode.product_id)) != std::string::npos) {
            return 3;
        }
    }
    return 0;
}

}  // namespace corvatt
