#include "device/CThreadBasic.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "device/TaskQueue.h"

namespace corvatt {
namespace {

using namespace std::chrono_literals;

// A worker that runs the queue the way the main window does.
class QueueWorker : public CThreadBasic {
public:
    explicit QueueWorker(TaskQueue& queue) : m_queue(queue) { AttachQueue(&queue); }
    ~QueueWorker() override { JoinWorker(); }

    std::atomic<int> steps{0};
    std::atomic<bool> idle_work{false};
    std::mutex mutex;
    std::vector<int> codes;  // guarded by mutex

protected:
    void RunWorkerStep() override {
        ++steps;
        if (auto code = m_queue.TryPop()) {
            std::lock_guard lock(mutex);
            codes.push_back(*code);
        }
    }
    bool HasIdleWork() const override { return idle_work.load(); }

private:
    TaskQueue& m_queue;
};

// Waits (bounded) for a condition that another thread makes true.
template <class Pred>
bool Eventually(Pred pred, std::chrono::milliseconds max = 2000ms) {
    const auto end = std::chrono::steady_clock::now() + max;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(CThreadBasic, StartSetsLoopModeIntervalAndRunning) {
    TaskQueue queue;
    QueueWorker worker(queue);
    EXPECT_FALSE(worker.IsRunning());
    ASSERT_TRUE(worker.StartWorker());
    EXPECT_TRUE(worker.IsRunning());
    EXPECT_TRUE(worker.IsLoopMode());
    EXPECT_EQ(worker.Interval(), 2ms);
    EXPECT_FALSE(worker.StartWorker()) << "one worker at a time";
    EXPECT_TRUE(worker.StopWorker());
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_TRUE(worker.Done().IsSignalled());
    EXPECT_TRUE(worker.StartWorker()) << "restart after a stop";
    EXPECT_TRUE(worker.StopWorker());
}

TEST(CThreadBasic, CodesQueuedBeforeStartWaitAndRunInOrder) {
    TaskQueue queue;
    for (int code : {1, 23, 9}) {
        queue.Push(code);
    }
    QueueWorker worker(queue);
    ASSERT_TRUE(worker.StartWorker());
    EXPECT_TRUE(Eventually([&] {
        std::lock_guard lock(worker.mutex);
        return worker.codes.size() == 3;
    }));
    EXPECT_TRUE(worker.StopWorker());
    EXPECT_EQ(worker.codes, (std::vector<int>{1, 23, 9}));
}

TEST(CThreadBasic, IdleWithoutDeviceWaitsUntilACodeIsQueued) {
    TaskQueue queue;
    QueueWorker worker(queue);
    ASSERT_TRUE(worker.StartWorker());
    ASSERT_TRUE(Eventually([&] { return worker.steps.load() >= 1; }));
    std::this_thread::sleep_for(50ms);
    // a sleeping 2 ms loop would have made about 25 steps by now
    EXPECT_EQ(worker.steps.load(), 1);
    queue.Push(DeviceTask::kSendDpiStages);
    EXPECT_TRUE(Eventually([&] {
        std::lock_guard lock(worker.mutex);
        return worker.codes.size() == 1;
    }));
    EXPECT_TRUE(worker.StopWorker()) << "the stop ends the endless wait";
}

TEST(CThreadBasic, IdleWithDeviceKeepsStepping) {
    TaskQueue queue;
    QueueWorker worker(queue);
    worker.idle_work = true;
    ASSERT_TRUE(worker.StartWorker());
    EXPECT_TRUE(Eventually([&] { return worker.steps.load() >= 5; }));
    EXPECT_TRUE(worker.StopWorker());
}

TEST(CThreadBasic, OneShotRunsOnceAndSignals) {
    TaskQueue queue;
    QueueWorker worker(queue);
    ASSERT_TRUE(worker.Start(false, 2ms));
    ASSERT_TRUE(worker.Done().IsSignalled() || Eventually([&] { return worker.Done().IsSignalled(); }));
    EXPECT_EQ(worker.steps.load(), 1);
    EXPECT_TRUE(worker.StopWorker());
}

// A step that blocks until released.
class BlockingWorker : public CThreadBasic {
public:
    ~BlockingWorker() override {
        Release();
        JoinWorker();
    }
    void Release() {
        {
            std::lock_guard lock(m_mutex);
            m_released = true;
        }
        m_cv.notify_all();
    }
    std::atomic<bool> in_step{false};

protected:
    void RunWorkerStep() override {
        in_step = true;
        std::unique_lock lock(m_mutex);
        m_cv.wait(lock, [this] { return m_released; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_released = false;
};

TEST(CThreadBasic, StopGivesUpAfterItsWaitAndJoinFinishes) {
    BlockingWorker worker;
    ASSERT_TRUE(worker.StartWorker());
    ASSERT_TRUE(Eventually([&] { return worker.in_step.load(); }));
    EXPECT_FALSE(worker.StopWorker(20ms)) << "the step is still running";
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_FALSE(worker.Done().IsSignalled());
    worker.Release();
    worker.JoinWorker();
    EXPECT_TRUE(worker.Done().IsSignalled());
}

}  // namespace
}  // namespace corvatt
