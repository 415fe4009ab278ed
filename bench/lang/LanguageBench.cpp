// Re-applying the texts of a window the size of the main window (a few hundred controls with
// text ids, tool tips and tab items) from the shipped language files.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Language.h"
#include "app/Localisation.h"
#include "common/ini/IniFile.h"
#include "common/text/Text.h"
#include "common/ui/HeadlessHost.h"
#include "common/ui/MButton.h"
#include "common/ui/MDialog.h"
#include "common/ui/MTabCtrl.h"
#include "common/ui/MText.h"

namespace corvatt {
namespace {

constexpr int kTextControls = 320;
constexpr int kTooltipControls = 80;

std::vector<int> ShippedIds() {
    IniFile file;
    file.Load(std::string(CORVATT_TEST_DATA) + "/language/1033.lan");
    std::vector<int> ids;
    for (int id = 1; id < 1000; ++id) {
        if (file.Has("LAN", text::Format("%d", id))) ids.push_back(id);
    }
    return ids;
}

struct MainWindowModel {
    MainWindowModel() {
        Language::Instance().SetInstallFolder(std::string(CORVATT_TEST_DATA) + "/");
        Language::Instance().SetCurrentLanguage(1033);
        const std::vector<int> ids = ShippedIds();
        window.Create(nullptr, "MWindow", 0, {0, 0, 1300, 788}, "Main");
        for (int i = 0; i < kTextControls; ++i) {
            const int id = ids[static_cast<std::size_t>(i) % ids.size()];
            auto* control = i % 3 == 0 ? static_cast<dui::MControlFont*>(window.Create<dui::MButton>(100 + i, {}))
                                       : window.Create<dui::MText>(100 + i, {});
            control->SetTextId(id);
        }
        for (int i = 0; i < kTooltipControls; ++i) {
            window.Create<dui::MButton>(1000 + i, {})->SetTooltipId(ids[static_cast<std::size_t>(i * 7) % ids.size()]);
        }
        auto* tabs = window.Create<dui::MTabCtrl>(48, {});
        for (int i = 0; i < 6; ++i) tabs->AddItem(i + 1, "", "", 0, 71 + i);
    }
    ~MainWindowModel() { window.DestroyWindow(); }

    dui::HeadlessHost host;
    dui::MDialog window;
};

MainWindowModel& Model() {
    static MainWindowModel model;
    return model;
}

// ApplyLanguage for the window: one check of the file, then every text from the parsed file.
void BM_ApplyLanguageWindow(benchmark::State& state) {
    MainWindowModel& model = Model();
    int language = 1033;
    for (auto _ : state) {
        language = language == 1033 ? 2052 : 1033;
        Language::Instance().SetCurrentLanguage(language);
        ApplyLanguage(model.window);
    }
    state.counters["controls"] = static_cast<double>(model.window.ControlCount());
}
BENCHMARK(BM_ApplyLanguageWindow)->Unit(benchmark::kMillisecond);

// ApplyLanguage over every window (the program's call after a language switch).
void BM_ApplyLanguageAllWindows(benchmark::State& state) {
    Model();
    int language = 1033;
    for (auto _ : state) {
        language = language == 1033 ? 2052 : 1033;
        Language::Instance().SetCurrentLanguage(language);
        ApplyLanguage();
    }
}
BENCHMARK(BM_ApplyLanguageAllWindows)->Unit(benchmark::kMillisecond);

// ApplyTexts with GetLanguageText per text: each lookup checks the file on disk.
void BM_ApplyTextsEachLookupChecked(benchmark::State& state) {
    MainWindowModel& model = Model();
    int language = 1033;
    for (auto _ : state) {
        language = language == 1033 ? 2052 : 1033;
        Language::Instance().SetCurrentLanguage(language);
        model.window.ApplyTexts([](int id) { return GetLanguageText(id); });
    }
}
BENCHMARK(BM_ApplyTextsEachLookupChecked)->Unit(benchmark::kMillisecond);

// For comparison: the file read and parsed again for every text.
void BM_ApplyTextsFileReadPerText(benchmark::State& state) {
    MainWindowModel& model = Model();
    const std::string path = std::string(CORVATT_TEST_DATA) + "/language/2052.lan";
    for (auto _ : state) {
        model.window.ApplyTexts([&path](int id) { return ReadIniString(path, "LAN", text::Format("%d", id)); });
    }
}
BENCHMARK(BM_ApplyTextsFileReadPerText)->Unit(benchmark::kMillisecond);

void BM_GetLanguageText(benchmark::State& state) {
    Model();
    Language::Instance().SetCurrentLanguage(2052);
    for (auto _ : state) benchmark::DoNotOptimize(GetLanguageText(558));
}
BENCHMARK(BM_GetLanguageText);

// One parse of a shipped language file (what a change on disk costs once).
void BM_ParseLanguageFile(benchmark::State& state) {
    IniFile file;
    const std::string path = std::string(CORVATT_TEST_DATA) + "/language/2052.lan";
    for (auto _ : state) benchmark::DoNotOptimize(file.Load(path));
}
BENCHMARK(BM_ParseLanguageFile)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvatt

BENCHMARK_MAIN();
