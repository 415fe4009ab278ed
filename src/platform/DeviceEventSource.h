#pragma once

#include <functional>
#include <string>

namespace corvatt {

inline constexpr int kDeviceArrival = 0x8000;
inline constexpr int kDeviceRemoveComplete = 0x8004;

// Arrival and removal of HID interfaces. The handler gets kDeviceArrival or
// kDeviceRemoveComplete and a path of the form \\?\HID#VID_xxxx&PID_xxxx&MI_nn#hidrawN.
class DeviceEventSource {
public:
    using Handler = std::function<void(int event, std::string path)>;
    virtual ~DeviceEventSource() = default;
    // False when the source cannot start or already runs.
    virtual bool Start(Handler handler) = 0;
    virtual void Stop() = 0;
};

}  // namespace corvatt
