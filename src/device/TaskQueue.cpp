#include "device/TaskQueue.h"

namespace corvatt {

void TaskQueue::Push(int code) {
    {
        std::lock_guard lock(m_mutex);
        m_codes.push_back(code);
    }
    m_cv.notify_all();
    if (m_push_hook) {
        m_push_hook();
    }
}

std::optional<int> TaskQueue::TryPop() {
    std::lock_guard lock(m_mutex);
    if (m_codes.empty()) {
        return std::nullopt;
    }
    const int code = m_codes.front();
    m_codes.pop_front();
    return code;
}

bool TaskQueue::Empty() const {
    std::lock_guard lock(m_mutex);
    return m_codes.empty();
}

std::size_t TaskQueue::Size() const {
    std::lock_guard lock(m_mutex);
    return m_codes.size();
}

void TaskQueue::Clear() {
    std::lock_guard lock(m_mutex);
    m_codes.clear();
}

bool TaskQueue::WaitFor(std::chrono::milliseconds max, const std::function<bool()>& stop) {
    std::unique_lock lock(m_mutex);
    const std::uint64_t wake_count = m_wake_count;
    auto done = [&] { return !m_codes.empty() || m_wake_count != wake_count || (stop && stop()); };
    if (max < std::chrono::milliseconds::zero()) {
        m_cv.wait(lock, done);
    } else {
        m_cv.wait_for(lock, max, done);
    }
    return !m_codes.empty();
}

void TaskQueue::Wake() {
    {
        std::lock_guard lock(m_mutex);
        ++m_wake_count;
    }
    m_cv.notify_all();
}

bool TaskDispatcher::Set(int code, Operation operation) {
    if (code < kFirstDeviceTask || code > kLastDeviceTask || IsNoOpTask(code)) {
        return false;
    }
    m_operations[code] = std::move(operation);
    return true;
}

bool TaskDispatcher::Run(int code) const {
    if (code < kFirstDeviceTask || code > kLastDeviceTask || !m_operations[code]) {
        return false;
    }
    m_operations[code]();
    return true;
}

bool TaskDispatcher::RunNext(TaskQueue& queue) const {
    const std::optional<int> code = queue.TryPop();
    if (!code) {
        return false;
    }
    Run(*code);
    return true;
}

}  // namespace corvatt
