#include "sim/VirtualHidBackend.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include <fmt/format.h>

namespace corvatt {
namespace {

constexpr int kInterfaceCount = 4;
constexpr int kProtocolInterface = 2;
constexpr int kUpgradeInterface = 3;

struct InterfaceUsage {
    std::uint16_t usage_page;
    std::uint16_t usage;
};
constexpr InterfaceUsage kUsages[kInterfaceCount] = {
    {0x0001, 0x0002}, {0x000C, 0x0001}, {0xFF01, 0x0010}, {0xFFEF, 0x0000}};

struct Pending {
    std::int64_t due = 0;
    std::vector<std::uint8_t> bytes;
};

struct SimDevice {
    int id = 0;
    const VirtualModel* model = nullptr;
    std::unique_ptr<VirtualMouse> mouse;
    bool plugged = true;
    FaultSpec fault;
    std::deque<Pending> replies;        // answers to requests, delivered first
    std::deque<Pending> notifications;  // unsolicited reports
    std::uint32_t garbage_seed = 0x2545F491u;
    std::vector<std::string> paths;
};

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

struct VirtualHidBackend::Core {
    mutable std::mutex mutex;
    std::condition_variable cv;
    std::map<int, std::unique_ptr<SimDevice>> devices;
    int next_id = 1;
    bool virtual_time = false;
    std::int64_t virtual_now = 0;
    const std::chrono::steady_clock::time_point epoch = std::chrono::steady_clock::now();
    DeviceChangeHook hook;
    bool wake_pending = false;  // ends the current or next idle read

    std::int64_t Now() const {
        if (virtual_time) {
            return virtual_now;
        }
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - epoch)
            .count();
    }

    SimDevice* Find(int id) {
        const auto it = devices.find(id);
        return it == devices.end() ? nullptr : it->second.get();
    }

    SimDevice* FindPlugged(const std::string& path, int& interface_number) {
        const std::string upper = Upper(path);
        for (auto& [id, device] : devices) {
            if (!device->plugged) {
                continue;
            }
            for (int i = 0; i < kInterfaceCount; ++i) {
                if (Upper(device->paths[i]) == upper) {
                    interface_number = i;
                    return device.get();
                }
            }
        }
        return nullptr;
    }

    // Marks the device gone; returns the removal events to post.
    std::vector<std::pair<int, std::string>> Remove(SimDevice& device) {
        std::vector<std::pair<int, std::string>> events;
        if (!device.plugged) {
            return events;
        }
        device.plugged = false;
        device.replies.clear();
        device.notifications.clear();
        for (const std::string& path : device.paths) {
            events.emplace_back(0x8004, path);
        }
        cv.notify_all();
        return events;
    }

    void Post(const std::vector<std::pair<int, std::string>>& events) {
        DeviceChangeHook copy;
        {
            std::lock_guard lock(mutex);
            copy = hook;
        }
        if (!copy) {
            return;
        }
        for (const auto& [event, path] : events) {
            copy(event, path);
        }
    }

    void Queue(SimDevice& device, std::deque<Pending>& queue, const VirtualMouse::Report& report,
               int delay_ms) {
        queue.push_back(Pending{Now() + delay_ms, std::vector<std::uint8_t>(report.begin(), report.end())});
        (void)device;
        cv.notify_all();
    }

    int Write(int id, int interface_number, const std::uint8_t* data, std::size_t len) {
        std::vector<std::pair<int, std::string>> events;
        int result = static_cast<int>(len);
        {
            std::lock_guard lock(mutex);
            SimDevice* device = Find(id);
            if (device == nullptr || !device->plugged || data == nullptr || len == 0) {
                return -1;
            }
            VirtualMouseState& state = device->mouse->State();
            if (interface_number == kUpgradeInterface) {
                ++state.upgrade_writes;
                state.last_upgrade_report.assign(data, data + len);
                return result;
            }
            if (interface_number != kProtocolInterface || data[0] != 0) {
                return result;  // taken and ignored
            }
            std::optional<VirtualMouse::Report> reply = device->mouse->HandleRequest(data + 1, len - 1);
            if (!reply) {
                return result;
            }
            FaultSpec& fault = device->fault;
            const SimFault kind = fault.kind;
            const int delay_ms = fault.delay_ms;
            if (kind != SimFault::kNone && fault.count > 0 && --fault.count == 0) {
                fault = FaultSpec{};
            }
            switch (kind) {
                case SimFault::kNone:
                    Queue(*device, device->replies, *reply, 0);
                    break;
                case SimFault::kNoReply:
                    break;
                case SimFault::kLateReply:
                    Queue(*device, device->replies, *reply, delay_ms);
                    break;
                case SimFault::kBusyReply:
                    (*reply)[1] = 0x01;
                    Queue(*device, device->replies, *reply, 0);
                    break;
                case SimFault::kGarbage: {
                    VirtualMouse::Report junk{};
                    for (std::uint8_t& b : junk) {
                        device->garbage_seed = device->garbage_seed * 1664525u + 1013904223u;
                        b = static_cast<std::uint8_t>(device->garbage_seed >> 24);
                    }
                    junk[1] |= 0x80;
                    Queue(*device, device->replies, junk, 0);
                    break;
                }
                case SimFault::kUnplugDuringExchange:
                    events = Remove(*device);
                    break;
            }
        }
        Post(events);
        return result;
    }

    int Read(int id, int interface_number, std::uint8_t* data, std::size_t len, int timeout_ms,
             bool* woken) {
        std::unique_lock lock(mutex);
        const std::int64_t deadline = Now() + std::max(timeout_ms, 0);
        for (;;) {
            SimDevice* device = Find(id);
            if (device == nullptr || !device->plugged) {
                return -1;
            }
            if (woken != nullptr && wake_pending) {
                wake_pending = false;
                *woken = true;
                return 0;
            }
            const std::int64_t now = Now();
            std::int64_t next_due = deadline + 1;
            if (interface_number == kProtocolInterface) {
                for (std::deque<Pending>* queue : {&device->replies, &device->notifications}) {
                    if (queue->empty()) {
                        continue;
                    }
                    if (queue->front().due <= now) {
                        const std::vector<std::uint8_t> bytes = std::move(queue->front().bytes);
                        queue->pop_front();
                        const std::size_t n = std::min(len, bytes.size());
                        std::copy_n(bytes.begin(), n, data);
                        return static_cast<int>(n);
                    }
                    next_due = std::min(next_due, queue->front().due);
                }
            }
            if (virtual_time) {
                if (next_due <= deadline) {
                    virtual_now = std::max(virtual_now, next_due);
                    continue;
                }
                virtual_now = std::max(virtual_now, deadline);
                return 0;
            }
            if (now >= deadline) {
                return 0;
            }
            cv.wait_until(lock, epoch + std::chrono::milliseconds(std::min(deadline, next_due)));
        }
    }
};

namespace {

class VirtualHandle : public HidHandle {
public:
    VirtualHandle(std::shared_ptr<VirtualHidBackend::Core> core, int id, int interface_number, std::string product)
        : m_core(std::move(core)), m_id(id), m_interface(interface_number), m_product(std::move(product)) {}

    int Write(const std::uint8_t* data, std::size_t len) override {
        return m_core->Write(m_id, m_interface, data, len);
    }
    int Read(std::uint8_t* data, std::size_t len, int timeout_ms) override {
        return m_core->Read(m_id, m_interface, data, len, timeout_ms, nullptr);
    }
    int ReadIdle(std::uint8_t* data, std::size_t len, int timeout_ms, bool& woken) override {
        woken = false;
        return m_core->Read(m_id, m_interface, data, len, timeout_ms, &woken);
    }
    std::string ProductString() override { return m_product; }

private:
    std::shared_ptr<VirtualHidBackend::Core> m_core;
    int m_id;
    int m_interface;
    std::string m_product;
};

}  // namespace

VirtualHidBackend::VirtualHidBackend() : m_core(std::make_shared<Core>()) {}

VirtualHidBackend::~VirtualHidBackend() {
    std::lock_guard lock(m_core->mutex);
    m_core->hook = nullptr;
}

bool VirtualHidBackend::ParseList(std::string_view list, std::vector<std::string>& names) {
    names.clear();
    list = Trim(list);
    if (list.empty()) {
        names.emplace_back("v1-wired");
        return true;
    }
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view name = Trim(list.substr(0, comma));
        if (name.empty() || FindVirtualModel(name) == nullptr) {
            names.clear();
            names.emplace_back(name);
            return false;
        }
        names.emplace_back(name);
        if (comma == std::string_view::npos) {
            return true;
        }
        list.remove_prefix(comma + 1);
    }
}

std::shared_ptr<VirtualHidBackend> VirtualHidBackend::Create(std::string_view list, std::string* error) {
    std::vector<std::string> names;
    if (!ParseList(list, names)) {
        if (error != nullptr) {
            *error = names.empty() ? std::string() : names.front();
        }
        return nullptr;
    }
    auto backend = std::make_shared<VirtualHidBackend>();
    for (const std::string& name : names) {
        backend->Plug(name);
    }
    return backend;
}

const std::vector<std::uint8_t>& VirtualHidBackend::InterfaceDescriptor(int interface_number) {
    static const std::vector<std::uint8_t> kDescriptors[kInterfaceCount] = {
        // boot mouse: three buttons, X, Y, wheel
        {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19, 0x01, 0x29,
         0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x05,
         0x81, 0x03, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38, 0x15, 0x81, 0x25, 0x7F, 0x75,
         0x08, 0x95, 0x03, 0x81, 0x06, 0xC0, 0xC0},
        // consumer control
        {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x03, 0x19, 0x00, 0x2A, 0xFF,
         0x03, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00, 0xC0},
        // vendor 0xFF01/0x0010, 64-byte input and output reports
        {0x06, 0x01, 0xFF, 0x09, 0x10, 0xA1, 0x01, 0x09, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75,
         0x08, 0x95, 0x40, 0x81, 0x02, 0x09, 0x02, 0x95, 0x40, 0x91, 0x02, 0xC0},
        // upgrade 0xFFEF/0x0000
        {0x06, 0xEF, 0xFF, 0x09, 0x00, 0xA1, 0x01, 0x09, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75,
         0x08, 0x95, 0x40, 0x81, 0x02, 0x09, 0x02, 0x95, 0x40, 0x91, 0x02, 0xC0},
    };
    static const std::vector<std::uint8_t> kNone;
    if (interface_number < 0 || interface_number >= kInterfaceCount) {
        return kNone;
    }
    return kDescriptors[interface_number];
}

std::vector<HidDeviceInfo> VirtualHidBackend::Enumerate() {
    std::vector<HidDeviceInfo> result;
    std::lock_guard lock(m_core->mutex);
    for (const auto& [id, device] : m_core->devices) {
        if (!device->plugged) {
            continue;
        }
        for (int i = 0; i < kInterfaceCount; ++i) {
            HidDeviceInfo info;
            info.path = device->paths[i];
            info.vendor_id = device->model->vendor_id;
            info.product_id = device->model->product_id;
            info.release_number = device->model->release_number;
            info.usage_page = kUsages[i].usage_page;
            info.usage = kUsages[i].usage;
            info.interface_number = i;
            info.product = device->model->product;
            result.push_back(std::move(info));
        }
    }
    return result;
}

std::unique_ptr<HidHandle> VirtualHidBackend::Open(const std::string& path) {
    std::lock_guard lock(m_core->mutex);
    int interface_number = -1;
    SimDevice* device = m_core->FindPlugged(path, interface_number);
    if (device == nullptr) {
        return nullptr;
    }
    return std::make_unique<VirtualHandle>(m_core, device->id, interface_number, device->model->product);
}

bool VirtualHidBackend::ReadReportDescriptor(const std::string& path, std::vector<std::uint8_t>& descriptor) {
    std::lock_guard lock(m_core->mutex);
    int interface_number = -1;
    if (m_core->FindPlugged(path, interface_number) == nullptr) {
        return false;
    }
    descriptor = InterfaceDescriptor(interface_number);
    return true;
}

void VirtualHidBackend::WakeReaders() {
    {
        std::lock_guard lock(m_core->mutex);
        m_core->wake_pending = true;
    }
    m_core->cv.notify_all();
}

void VirtualHidBackend::SetDeviceChangeHook(DeviceChangeHook hook) {
    std::lock_guard lock(m_core->mutex);
    m_core->hook = std::move(hook);
}

int VirtualHidBackend::Plug(std::string_view model_name, bool mouse_on) {
    const VirtualModel* model = FindVirtualModel(model_name);
    if (model == nullptr) {
        return 0;
    }
    std::vector<std::pair<int, std::string>> events;
    int id = 0;
    {
        std::lock_guard lock(m_core->mutex);
        id = m_core->next_id++;
        auto device = std::make_unique<SimDevice>();
        device->id = id;
        device->model = model;
        device->mouse = std::make_unique<VirtualMouse>(*model);
        for (int i = 0; i < kInterfaceCount; ++i) {
            device->paths.push_back(fmt::format(
                "\\\\?\\HID#VID_{:04X}&PID_{:04X}&MI_{:02d}#8&{:08X}&0&0000#{{4d1e55b2-f16f-11cf-88cb-001111000030}}",
                model->vendor_id, model->product_id, i, 0x2C5E1A00u + static_cast<unsigned>(id)));
            events.emplace_back(0x8000, device->paths.back());
        }
        if (device->mouse->State().is_receiver && !mouse_on) {
            device->mouse->State().mouse_on = false;
            m_core->Queue(*device, device->notifications, device->mouse->ReceiverStatus(), 0);
        }
        m_core->devices[id] = std::move(device);
    }
    m_core->Post(events);
    return id;
}

bool VirtualHidBackend::Unplug(int id) {
    std::vector<std::pair<int, std::string>> events;
    {
        std::lock_guard lock(m_core->mutex);
        SimDevice* device = m_core->Find(id);
        if (device == nullptr || !device->plugged) {
            return false;
        }
        events = m_core->Remove(*device);
    }
    m_core->Post(events);
    return true;
}

void VirtualHidBackend::UnplugAll() {
    for (int id : PluggedIds()) {
        Unplug(id);
    }
}

std::vector<int> VirtualHidBackend::PluggedIds() const {
    std::vector<int> ids;
    std::lock_guard lock(m_core->mutex);
    for (const auto& [id, device] : m_core->devices) {
        if (device->plugged) {
            ids.push_back(id);
        }
    }
    return ids;
}

std::vector<std::string> VirtualHidBackend::InterfacePaths(int id) const {
    std::lock_guard lock(m_core->mutex);
    const SimDevice* device = m_core->Find(id);
    return device == nullptr ? std::vector<std::string>() : device->paths;
}

bool VirtualHidBackend::SetMouseOn(int id, bool on) {
    std::lock_guard lock(m_core->mutex);
    SimDevice* device = m_core->Find(id);
    if (device == nullptr || !device->plugged || !device->mouse->State().is_receiver) {
        return false;
    }
    VirtualMouseState& state = device->mouse->State();
    if (state.mouse_on != on) {
        state.mouse_on = on;
        m_core->Queue(*device, device->notifications, device->mouse->ReceiverStatus(), 0);
    }
    return true;
}

bool VirtualHidBackend::SetBattery(int id, std::uint8_t battery_a, std::uint8_t battery_b) {
    std::lock_guard lock(m_core->mutex);
    SimDevice* device = m_core->Find(id);
    if (device == nullptr) {
        return false;
    }
    device->mouse->State().battery_a = battery_a;
    device->mouse->State().battery_b = battery_b;
    return true;
}

bool VirtualHidBackend::InjectFault(int id, FaultSpec fault) {
    std::lock_guard lock(m_core->mutex);
    SimDevice* device = m_core->Find(id);
    if (device == nullptr || fault.count == 0) {
        return false;
    }
    device->fault = fault;
    return true;
}

bool VirtualHidBackend::ClearFault(int id) {
    return InjectFault(id, FaultSpec{});
}

bool VirtualHidBackend::PushInputReport(int id, const std::vector<std::uint8_t>& report) {
    std::lock_guard lock(m_core->mutex);
    SimDevice* device = m_core->Find(id);
    if (device == nullptr || !device->plugged || report.empty()) {
        return false;
    }
    device->notifications.push_back(Pending{m_core->Now(), report});
    m_core->cv.notify_all();
    return true;
}

bool VirtualHidBackend::SendDpiState(int id, int stage, int count) {
    if (stage < 0 || stage > 15 || count < 0 || count > 15) {
        return false;
    }
    std::vector<std::uint8_t> report(VirtualMouse::kReportSize, 0);
    report[0] = 0xC2;
    report[1] = static_cast<std::uint8_t>((stage << 4) | count);
    return PushInputReport(id, report);
}

bool VirtualHidBackend::PressDpiButton(int id) {
    std::lock_guard lock(m_core->mutex);
    SimDevice* device = m_core->Find(id);
    if (device == nullptr || !device->plugged) {
        return false;
    }
    VirtualMouseState& state = device->mouse->State();
    if (state.is_receiver && !state.mouse_on) {
        return false;
    }
    VirtualSettings& settings = state.settings;
    const int count = std::clamp<int>(settings.dpi_count, 1, 15);
    settings.dpi_index = static_cast<std::uint8_t>((settings.dpi_index + 1) % count);
    std::vector<std::uint8_t> report(VirtualMouse::kReportSize, 0);
    report[0] = 0xC2;
    report[1] = static_cast<std::uint8_t>((settings.dpi_index << 4) | (settings.dpi_count & 0x0F));
    device->notifications.push_back(Pending{m_core->Now(), report});
    m_core->cv.notify_all();
    return true;
}

bool VirtualHidBackend::SetHandler(int id, std::uint8_t command, VirtualMouse::CommandHandler handler) {
    std::lock_guard lock(m_core->mutex);
    SimDevice* device = m_core->Find(id);
    if (device == nullptr) {
        return false;
    }
    device->mouse->SetHandler(command, std::move(handler));
    return true;
}

std::optional<VirtualMouseState> VirtualHidBackend::State(int id) const {
    std::lock_guard lock(m_core->mutex);
    const SimDevice* device = m_core->Find(id);
    if (device == nullptr) {
        return std::nullopt;
    }
    return device->mouse->State();
}

void VirtualHidBackend::SetVirtualTime(bool on) {
    std::lock_guard lock(m_core->mutex);
    if (on && !m_core->virtual_time) {
        m_core->virtual_now = m_core->Now();
    }
    m_core->virtual_time = on;
    m_core->cv.notify_all();
}

void VirtualHidBackend::AdvanceTime(std::chrono::milliseconds ms) {
    std::lock_guard lock(m_core->mutex);
    if (m_core->virtual_time && ms.count() > 0) {
        m_core->virtual_now += ms.count();
    }
}

std::int64_t VirtualHidBackend::NowMs() const {
    std::lock_guard lock(m_core->mutex);
    return m_core->Now();
}

void VirtualHidBackend::SleepFor(std::chrono::milliseconds ms) {
    {
        std::lock_guard lock(m_core->mutex);
        if (m_core->virtual_time) {
            m_core->virtual_now += std::max<std::int64_t>(ms.count(), 0);
            return;
        }
    }
    std::this_thread::sleep_for(ms);
}

}  // namespace corvatt
