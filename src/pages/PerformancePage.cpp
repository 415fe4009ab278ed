#include "pages/PerformancePage.h"

#include <algorithm>
#include <array>

#include "common/text/Text.h"
#include "common/ui/CCheckButton.h"
#include "common/ui/CHelpButton.h"
#include "common/ui/CImageButton.h"
#include "common/ui/CRadioButton.h"
#include "common/ui/DPIControl.h"
#include "common/ui/DPISlider.h"
#include "common/ui/MButton.h"
#include "common/ui/MComboBox.h"
#include "common/ui/MDialog.h"
#include "common/ui/MPicture.h"
#include "common/ui/MText.h"
#include "common/ui/NumberEdit.h"
#include "common/ui/ReporteCtrl.h"
#include "common/xml/XmlDocument.h"
#include "pages/MousePaletteDlg.h"
#include "pages/PageLabel.h"
#include "store/ConfigStore.h"

namespace corvatt {

namespace {

using dui::Rect;

constexpr int kTextSend = 509;
constexpr int kTextMilliseconds = 187;
// Group headings and the help buttons' texts.
constexpr int kTextDpiHeading = 501;
constexpr int kTextRateHeading = 502;
constexpr int kTextLiftOffHeading = 503;
constexpr int kTextSensorHeading = 504;
constexpr int kTextResponseHeading = 505;
constexpr int kTextPowerHeading = 506;
constexpr int kTextStageCount = 507;
constexpr int kTextDpiHelp = 521;
constexpr int kTextRateHelp = 522;
constexpr int kTextLiftOffHelp = 523;
constexpr int kTextSensorHelp = 524;
constexpr int kTextSensorOption1 = 515;
constexpr int kTextSensorOption2 = 516;
constexpr int kTextSensorOption3 = 517;
constexpr int kTextMotionWakeUp = 533;
constexpr int kTextLightsOffMoving = 534;
constexpr int kTextMouseSettings = 536;
constexpr int kTextMinutes = 537;
constexpr int kTextDpiResetQuestion = 253;
constexpr int kTextDpiResetCaption = 258;
constexpr const char* kLiftOffGroup = "IDC_PER_STC_LOD";
constexpr const char* kResetImage = "img_btn_reset.png";
constexpr int kResponseTimeMin = 4;
constexpr int kResponseTimeMax = 20;
constexpr int kSensorBits[3] = {4, 8, 16};
constexpr int kMaxStageKeys = 7;  // dpi_group0 .. dpi_group6 are loaded
constexpr int kFullRateList = 7;

struct RateChoice {
    const char* text;
    int code;
    std::uint32_t colour;
};
constexpr std::array<RateChoice, 7> kRateChoices = {{
    {"125Hz", 8, 67825},
    {"250Hz", 4, 15559424},
    {"500Hz", 2, 5109248},
    {"1000Hz", 1, 2139135},
    {"2000Hz", 16, 13173035},
    {"4000Hz", 32, 16776960},
    {"8000Hz", 64, 16777215},
}};

struct SleepChoice {
    const char* format;
    int data;
};
constexpr std::array<SleepChoice, 6> kSleepChoices = {{
    {"1 %s", 6}, {"2 %s", 12}, {"6 %s", 36}, {"10 %s", 60}, {"20 %s", 120}, {"30 %s", 180},
}};

std::string ValueKey(int stage) { return text::Format("dpi_group%d_value", stage); }
std::string ColourKey(int stage) { return text::Format("dpi_group%d_rgb", stage); }

// Design rectangles of the page's controls: four bands (DPI, report rate, lift-off and
// sensor, response time and power), each under its heading.
constexpr Rect kDpiHeadingRect{250, 128, 400, 156};
constexpr Rect kDpiHelpRect{404, 131, 426, 153};
constexpr Rect kDpiResetRect{434, 131, 456, 153};
constexpr Rect kCountLabelRect{940, 128, 1110, 156};
constexpr Rect kCountRect{1120, 126, 1270, 158};
constexpr Rect kStagesRect{250, 168, 1270, 268};
constexpr Rect kSliderRect{250, 282, 1060, 336};
constexpr Rect kSendRect{1090, 292, 1270, 326};
constexpr Rect kRateHeadingRect{250, 358, 400, 386};
constexpr Rect kRateHelpRect{404, 361, 426, 383};
constexpr Rect kRateResetRect{434, 361, 456, 383};
constexpr Rect kRateRect{250, 394, 1010, 434};
constexpr Rect kLiftOffHeadingRect{250, 458, 400, 486};
constexpr Rect kLiftOffHelpRect{404, 461, 426, 483};
constexpr Rect kLiftOff1Rect{250, 494, 360, 520};
constexpr Rect kLiftOff2Rect{380, 494, 490, 520};
constexpr Rect kSensorHeadingRect{560, 458, 710, 486};
constexpr Rect kSensorHelpRect{714, 461, 736, 483};
constexpr Rect kSensorRects[3] = {{560, 494, 760, 520}, {770, 494, 970, 520}, {980, 494, 1180, 520}};
constexpr Rect kResponseHeadingRect{250, 548, 520, 576};
constexpr Rect kResponseRect{250, 584, 340, 616};
constexpr Rect kResponseUnitRect{348, 584, 400, 616};
constexpr Rect kPowerHeadingRect{560, 548, 900, 576};
constexpr Rect kSleepRect{560, 584, 720, 616};
constexpr Rect kWakeRect{750, 587, 960, 613};
constexpr Rect kLightsOffRect{980, 587, 1270, 613};
constexpr Rect kMouseSettingsRect{1060, 684, 1270, 720};

}  // namespace

int DpiToSliderPosition(int sensor_code, int dpi) {
    switch (sensor_code) {
    case 4: return dpi <= 4000 ? dpi / 100 : (dpi - 4000) / 500 + 39;
    case 5: return dpi <= 6400 ? dpi / 50 : (dpi - 6400) / 100 + 128;
    case 16:
    case 18:
    case 53: return dpi / 100;
    case 17:
        if (dpi <= 10000) return dpi / 50;
        if (dpi <= 12000) return (dpi - 10000) / 100 + 200;
        return (dpi - 13000) / 1000 + 221;
    case 25: return dpi <= 16000 ? dpi / 100 : (dpi - 16000) / 1000 + 160;
    case 37: return dpi <= 5000 ? dpi / 100 : (dpi - 5000) / 500 + 50;
    case 38: return dpi <= 5000 ? dpi / 100 - 1 : (dpi - 5000) / 500 + 50;
    case 149:
    case 150: return dpi / 50 - 1;
    default: return dpi / 50;
    }
}

int SliderPositionToDpi(int sensor_code, int p) {
    int dpi = 0;
    int highest = 26000;
    switch (sensor_code) {
    case 4: dpi = p <= 39 ? p * 100 : (p - 31) * 500; highest = 8000; break;
    case 5: dpi = p <= 128 ? p * 50 : (p - 64) * 100; highest = 12000; break;
    case 16:
    case 18: dpi = p * 100; highest = 4800; break;
    case 17:
        dpi = p <= 200 ? p * 50 : p <= 220 ? (p - 100) * 100 : (p - 208) * 1000;
        highest = 24000;
        break;
    case 25: dpi = p * 100 < 16000 ? p * 100 : (p - 144) * 1000; highest = 30000; break;
    case 37: dpi = p * 100 <= 5000 ? p * 100 : (p - 40) * 500; highest = 10000; break;
    case 38: dpi = p * 100 < 5000 ? p * 100 + 100 : (p - 39) * 500; highest = 10000; break;
    case 53: dpi = p * 100; highest = 16000; break;
    case 149: dpi = p * 50; highest = 26000; break;
    case 150: dpi = p * 50; highest = 32000; break;
    default: dpi = p * 50; highest = 26000; break;
    }
    return std::min(dpi, highest);
}

int SnapTypedDpi(int sensor_code, int typed) {
    int value = 0;
    int lowest = 50;
    int highest = 26000;
    switch (sensor_code) {
    case 4:
        value = typed <= 4000 ? typed / 100 * 100 : 4000 + (typed - 4000) / 500 * 500;
        lowest = 100;
        highest = 8000;
        break;
    case 5: value = typed / 50 * 50; lowest = 50; highest = 12000; break;
    case 16:
    case 18: value = typed / 100 * 100; lowest = 100; highest = 4800; break;
    case 17:
        value = typed <= 10000 ? typed / 50 * 50 : typed / 100 * 100;
        lowest = 50;
        highest = 24000;
        break;
    case 25: value = typed / 100 * 100; lowest = 100; highest = 30000; break;
    case 37:
        value = typed <= 5000 ? typed / 100 * 100 : 5000 + (typed - 5000) / 1000 * 1000;
        lowest = 100;
        highest = 10000;
        break;
    case 38: value = typed / 100 * 100; lowest = 200; highest = 10000; break;
    case 53: value = typed / 100 * 100; lowest = 100; highest = 16000; break;
    case 149: value = typed / 50 * 50; lowest = 100; highest = 26000; break;
    case 150: value = typed / 50 * 50; lowest = 100; highest = 32000; break;
    default: value = typed / 50 * 50; lowest = 50; highest = 26000; break;
    }
    return std::clamp(value, lowest, highest);
}

PerformancePage::PerformancePage(PageHost& host) : m_host(host) {}

void PerformancePage::CreateControls(dui::MControl* page) {
    dui::MDialog& w = m_host.Window();
    auto text = [this](int id) { return m_host.LanguageText(id); };
    // A label with a language text; headings are larger and bold.
    auto label = [&](Rect rect, int text_id, bool heading) {
        return CreatePageLabel(m_host, page, 0, rect, text_id, heading ? 14 : 12, heading);
    };
    auto help = [&](int id, Rect rect, int text_id) {
        auto* button = w.Create<dui::CHelpButton>(id, rect, text(text_id), 0, 0, page);
        button->SetTooltipId(text_id);
    };
    // The page covers the device picture behind it.
    w.Create<dui::MPicture>(0, kPageArea, "img_page_bkg.png", 0, 0, page);

    label(kDpiHeadingRect, kTextDpiHeading, true);
    help(kDpiHelp, kDpiHelpRect, kTextDpiHelp);
    w.Create<dui::CImageButton>(kDpiReset, kDpiResetRect, kResetImage, 0, 0, page)->SetTooltipId(kTextDpiResetCaption);
    w.GetControl(kDpiReset)->SetTooltip(text(kTextDpiResetCaption));
    label(kCountLabelRect, kTextStageCount, false)->SetAlignment(dui::kAlignRight | dui::kAlignVCenter |
                                                                 dui::kAlignSingleLine);
    w.Create<dui::DPIControl>(kDpiStages, kStagesRect, {}, 0, 0, page);
    w.Create<dui::DPISlider>(kDpiSlider, kSliderRect, {}, 0, 0, page);
    auto* send = w.Create<dui::MButton>(kDpiSend, kSendRect, text(kTextSend), 0, 0, page);
    send->SetTextId(kTextSend);
    auto* count = w.Create<dui::MComboBox>(kStageCount, kCountRect, {}, 0, 0, page);
    for (int n = 1; n <= dui::DPIControl::kMaxStages - 2; ++n) count->AddItem(text::Format("%d", n), n);

    label(kRateHeadingRect, kTextRateHeading, true);
    help(kRateHelp, kRateHelpRect, kTextRateHelp);
    w.Create<dui::CImageButton>(kRateReset, kRateResetRect, kResetImage, 0, 0, page);
    w.Create<dui::ReporteCtrl>(kReportRate, kRateRect, {}, 0, 0, page);

    m_lift_off_heading = label(kLiftOffHeadingRect, kTextLiftOffHeading, true);
    help(kLiftOffHelp, kLiftOffHelpRect, kTextLiftOffHelp);
    auto* low = w.Create<dui::CRadioButton>(kLiftOff1, kLiftOff1Rect, "1.0mm", 0, 0, page);
    auto* high = w.Create<dui::CRadioButton>(kLiftOff2, kLiftOff2Rect, "2.0mm", 0, 0, page);
    low->SetGroupName(kLiftOffGroup);
    high->SetGroupName(kLiftOffGroup);

    m_sensor_heading = label(kSensorHeadingRect, kTextSensorHeading, true);
    help(kSensorHelp, kSensorHelpRect, kTextSensorHelp);
    const int option_texts[3] = {kTextSensorOption1, kTextSensorOption2, kTextSensorOption3};
    for (int i = 0; i < 3; ++i) {
        auto* option = w.Create<dui::CCheckButton>(kSensorOption, kSensorRects[i], text(option_texts[i]), 0, 0, page);
        option->SetTextId(option_texts[i]);
    }

    m_response_heading = label(kResponseHeadingRect, kTextResponseHeading, true);
    w.Create<dui::NumberEdit>(kResponseTime, kResponseRect, {}, 0, 0, page);
    m_response_unit = label(kResponseUnitRect, kTextMilliseconds, false);

    label(kPowerHeadingRect, kTextPowerHeading, true);

    auto* sleep = w.Create<dui::MComboBox>(kSleepTime, kSleepRect, {}, 0, 0, page);
    for (const SleepChoice& choice : kSleepChoices) {
        sleep->AddItem(text::Format(choice.format, text(kTextMinutes)), choice.data, kTextMinutes, choice.format);
    }
    auto* wake = w.Create<dui::CCheckButton>(kMotionWakeUp, kWakeRect, text(kTextMotionWakeUp), 0, 0, page);
    wake->SetTextId(kTextMotionWakeUp);
    auto* lights = w.Create<dui::CCheckButton>(kLightsOffMoving, kLightsOffRect, text(kTextLightsOffMoving), 0, 0, page);
    lights->SetTextId(kTextLightsOffMoving);
    auto* settings = w.Create<dui::MButton>(kMouseSettings, kMouseSettingsRect, text(kTextMouseSettings), 0, 0, page);
    settings->SetTextId(kTextMouseSettings);

    ApplyDescription();
}

void PerformancePage::ApplyDescription() {
    const DeviceDescription description = m_host.Description();
    dui::MDialog& w = m_host.Window();
    auto show = [&w](int id, bool visible) {
        for (dui::MControl* control : w.FindControls(id)) control->SetVisible(visible);
    };
    const bool lod = description.show_lod == 1;
    const bool sensor = description.show_sensor == 1;
    const bool respond = description.show_respond_time == 1;
    show(kLiftOffHelp, lod);
    show(kLiftOff1, lod);
    show(kLiftOff2, lod);
    show(kSensorHelp, sensor);
    show(kSensorOption, sensor);
    show(kResponseTime, respond);
    // A model without lights has no lights to turn off.
    show(kLightsOffMoving, description.lighting == 1);
    for (auto [label, visible] : {std::pair{m_lift_off_heading, lod}, std::pair{m_sensor_heading, sensor},
                                  std::pair{m_response_heading, respond}, std::pair{m_response_unit, respond}}) {
        if (label != nullptr) label->SetVisible(visible);
    }
}

void PerformancePage::SetSliderRange(const std::string& step_text, const std::string& highest_text, int highest_code,
                                     int second_value) {
    auto* slider = m_host.Window().GetControl<dui::DPISlider>(kDpiSlider);
    if (slider == nullptr) return;
    slider->SetDPIDesc(step_text, highest_text);
    slider->SetSecondValue(second_value);
    // The lowest position is the sensor's lowest DPI: 2 (100 DPI at 50 a step) for the sensors
    // that start at 100, else 1.
    slider->SetRange(second_value > 1 ? second_value : 1, std::max(highest_code, second_value > 1 ? second_value : 1));
}

int PerformancePage::SensorCode() const { return m_host.DeviceInfo().sensor.sensor_code; }

std::string PerformancePage::StoredText(const std::string& key) {
    std::string value;
    m_host.Store().GetConfigValue(m_host.CurrentProfile(), key, value);
    return value;
}

int PerformancePage::StoredInt(const std::string& key) { return text::ToInt(StoredText(key)); }

void PerformancePage::Store(const std::string& key, const std::string& value) {
    m_host.Store().SetConfigValue(m_host.CurrentProfile(), key, value);
}

void PerformancePage::StoreInt(const std::string& key, int value) { Store(key, text::Format("%d", value)); }

void PerformancePage::Queue(int task) {
    m_host.QueueTask(task);
    m_host.ShowSaveWait();
}

void PerformancePage::FillReportRates() {
    auto* rates = m_host.Window().GetControl<dui::ReporteCtrl>(kReportRate);
    if (rates == nullptr) return;
    rates->DeleteAllItems();
    const std::size_t count = m_host.DeviceInfo().highest_rate_code == kFullRateList ? kRateChoices.size() : 4;
    for (std::size_t i = 0; i < count; ++i) {
        rates->AddItem(kRateChoices[i].text, kRateChoices[i].code, kRateChoices[i].colour);
    }
}

void PerformancePage::ShowStageOnSlider(int stage) {
    dui::MDialog& w = m_host.Window();
    auto* stages = w.GetControl<dui::DPIControl>(kDpiStages);
    auto* slider = w.GetControl<dui::DPISlider>(kDpiSlider);
    if (stages == nullptr || slider == nullptr) return;
    const int dpi = stages->GetDPIValue(stage);
    slider->SetPos(DpiToSliderPosition(SensorCode(), dpi));
    slider->SetValueText(text::Format("%d", dpi));
}

void PerformancePage::Load() {
    dui::MDialog& w = m_host.Window();
    auto* stages = w.GetControl<dui::DPIControl>(kDpiStages);
    auto* count = w.GetControl<dui::MComboBox>(kStageCount);
    if (stages == nullptr || count == nullptr) return;

    ApplyDescription();
    const DeviceInfoValues info = m_host.DeviceInfo();
    SetSliderRange(info.sensor.step_text, info.sensor.highest_text, info.sensor.slider_highest_code,
                   info.slider_second_value);

    if (auto* edit = w.GetControl<dui::NumberEdit>(kResponseTime)) edit->SetText(StoredText("button_respondtime"));

    FillReportRates();
    if (auto* rates = w.GetControl<dui::ReporteCtrl>(kReportRate)) rates->SetSelectCode(StoredInt("report_rate"));

    for (int stage = 0; stage < kMaxStageKeys; ++stage) {
        stages->SetDPIValue(stage, StoredInt(ValueKey(stage)));
        stages->SetDPIColorValue(stage, static_cast<std::uint32_t>(StoredInt(ColourKey(stage))));
    }

    count->SelectData(StoredInt("dpi_count"));
    RebuildDpiStageList();

    const int index = StoredInt("dpi_index");
    const int selected = index >= 0 && index < m_listed_count.load() ? index : 0;
    stages->SetSelectItem(selected);
    ShowStageOnSlider(selected);

    const int sensor_flag = StoredInt("sensor_flag");
    const std::vector<dui::MControl*> options = w.FindControls(kSensorOption);
    for (std::size_t i = 0; i < options.size() && i < 3; ++i) {
        if (auto* option = dynamic_cast<dui::CCheckButton*>(options[i])) {
            option->SetCheck(false);
            option->SetCheck((sensor_flag & kSensorBits[i]) != 0);
        }
    }

    const bool high = StoredText("liftoff_height") == "2";
    if (auto* radio = w.GetControl<dui::CRadioButton>(high ? kLiftOff2 : kLiftOff1)) radio->SetCheck(true);
    if (auto* radio = w.GetControl<dui::CRadioButton>(high ? kLiftOff1 : kLiftOff2)) radio->SetCheck(false);

    if (auto* sleep = w.GetControl<dui::MComboBox>(kSleepTime)) sleep->SelectData(StoredInt("sleep_light"));
    if (auto* wake = w.GetControl<dui::CCheckButton>(kMotionWakeUp)) wake->SetCheck(StoredInt("move_wakeup") == 1);
    if (auto* lights = w.GetControl<dui::CCheckButton>(kLightsOffMoving)) {
        lights->SetCheck(StoredInt("move_closelight") == 1);
    }
}

void PerformancePage::RebuildDpiStageList() {
    dui::MDialog& w = m_host.Window();
    auto* stages = w.GetControl<dui::DPIControl>(kDpiStages);
    auto* count_box = w.GetControl<dui::MComboBox>(kStageCount);
    if (stages == nullptr || count_box == nullptr) return;
    stages->DeleteAllItems();
    const int count = std::clamp(static_cast<int>(count_box->GetCurData()), 0, dui::DPIControl::kMaxStages);
    for (int stage = 0; stage < count; ++stage) {
        stages->AddItem(StoredInt(ValueKey(stage)), static_cast<std::uint32_t>(StoredInt(ColourKey(stage))));
    }
    const int index = StoredInt("dpi_index");
    stages->SetSelectItem(index);
    m_listed_count = count;
    m_last_stage = index;
}

void PerformancePage::SetListedStageCount(int count) {
    m_listed_count = count;
    if (auto* box = m_host.Window().GetControl<dui::MComboBox>(kStageCount)) box->SelectData(count);
}

int PerformancePage::SelectDpiStage(int stage) {
    m_last_stage = stage;
    auto* stages = m_host.Window().GetControl<dui::DPIControl>(kDpiStages);
    if (stages == nullptr) return 0;
    stages->SetSelectItem(stage);
    ShowStageOnSlider(stage);
    return stages->GetDPIValue(stage);
}

void PerformancePage::OnFocus(int /*stage*/) {
    dui::MDialog& w = m_host.Window();
    if (w.GetFocusControl() == kDpiStages) w.SetFocusControl(0);
}

int PerformancePage::OnPageMessage(int id, int event, intptr_t param) {
    switch (id) {
    case kDpiStages: return OnStages(event, param);
    case kDpiSlider: return OnSlider(event);
    case kResponseTime:
        if (event == dui::kEventKillFocus) return OnResponseTimeTyped();
        if (event == dui::kEventClick) return OnResponseTimeSent();
        return 0;
    default: break;
    }
    if (event != dui::kEventClick) return 0;
    switch (id) {
    case kDpiSend: Queue(kTaskDpiStages); return 1;
    case kStageCount: return OnStageCount();
    case kDpiReset: return OnDpiReset();
    case kRateReset: return OnRateReset();
    case kReportRate: return OnReportRate();
    case kLiftOff1:
    case kLiftOff2: return OnLiftOff();
    case kSensorOption: return OnSensorOptions();
    case kSleepTime: return OnSleepTime();
    case kMotionWakeUp: return OnMotionOption(kMotionWakeUp, "move_wakeup");
    case kLightsOffMoving: return OnMotionOption(kLightsOffMoving, "move_closelight");
    default: return 0;
    }
}

int PerformancePage::OnStages(int event, intptr_t param) {
    auto* stages = m_host.Window().GetControl<dui::DPIControl>(kDpiStages);
    if (stages == nullptr) return 0;
    const int stage = stages->GetSelectItem() >= 0 ? stages->GetSelectItem() : static_cast<int>(param);
    if (stage < 0 || stage >= dui::DPIControl::kMaxStages) return 0;

    if (event == dui::kEventClick || event == dui::kEventSetFocus) {
        StoreInt("dpi_index", stage);
        ShowStageOnSlider(stage);
        if (stage != m_last_stage.load()) {
            m_last_stage = stage;
            Queue(kTaskDpiStages);
            m_host.ShowDpiNotice(stages->GetDPIValue(stage));
        }
        return 1;
    }
    if (event == dui::kEventSecondary) {
        const std::uint32_t colour = MousePaletteDlg::Pick(&m_host.Window(), stages->GetDPIColorValue(stage),
                                                           [this](int text_id) { return m_host.LanguageText(text_id); });
        if (colour == 0) return 1;
        stages->SetDPIColorValue(stage, colour);
        StoreInt(ColourKey(stage), static_cast<int>(colour));
        Queue(kTaskDpiColours);
        if (stage != m_last_stage.load()) {
            m_last_stage = stage;
            m_host.ShowDpiNotice(stages->GetDPIValue(stage));
        }
        return 1;
    }
    if (event == dui::kEventKillFocus) {
        const int value = SnapTypedDpi(SensorCode(), text::ToInt(stages->GetEditText(stage)));
        stages->SetDPIValue(stage, value);
        ShowStageOnSlider(stage);
        StoreInt(ValueKey(stage), value);
        Queue(kTaskDpiStages);
        if (stage != m_last_stage.load()) {
            m_last_stage = stage;
            m_host.ShowDpiNotice(value);
        }
        return 1;
    }
    return 0;
}

int PerformancePage::OnSlider(int event) {
    dui::MDialog& w = m_host.Window();
    auto* stages = w.GetControl<dui::DPIControl>(kDpiStages);
    auto* slider = w.GetControl<dui::DPISlider>(kDpiSlider);
    if (stages == nullptr || slider == nullptr) return 0;
    const int stage = stages->GetSelectItem();
    if (stage >= 0) {
        const int dpi = SliderPositionToDpi(SensorCode(), slider->GetPos());
        stages->SetDPIValue(stage, dpi);
        slider->SetValueText(text::Format("%d", dpi));
        StoreInt(ValueKey(stage), dpi);
    }
    if (event == dui::kEventClick) Queue(kTaskDpiStages);
    return 1;
}

int PerformancePage::OnStageCount() {
    dui::MDialog& w = m_host.Window();
    auto* stages = w.GetControl<dui::DPIControl>(kDpiStages);
    auto* count_box = w.GetControl<dui::MComboBox>(kStageCount);
    if (stages == nullptr || count_box == nullptr) return 0;
    const int count = static_cast<int>(count_box->GetCurData());
    if (count < 1) return 1;
    stages->DeleteAllItems();
    StoreInt("dpi_count", count);
    for (int stage = 0; stage < count; ++stage) {
        stages->AddItem(StoredInt(ValueKey(stage)), static_cast<std::uint32_t>(StoredInt(ColourKey(stage))));
    }
    int index = StoredInt("dpi_index");
    if (index > count - 1) {
        index = count - 1;
        StoreInt("dpi_index", index);
    }
    stages->SetSelectItem(index);
    ShowStageOnSlider(index);
    m_listed_count = count;
    m_last_stage = index;
    Queue(kTaskDpiStages);
    return 1;
}

int PerformancePage::OnDpiReset() {
    const int answer = m_host.ShowMessage(m_host.LanguageText(kTextDpiResetQuestion),
                                          m_host.LanguageText(kTextDpiResetCaption), PageHost::kMessageConfirmCancel);
    // Only a confirmation resets: closing the question any other way is a refusal.
    if (answer == PageHost::kMessageConfirmed) Queue(kTaskRestoreDpi);
    return 1;
}

int PerformancePage::OnRateReset() {
    XmlDocument doc;
    if (!doc.LoadFile(m_host.DescriptionPath()) || !doc.FindElement("mouse")) return 1;
    doc.EnterElement();
    if (!doc.FindElement("mouse_info")) return 1;
    doc.EnterElement();
    if (!doc.FindElement("report_rate")) return 1;
    const std::string value = doc.GetAttribute("default_value");
    if (value.empty()) return 1;
    Store("report_rate", value);
    Store("report_rate_wireless", value);
    if (auto* rates = m_host.Window().GetControl<dui::ReporteCtrl>(kReportRate)) {
        rates->SetSelectCode(text::ToInt(value));
    }
    Queue(kTaskReportRate);
    return 1;
}

int PerformancePage::OnReportRate() {
    auto* rates = m_host.Window().GetControl<dui::ReporteCtrl>(kReportRate);
    if (rates == nullptr) return 0;
    const int code = rates->GetSelectCode();
    if (code < 0) return 1;
    StoreInt("report_rate", code);
    StoreInt("report_rate_wireless", code);
    Queue(kTaskReportRate);
    return 1;
}

int PerformancePage::OnLiftOff() {
    auto* high = m_host.Window().GetControl<dui::CRadioButton>(kLiftOff2);
    Store("liftoff_height", high != nullptr && high->GetCheck() ? "2" : "1");
    Queue(kTaskSensorOptions);
    return 1;
}

int PerformancePage::OnSensorOptions() {
    const std::vector<dui::MControl*> options = m_host.Window().FindControls(kSensorOption);
    int flag = 0;
    for (std::size_t i = 0; i < options.size() && i < 3; ++i) {
        auto* option = dynamic_cast<dui::CCheckButton*>(options[i]);
        if (option != nullptr && option->GetCheck()) flag += kSensorBits[i];
    }
    StoreInt("sensor_flag", flag);
    Queue(kTaskSensorOptions);
    return 1;
}

int PerformancePage::OnResponseTimeTyped() {
    auto* edit = m_host.Window().GetControl<dui::NumberEdit>(kResponseTime);
    if (edit == nullptr) return 0;
    const std::string typed = edit->GetEditText();
    const int value = std::clamp(text::ToInt(typed), kResponseTimeMin, kResponseTimeMax);
    const std::string corrected = text::Format("%d", value);
    if (corrected != typed) edit->SetText(corrected);
    Store("button_respondtime", corrected);
    return 1;
}

int PerformancePage::OnResponseTimeSent() {
    auto* edit = m_host.Window().GetControl<dui::NumberEdit>(kResponseTime);
    if (edit == nullptr) return 0;
    Store("button_respondtime", edit->GetEditText());
    Queue(kTaskPowerOptions);
    return 1;
}

int PerformancePage::OnSleepTime() {
    auto* sleep = m_host.Window().GetControl<dui::MComboBox>(kSleepTime);
    if (sleep == nullptr) return 0;
    const intptr_t data = sleep->GetCurData();
    if (data < 0) return 1;
    StoreInt("sleep_light", static_cast<int>(data));
    Queue(kTaskPowerOptions);
    return 1;
}

int PerformancePage::OnMotionOption(int id, const char* key) {
    auto* check = m_host.Window().GetControl<dui::CCheckButton>(id);
    if (check == nullptr) return 0;
    Store(key, check->GetCheck() ? "1" : "0");
    Queue(kTaskPowerOptions);
    return 1;
}

}  // namespace corvatt
