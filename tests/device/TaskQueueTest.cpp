#include "device/TaskQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace corvatt {
namespace {

using namespace std::chrono_literals;

TEST(TaskQueue, FirstInFirstOut) {
    TaskQueue queue;
    EXPECT_TRUE(queue.Empty());
    EXPECT_FALSE(queue.TryPop().has_value());
    queue.Push(DeviceTask::kSendDpiStages);
    queue.Push(9);
    queue.Push(DeviceTask::kSendReportRate);
    EXPECT_EQ(queue.Size(), 3u);
    EXPECT_EQ(queue.TryPop(), 9);
    EXPECT_EQ(queue.TryPop(), 9);
    EXPECT_EQ(queue.TryPop(), 11);
    EXPECT_FALSE(queue.TryPop().has_value());
}

TEST(TaskQueue, PushHookRunsAfterTheCodeIsQueued) {
    TaskQueue queue;
    std::vector<std::size_t> sizes;
    queue.SetPushHook([&] { sizes.push_back(queue.Size()); });
    queue.Push(1);
    queue.Push(23);
    EXPECT_EQ(sizes, (std::vector<std::size_t>{1, 2}));
}

TEST(TaskDispatcher, CodesThatDoNothingAreTakenAndDropped) {
    TaskQueue queue;
    TaskDispatcher dispatcher;
    std::vector<int> ran;
    for (int code = kFirstDeviceTask; code <= kLastDeviceTask; ++code) {
        const bool set = dispatcher.Set(code, [&ran, code] { ran.push_back(code); });
        EXPECT_EQ(set, !IsNoOpTask(code)) << code;
    }
    EXPECT_FALSE(dispatcher.Set(0, [] {}));
    EXPECT_FALSE(dispatcher.Set(28, [] {}));

    for (int code : {14, 9, 15, 16, 19, 21, 25, 0, 99, -3, 2}) {
        queue.Push(code);
    }
    int taken = 0;
    while (dispatcher.RunNext(queue)) {
        ++taken;
    }
    EXPECT_EQ(taken, 11);
    EXPECT_EQ(ran, (std::vector<int>{9, 2}));
    EXPECT_TRUE(queue.Empty());
}

TEST(TaskDispatcher, CodeWithoutOperationRunsNothing) {
    TaskDispatcher dispatcher;
    EXPECT_FALSE(dispatcher.Run(7));
    int runs = 0;
    dispatcher.Set(DeviceTask::kFullRescan, [&] { ++runs; });
    EXPECT_TRUE(dispatcher.Run(1));
    EXPECT_EQ(runs, 1);
}

TEST(TaskQueue, WaitReturnsAtOnceWhenCodeQueued) {
    TaskQueue queue;
    queue.Push(5);
    EXPECT_TRUE(queue.WaitFor(TaskQueue::kForever));
    EXPECT_EQ(queue.Size(), 1u);  // waiting does not take it
}

TEST(TaskQueue, WaitTimesOutEmpty) {
    TaskQueue queue;
    EXPECT_FALSE(queue.WaitFor(1ms));
}

TEST(TaskQueue, PushFromAnotherThreadEndsAnEndlessWait) {
    TaskQueue queue;
    std::thread producer([&] {
        std::this_thread::sleep_for(5ms);
        queue.Push(DeviceTask::kSendLighting);
    });
    EXPECT_TRUE(queue.WaitFor(TaskQueue::kForever));
    producer.join();
    EXPECT_EQ(queue.TryPop(), 8);
}

TEST(TaskQueue, WakeAndStopEndAnEndlessWait) {
    TaskQueue queue;
    std::thread waker([&] {
        std::this_thread::sleep_for(5ms);
        queue.Wake();
    });
    EXPECT_FALSE(queue.WaitFor(TaskQueue::kForever));
    waker.join();

    std::atomic<bool> stop{false};
    std::thread stopper([&] {
        std::this_thread::sleep_for(5ms);
        stop = true;
        queue.Wake();
    });
    EXPECT_FALSE(queue.WaitFor(TaskQueue::kForever, [&] { return stop.load(); }));
    stopper.join();
}

TEST(TaskQueue, ConcurrentProducersLoseNothing) {
    TaskQueue queue;
    constexpr int kPerThread = 2000;
    std::vector<std::thread> producers;
    for (int t = 0; t < 3; ++t) {
        producers.emplace_back([&queue, t] {
            for (int i = 0; i < kPerThread; ++i) {
                queue.Push(t + 1);
            }
        });
    }
    int counts[4] = {};
    int taken = 0;
    while (taken < 3 * kPerThread) {
        if (auto code = queue.TryPop()) {
            ++counts[*code];
            ++taken;
        } else {
            queue.WaitFor(1ms);
        }
    }
    for (auto& p : producers) {
        p.join();
    }
    EXPECT_EQ(counts[1], kPerThread);
    EXPECT_EQ(counts[2], kPerThread);
    EXPECT_EQ(counts[3], kPerThread);
}

}  // namespace
}  // namespace corvatt
