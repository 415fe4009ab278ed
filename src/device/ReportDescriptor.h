#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace corvatt {

struct HidUsage {
    std::uint16_t usage_page = 0;
    std::uint16_t usage = 0;
    bool operator==(const HidUsage&) const = default;
};

// The usage page and usage of every top-level (application) collection of a HID
// report descriptor, in order. Parsing stops at the first malformed item; what
// was found until then is returned.
std::vector<HidUsage> ParseTopLevelUsages(std::span<const std::uint8_t> descriptor);

// The interface test of the device link: usage page 0x0001 with usage 0x0000, or
// usage page 0xFF01 with usage 0x0010.
bool IsAcceptedUsage(unsigned usage_page, unsigned usage);

// True when one of the descriptor's top-level collections passes IsAcceptedUsage.
// (A hidraw node carries every collection of its interface.)
bool IsAcceptedDescriptor(std::span<const std::uint8_t> descriptor);

}  // namespace corvatt
