#include "device/HidapiBackend.h"

#include <hidapi/hidapi.h>

#include <cctype>
#include <cwchar>
#include <fstream>
#include <iterator>

namespace corvatt {
namespace {

std::string WideToUtf8(const wchar_t* text, std::size_t max_chars) {
    std::string out;
    for (std::size_t i = 0; text != nullptr && text[i] != 0 && i < max_chars; ++i) {
        const auto c = static_cast<std::uint32_t>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x110000) {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

class HidapiHandle : public HidHandle {
public:
    explicit HidapiHandle(hid_device* device) : m_device(device) {}
    ~HidapiHandle() override { hid_close(m_device); }
    HidapiHandle(const HidapiHandle&) = delete;
    HidapiHandle& operator=(const HidapiHandle&) = delete;

    int Write(const std::uint8_t* data, std::size_t len) override { return hid_write(m_device, data, len); }

    int Read(std::uint8_t* data, std::size_t len, int timeout_ms) override {
        return hid_read_timeout(m_device, data, len, timeout_ms);
    }

    std::string ProductString() override {
        wchar_t text[512] = {};
        if (hid_get_product_string(m_device, text, 512) != 0) {
            return {};
        }
        return WideToUtf8(text, 511);
    }

private:
    hid_device* m_device;
};

}  // namespace

HidapiBackend::~HidapiBackend() {
    std::lock_guard lock(m_mutex);
    if (m_initialised) {
        hid_exit();
    }
}

bool HidapiBackend::EnsureInit() {
    std::lock_guard lock(m_mutex);
    if (!m_initialised && !m_failed) {
        if (hid_init() == 0) {
            m_initialised = true;
        } else {
            m_failed = true;
        }
    }
    return m_initialised;
}

std::vector<HidDeviceInfo> HidapiBackend::Enumerate() {
    std::vector<HidDeviceInfo> result;
    if (!EnsureInit()) {
        return result;
    }
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* d = list; d != nullptr; d = d->next) {
        HidDeviceInfo info;
        info.path = d->path != nullptr ? d->path : "";
        info.vendor_id = d->vendor_id;
        info.product_id = d->product_id;
        info.release_number = d->release_number;
        info.usage_page = d->usage_page;
        info.usage = d->usage;
        info.interface_number = d->interface_number;
        info.product = WideToUtf8(d->product_string, 511);
        result.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return result;
}

std::unique_ptr<HidHandle> HidapiBackend::Open(const std::string& path) {
    if (path.empty() || !EnsureInit()) {
        return nullptr;
    }
    hid_device* device = hid_open_path(path.c_str());
    if (device == nullptr) {
        return nullptr;
    }
    return std::make_unique<HidapiHandle>(device);
}

std::string HidapiBackend::HidrawNodeName(const std::string& path) {
    std::string lower(path);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const std::string token = "hidraw";
    for (std::size_t at = lower.find(token); at != std::string::npos; at = lower.find(token, at + 1)) {
        std::size_t end = at + token.size();
        while (end < lower.size() && std::isdigit(static_cast<unsigned char>(lower[end]))) {
            ++end;
        }
        if (end > at + token.size()) {
            return lower.substr(at, end - at);
        }
    }
    return {};
}

bool HidapiBackend::ReadReportDescriptor(const std::string& path, std::vector<std::uint8_t>& descriptor) {
    const std::string node = HidrawNodeName(path);
    if (node.empty()) {
        return false;
    }
    std::ifstream file("/sys/class/hidraw/" + node + "/device/report_descriptor", std::ios::binary);
    if (!file) {
        return false;
    }
    descriptor.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace corvatt
