#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

#include "device/DeviceTask.h"

namespace corvatt {

// First-in first-out queue of DeviceTask codes with mutual exclusion: the UI
// thread pushes, the worker pops and waits on it.
class TaskQueue {
public:
    static constexpr std::chrono::milliseconds kForever{-1};

    // Called after every Push, outside the queue's lock (e.g. to wake an idle
    // device read). Set before other threads use the queue.
    void SetPushHook(std::function<void()> hook) { m_push_hook = std::move(hook); }

    void Push(int code);
    void Push(DeviceTask task) { Push(ToCode(task)); }
    std::optional<int> TryPop();
    bool Empty() const;
    std::size_t Size() const;
    void Clear();

    // Waits until a code is queued, Wake() is called, stop() returns true (it is
    // checked under the queue's lock at every wake-up), or max passes (kForever: no
    // limit). Returns at once when a code is already queued. True when a code is queued.
    bool WaitFor(std::chrono::milliseconds max, const std::function<bool()>& stop = nullptr);

    // Ends every current WaitFor (for example after the owner cleared a stop flag).
    void Wake();

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<int> m_codes;
    std::uint64_t m_wake_count = 0;
    std::function<void()> m_push_hook;
};

// Runs the operation of each code. Codes without an operation (the no-op codes,
// unknown codes) are taken and dropped.
class TaskDispatcher {
public:
    using Operation = std::function<void()>;

    // False for a no-op code or a code outside 1 to 27 (they never run anything).
    bool Set(int code, Operation operation);
    bool Set(DeviceTask task, Operation operation) { return Set(ToCode(task), std::move(operation)); }

    // True when an operation ran.
    bool Run(int code) const;
    // Takes the front code, if any, and runs it. True when a code was taken.
    bool RunNext(TaskQueue& queue) const;

private:
    Operation m_operations[kLastDeviceTask + 1];
};

}  // namespace corvatt
