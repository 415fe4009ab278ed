#include "device/CThreadBasic.h"

#include "device/TaskQueue.h"

namespace corvatt {

void DoneEvent::Reset() {
    std::lock_guard lock(m_mutex);
    m_signalled = false;
}

void DoneEvent::Signal() {
    {
        std::lock_guard lock(m_mutex);
        m_signalled = true;
    }
    m_cv.notify_all();
}

bool DoneEvent::WaitFor(std::chrono::milliseconds max) {
    std::unique_lock lock(m_mutex);
    return m_cv.wait_for(lock, max, [this] { return m_signalled; });
}

bool DoneEvent::IsSignalled() const {
    std::lock_guard lock(m_mutex);
    return m_signalled;
}

CThreadBasic::~CThreadBasic() {
    // Safety net only: the derived part is gone by now, so derived classes join
    // in their own destructor.
    m_running.store(0);
    if (m_queue != nullptr) {
        m_queue->Wake();
    }
    m_pause_cv.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool CThreadBasic::StartWorker() {
    return Start(true, kDefaultInterval);
}

bool CThreadBasic::Start(bool loop_mode, std::chrono::milliseconds interval) {
    if (m_thread.joinable()) {
        if (IsRunning() || !m_done.IsSignalled()) {
            return false;
        }
        m_thread.join();
    }
    m_loop_mode = loop_mode;
    m_interval = interval;
    m_running.store(1);
    m_start_time = static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch())
            .count());
    m_done.Reset();
    m_thread = std::thread(&CThreadBasic::ThreadProc, this);
    return true;
}

bool CThreadBasic::StopWorker(std::chrono::milliseconds max_wait) {
    if (!m_thread.joinable()) {
        return true;
    }
    {
        std::lock_guard lock(m_pause_mutex);
        m_running.store(0);
    }
    if (m_queue != nullptr) {
        m_queue->Wake();
    }
    m_pause_cv.notify_all();
    if (!m_done.WaitFor(max_wait)) {
        return false;
    }
    m_thread.join();
    return true;
}

void CThreadBasic::JoinWorker() {
    StopWorker(std::chrono::milliseconds::zero());
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void CThreadBasic::ThreadProc() {
    if (m_loop_mode) {
        while (IsRunning()) {
            RunWorkerStep();
            Pause();
        }
    } else {
        RunWorkerStep();
    }
    m_done.Signal();
}

void CThreadBasic::Pause() {
    if (m_queue != nullptr) {
        auto stopped = [this] { return !IsRunning(); };
        m_queue->WaitFor(HasIdleWork() ? m_interval : TaskQueue::kForever, stopped);
        return;
    }
    std::unique_lock lock(m_pause_mutex);
    m_pause_cv.wait_for(lock, m_interval, [this] { return !IsRunning(); });
}

}  // namespace corvatt
