#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>

#include "protocol/SensorTable.h"

namespace corvatt {

// What the device information read leaves for the pages. Replaced as a whole.
struct DeviceInfoValues {
    SensorCaps sensor;            // sensor code, DPI range and step, slider values
    int slider_second_value = 0;  // 2 once a sensor 149 or 150 was seen; otherwise left as it was
    int highest_rate_code = 4;    // 4 to 7 from the capability byte
    std::uint8_t battery_a = 0;
    std::uint8_t battery_b = 0;
    std::uint8_t link_state = 0;  // 0 = no mouse linked
    std::string receiver_version;  // "%X%02X" of the 0x20 reply
};

// The device values the main window keeps: one instance, owned by the main window
// and handed to ProtocolTasks.
//
// Threads: Info()/SetInfo() take a lock, so the UI thread may read the values
// while the worker replaces them. The lighting mode and the pending macro are
// atomics (pages write them on the UI thread, the worker reads and changes them).
// The set of types already read is for the worker; model_has_lighting is set when
// a model's description is loaded, on either thread.
class DeviceState {
public:
    DeviceInfoValues Info() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_info;
    }
    void SetInfo(const DeviceInfoValues& info) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_info = info;
    }
    // Clears the link state only (start of each refresh).
    void ClearLinkState() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_info.link_state = 0;
    }

    // Device types whose settings were read back this run; emptied by the factory reset.
    std::set<int> read_types;
    std::atomic<bool> model_has_lighting{false};

    // The lighting page's current mode.
    std::atomic<int> light_mode{0};

    // Set by the button page when it binds a macro; task 6 downloads it once.
    std::atomic<bool> pending_macro{false};
    std::atomic<int> pending_button{-1};

private:
    mutable std::mutex m_mutex;
    DeviceInfoValues m_info;
};

}  // namespace corvatt
