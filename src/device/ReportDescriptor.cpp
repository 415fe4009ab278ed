#include "device/ReportDescriptor.h"

#include <cstddef>

namespace corvatt {
namespace {

constexpr unsigned kTypeMain = 0;
constexpr unsigned kTypeGlobal = 1;
constexpr unsigned kTypeLocal = 2;

constexpr unsigned kMainCollection = 0x0A;
constexpr unsigned kMainEndCollection = 0x0C;
constexpr unsigned kGlobalUsagePage = 0x00;
constexpr unsigned kGlobalPush = 0x0A;
constexpr unsigned kGlobalPop = 0x0B;
constexpr unsigned kLocalUsage = 0x00;
constexpr unsigned kCollectionApplication = 0x01;

}  // namespace

std::vector<HidUsage> ParseTopLevelUsages(std::span<const std::uint8_t> descriptor) {
    std::vector<HidUsage> result;
    std::uint32_t usage_page = 0;
    std::vector<std::uint32_t> page_stack;
    bool have_usage = false;
    std::uint32_t first_usage = 0;  // first Usage since the last main item
    bool usage_extended = false;    // a 4-byte usage carries its own page
    int depth = 0;

    std::size_t i = 0;
    while (i < descriptor.size()) {
        const std::uint8_t prefix = descriptor[i];
        if (prefix == 0xFE) {  // long item: size, tag, data
            if (i + 2 >= descriptor.size()) {
                break;
            }
            const std::size_t size = descriptor[i + 1];
            i += 3 + size;
            continue;
        }
        const std::size_t size = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
        if (i + 1 + size > descriptor.size()) {
            break;
        }
        std::uint32_t value = 0;
        for (std::size_t b = 0; b < size; ++b) {
            value |= static_cast<std::uint32_t>(descriptor[i + 1 + b]) << (8 * b);
        }
        const unsigned type = (prefix >> 2) & 0x03;
        const unsigned tag = prefix >> 4;
        i += 1 + size;

        if (type == kTypeMain) {
            if (tag == kMainCollection) {
                if (depth == 0 && value == kCollectionApplication) {
                    HidUsage usage;
                    if (have_usage) {
                        usage.usage_page = static_cast<std::uint16_t>(
                            usage_extended ? (first_usage >> 16) : usage_page);
                        usage.usage = static_cast<std::uint16_t>(first_usage & 0xFFFF);
                    } else {
                        usage.usage_page = static_cast<std::uint16_t>(usage_page);
                    }
                    result.push_back(usage);
                }
                ++depth;
            } else if (tag == kMainEndCollection) {
                if (depth > 0) {
                    --depth;
                }
            }
            have_usage = false;  // local items end with every main item
        } else if (type == kTypeGlobal) {
            if (tag == kGlobalUsagePage) {
                usage_page = value;
            } else if (tag == kGlobalPush) {
                page_stack.push_back(usage_page);
            } else if (tag == kGlobalPop && !page_stack.empty()) {
                usage_page = page_stack.back();
                page_stack.pop_back();
            }
        } else if (type == kTypeLocal) {
            if (tag == kLocalUsage && !have_usage) {
                have_usage = true;
                first_usage = value;
                usage_extended = size == 4;
            }
        }
    }
    return result;
}

bool IsAcceptedUsage(unsigned usage_page, unsigned usage) {
    return (usage_page == 0x0001 && usage == 0x0000) || (usage_page == 0xFF01 && usage == 0x0010);
}

bool IsAcceptedDescriptor(std::span<const std::uint8_t> descriptor) {
    for (const HidUsage& usage : ParseTopLevelUsages(descriptor)) {
        if (IsAcceptedUsage(usage.usage_page, usage.usage)) {
            return true;
        }
    }
    return false;
}

}  // namespace corvatt
