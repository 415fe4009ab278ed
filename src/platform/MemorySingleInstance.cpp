#include "platform/MemorySingleInstance.h"

namespace corvatt {

MemorySingleInstance::MemorySingleInstance(const MemoryInstanceBus& bus) : m_state(bus.Shared()) {}

MemorySingleInstance::~MemorySingleInstance() {
    Release();
}

SingleInstance::Claim MemorySingleInstance::TryClaim(CommandHandler handler) {
    std::lock_guard lock(m_state->mutex);
    if (m_owner) {
        return Claim::kFirst;
    }
    if (m_state->claimed) {
        return Claim::kRunning;
    }
    m_state->claimed = true;
    m_state->handler = std::move(handler);
    m_owner = true;
    return Claim::kFirst;
}

bool MemorySingleInstance::Send(std::string_view command, int /*wait_ms*/) {
    if (!IsInstanceCommand(command)) {
        return false;
    }
    CommandHandler handler;
    {
        std::lock_guard lock(m_state->mutex);
        if (!m_state->claimed || m_owner) {
            return false;
        }
        handler = m_state->handler;
    }
    if (handler) {
        handler(std::string(command));
    }
    return true;
}

void MemorySingleInstance::Release() {
    std::lock_guard lock(m_state->mutex);
    if (m_owner) {
        m_state->claimed = false;
        m_state->handler = nullptr;
        m_owner = false;
    }
}

}  // namespace corvatt
