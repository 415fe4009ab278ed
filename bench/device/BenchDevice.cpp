// Worker latency and idle cost against a virtual device that replies at once.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include "device/CThreadBasic.h"
#include "device/DeviceManager.h"
#include "device/OutputReport.h"
#include "device/TaskQueue.h"
#include "sim/VirtualHidBackend.h"

namespace corvatt {
namespace {

using Clock = std::chrono::steady_clock;

std::int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// The worker loop the main window runs: one code per step, else the idle poll
// while a device is present; the pause waits on the queue.
class Worker : public CThreadBasic {
public:
    Worker(DeviceManager& dm, TaskQueue& queue, bool present) : m_dm(dm), m_queue(queue), m_present(present) {
        AttachQueue(&queue);
        m_dm.SetReadInterrupt([this] { return !m_queue.Empty(); });
        m_queue.SetPushHook([this] { m_dm.WakeIdleRead(); });
    }
    ~Worker() override {
        JoinWorker();
        m_queue.SetPushHook(nullptr);
        m_dm.SetReadInterrupt(nullptr);
    }

protected:
    void RunWorkerStep() override {
        auto step = m_dm.LockStep();
        if (auto code = m_queue.TryPop()) {
            OutputReport request(static_cast<std::uint8_t>(*code));
            m_dm.ExchangeReport(request.data(), request.size());
            return;
        }
        if (m_present) {
            std::uint8_t report[65] = {};
            int type = 0;
            m_dm.ReadDeviceReport(report, type);
        }
    }
    bool HasIdleWork() const override { return m_present; }

private:
    DeviceManager& m_dm;
    TaskQueue& m_queue;
    bool m_present;
};

struct Rig {
    Rig() {
        dm.AddBackend(sim);
        dm.AddSupportedId(0x1209, 0x0001, 102, 0, "CV01");
        id = sim->Plug("v1-wired");
        dm.EnumerateDevice();
        dm.SetOpen(true);
        dm.SetCurrentType(102);
        sim->SetHandler(id, 0x09, [this](VirtualMouseState&, const VirtualMouse::Report&, VirtualMouse::Report&) {
            written_ns.store(NowNs());
            return true;
        });
    }
    std::shared_ptr<VirtualHidBackend> sim = std::make_shared<VirtualHidBackend>();
    DeviceManager dm;
    TaskQueue queue;
    int id = 0;
    std::atomic<std::int64_t> written_ns{0};
};

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const std::size_t i = std::min(values.size() - 1, static_cast<std::size_t>(p * (values.size() - 1) + 0.5));
    return values[i];
}

// Time from a queued code to its report's write. Arg 0: no device present (the
// worker sleeps on the queue); 1: a device present and idle-polled.
void BM_QueueToWrite(benchmark::State& state) {
    const bool present = state.range(0) != 0;
    Rig rig;
    Worker worker(rig.dm, rig.queue, present);
    worker.StartWorker();
    std::mt19937 random(7);
    std::uniform_int_distribution<int> settle_us(1000, 4000);
    std::vector<double> latencies_us;
    for (auto _ : state) {
        std::this_thread::sleep_for(std::chrono::microseconds(settle_us(random)));
        const std::int64_t start = NowNs();
        rig.queue.Push(DeviceTask::kSendDpiStages);
        while (rig.written_ns.load() < start) {
            std::this_thread::yield();
        }
        const double us = static_cast<double>(rig.written_ns.load() - start) / 1000.0;
        latencies_us.push_back(us);
        state.SetIterationTime(us / 1e6);
    }
    worker.StopWorker();
    state.counters["median_us"] = Percentile(latencies_us, 0.5);
    state.counters["p99_us"] = Percentile(latencies_us, 0.99);
    state.counters["max_us"] = Percentile(latencies_us, 1.0);
}
BENCHMARK(BM_QueueToWrite)->ArgName("device_present")->Arg(0)->Arg(1)->UseManualTime()->Iterations(1000)
    ->Unit(benchmark::kMicrosecond);

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU time of the whole process over 10 idle seconds.
void BM_IdleCpu(benchmark::State& state) {
    const bool present = state.range(0) != 0;
    constexpr double kSeconds = 10.0;
    for (auto _ : state) {
        Rig rig;
        Worker worker(rig.dm, rig.queue, present);
        worker.StartWorker();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));  // settle
        const double cpu_start = ProcessCpuSeconds();
        const auto wall_start = Clock::now();
        std::this_thread::sleep_for(std::chrono::duration<double>(kSeconds));
        const double cpu = ProcessCpuSeconds() - cpu_start;
        const double wall = std::chrono::duration<double>(Clock::now() - wall_start).count();
        worker.StopWorker();
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
        state.counters["cpu_ms"] = cpu * 1000.0;
    }
}
BENCHMARK(BM_IdleCpu)->ArgName("device_present")->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace corvatt

BENCHMARK_MAIN();
