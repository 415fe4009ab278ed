#include <benchmark/benchmark.h>

#include <QApplication>

#include "common/ui/MDialog.h"
#include "common/ui/MText.h"
#include "view/QtHost.h"

namespace {

using namespace corvatt::dui;

constexpr int kControls = 600;

// One sync pass of the Qt host over a main-window-sized dialog: all controls checked,
// `dirty` of them re-read from the model.
void BM_QtSyncPass(benchmark::State& state) {
  const int dirty = static_cast<int>(state.range(0));
  corvatt::view::QtHost host;
  MDialog dlg;
  dlg.Create(nullptr, "MWindow", WS_VISIBLE, {0, 0, 1300, 788}, "Main");
  std::vector<MText*> texts;
  for (int i = 0; i < kControls; ++i) {
    texts.push_back(dlg.Create<MText>(30 + i, {i % 1300, i % 788, i % 1300 + 60, i % 788 + 20}, "x"));
  }
  host.SyncNow();
  int round = 0;
  for (auto _ : state) {
    ++round;
    for (int i = 0; i < dirty; ++i) texts[static_cast<size_t>(i)]->SetTitle(std::to_string(round));
    host.SyncNow();
  }
  state.SetItemsProcessed(state.iterations() * kControls);
}
BENCHMARK(BM_QtSyncPass)->Arg(0)->Arg(1)->Arg(60)->Arg(600);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
