#include "platform/HidDevicePath.h"

#include <optional>
#include <vector>

#include "common/text/Text.h"

namespace corvatt {
namespace {

struct Ids {
    unsigned vendor;
    unsigned product;
};

bool IsHex(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
}

bool IsDecimal(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

std::optional<unsigned> ParseHex(std::string_view s, unsigned limit) {
    if (!IsHex(s) || s.size() > 8) {
        return std::nullopt;
    }
    const auto value = static_cast<unsigned long>(std::stoul(std::string(s), nullptr, 16));
    if (value > limit) {
        return std::nullopt;
    }
    return static_cast<unsigned>(value);
}

std::optional<unsigned> ParseDecimal(std::string_view s, unsigned limit) {
    if (!IsDecimal(s) || s.size() > 9) {
        return std::nullopt;
    }
    const auto value = static_cast<unsigned long>(std::stoul(std::string(s), nullptr, 10));
    if (value > limit) {
        return std::nullopt;
    }
    return static_cast<unsigned>(value);
}

std::vector<std::string_view> Split(std::string_view s, char sep) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t pos = s.find(sep);
        parts.push_back(s.substr(0, pos));
        if (pos == std::string_view::npos) {
            return parts;
        }
        s.remove_prefix(pos + 1);
    }
}

std::string_view Property(const DeviceProperties& properties, std::string_view name) {
    const auto it = properties.find(name);
    return it == properties.end() ? std::string_view() : std::string_view(it->second);
}

// "0003:00001209:00000001"
std::optional<Ids> IdsFromHidId(std::string_view hid_id) {
    const auto parts = Split(hid_id, ':');
    if (parts.size() != 3 || !IsHex(parts[0])) {
        return std::nullopt;
    }
    const auto vendor = ParseHex(parts[1], 0xFFFFFFFFu);
    const auto product = ParseHex(parts[2], 0xFFFFFFFFu);
    if (!vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) {
        return std::nullopt;
    }
    return Ids{*vendor, *product};
}

// The hid device's folder in DEVPATH: "0003:1209:0001.0005" (bus:vendor:product.instance).
std::optional<Ids> IdsFromDevPath(std::string_view devpath) {
    std::optional<Ids> found;
    for (const std::string_view part : Split(devpath, '/')) {
        const std::size_t dot = part.find('.');
        if (dot == std::string_view::npos || !IsHex(part.substr(dot + 1))) {
            continue;
        }
        const auto fields = Split(part.substr(0, dot), ':');
        if (fields.size() != 3 || fields[0].size() != 4 || fields[1].size() != 4 ||
            fields[2].size() != 4 || !IsHex(fields[0])) {
            continue;
        }
        const auto vendor = ParseHex(fields[1], 0xFFFF);
        const auto product = ParseHex(fields[2], 0xFFFF);
        if (vendor && product) {
            found = Ids{*vendor, *product};
        }
    }
    return found;
}

// "1209/1/100"
std::optional<Ids> IdsFromUsbProduct(std::string_view product_text) {
    const auto parts = Split(product_text, '/');
    if (parts.size() < 2) {
        return std::nullopt;
    }
    const auto vendor = ParseHex(parts[0], 0xFFFF);
    const auto product = ParseHex(parts[1], 0xFFFF);
    if (!vendor || !product) {
        return std::nullopt;
    }
    return Ids{*vendor, *product};
}

// "usb-0000:00:14.0-1/input2"
std::optional<unsigned> InterfaceFromPhys(std::string_view phys) {
    const std::size_t pos = phys.rfind("/input");
    if (pos == std::string_view::npos) {
        return std::nullopt;
    }
    return ParseDecimal(phys.substr(pos + 6), 0xFF);
}

// The usb interface's folder in DEVPATH: "1-1.4:1.2" (bus-port:configuration.interface).
std::optional<unsigned> InterfaceFromDevPath(std::string_view devpath) {
    std::optional<unsigned> found;
    for (const std::string_view part : Split(devpath, '/')) {
        const std::size_t dash = part.find('-');
        const std::size_t colon = part.find(':');
        if (dash == std::string_view::npos || colon == std::string_view::npos || dash == 0 ||
            colon < dash || !IsDecimal(part.substr(0, dash)) ||
            part.substr(dash + 1, colon - dash - 1).find_first_not_of("0123456789.") !=
                std::string_view::npos) {
            continue;
        }
        const auto config_iface = Split(part.substr(colon + 1), '.');
        if (config_iface.size() != 2 || !IsDecimal(config_iface[0])) {
            continue;
        }
        if (const auto number = ParseDecimal(config_iface[1], 0xFF)) {
            found = number;
        }
    }
    return found;
}

}  // namespace

std::string BuildHidDevicePath(const DeviceProperties& properties) {
    std::string sysname(Property(properties, "SYSNAME"));
    const std::string_view devpath = Property(properties, "DEVPATH");
    if (sysname.empty() && !devpath.empty()) {
        sysname = std::string(devpath.substr(devpath.rfind('/') + 1));
    }
    if (sysname.empty()) {
        return {};
    }

    std::optional<Ids> ids = IdsFromHidId(Property(properties, "HID_ID"));
    if (!ids) {
        ids = IdsFromDevPath(devpath);
    }
    if (!ids) {
        ids = IdsFromUsbProduct(Property(properties, "PRODUCT"));
    }
    if (!ids) {
        return {};
    }

    std::optional<unsigned> interface = ParseHex(Property(properties, "bInterfaceNumber"), 0xFF);
    if (!interface) {
        interface = InterfaceFromPhys(Property(properties, "HID_PHYS"));
    }
    if (!interface) {
        interface = InterfaceFromDevPath(devpath);
    }

    std::string path = text::Format("\\\\?\\HID#VID_%04X&PID_%04X", ids->vendor, ids->product);
    if (interface) {
        path += text::Format("&MI_%02X", *interface);
    }
    path += "#" + sysname;
    return path;
}

std::string HidrawNodeFromDevicePath(std::string_view path) {
    const std::size_t hash = path.rfind('#');
    if (hash == std::string_view::npos) {
        return {};
    }
    const std::string name = text::ToLowerAscii(path.substr(hash + 1));
    if (!name.starts_with("hidraw") || !IsDecimal(std::string_view(name).substr(6))) {
        return {};
    }
    return "/dev/" + name;
}

}  // namespace corvatt
