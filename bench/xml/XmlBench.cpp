// Build, save, load, walk and edit a document of N elements with attributes.

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "common/xml/XmlDocument.h"

namespace {

using corvatt::XmlDocument;

long MinorFaults() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_minflt;
}

// First touches of fresh memory, per iteration: on a virtual machine they can cost more than
// the work itself, and large blocks come fresh from the system on every iteration.
class FaultCounter {
 public:
  explicit FaultCounter(benchmark::State& state) : m_state(state), m_start(MinorFaults()) {}
  ~FaultCounter() {
    if (m_state.iterations() > 0) {
      m_state.counters["faults"] = static_cast<double>(MinorFaults() - m_start) /
                                   static_cast<double>(m_state.iterations());
    }
  }
  FaultCounter(const FaultCounter&) = delete;
  FaultCounter& operator=(const FaultCounter&) = delete;

 private:
  benchmark::State& m_state;
  long m_start;
};

std::string BenchPath(std::int64_t n) {
  return (std::filesystem::temp_directory_path() /
          ("corvatt_bench_xml_" + std::to_string(::getpid()) + "_" + std::to_string(n) + ".xml"))
      .string();
}

void Build(XmlDocument& doc, std::int64_t n) {
  doc.SetText("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
  doc.AddElement("macro_file");
  doc.EnterElement();
  for (std::int64_t i = 0; i < n; ++i) {
    doc.AddElement("event");
    doc.SetAttribute("index", static_cast<int>(i));
    doc.SetAttribute("name", "key \xE4\xB8\xAD <" + std::to_string(i) + ">");
    doc.SetAttribute("delay", static_cast<int>(i % 1000));
  }
}

// Writes the file once per size; removed when the program ends.
const std::string& PreparedFile(std::int64_t n) {
  struct Prepared {
    std::int64_t n = -1;
    std::string path;
    ~Prepared() {
      if (!path.empty()) std::remove(path.c_str());
    }
  };
  static Prepared prepared;
  if (prepared.n != n) {
    if (!prepared.path.empty()) std::remove(prepared.path.c_str());
    XmlDocument doc;
    Build(doc, n);
    prepared.path = BenchPath(n);
    doc.SaveFile(prepared.path);
    prepared.n = n;
  }
  return prepared.path;
}

void BM_Build(benchmark::State& state) {
  FaultCounter faults(state);
  for (auto _ : state) {
    XmlDocument doc;
    Build(doc, state.range(0));
    benchmark::DoNotOptimize(doc.GetText().size());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Save(benchmark::State& state) {
  XmlDocument doc;
  Build(doc, state.range(0));
  doc.GetText();
  const std::string path = BenchPath(state.range(0)) + ".out";
  FaultCounter faults(state);
  for (auto _ : state) {
    if (!doc.SaveFile(path)) state.SkipWithError("save failed");
  }
  state.counters["bytes"] = static_cast<double>(doc.GetText().size());
  std::remove(path.c_str());
}

void BM_Load(benchmark::State& state) {
  const std::string& path = PreparedFile(state.range(0));
  FaultCounter faults(state);
  for (auto _ : state) {
    XmlDocument doc;
    if (!doc.LoadFile(path)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(doc.ElementCount());
  }
}

void BM_Walk(benchmark::State& state) {
  XmlDocument doc;
  doc.LoadFile(PreparedFile(state.range(0)));
  FaultCounter faults(state);
  for (auto _ : state) {
    doc.ResetPos();
    doc.FindElement("macro_file");
    doc.EnterElement();
    std::size_t total = 0;
    while (doc.FindElement("event")) {
      total += doc.GetAttribute("index").size() + doc.GetAttribute("name").size() +
               doc.GetAttribute("delay").size();
    }
    benchmark::DoNotOptimize(total);
  }
}

// Loaded document, one attribute replaced and one added on every element, text written out.
void BM_EditLoaded(benchmark::State& state) {
  FaultCounter faults(state);
  for (auto _ : state) {
    state.PauseTiming();
    XmlDocument doc;
    doc.LoadFile(PreparedFile(state.range(0)));
    state.ResumeTiming();
    doc.FindElement("macro_file");
    doc.EnterElement();
    while (doc.FindElement("event")) {
      doc.SetAttribute("delay", 5);
      doc.SetAttribute("extra", "x");
    }
    benchmark::DoNotOptimize(doc.GetText().size());
  }
}

BENCHMARK(BM_Build)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_Save)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_Load)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_Walk)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_EditLoaded)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
