#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvatt {

// One HID interface as an enumeration reports it.
struct HidDeviceInfo {
    std::string path;
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    std::uint16_t release_number = 0;  // BCD
    std::uint16_t usage_page = 0;      // top-level collection
    std::uint16_t usage = 0;
    int interface_number = -1;
    std::string product;  // UTF-8
};

// An open HID interface. Destroying it closes it.
class HidHandle {
public:
    virtual ~HidHandle() = default;

    // data[0] is the report ID. Returns the number of bytes written, or -1.
    virtual int Write(const std::uint8_t* data, std::size_t len) = 0;

    // Reads one input report (a report ID of 0 is not part of the data).
    // Returns the number of bytes read, 0 on timeout, -1 on error (for example
    // the device went away).
    virtual int Read(std::uint8_t* data, std::size_t len, int timeout_ms) = 0;

    // A read that the back end's WakeReaders may end early: it then returns 0 with
    // woken set. A wake that comes while no such read waits ends the next one at once.
    virtual int ReadIdle(std::uint8_t* data, std::size_t len, int timeout_ms, bool& woken) {
        woken = false;
        return Read(data, len, timeout_ms);
    }

    // The interface's product string, UTF-8; empty when it has none.
    virtual std::string ProductString() = 0;
};

// A source of HID interfaces: the system's hidraw devices or the virtual ones.
class HidBackend {
public:
    virtual ~HidBackend() = default;

    virtual std::vector<HidDeviceInfo> Enumerate() = 0;

    // Opens by a path from Enumerate(); null on failure (or a path of another back end).
    virtual std::unique_ptr<HidHandle> Open(const std::string& path) = 0;

    // The report descriptor of the interface behind a path (an enumeration path,
    // or a hot-plug path that this back end recognises). False when unknown.
    virtual bool ReadReportDescriptor(const std::string& path, std::vector<std::uint8_t>& descriptor) = 0;

    // Ends the ReadIdle calls waiting on this back end's handles. Any thread.
    // Back ends that cannot do so ignore it (their idle reads run in short slices).
    virtual void WakeReaders() {}
};

}  // namespace corvatt
