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

// The settings a mouse keeps, as the reports carry them (codes, not DPI).
//
// Factory state (Factory()): 500 Hz (rate code 2); four active stages of six with
// the second selected, stage codes 8, 16, 32, 64, 100, 200; stage colours red,
// green, blue, yellow, magenta, cyan; lift-off 2, the first sensor option on and
// the second off; sleep time 3, motion wake-up on, light-off while moving off,
// response time 4 ms; the default button table; the seven-colour wave at
// brightness 3, speed 3, with the colours red to white. It differs on purpose from
// the program's built-in and model defaults.
struct VirtualSettings {
    std::uint8_t report_rate = 0;
    std::uint8_t dpi_count = 0;
    std::uint8_t dpi_index = 0;
    std::array<std::uint16_t, 6> dpi_codes{};
    std::array<std::array<std::uint8_t, 3>, 6> dpi_colours{};  // red, green, blue
    std::uint8_t liftoff = 0;
    std::uint8_t sensor_option1 = 0;  // the 0x06 report's byte 6
    std::uint8_t sensor_option2 = 0;  // byte 7
    std::uint8_t sleep_light = 0;
    std::uint8_t move_wakeup = 0;
    std::uint8_t move_closelight = 0;
    std::uint8_t button_respondtime = 0;
    std::array<std::uint8_t, 27> button_table{};  // what the 0x09 report carries
    std::uint8_t light_mode = 0;
    std::uint8_t light_brightness = 0;
    std::uint8_t light_speed = 0;
    std::uint8_t light_colour_count = 0;
    std::array<std::array<std::uint8_t, 3>, 7> light_colours{};

    static VirtualSettings Factory();
    // The lighting part of the factory state.
    void RestoreLighting();
};

// A macro download being received: chunks must come in order with the same count.
struct MacroAssembly {
    int expected_chunk = 0;
    int chunk_count = 0;
    std::vector<std::uint8_t> data;
};

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

    VirtualSettings settings = VirtualSettings::Factory();
    // Macros per button code: the events (four bytes each) of the last complete download.
    std::map<std::uint8_t, std::vector<std::uint8_t>> macros;
    std::optional<MacroAssembly> macro_assembly;
    // Downloads or chunks refused: out of order, a count that changed, a length
    // that does not fit, data that is not whole events.
    int macro_errors = 0;
    int factory_resets = 0;
    int lighting_resets = 0;
    int upgrade_writes = 0;
    std::vector<std::uint8_t> last_upgrade_report;
};

// The device side of the report protocol on the vendor interface: a table of
// command handlers over a state struct. The settings writes (0x02-0x09, 0x0E,
// 0x0F) change the settings and are acknowledged with the request echoed (byte 1
// = 0); the reads (0x11-0x17, 0x20) answer with what the mouse holds. Commands
// without a handler of their own are acknowledged.
//
// Offsets: a request is seen with its report ID removed (request[0] = command,
// frame byte k at request[k - 1]); a reply is indexed as the host reads it
// (reply[0] = command, reply[1] = 0 status).
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
