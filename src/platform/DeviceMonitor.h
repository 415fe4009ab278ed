#pragma once

#include <memory>
#include <mutex>
#include <thread>

#include "platform/DeviceEventSource.h"
#include "platform/UniqueFd.h"

struct udev;
struct udev_monitor;

namespace corvatt {

// A udev monitor on the "hidraw" subsystem, read on a background thread; the handler is
// called on that thread.
class DeviceMonitor : public DeviceEventSource {
public:
    DeviceMonitor();
    ~DeviceMonitor() override;

    DeviceMonitor(const DeviceMonitor&) = delete;
    DeviceMonitor& operator=(const DeviceMonitor&) = delete;

    bool Start(Handler handler) override;
    void Stop() override;
    bool Running() const;

private:
    void Run();

    struct UdevDeleter {
        void operator()(udev* u) const;
    };
    struct MonitorDeleter {
        void operator()(udev_monitor* m) const;
    };

    std::unique_ptr<udev, UdevDeleter> m_udev;
    std::unique_ptr<udev_monitor, MonitorDeleter> m_monitor;
    UniqueFd m_wake_read;
    UniqueFd m_wake_write;
    Handler m_handler;
    std::thread m_thread;
    mutable std::mutex m_mutex;
};

}  // namespace corvatt
