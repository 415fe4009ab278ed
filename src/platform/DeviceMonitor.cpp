#include "platform/DeviceMonitor.h"

#include <fcntl.h>
#include <libudev.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/HidDevicePath.h"
#include "platform/Log.h"

namespace corvatt {
namespace {

struct DeviceDeleter {
    void operator()(udev_device* device) const { udev_device_unref(device); }
};
using DevicePtr = std::unique_ptr<udev_device, DeviceDeleter>;

void CopyProperty(udev_device* device, const char* name, DeviceProperties& properties) {
    if (device == nullptr || properties.count(name) != 0) {
        return;
    }
    if (const char* value = udev_device_get_property_value(device, name)) {
        properties.emplace(name, value);
    }
}

// The event's own properties first (a removal carries what udev knew of the device), then
// the hid and usb_interface parents while they still exist in sysfs. The path builder falls
// back to DEVPATH, which names both parents, when they are gone.
DeviceProperties CollectProperties(udev_device* device) {
    DeviceProperties properties;
    for (udev_list_entry* entry = udev_device_get_properties_list_entry(device); entry != nullptr;
         entry = udev_list_entry_get_next(entry)) {
        const char* name = udev_list_entry_get_name(entry);
        const char* value = udev_list_entry_get_value(entry);
        if (name != nullptr && value != nullptr) {
            properties.emplace(name, value);
        }
    }
    if (const char* sysname = udev_device_get_sysname(device)) {
        properties.insert_or_assign("SYSNAME", sysname);
    }
    if (properties.count("DEVPATH") == 0) {
        if (const char* devpath = udev_device_get_devpath(device)) {
            properties.emplace("DEVPATH", devpath);
        }
    }
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
    CopyProperty(hid, "HID_ID", properties);
    CopyProperty(hid, "HID_PHYS", properties);
    udev_device* usb_interface =
        udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_interface");
    if (usb_interface != nullptr) {
        CopyProperty(usb_interface, "PRODUCT", properties);
        if (const char* number = udev_device_get_sysattr_value(usb_interface, "bInterfaceNumber")) {
            properties.emplace("bInterfaceNumber", number);
        }
    }
    return properties;
}

}  // namespace

void DeviceMonitor::UdevDeleter::operator()(udev* u) const {
    udev_unref(u);
}

void DeviceMonitor::MonitorDeleter::operator()(udev_monitor* m) const {
    udev_monitor_unref(m);
}

DeviceMonitor::DeviceMonitor() = default;

DeviceMonitor::~DeviceMonitor() {
    Stop();
}

bool DeviceMonitor::Running() const {
    std::lock_guard lock(m_mutex);
    return m_thread.joinable();
}

bool DeviceMonitor::Start(Handler handler) {
    std::lock_guard lock(m_mutex);
    if (m_thread.joinable() || !handler) {
        return false;
    }
    std::unique_ptr<udev, UdevDeleter> context(udev_new());
    if (!context) {
        Log::Diag("device monitor: udev_new failed");
        return false;
    }
    std::unique_ptr<udev_monitor, MonitorDeleter> monitor(
        udev_monitor_new_from_netlink(context.get(), "udev"));
    if (!monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor.get()) < 0 || udev_monitor_get_fd(monitor.get()) < 0) {
        Log::Diag("device monitor: no udev monitor");
        return false;
    }
    int wake[2];
    if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        return false;
    }
    m_wake_read.Reset(wake[0]);
    m_wake_write.Reset(wake[1]);
    m_udev = std::move(context);
    m_monitor = std::move(monitor);
    m_handler = std::move(handler);
    m_thread = std::thread([this] { Run(); });
    return true;
}

void DeviceMonitor::Run() {
    const int monitor_fd = udev_monitor_get_fd(m_monitor.get());
    while (true) {
        pollfd fds[2] = {{monitor_fd, POLLIN, 0}, {m_wake_read.Get(), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            Log::Diag("device monitor: poll failed");
            return;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            return;
        }
        if ((fds[0].revents & POLLIN) == 0) {
            continue;
        }
        DevicePtr device(udev_monitor_receive_device(m_monitor.get()));
        if (!device) {
            continue;
        }
        const char* action = udev_device_get_action(device.get());
        int event = 0;
        if (action != nullptr && std::strcmp(action, "add") == 0) {
            event = kDeviceArrival;
        } else if (action != nullptr && std::strcmp(action, "remove") == 0) {
            event = kDeviceRemoveComplete;
        } else {
            continue;
        }
        std::string path = BuildHidDevicePath(CollectProperties(device.get()));
        if (path.empty()) {
            Log::Diag("device monitor: event without HID ids");
            continue;
        }
        m_handler(event, std::move(path));
    }
}

void DeviceMonitor::Stop() {
    std::lock_guard lock(m_mutex);
    if (m_thread.joinable()) {
        const char byte = 1;
        while (::write(m_wake_write.Get(), &byte, 1) < 0 && errno == EINTR) {
        }
        m_thread.join();
    }
    m_monitor.reset();
    m_udev.reset();
    m_wake_read.Reset();
    m_wake_write.Reset();
    m_handler = nullptr;
}

}  // namespace corvatt
