#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace corvatt {

class TaskQueue;

// Signalled once by the thread when it ends; manual reset.
class DoneEvent {
public:
    void Reset();
    void Signal();
    bool WaitFor(std::chrono::milliseconds max);
    bool IsSignalled() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_signalled = false;
};

// Owner of the worker thread. The derived class implements the run operation.
//
// Loop mode: while running, RunWorkerStep() and then a pause of at most the
// interval. With a queue attached the pause is a wait on the queue: it ends at
// once when a code is queued, and when HasIdleWork() is false (no device present)
// it lasts until a code is queued or the worker is stopped.
//
// A derived class must call JoinWorker() in its destructor: StopWorker waits at
// most 1000 ms, after which the step in progress may still run on the object.
class CThreadBasic {
public:
    static constexpr std::chrono::milliseconds kDefaultInterval{2};
    static constexpr std::chrono::milliseconds kStopWait{1000};

    CThreadBasic() = default;
    virtual ~CThreadBasic();
    CThreadBasic(const CThreadBasic&) = delete;
    CThreadBasic& operator=(const CThreadBasic&) = delete;

    // Loop mode 1, interval 2 ms. False when a worker already runs.
    bool StartWorker();
    bool Start(bool loop_mode, std::chrono::milliseconds interval);
    // Clears running, wakes the wait, waits at most 1000 ms for the thread to end.
    // True when it ended in time (it is then joined).
    bool StopWorker(std::chrono::milliseconds max_wait = kStopWait);
    // Waits without limit for the thread to end and joins it.
    void JoinWorker();

    bool IsRunning() const { return m_running.load() != 0; }
    bool IsLoopMode() const { return m_loop_mode; }
    std::chrono::milliseconds Interval() const { return m_interval; }
    std::uint32_t StartTime() const { return m_start_time; }
    const DoneEvent& Done() const { return m_done; }

    // The queue the pause waits on. Attach before starting.
    void AttachQueue(TaskQueue* queue) { m_queue = queue; }

protected:
    // The run operation: one pass of the worker loop.
    virtual void RunWorkerStep() = 0;
    // True while there is work to do with an empty queue (idle polling of a
    // present device). Called on the worker thread.
    virtual bool HasIdleWork() const { return false; }

private:
    void ThreadProc();
    void Pause();

    DoneEvent m_done;
    std::atomic<int> m_running{0};
    bool m_loop_mode = true;
    std::chrono::milliseconds m_interval{kDefaultInterval};
    std::uint32_t m_start_time = 0;

    TaskQueue* m_queue = nullptr;
    std::mutex m_pause_mutex;  // pause without a queue
    std::condition_variable m_pause_cv;
    std::thread m_thread;
};

}  // namespace corvatt
