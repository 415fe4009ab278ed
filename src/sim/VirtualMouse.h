#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sim/VirtualModel.h"

namespace corvatt {

// What the virtual mouse (or receiver with its mouse) holds. Tests read it.
struct VirtualMouseState {
    std::string identity;
    std::uint8_t sensor_code = 0;
    std::uint8_t rate_capability = 0;
    std::uint8_t battery_a = 100;
    std::uint8_t battery_b = 0;
    bool is_receiver = false;
    bool mouse_on = true;  // a receiver's wireless mouse switched on and linked
    std::uint8_t receiver_version_major = 0x01;
    std::uint8_t receiver_version_minor = 0x23;

    // Every well-formed request in arrival order, as the device received it
    // (report ID removed, 64 bytes).
    std::vector<std::vector<std::uint8_t>> requests;
    // The last well-formed request of each command.
    std::map<std::uint8_t, std::vector<std::uint8_t>> last_request;
    int bad_checksum_count = 0;
    int upgrade_writes = 0;
    std::vector<std::uint8_t> last_upgrade_report;
};

// The device side of the report protocol on the vendor interface: a table of
// command handlers over a state struct. Commands without a handler of their own
// are acknowledged (reply = the request with byte 1 = 0).
class VirtualMouse {
public:
    static constexpr std::size_t kReportSize = 64;
    using Report = std::array<std::uint8_t, kReportSize>;
    // Fills reply (prefilled with the request, byte 1 = 0); false sends no reply.
    using CommandHandler = std::function<bool(VirtualMouseState& state, const Report& request, Report& reply)>;

    explicit VirtualMouse(const VirtualModel& model);
    VirtualMouse(const VirtualMouse&) = delete;
    VirtualMouse& operator=(const VirtualMouse&) = delete;

    // One output report as the device receives it (report ID removed; shorter
    // reports are padded with zeros). A request whose byte 31 is not the sum of
    // bytes 4 to 30 is ignored. Returns the reply, if any.
    std::optional<Report> HandleRequest(const std::uint8_t* data, std::size_t len);

    void SetHandler(std::uint8_t command, CommandHandler handler);

    // The reply to the information request.
    Report InformationBlock() const;
    // A receiver status report (0xC0): byte 1 = 1 linked, else 0; battery in 2 and 3.
    Report ReceiverStatus() const;

    VirtualMouseState& State() { return m_state; }
    const VirtualMouseState& State() const { return m_state; }

private:
    VirtualMouseState m_state;
    std::map<std::uint8_t, CommandHandler> m_handlers;
};

}  // namespace corvatt
