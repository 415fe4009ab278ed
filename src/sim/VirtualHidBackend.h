#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/HidBackend.h"
#include "sim/VirtualMouse.h"

namespace corvatt {

enum class SimFault {
    kNone,
    kNoReply,               // requests are taken, nothing comes back
    kLateReply,             // the reply comes delay_ms after the request
    kBusyReply,             // the reply's byte 1 is never 0
    kGarbage,               // a reply of junk bytes (byte 1 never 0)
    kUnplugDuringExchange,  // the device goes away right after taking the request
};

struct FaultSpec {
    SimFault kind = SimFault::kNone;
    int delay_ms = 0;
    int count = -1;  // number of well-formed requests it applies to; -1 = until cleared
};

// Virtual composite devices behind the HID back-end interface. Each plugged
// device has interface 0 (mouse), 1 (consumer keys), 2 (vendor 0xFF01/0x0010,
// the protocol) and 3 (upgrade, 0xFFEF/0x0000). Paths look like
//   \\?\HID#VID_1209&PID_0001&MI_02#8&2C5E1A01&0&0000#{4d1e55b2-...}
// Plugging and unplugging post one device-change event per interface (0x8000
// arrival, 0x8004 removal) through the hook, from the calling thread and outside
// the back end's lock.
//
// Every call is thread-safe. Command handlers run under the back end's lock and
// must not call back into it.
//
// Time: real by default. With virtual time a read that finds nothing returns at
// once and advances the clock by its timeout, and late replies fall due on that
// clock, so long waits cost no real time.
class VirtualHidBackend : public HidBackend {
public:
    using DeviceChangeHook = std::function<void(int event, std::string path)>;

    VirtualHidBackend();
    ~VirtualHidBackend() override;
    VirtualHidBackend(const VirtualHidBackend&) = delete;
    VirtualHidBackend& operator=(const VirtualHidBackend&) = delete;

    // "v1-wired,v1-receiver" -> names. Empty text means "v1-wired". False on an
    // unknown or empty name.
    static bool ParseList(std::string_view list, std::vector<std::string>& names);
    // A back end with the listed devices plugged (the hook is connected later, so
    // these arrivals are not posted). Null, with the bad name in error, on a bad list.
    static std::shared_ptr<VirtualHidBackend> Create(std::string_view list, std::string* error = nullptr);

    std::vector<HidDeviceInfo> Enumerate() override;
    std::unique_ptr<HidHandle> Open(const std::string& path) override;
    bool ReadReportDescriptor(const std::string& path, std::vector<std::uint8_t>& descriptor) override;
    void WakeReaders() override;

    void SetDeviceChangeHook(DeviceChangeHook hook);

    // Test API. Ids are > 0 and never reused; 0 = failure.
    int Plug(std::string_view model_name, bool mouse_on = true);
    bool Unplug(int id);
    void UnplugAll();
    std::vector<int> PluggedIds() const;
    // The four interface paths of a plugged or unplugged device, interface 0 first.
    std::vector<std::string> InterfacePaths(int id) const;
    // Receiver only: switch its wireless mouse; a change sends a 0xC0 status report.
    bool SetMouseOn(int id, bool on);
    bool SetBattery(int id, std::uint8_t battery_a, std::uint8_t battery_b);
    bool InjectFault(int id, FaultSpec fault);
    bool ClearFault(int id);
    // The mouse's DPI button: sends 0xC2 with the selected stage (0-based) in the
    // high and the number of stages in the low four bits of byte 1.
    bool SendDpiState(int id, int stage, int count);
    // The DPI button as the mouse's own firmware handles it: the next active stage is
    // selected (after the last comes the first) and reported with 0xC2.
    bool PressDpiButton(int id);
    // Queues an unsolicited input report on interface 2.
    bool PushInputReport(int id, const std::vector<std::uint8_t>& report);
    bool SetHandler(int id, std::uint8_t command, VirtualMouse::CommandHandler handler);
    // A copy of the device's state.
    std::optional<VirtualMouseState> State(int id) const;

    void SetVirtualTime(bool on);
    void AdvanceTime(std::chrono::milliseconds ms);
    // Milliseconds on the back end's clock (virtual or real since creation).
    std::int64_t NowMs() const;
    // Virtual time: advances the clock; real time: sleeps.
    void SleepFor(std::chrono::milliseconds ms);

    // Report descriptors of the four interfaces.
    static const std::vector<std::uint8_t>& InterfaceDescriptor(int interface_number);

    struct Core;

private:
    std::shared_ptr<Core> m_core;
};

}  // namespace corvatt
