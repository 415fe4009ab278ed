// Cross-thread use of DeviceManager; these run under ThreadSanitizer too.
#include "device/DeviceManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "device/CThreadBasic.h"
#include "device/OutputReport.h"
#include "device/TaskQueue.h"
#include "SimFixture.h"

namespace corvatt {
namespace {

using namespace std::chrono_literals;

TEST_F(SimFixture, UiReadsStaySafeWhileTheWorkerRebuildsTheList) {
    sim->Plug("v1-wired");
    sim->Plug("v1-receiver");
    dm.SetCurrentType(102);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < 500; ++i) {
            Rescan();
            OutputReport request(0x05);
            dm.ExchangeReport(request.data(), request.size());
        }
        done = true;
    });
    int reads = 0;
    int bad = 0;
    do {
        const int kind = dm.GetConnectionKind();
        int release = 0;
        const bool have_release = dm.GetReleaseNumber(release, 1);
        dm.HasDeviceInfo(102);
        // mid-rebuild the receiver (index 0 in the list) may be there alone
        if (kind != -1 && kind != 0 && kind != 1) {
            ++bad;
        }
        if (have_release && release != 0x0105) {
            ++bad;
        }
        ++reads;
    } while (!done);
    worker.join();
    EXPECT_EQ(bad, 0);
    EXPECT_GT(reads, 0);
    EXPECT_EQ(dm.GetConnectionKind(), 0);
}

TEST_F(SimFixture, TypeChangeNeverInterleavesWithAStep) {
    sim->Plug("v1-wired");  // type 102, product 0x0001
    sim->Plug("v2-wired");  // type 201, product 0x0003
    Rescan();
    dm.SetCurrentType(102);
    std::atomic<bool> done{false};
    std::atomic<int> steps{0};
    std::atomic<int> mixed{0};
    std::thread worker([&] {
        while (!done) {
            auto step = dm.LockStep();
            const int type = dm.GetCurrentType();
            OutputReport request(0x0C);
            dm.ExchangeReport(request.data(), request.size());
            std::this_thread::yield();
            int vid = 0;
            int pid = 0;
            dm.GetCurrentIds(vid, pid);
            const int expected_pid = type == 102 ? 0x0001 : 0x0003;
            if (dm.GetCurrentType() != type || pid != expected_pid) {
                ++mixed;
            }
            ++steps;
        }
    });
    for (int i = 0; steps.load() < 200; ++i) {
        dm.SetCurrentType(i % 2 == 0 ? 201 : 102);
        std::this_thread::yield();
    }
    done = true;
    worker.join();
    EXPECT_EQ(mixed.load(), 0);
}

TEST(DeviceWorker, TypeChangeEndsTheIdleReadOfTheRunningStep) {
    auto sim = std::make_shared<VirtualHidBackend>();  // real time
    DeviceManager dm;
    dm.AddBackend(sim);
    dm.AddSupportedId(0x1209, 0x0001, 102, 0, "CV01");
    sim->Plug("v1-wired");
    dm.EnumerateDevice();
    dm.SetOpen(true);
    dm.SetCurrentType(102);

    std::atomic<bool> in_step{false};
    std::chrono::steady_clock::duration read_time{};
    std::thread worker([&] {
        auto step = dm.LockStep();
        in_step = true;
        std::uint8_t report[65] = {};
        int type = 0;
        const auto start = std::chrono::steady_clock::now();
        dm.ReadDeviceReport(report, type);  // nothing comes: 100 ms unless woken
        read_time = std::chrono::steady_clock::now() - start;
    });
    while (!in_step) {
        std::this_thread::yield();
    }
    std::this_thread::sleep_for(5ms);
    dm.SetCurrentType(201);  // waits for the step
    worker.join();
    EXPECT_EQ(dm.GetCurrentType(), 201);
    EXPECT_LT(read_time, 80ms);
}

// The worker loop the main window runs: a code is taken first, else the present
// device is polled; the idle read ends as soon as a code is queued.
class PollingWorker : public CThreadBasic {
public:
    PollingWorker(DeviceManager& dm, TaskQueue& queue) : m_dm(dm), m_queue(queue) {
        AttachQueue(&queue);
        m_dm.SetReadInterrupt([this] { return !m_queue.Empty(); });
        m_queue.SetPushHook([this] { m_dm.WakeIdleRead(); });
    }
    ~PollingWorker() override {
        JoinWorker();
        m_dm.SetReadInterrupt(nullptr);
    }

    std::atomic<int> exchanged{0};
    std::atomic<int> polls{0};

protected:
    void RunWorkerStep() override {
        auto step = m_dm.LockStep();
        if (auto code = m_queue.TryPop()) {
            OutputReport request(static_cast<std::uint8_t>(*code));
            if (m_dm.ExchangeReport(request.data(), request.size())) {
                ++exchanged;
            }
            return;
        }
        std::uint8_t report[65] = {};
        int type = 0;
        m_dm.ReadDeviceReport(report, type);
        ++polls;
    }
    bool HasIdleWork() const override { return true; }

private:
    DeviceManager& m_dm;
    TaskQueue& m_queue;
};

TEST(DeviceWorker, QueuedCodesReachTheDeviceWhileItIsPolled) {
    auto sim = std::make_shared<VirtualHidBackend>();  // real time
    DeviceManager dm;
    dm.AddBackend(sim);
    dm.AddSupportedId(0x1209, 0x0001, 102, 0, "CV01");
    const int id = sim->Plug("v1-wired");
    dm.EnumerateDevice();
    dm.SetOpen(true);
    dm.SetCurrentType(102);

    TaskQueue queue;
    {
        PollingWorker worker(dm, queue);
        ASSERT_TRUE(worker.StartWorker());
        for (int i = 0; i < 20; ++i) {
            queue.Push(DeviceTask::kSendDpiStages);
            std::this_thread::sleep_for(3ms);
            dm.GetConnectionKind();  // the UI thread's read
        }
        const auto end = std::chrono::steady_clock::now() + 5s;
        while (worker.exchanged.load() < 20 && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(1ms);
        }
        EXPECT_TRUE(worker.StopWorker());
        EXPECT_EQ(worker.exchanged.load(), 20);
        EXPECT_GT(worker.polls.load(), 0);
    }
    EXPECT_EQ(sim->State(id)->last_request.count(9), 1u);
}

}  // namespace
}  // namespace corvatt
