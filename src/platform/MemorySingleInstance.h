#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/SingleInstance.h"

namespace corvatt {

// The claims of one simulated user: instances sharing a bus see each other.
class MemoryInstanceBus {
public:
    struct State {
        std::mutex mutex;
        bool claimed = false;
        SingleInstance::CommandHandler handler;
    };
    MemoryInstanceBus() : m_state(std::make_shared<State>()) {}
    std::shared_ptr<State> Shared() const { return m_state; }

private:
    std::shared_ptr<State> m_state;
};

// In-process twin of LocalSingleInstance; the handler runs on the sender's thread.
class MemorySingleInstance : public SingleInstance {
public:
    explicit MemorySingleInstance(const MemoryInstanceBus& bus);
    ~MemorySingleInstance() override;

    Claim TryClaim(CommandHandler handler) override;
    bool Send(std::string_view command, int wait_ms) override;
    void Release() override;

private:
    std::shared_ptr<MemoryInstanceBus::State> m_state;
    bool m_owner = false;
};

}  // namespace corvatt
