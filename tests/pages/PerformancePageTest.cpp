#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/ui/CCheckButton.h"
#include "common/ui/CColorButton.h"
#include "common/ui/CImageButton.h"
#include "common/ui/CRadioButton.h"
#include "common/ui/DPISlider.h"
#include "common/ui/MButton.h"
#include "common/ui/MComboBox.h"
#include "common/ui/NumberEdit.h"
#include "common/ui/ReporteCtrl.h"
#include "pages/MousePaletteDlg.h"
#include "PageFixture.h"
#include "protocol/SensorTable.h"

namespace corvatt::testing {
namespace {

using Page = PerformancePage;

// ---- the three tables ----

struct DpiCase {
    int sensor;
    int in;
    int out;
};

class SnapTyped : public ::testing::TestWithParam<DpiCase> {};
TEST_P(SnapTyped, CutsToStepThenHoldsWithinLimits) {
    EXPECT_EQ(SnapTypedDpi(GetParam().sensor, GetParam().in), GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(Sensors, SnapTyped,
                         ::testing::Values(DpiCase{149, 26050, 26000}, DpiCase{149, 70, 100}, DpiCase{4, 4730, 4500},
                                           DpiCase{4, 3999, 3900}, DpiCase{4, 9000, 8000}, DpiCase{17, 10150, 10100},
                                           DpiCase{17, 990, 950}, DpiCase{17, 30, 50}, DpiCase{5, 12345, 12000},
                                           DpiCase{16, 4890, 4800}, DpiCase{25, 29999, 29900},
                                           DpiCase{37, 7300, 7000}, DpiCase{37, 4950, 4900}, DpiCase{38, 150, 200},
                                           DpiCase{53, 16500, 16000}, DpiCase{150, 40000, 32000},
                                           DpiCase{150, 125, 100}, DpiCase{99, 10, 50}, DpiCase{99, -400, 50}));

class ToSlider : public ::testing::TestWithParam<DpiCase> {};
TEST_P(ToSlider, PositionOfDpi) { EXPECT_EQ(DpiToSliderPosition(GetParam().sensor, GetParam().in), GetParam().out); }
INSTANTIATE_TEST_SUITE_P(Sensors, ToSlider,
                         ::testing::Values(DpiCase{4, 4000, 40}, DpiCase{4, 4500, 40}, DpiCase{4, 8000, 47},
                                           DpiCase{5, 6400, 128}, DpiCase{5, 6500, 129}, DpiCase{16, 4800, 48},
                                           DpiCase{18, 800, 8}, DpiCase{53, 16000, 160}, DpiCase{17, 10000, 200},
                                           DpiCase{17, 10100, 201}, DpiCase{17, 12000, 220}, DpiCase{17, 13000, 221},
                                           DpiCase{17, 24000, 232}, DpiCase{25, 16000, 160}, DpiCase{25, 30000, 174},
                                           DpiCase{37, 5000, 50}, DpiCase{37, 10000, 60}, DpiCase{38, 5000, 49},
                                           DpiCase{38, 5500, 51}, DpiCase{149, 26000, 519}, DpiCase{150, 100, 1},
                                           DpiCase{99, 800, 16}));

class FromSlider : public ::testing::TestWithParam<DpiCase> {};
TEST_P(FromSlider, DpiOfPositionCappedAtMaximum) {
    EXPECT_EQ(SliderPositionToDpi(GetParam().sensor, GetParam().in), GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(Sensors, FromSlider,
                         ::testing::Values(DpiCase{4, 39, 3900}, DpiCase{4, 40, 4500}, DpiCase{4, 60, 8000},
                                           DpiCase{5, 128, 6400}, DpiCase{5, 129, 6500}, DpiCase{5, 200, 12000},
                                           DpiCase{16, 60, 4800}, DpiCase{17, 200, 10000}, DpiCase{17, 201, 10100},
                                           DpiCase{17, 220, 12000}, DpiCase{17, 221, 13000}, DpiCase{17, 240, 24000},
                                           DpiCase{25, 159, 15900}, DpiCase{25, 160, 16000}, DpiCase{25, 200, 30000},
                                           DpiCase{37, 50, 5000}, DpiCase{37, 51, 5500}, DpiCase{38, 48, 4900},
                                           DpiCase{38, 50, 5500}, DpiCase{53, 200, 16000}, DpiCase{149, 600, 26000},
                                           DpiCase{150, 640, 32000}, DpiCase{99, 600, 26000}));

// ---- controls and loading ----

class PerformancePageTest : public PageFixture {};

TEST_F(PerformancePageTest, CreatesEveryControlWithItsClassAndTexts) {
    const std::vector<std::pair<int, std::string>> classes = {
        {114, "CHelpButton"}, {115, "CImageButton"}, {116, "DPIControl"}, {117, "DPISlider"},
        {118, "MButton"},     {120, "MComboBox"},    {123, "CHelpButton"}, {124, "CImageButton"},
        {125, "ReporteCtrl"}, {128, "CHelpButton"},  {129, "CRadioButton"}, {130, "CRadioButton"},
        {133, "CHelpButton"}, {134, "CCheckButton"}, {139, "NumberEdit"},  {143, "CCheckButton"},
        {144, "CCheckButton"}, {145, "MComboBox"},   {149, "MButton"}};
    for (const auto& [id, name] : classes) {
        ASSERT_NE(window.GetControl(id), nullptr) << id;
        EXPECT_EQ(window.GetControl(id)->GetClassName(), name) << id;
        const dui::Rect r = window.GetControl(id)->GetRect();
        EXPECT_TRUE(r.left >= 220 && r.top >= 112 && r.right <= 1300 && r.bottom <= 740) << id;
    }
    const auto options = window.FindControls(134);
    ASSERT_EQ(options.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(dynamic_cast<dui::CCheckButton*>(options[i])->GetTitle(), text::Format("T%d", 515 + i));
        EXPECT_EQ(options[i]->GetTextId(), 515 + i);
    }
    EXPECT_EQ(Control<dui::CRadioButton>(129)->GetTitle(), "1.0mm");
    EXPECT_EQ(Control<dui::CRadioButton>(130)->GetGroupName(), "IDC_PER_STC_LOD");
    EXPECT_EQ(Control<dui::MButton>(149)->GetTextId(), 536);

    std::vector<std::string> texts;
    std::vector<intptr_t> data;
    for (const auto& item : Control<dui::MComboBox>(145)->GetItems()) {
        texts.push_back(item.text);
        data.push_back(item.data);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"1 T537", "2 T537", "6 T537", "10 T537", "20 T537", "30 T537"}));
    EXPECT_EQ(data, (std::vector<intptr_t>{6, 12, 36, 60, 120, 180}));
    ASSERT_EQ(Control<dui::MComboBox>(120)->GetItemCount(), 6);
    EXPECT_EQ(Control<dui::MComboBox>(120)->GetItemText(5), "6");
    EXPECT_EQ(Control<dui::MComboBox>(120)->GetItemData(5), 6);

    // A language change re-applies the remembered ids.
    window.ApplyTexts([](int id) { return text::Format("L%d", id); });
    EXPECT_EQ(Control<dui::CCheckButton>(143)->GetTitle(), "L533");
    EXPECT_EQ(Control<dui::MComboBox>(145)->GetItemText(3), "10 L537");
}

TEST_F(PerformancePageTest, LoadShowsTheStoredSettings) {
    Connect("v1-wired");  // the mouse's own settings were read back into the store
    Set("sensor_flag", "53");
    Set("liftoff_height", "2");
    Set("sleep_light", "60");
    Set("move_wakeup", "1");
    Set("move_closelight", "0");
    Set("button_respondtime", "12");
    page.Load();

    EXPECT_EQ(Control<dui::MComboBox>(120)->GetCurData(), 4);
    const auto stages = Stages()->GetStages();
    ASSERT_EQ(stages.size(), 4u);
    EXPECT_EQ(stages[1].value, 800);
    EXPECT_EQ(stages[0].color, 0x0000FFu);  // red, as the mouse holds it
    EXPECT_EQ(Stages()->GetSelectItem(), 1);
    EXPECT_EQ(Control<dui::DPISlider>(117)->GetPos(), 16);  // 800 / 50 on sensor 17
    EXPECT_EQ(Control<dui::DPISlider>(117)->GetHighDesc(), "24000");
    EXPECT_EQ(Control<dui::DPISlider>(117)->GetMax(), 232);
    EXPECT_EQ(Control<dui::ReporteCtrl>(125)->GetSelectCode(), 2);

    const auto options = window.FindControls(134);
    EXPECT_TRUE(dynamic_cast<dui::CCheckButton*>(options[0])->GetCheck());   // 4
    EXPECT_FALSE(dynamic_cast<dui::CCheckButton*>(options[1])->GetCheck());  // 8
    EXPECT_TRUE(dynamic_cast<dui::CCheckButton*>(options[2])->GetCheck());   // 16
    EXPECT_TRUE(Control<dui::CRadioButton>(130)->GetCheck());
    EXPECT_FALSE(Control<dui::CRadioButton>(129)->GetCheck());
    EXPECT_EQ(Control<dui::MComboBox>(145)->GetCurData(), 60);
    EXPECT_TRUE(Control<dui::CCheckButton>(143)->GetCheck());
    EXPECT_FALSE(Control<dui::CCheckButton>(144)->GetCheck());
    EXPECT_EQ(Control<dui::NumberEdit>(139)->GetEditText(), "12");

    // A stored stage beyond the list selects the first; anything but "2" is 1.0 mm.
    Set("dpi_index", "5");
    Set("liftoff_height", "02");
    page.Load();
    EXPECT_EQ(Stages()->GetSelectItem(), 0);
    EXPECT_TRUE(Control<dui::CRadioButton>(129)->GetCheck());
    EXPECT_TRUE(queued.empty());
}

TEST_F(PerformancePageTest, ReportRatesFollowTheDeviceCapability) {
    struct Case {
        int highest;
        std::vector<int> codes;
    };
    for (const Case& c : {Case{6, {8, 4, 2, 1}}, Case{4, {8, 4, 2, 1}}, Case{7, {8, 4, 2, 1, 16, 32, 64}}}) {
        DeviceInfoValues info;
        info.highest_rate_code = c.highest;
        info_override = info;
        page.Load();
        std::vector<int> codes;
        for (const auto& item : Control<dui::ReporteCtrl>(125)->GetItems()) codes.push_back(item.code);
        EXPECT_EQ(codes, c.codes) << c.highest;
    }
    const auto items = Control<dui::ReporteCtrl>(125)->GetItems();
    EXPECT_EQ(items[0].text, "125Hz");
    EXPECT_EQ(items[0].color, 67825u);
    EXPECT_EQ(items[3].color, 2139135u);
    EXPECT_EQ(items[6].text, "8000Hz");
    EXPECT_EQ(items[6].color, 16777215u);
}

TEST_F(PerformancePageTest, GroupsFollowTheModelDescription) {
    description.show_lod = 1;
    description.show_sensor = 0;
    description.show_respond_time = 0;
    page.Load();
    EXPECT_TRUE(window.GetControl(129)->IsVisible());
    EXPECT_TRUE(window.GetControl(130)->IsVisible());
    for (dui::MControl* option : window.FindControls(134)) EXPECT_FALSE(option->IsVisible());
    EXPECT_FALSE(window.GetControl(133)->IsVisible());
    EXPECT_FALSE(window.GetControl(139)->IsVisible());

    description.show_lod = 0;
    description.show_sensor = 1;
    page.ApplyDescription();
    EXPECT_FALSE(window.GetControl(128)->IsVisible());
    EXPECT_FALSE(window.GetControl(130)->IsVisible());
    for (dui::MControl* option : window.FindControls(134)) EXPECT_TRUE(option->IsVisible());

    // Lights off while moving only on a model with lights.
    EXPECT_TRUE(window.GetControl(144)->IsVisible());
    description.lighting = 0;
    page.ApplyDescription();
    EXPECT_FALSE(window.GetControl(144)->IsVisible());
    EXPECT_TRUE(window.GetControl(143)->IsVisible());
}

// ---- handlers, end to end with the virtual mouse ----

struct TypedCase {
    std::string model;
    std::string typed;
    int stored;
};

class TypedDpi : public PageFixture, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedDpi, StoresSnappedValueAndTheMouseHoldsIt) {
    const int id = Connect(GetParam().model);
    const int sensor = sim->State(id)->sensor_code;
    Stages()->CommitEdit(2, GetParam().typed);

    EXPECT_EQ(Value("dpi_group2_value"), text::Format("%d", GetParam().stored));
    EXPECT_EQ(Stages()->GetEditText(2), text::Format("%d", GetParam().stored));
    EXPECT_EQ(Stages()->GetDPIValue(2), GetParam().stored);
    // The slider's lowest position is 2 on sensors 149 and 150 (100 DPI), else 1.
    auto* slider = Control<dui::DPISlider>(117);
    EXPECT_EQ(slider->GetMin(), sensor == 150 ? 2 : 1);
    EXPECT_EQ(slider->GetPos(), std::clamp(DpiToSliderPosition(sensor, GetParam().stored), slider->GetMin(),
                                           slider->GetMax()));
    EXPECT_EQ(queued, std::vector<int>{9});
    EXPECT_EQ(save_waits, 1);
    EXPECT_EQ(dpi_notices, std::vector<int>{GetParam().stored});  // stage 2 was not the selected one
    const SensorCaps caps = LookupSensor(sensor);
    EXPECT_EQ(Mouse(id).dpi_codes[2], EncodeDpi(sensor, ClampStageValue(caps, GetParam().stored)));
}
INSTANTIATE_TEST_SUITE_P(Values, TypedDpi,
                         ::testing::Values(TypedCase{"v1-wired", "10150", 10100}, TypedCase{"v1-wired", "990", 950},
                                           TypedCase{"v1-wired", "99999", 24000},
                                           TypedCase{"v2-wired", "26050", 26050 / 50 * 50},
                                           TypedCase{"v2-wired", "70", 100}));

TEST_F(PerformancePageTest, TypedValueOnTheSelectedStageShowsNoNotice) {
    Connect("v1-wired");
    Stages()->CommitEdit(1, "1234");  // stage 1 is selected
    EXPECT_EQ(Value("dpi_group1_value"), "1200");
    EXPECT_TRUE(dpi_notices.empty());
    EXPECT_EQ(queued, std::vector<int>{9});
}

TEST_F(PerformancePageTest, ChoosingAStageStoresItAndSendsOnlyAChange) {
    const int id = Connect("v1-wired");
    Stages()->SelectStage(3);
    EXPECT_EQ(Value("dpi_index"), "3");
    EXPECT_EQ(Control<dui::DPISlider>(117)->GetPos(), 64);  // 3200 / 50
    EXPECT_EQ(Control<dui::DPISlider>(117)->GetValueText(), "3200");
    EXPECT_EQ(queued, std::vector<int>{9});
    EXPECT_EQ(dpi_notices, std::vector<int>{3200});
    EXPECT_EQ(Mouse(id).dpi_index, 3);

    Stages()->OnFocus(3);  // the same stage again
    EXPECT_EQ(queued, std::vector<int>{9});
    EXPECT_EQ(dpi_notices.size(), 1u);
}

TEST_F(PerformancePageTest, LoweringTheStageCountBelowTheSelectedStage) {
    const int id = Connect("v1-wired");
    Control<dui::MComboBox>(120)->ChooseItem(5);  // six stages
    Stages()->SelectStage(5);
    queued.clear();

    Control<dui::MComboBox>(120)->ChooseItem(2);  // three stages
    EXPECT_EQ(Value("dpi_count"), "3");
    EXPECT_EQ(Value("dpi_index"), "2");
    EXPECT_EQ(Stages()->GetItemCount(), 3);
    EXPECT_EQ(Stages()->GetSelectItem(), 2);
    EXPECT_EQ(Control<dui::DPISlider>(117)->GetPos(), 32);  // 1600 / 50
    EXPECT_EQ(page.ListedStageCount(), 3);
    EXPECT_EQ(page.LastSelectedStage(), 2);
    EXPECT_EQ(queued, std::vector<int>{9});
    EXPECT_EQ(Mouse(id).dpi_count, 3);
    EXPECT_EQ(Mouse(id).dpi_index, 2);

    // Raising it keeps the selected stage.
    Control<dui::MComboBox>(120)->ChooseItem(4);
    EXPECT_EQ(Value("dpi_index"), "2");
    EXPECT_EQ(Stages()->GetItemCount(), 5);
}

TEST_F(PerformancePageTest, SliderStoresWhileDraggedAndSendsOnRelease) {
    const int id = Connect("v1-wired");
    auto* slider = Control<dui::DPISlider>(117);
    slider->Drag(210);
    EXPECT_EQ(Value("dpi_group1_value"), "11000");
    EXPECT_EQ(Stages()->GetDPIValue(1), 11000);
    EXPECT_TRUE(queued.empty());
    slider->Release(232);
    EXPECT_EQ(Value("dpi_group1_value"), "24000");
    EXPECT_EQ(slider->GetValueText(), "24000");
    EXPECT_EQ(queued, std::vector<int>{9});
    EXPECT_EQ(Mouse(id).dpi_codes[1], 232);
}

TEST_F(PerformancePageTest, ResponseTimeIsHeldWithinFourToTwenty) {
    const int id = Connect("v1-wired");
    auto* edit = Control<dui::NumberEdit>(139);
    struct Case {
        std::string typed;
        std::string shown;
    };
    for (const Case& c : {Case{"2", "4"}, Case{"25", "20"}, Case{"12", "12"}, Case{"", "4"}}) {
        edit->SetText("");
        edit->FocusIn();
        edit->TypeText(c.typed);
        edit->FocusOut();
        EXPECT_EQ(edit->GetEditText(), c.shown) << c.typed;
        EXPECT_EQ(Value("button_respondtime"), c.shown) << c.typed;
    }
    EXPECT_TRUE(queued.empty());  // typing alone sends nothing

    edit->FocusIn();
    edit->SetText("");
    edit->TypeText("25");
    edit->Enter();  // typing ends, then the activation
    EXPECT_EQ(edit->GetEditText(), "20");
    EXPECT_EQ(queued, std::vector<int>{13});
    EXPECT_EQ(Mouse(id).button_respondtime, 20);
}

TEST_F(PerformancePageTest, SensorOptionsReplaceTheWholeFlag) {
    const int id = Connect("v1-wired");
    Set("sensor_flag", "53");
    page.Load();
    auto options = window.FindControls(134);
    dynamic_cast<dui::CCheckButton*>(options[1])->Click();  // the only one unchecked
    EXPECT_EQ(Value("sensor_flag"), "28");
    EXPECT_EQ(queued, std::vector<int>{12});
    EXPECT_EQ(Mouse(id).sensor_option1, 1);
    EXPECT_EQ(Mouse(id).sensor_option2, 1);

    dynamic_cast<dui::CCheckButton*>(options[0])->Click();
    dynamic_cast<dui::CCheckButton*>(options[2])->Click();
    EXPECT_EQ(Value("sensor_flag"), "8");
    dynamic_cast<dui::CCheckButton*>(options[1])->Click();
    EXPECT_EQ(Value("sensor_flag"), "0");
    EXPECT_EQ(Mouse(id).sensor_option1, 0);
    EXPECT_EQ(Mouse(id).sensor_option2, 0);
}

TEST_F(PerformancePageTest, ReportRateLiftOffSleepAndMotion) {
    DeviceInfoValues info;
    info.highest_rate_code = 7;
    info.sensor = LookupSensor(17);
    const int id = Connect("v1-wired");
    info_override = info;
    page.Load();

    Control<dui::ReporteCtrl>(125)->Choose(5);  // 4000Hz
    EXPECT_EQ(Value("report_rate"), "32");
    EXPECT_EQ(Value("report_rate_wireless"), "32");
    EXPECT_EQ(Mouse(id).report_rate, 32);

    Control<dui::CRadioButton>(130)->Click();
    EXPECT_EQ(Value("liftoff_height"), "2");
    EXPECT_EQ(Mouse(id).liftoff, 2);
    Control<dui::CRadioButton>(129)->Click();
    EXPECT_EQ(Value("liftoff_height"), "1");
    EXPECT_EQ(Mouse(id).liftoff, 1);

    Control<dui::MComboBox>(145)->ChooseItem(5);
    EXPECT_EQ(Value("sleep_light"), "180");
    EXPECT_EQ(Mouse(id).sleep_light, 180);

    const bool wake = Control<dui::CCheckButton>(143)->GetCheck();
    Control<dui::CCheckButton>(143)->Click();
    EXPECT_EQ(Value("move_wakeup"), wake ? "0" : "1");
    Control<dui::CCheckButton>(144)->Click();
    EXPECT_EQ(Value("move_closelight"), "1");
    EXPECT_EQ(Mouse(id).move_closelight, 1);
    EXPECT_EQ(Mouse(id).move_wakeup, wake ? 0 : 1);

    EXPECT_EQ(queued, (std::vector<int>{11, 12, 12, 13, 13, 13}));
    EXPECT_EQ(save_waits, 6);
}

TEST_F(PerformancePageTest, ReportRateResetTakesTheModelDefault) {
    const int id = Connect("v1-wired");
    Control<dui::ReporteCtrl>(125)->Choose(0);
    ASSERT_EQ(Value("report_rate"), "8");
    Control<dui::CImageButton>(124)->Click();
    EXPECT_EQ(Value("report_rate"), "1");  // default_value of the description
    EXPECT_EQ(Value("report_rate_wireless"), "1");
    EXPECT_EQ(Control<dui::ReporteCtrl>(125)->GetSelectCode(), 1);
    EXPECT_EQ(queued, (std::vector<int>{11, 11}));
    EXPECT_EQ(Mouse(id).report_rate, 1);

    // Without a readable description nothing is stored or sent.
    model.model_key = "missing";
    Control<dui::CImageButton>(124)->Click();
    EXPECT_EQ(queued.size(), 2u);
}

TEST_F(PerformancePageTest, DpiResetRestoresTheModelDefaultsOnlyWhenConfirmed) {
    const int id = Connect("v1-wired");
    Stages()->CommitEdit(0, "5000");
    queued.clear();

    for (int refusal : {2, 0}) {
        message_answer = refusal;
        Control<dui::CImageButton>(115)->Click();
        EXPECT_TRUE(queued.empty()) << refusal;
    }
    EXPECT_EQ(messages.front(), "T253|T258|4");

    message_answer = 1;
    Control<dui::CImageButton>(115)->Click();
    EXPECT_EQ(queued, std::vector<int>{18});
    // dpi_info of the description: six stages, the third selected, 400 ... 12000.
    EXPECT_EQ(Value("dpi_group0_value"), "400");
    EXPECT_EQ(Value("dpi_index"), "2");
    EXPECT_EQ(Value("dpi_count"), "6");
    EXPECT_EQ(Stages()->GetItemCount(), 6);  // the page was reloaded by the task
    EXPECT_EQ(Stages()->GetDPIValue(0), 400);
    EXPECT_EQ(Stages()->GetSelectItem(), 2);
    EXPECT_EQ(Mouse(id).dpi_codes[0], EncodeDpi(17, 400));
    EXPECT_EQ(Mouse(id).dpi_codes[5], EncodeDpi(17, 12000));
    EXPECT_EQ(Mouse(id).dpi_count, 6);
    EXPECT_EQ(Mouse(id).dpi_colours[1], (std::array<std::uint8_t, 3>{0, 0, 255}));
}

TEST_F(PerformancePageTest, StageColourFromTheColourDialog) {
    const int id = Connect("v1-wired");
    host.ScriptModal([](dui::MWindow& w) {
        auto& dialog = dynamic_cast<MousePaletteDlg&>(w);
        EXPECT_EQ(dialog.GetColor(), 0x0000FFu);  // stage 0 is red
        dialog.GetControl<dui::CColorButton>(42)->Click();  // green
        dialog.GetControl<dui::MButton>(MousePaletteDlg::kOk)->Click();
        return 0;
    });
    Stages()->ClickColor(0);
    EXPECT_EQ(host.ModalTitles(), std::vector<std::string>{"PaletteDlg"});
    EXPECT_EQ(Value("dpi_group0_rgb"), "65280");
    EXPECT_EQ(Stages()->GetDPIColorValue(0), 0x00FF00u);
    EXPECT_EQ(queued, std::vector<int>{10});
    EXPECT_EQ(Mouse(id).dpi_colours[0], (std::array<std::uint8_t, 3>{0, 255, 0}));

    // Closed with its close button: nothing changes.
    host.ScriptModal([](dui::MWindow& w) {
        dynamic_cast<MousePaletteDlg&>(w).GetControl<dui::CImageButton>(MousePaletteDlg::kClose)->Click();
        return 0;
    });
    Stages()->ClickColor(1);
    EXPECT_EQ(Value("dpi_group1_rgb"), text::Format("%d", Mouse(id).dpi_colours[1][0] +
                                                             Mouse(id).dpi_colours[1][1] * 256 +
                                                             Mouse(id).dpi_colours[1][2] * 65536));
    EXPECT_EQ(queued, std::vector<int>{10});
}

TEST_F(PerformancePageTest, SendButtonResendsTheStages) {
    Connect("v1-wired");
    Control<dui::MButton>(118)->Click();
    EXPECT_EQ(queued, std::vector<int>{9});
    EXPECT_EQ(save_waits, 1);
    EXPECT_EQ(page.OnPageMessage(149, 2, 0), 0);  // the window's own
    EXPECT_EQ(page.OnPageMessage(120, 8, 0), 0);
}

}  // namespace
}  // namespace corvatt::testing
