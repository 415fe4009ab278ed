#include "platform/MemoryDeviceEventSource.h"

namespace corvatt {

bool MemoryDeviceEventSource::Start(Handler handler) {
    std::lock_guard lock(m_mutex);
    if (m_handler || !handler) {
        return false;
    }
    m_handler = std::move(handler);
    return true;
}

void MemoryDeviceEventSource::Stop() {
    std::lock_guard lock(m_mutex);
    m_handler = nullptr;
}

bool MemoryDeviceEventSource::Emit(int event, const std::string& path) {
    Handler handler;
    {
        std::lock_guard lock(m_mutex);
        handler = m_handler;
    }
    if (!handler) {
        return false;
    }
    handler(event, path);
    return true;
}

}  // namespace corvatt
