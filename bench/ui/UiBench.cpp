#include <benchmark/benchmark.h>

#include <string>

#include "common/ui/HeadlessHost.h"
#include "common/ui/MDialog.h"
#include "common/ui/MText.h"
#include "common/ui/Messages.h"

namespace {

using namespace corvatt::dui;

// About the size of the main window with all its pages.
constexpr int kControls = 600;

void Fill(MDialog& dlg) {
  const char* classes[] = {"MText", "MButton", "MPicture", "CImageButton"};
  for (int i = 0; i < kControls; ++i) {
    MControl* c = dlg.CreateControl(classes[i % 4], 30 + i, {i, i, i + 50, i + 20}, "text");
    c->SetTextId(100 + i);
  }
}

void BM_CreateControls(benchmark::State& state) {
  HeadlessHost host;
  for (auto _ : state) {
    MDialog dlg;
    dlg.Create(nullptr, "MWindow", 0, {0, 0, 1300, 788}, "Main");
    Fill(dlg);
    benchmark::DoNotOptimize(dlg.ControlCount());
  }
  state.SetItemsProcessed(state.iterations() * kControls);
}
BENCHMARK(BM_CreateControls);

void BM_SetTitle(benchmark::State& state) {
  HeadlessHost host;
  MDialog dlg;
  dlg.Create(nullptr, "MWindow", 0, {0, 0, 100, 100}, "Main");
  auto* text = dlg.Create<MText>(1, {});
  const std::string a = "1600", b = "3200";
  bool flip = false;
  for (auto _ : state) {
    text->SetTitle((flip = !flip) ? a : b);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetTitle);

void BM_GetControlLastId(benchmark::State& state) {
  HeadlessHost host;
  MDialog dlg;
  dlg.Create(nullptr, "MWindow", 0, {0, 0, 100, 100}, "Main");
  Fill(dlg);
  for (auto _ : state) benchmark::DoNotOptimize(dlg.GetControl(30 + kControls - 1));
}
BENCHMARK(BM_GetControlLastId);

void BM_ApplyTexts(benchmark::State& state) {
  HeadlessHost host;
  MDialog dlg;
  dlg.Create(nullptr, "MWindow", 0, {0, 0, 100, 100}, "Main");
  Fill(dlg);
  int round = 0;
  for (auto _ : state) {
    const std::string suffix = std::to_string(++round);
    dlg.ApplyTexts([&](int id) { return std::to_string(id) + suffix; });
  }
  state.SetItemsProcessed(state.iterations() * kControls);
}
BENCHMARK(BM_ApplyTexts);

class Sink : public MDialog {
public:
  intptr_t OnWindowMessage(unsigned, uintptr_t w, intptr_t, bool& handled) override {
    handled = true;
    sum += w;
    return 0;
  }
  uintptr_t sum = 0;
};

void BM_PostAndPump(benchmark::State& state) {
  HeadlessHost host;
  Sink dlg;
  dlg.Create(nullptr, "MWindow", 0, {0, 0, 100, 100}, "Main");
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) dlg.PostMessage(WM_USER, static_cast<uintptr_t>(i), 0);
    host.PumpMessages();
  }
  benchmark::DoNotOptimize(dlg.sum);
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_PostAndPump);

}  // namespace

BENCHMARK_MAIN();
