#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include "common/ui/DPIControl.h"
#include "common/ui/MDialog.h"
#include "common/ui/Manager.h"
#include "common/ui/MouseCtrl.h"
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

// A full repaint of the button picture (seven labels with leader lines over the model's
// picture) or of the DPI stages, rendered into an image.
void BM_PaintControl(benchmark::State& state) {
  const bool picture = state.range(0) == 0;
  Manager::Instance().SetSkinRoot(std::string(CORVATT_BENCH_DATA) + "/skins/default/");
  corvatt::view::QtHost host;
  MDialog dlg;
  dlg.Create(nullptr, "MWindow", WS_VISIBLE, {0, 0, 1300, 788}, "Main");
  MControl* control;
  if (picture) {
    auto* mouse = dlg.Create<MouseCtrl>(108, {0, 0, 700, 540}, "device/corvatt_v1.png");
    const int ys[] = {96, 96, 125, 272, 218, 197, 156};
    for (int i = 0; i < 7; ++i) mouse->AddItem("Button " + std::to_string(i), i, i % 2, {200, ys[i]}, {i % 2 ? 420 : 0, ys[i]}, i > 4);
    mouse->SetSelectItem(2);
    control = mouse;
  } else {
    auto* dpi = dlg.Create<DPIControl>(116, {0, 0, 840, 90});
    for (int i = 0; i < 7; ++i) dpi->AddItem(400 * (i + 1), 0x00FF00u << i);
    dpi->SetSelectItem(3);
    control = dpi;
  }
  host.SyncNow();
  auto* widget = static_cast<QWidget*>(host.WidgetOfControl(control->Serial()));
  QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    widget->render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_PaintControl)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
