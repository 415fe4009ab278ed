#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvatt {

// A model the virtual devices can play, as the shipped catalogue lists it.
struct VirtualModel {
    std::string name;  // "v1-wired", "v1-receiver", "v2-wired"
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    int mode = 0;  // 0 = the mouse by cable, 1 = receiver
    int device_type = 0;
    std::string identity;  // four characters
    std::uint8_t sensor_code = 0;
    std::uint8_t rate_capability = 0;
    bool lighting = false;
    std::uint16_t release_number = 0;  // BCD
    std::string product;
};

const std::vector<VirtualModel>& VirtualModels();
// Null for an unknown name.
const VirtualModel* FindVirtualModel(std::string_view name);

}  // namespace corvatt
