#pragma once

#include <mutex>

#include "device/HidBackend.h"

namespace corvatt {

// The system's HID interfaces through hidapi (hidraw). The library is initialised
// on first use and released with the back end.
class HidapiBackend : public HidBackend {
public:
    HidapiBackend() = default;
    ~HidapiBackend() override;

    std::vector<HidDeviceInfo> Enumerate() override;
    std::unique_ptr<HidHandle> Open(const std::string& path) override;
    // Finds the node from a "hidrawN" token in the path (any case) and reads
    // /sys/class/hidraw/hidrawN/device/report_descriptor.
    bool ReadReportDescriptor(const std::string& path, std::vector<std::uint8_t>& descriptor) override;

    // The "hidrawN" name in a path, or empty.
    static std::string HidrawNodeName(const std::string& path);

private:
    bool EnsureInit();

    std::mutex m_mutex;
    bool m_initialised = false;
    bool m_failed = false;
};

}  // namespace corvatt
