#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "device/HidBackend.h"

namespace corvatt {

inline constexpr std::size_t kInfoBlockSize = 65;
using InfoBlock = std::array<std::uint8_t, kInfoBlockSize>;

// One accepted HID interface. DeviceManager owns the handle; copies handed out
// (GetEntriesOfCurrentType) carry it as a plain pointer that stays valid until
// the next CloseAll.
struct DeviceEntry {
    int index = 0;  // number of entries when this one was created
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    std::string path;
    std::string product;  // product string, at most 511 characters
    HidHandle* handle = nullptr;
    int release_number = 0;  // BCD
    int device_type = 0;     // 0 = not resolved
    int mode = 0;            // 0 = cable, 1 = receiver
    int online = 1;          // 1 = reachable; 0 or 2 = not reachable
    std::string identity;    // bytes 4 to 7 of the information block
    InfoBlock info_block{};  // the reply to the information request, as received
};

}  // namespace corvatt
