#pragma once

#include <mutex>

#include "platform/DeviceEventSource.h"

namespace corvatt {

// Hands events given to Emit to the handler, on the caller's thread, while started.
class MemoryDeviceEventSource : public DeviceEventSource {
public:
    bool Start(Handler handler) override;
    void Stop() override;
    // False when not started.
    bool Emit(int event, const std::string& path);

private:
    std::mutex m_mutex;
    Handler m_handler;
};

}  // namespace corvatt
