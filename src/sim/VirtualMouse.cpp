#include "sim/VirtualMouse.h"

#include <algorithm>

namespace corvatt {
namespace {

constexpr std::uint8_t kInfoRequest = 0x10;
constexpr std::uint8_t kReceiverVersion = 0x20;
constexpr std::uint8_t kReceiverStatus = 0xC0;

using Report = VirtualMouse::Report;
using Rgb = std::array<std::uint8_t, 3>;

constexpr Rgb kColours[7] = {{0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0x00, 0x00, 0xFF}, {0xFF, 0xFF, 0x00},
                             {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}};

// A read's reply: the command, status 0, the rest filled by the handler.
void ClearReply(const Report& request, Report& reply) {
    reply.fill(0);
    reply[0] = request[0];
}

bool ReadReportRate(VirtualMouseState& s, const Report& request, Report& reply) {
    ClearReply(request, reply);
    reply[4] = s.settings.report_rate;
    return true;
}

bool ReadDpiStages(VirtualMouseState& s, const Report& request, Report& reply) {
    static constexpr int kOffsets[6] = {7, 9, 13, 17, 21, 25};
    ClearReply(request, reply);
    reply[4] = static_cast<std::uint8_t>((s.settings.dpi_index << 4) | (s.settings.dpi_count & 0x0F));
    for (int n = 0; n < 6; ++n) {
        reply[kOffsets[n]] = static_cast<std::uint8_t>(s.settings.dpi_codes[n] & 0xFF);
        reply[kOffsets[n] + 1] = static_cast<std::uint8_t>(s.settings.dpi_codes[n] >> 8);
    }
    return true;
}

bool ReadDpiColours(VirtualMouseState& s, const Report& request, Report& reply) {
    ClearReply(request, reply);
    for (int n = 0; n < 6; ++n) {
        std::copy_n(s.settings.dpi_colours[n].begin(), 3, reply.begin() + 4 + 3 * n);
    }
    return true;
}

bool ReadLighting(VirtualMouseState& s, const Report& request, Report& reply) {
    ClearReply(request, reply);
    reply[4] = s.settings.light_mode;
    reply[5] = static_cast<std::uint8_t>((s.settings.light_brightness << 4) | (s.settings.light_speed & 0x0F));
    return true;
}

bool ReadSensorOptions(VirtualMouseState& s, const Report& request, Report& reply) {
    ClearReply(request, reply);
    reply[4] = s.settings.liftoff;
    reply[5] = s.settings.sensor_option1;
    reply[6] = s.settings.sensor_option2;
    return true;
}

bool ReadPowerOptions(VirtualMouseState& s, const Report& request, Report& reply) {
    ClearReply(request, reply);
    reply[4] = s.settings.sleep_light;
    reply[5] = s.settings.move_wakeup;
    reply[6] = s.settings.move_closelight;
    reply[7] = s.settings.button_respondtime;
    return true;
}

bool WriteReportRate(VirtualMouseState& s, const Report& request, Report&) {
    s.settings.report_rate = request[4];
    return true;
}

bool WriteDpiStages(VirtualMouseState& s, const Report& request, Report&) {
    s.settings.dpi_index = static_cast<std::uint8_t>(request[4] >> 4);
    s.settings.dpi_count = static_cast<std::uint8_t>(request[4] & 0x0F);
    for (int n = 0; n < 6; ++n) {
        s.settings.dpi_codes[n] = static_cast<std::uint16_t>(request[5 + 4 * n] | (request[6 + 4 * n] << 8));
    }
    return true;
}

bool WriteDpiColours(VirtualMouseState& s, const Report& request, Report&) {
    for (int n = 0; n < 6; ++n) {
        std::copy_n(request.begin() + 4 + 3 * n, 3, s.settings.dpi_colours[n].begin());
    }
    return true;
}

bool WriteLighting(VirtualMouseState& s, const Report& request, Report&) {
    VirtualSettings& v = s.settings;
    v.light_mode = request[4];
    v.light_brightness = static_cast<std::uint8_t>(request[5] >> 4);
    v.light_speed = static_cast<std::uint8_t>(request[5] & 0x0F);
    if (v.light_mode == 2) {
        v.light_colour_count = std::min<std::uint8_t>(request[6], 7);
        for (int c = 0; c < 7; ++c) std::copy_n(request.begin() + 7 + 3 * c, 3, v.light_colours[c].begin());
    } else if (v.light_mode == 3) {
        v.light_colour_count = 1;
        std::copy_n(request.begin() + 6, 3, v.light_colours[0].begin());
    }
    return true;
}

bool WriteSensorOptions(VirtualMouseState& s, const Report& request, Report&) {
    s.settings.liftoff = request[4];
    s.settings.sensor_option1 = request[5];
    s.settings.sensor_option2 = request[6];
    return true;
}

bool WritePowerOptions(VirtualMouseState& s, const Report& request, Report&) {
    s.settings.sleep_light = request[4];
    s.settings.move_wakeup = request[5];
    s.settings.move_closelight = request[6];
    s.settings.button_respondtime = request[7];
    return true;
}

bool WriteButtonTable(VirtualMouseState& s, const Report& request, Report&) {
    std::copy_n(request.begin() + 4, s.settings.button_table.size(), s.settings.button_table.begin());
    return true;
}

// One chunk of a macro download: byte 3 = chunk × 16 + chunks, byte 4 = length.
bool WriteMacroChunk(VirtualMouseState& s, const Report& request, Report&) {
    const int chunk = request[2] >> 4;
    const int chunks = request[2] & 0x0F;
    const int length = request[3];
    auto refuse = [&s] {
        ++s.macro_errors;
        s.macro_assembly.reset();
        return true;  // acknowledged all the same, as the host only logs
    };
    if (chunks == 0 || chunk >= chunks || length == 0 || length > 27) return refuse();
    if (chunk == 0) {
        s.macro_assembly = MacroAssembly{0, chunks, {}};
    } else if (!s.macro_assembly || s.macro_assembly->expected_chunk != chunk ||
               s.macro_assembly->chunk_count != chunks) {
        return refuse();
    }
    // Every chunk but the last is full.
    if (chunk + 1 < chunks && length != 27) return refuse();
    MacroAssembly& assembly = *s.macro_assembly;
    assembly.data.insert(assembly.data.end(), request.begin() + 4, request.begin() + 4 + length);
    assembly.expected_chunk = chunk + 1;
    if (chunk + 1 < chunks) return true;
    if ((assembly.data.size() - 1) % 4 != 0) return refuse();
    s.macros[assembly.data[0]] = std::vector<std::uint8_t>(assembly.data.begin() + 1, assembly.data.end());
    s.macro_assembly.reset();
    return true;
}

bool ResetLighting(VirtualMouseState& s, const Report&, Report&) {
    ++s.lighting_resets;
    s.settings.RestoreLighting();
    return true;
}

bool FactoryReset(VirtualMouseState& s, const Report& request, Report&) {
    if (request[4] != 0xFF) return true;
    ++s.factory_resets;
    s.settings = VirtualSettings::Factory();
    s.macros.clear();
    s.macro_assembly.reset();
    return true;
}

}  // namespace

VirtualSettings VirtualSettings::Factory() {
    VirtualSettings v;
    v.report_rate = 2;
    v.dpi_count = 4;
    v.dpi_index = 1;
    v.dpi_codes = {8, 16, 32, 64, 100, 200};
    for (int n = 0; n < 6; ++n) v.dpi_colours[n] = kColours[n];
    v.liftoff = 2;
    v.sensor_option1 = 1;
    v.sensor_option2 = 0;
    v.sleep_light = 60;  // ten minutes
    v.move_wakeup = 1;
    v.move_closelight = 0;
    v.button_respondtime = 4;
    static constexpr std::uint8_t kButtons[18] = {0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x10, 0x04, 0x00,
                                                  0x10, 0x08, 0x00, 0x10, 0x10, 0x00, 0x40, 0x01, 0x00};
    std::copy_n(kButtons, 18, v.button_table.begin());
    v.RestoreLighting();
    return v;
}

void VirtualSettings::RestoreLighting() {
    light_mode = 5;
    light_brightness = 3;
    light_speed = 3;
    light_colour_count = 7;
    for (int c = 0; c < 7; ++c) light_colours[c] = kColours[c];
}

VirtualMouse::VirtualMouse(const VirtualModel& model) {
    m_state.identity = model.identity;
    m_state.sensor_code = model.sensor_code;
    m_state.rate_capability = model.rate_capability;
    m_state.is_receiver = model.mode == 1;
    if (m_state.is_receiver) {
        // The charge in both values: the header's display takes B from the information block
        // and the level from byte 2 (A) of the receiver's status report, the device list A.
        m_state.battery_a = 85;
        m_state.battery_b = 85;
    }

    m_handlers[kInfoRequest] = [this](VirtualMouseState&, const Report&, Report& reply) {
        reply = InformationBlock();
        return true;
    };
    m_handlers[0x02] = WriteReportRate;
    m_handlers[0x03] = WriteDpiStages;
    m_handlers[0x04] = WriteDpiColours;
    m_handlers[0x05] = WriteLighting;
    m_handlers[0x06] = WriteSensorOptions;
    m_handlers[0x07] = WritePowerOptions;
    m_handlers[0x08] = WriteMacroChunk;
    m_handlers[0x09] = WriteButtonTable;
    m_handlers[0x0E] = ResetLighting;
    m_handlers[0x0F] = FactoryReset;
    m_handlers[0x11] = [](VirtualMouseState&, const Report& request, Report& reply) {
        ClearReply(request, reply);
        return true;
    };
    m_handlers[0x12] = ReadReportRate;
    m_handlers[0x13] = ReadDpiStages;
    m_handlers[0x14] = ReadDpiColours;
    m_handlers[0x15] = ReadLighting;
    m_handlers[0x16] = ReadSensorOptions;
    m_handlers[0x17] = ReadPowerOptions;
    m_handlers[kReceiverVersion] = [](VirtualMouseState& state, const Report&, Report& reply) {
        if (!state.is_receiver) {
            return true;  // plain acknowledgement
        }
        reply[4] = state.receiver_version_major;
        reply[5] = state.receiver_version_minor;
        return true;
    };
}

std::optional<VirtualMouse::Report> VirtualMouse::HandleRequest(const std::uint8_t* data, std::size_t len) {
    Report request{};
    std::copy_n(data, std::min(len, kReportSize), request.begin());
    unsigned sum = 0;
    for (std::size_t i = 4; i < 31; ++i) {
        sum += request[i];
    }
    if (static_cast<std::uint8_t>(sum & 0xFF) != request[31]) {
        ++m_state.bad_checksum_count;
        return std::nullopt;
    }
    const std::uint8_t command = request[0];
    m_state.requests.emplace_back(request.begin(), request.end());
    m_state.last_request[command] = m_state.requests.back();

    // Without its mouse a receiver answers only for itself.
    if (m_state.is_receiver && !m_state.mouse_on && command != kInfoRequest && command != kReceiverVersion) {
        return std::nullopt;
    }
    Report reply = request;
    reply[1] = 0;
    const auto handler = m_handlers.find(command);
    if (handler != m_handlers.end() && handler->second && !handler->second(m_state, request, reply)) {
        return std::nullopt;
    }
    return reply;
}

void VirtualMouse::SetHandler(std::uint8_t command, CommandHandler handler) {
    m_handlers[command] = std::move(handler);
}

VirtualMouse::Report VirtualMouse::InformationBlock() const {
    Report block{};
    block[0] = kInfoRequest;
    block[1] = 0;
    for (std::size_t i = 0; i < 4 && i < m_state.identity.size(); ++i) {
        block[4 + i] = static_cast<std::uint8_t>(m_state.identity[i]);
    }
    block[10] = m_state.sensor_code;
    block[11] = m_state.rate_capability;
    const bool linked = !m_state.is_receiver || m_state.mouse_on;
    block[12] = linked ? m_state.battery_a : 0;
    block[13] = linked ? m_state.battery_b : 0;
    block[14] = linked ? 1 : 0;
    return block;
}

VirtualMouse::Report VirtualMouse::ReceiverStatus() const {
    Report report{};
    report[0] = kReceiverStatus;
    report[1] = m_state.mouse_on ? 1 : 0;
    report[2] = m_state.mouse_on ? m_state.battery_a : 0;
    report[3] = m_state.mouse_on ? m_state.battery_b : 0;
    return report;
}

}  // namespace corvatt
