#include "sim/VirtualMouse.h"

#include <algorithm>

namespace corvatt {
namespace {

constexpr std::uint8_t kInfoRequest = 0x10;
constexpr std::uint8_t kReceiverVersion = 0x20;
constexpr std::uint8_t kReceiverStatus = 0xC0;

}  // namespace

VirtualMouse::VirtualMouse(const VirtualModel& model) {
    m_state.identity = model.identity;
    m_state.sensor_code = model.sensor_code;
    m_state.rate_capability = model.rate_capability;
    m_state.is_receiver = model.mode == 1;
    if (m_state.is_receiver) {
        m_state.battery_a = 85;
        m_state.battery_b = 1;
    }

    m_handlers[kInfoRequest] = [this](VirtualMouseState&, const Report&, Report& reply) {
        reply = InformationBlock();
        return true;
    };
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
