#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AboutDlg.h"
#include "app/CUIMessageBox.h"
#include "app/DPIMsgDlg.h"
#include "app/Language.h"
#include "app/SaveWaitDlg.h"
#include "common/ui/CImageButton.h"
#include "common/ui/HeadlessHost.h"
#include "common/ui/MButton.h"
#include "common/ui/MPicture.h"
#include "common/ui/MProgress.h"
#include "common/ui/MProgress2.h"
#include "common/ui/MText.h"
#include "common/ui/Manager.h"
#include "device/DeviceManager.h"
#include "sim/VirtualHidBackend.h"

namespace corvatt {
namespace {

using dui::Rect;

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        Language::Instance().SetInstallFolder(std::string(CORVATT_TEST_FIXTURES) + "/dialogs/");
        Language::Instance().SetCurrentLanguage(1033);
        dui::Manager::Instance().SetSkinRoot(std::string(CORVATT_TEST_DATA) + "/skins/default/");
        dui::Manager::Instance().SetScreenRect(kScreen);
        owner.Create(nullptr, "MWindow", dui::WS_POPUP, {100, 60, 1400, 848}, "Corvatt");
        owner.ShowWindow(dui::SW_SHOW);
    }
    void TearDown() override {
        owner.DestroyWindow();
        Language::Instance().SetCurrentLanguage(1033);
    }

    static bool IsAlive(const dui::MWindow* window) {
        for (dui::MWindow* w : dui::Manager::Instance().Windows()) {
            if (w == window) return true;
        }
        return false;
    }

    static constexpr Rect kScreen{0, 0, 1920, 1040};
    dui::HeadlessHost host;
    dui::MDialog owner;
};

std::string Title(const dui::MDialog& dialog, int id) {
    auto* control = dialog.GetControl<dui::MControlFont>(id);
    return control != nullptr ? control->GetTitle() : "<none>";
}

// ---- message dialog ----

struct ControlShape {
    int id;
    Rect rect;
    std::string text;
};

struct MessageLayoutCase {
    int style;
    std::vector<ControlShape> buttons;
};

class MessageLayout : public Dialogs, public ::testing::WithParamInterface<MessageLayoutCase> {};

TEST_P(MessageLayout, WindowAndControls) {
    const MessageLayoutCase& c = GetParam();
    bool ran = false;
    auto check = [&](dui::MWindow& window) {
        ran = true;
        auto& box = dynamic_cast<CUIMessageBox&>(window);
        EXPECT_EQ(box.GetTitle(), "MessageBox");
        EXPECT_EQ(box.GetWindowRect().Width(), 430);
        EXPECT_EQ(box.GetWindowRect().Height(), 230);
        // Centred on the owner at 100, 60, 1300 x 788.
        EXPECT_EQ(box.GetWindowRect().left, 100 + (1300 - 430) / 2);
        EXPECT_EQ(box.GetWindowRect().top, 60 + (788 - 230) / 2);
        EXPECT_TRUE(box.IsToolWindow());
        EXPECT_TRUE(box.IsTopMost());
        EXPECT_TRUE(box.IsVisible());
        EXPECT_EQ(box.GetParent(), &owner);
        EXPECT_EQ(box.GetBKImage(), "bk_prompt.png");
        EXPECT_EQ(box.GetBackMode(), 1);

        EXPECT_EQ(box.GetControl(31)->GetRect(), (Rect{20, 15, 410, 45}));
        EXPECT_EQ(Title(box, 31), "Caption");
        EXPECT_EQ(box.GetControl(32)->GetRect(), (Rect{20, 50, 410, 180}));
        EXPECT_EQ(Title(box, 32), "Line one\nline two");
        auto* message = box.GetControl<dui::MText>(32);
        EXPECT_EQ(message->GetAlignment() & (dui::kAlignCenter | dui::kAlignVCenter | dui::kAlignWordBreak),
                  dui::kAlignCenter | dui::kAlignVCenter | dui::kAlignWordBreak);

        std::vector<int> button_ids;
        for (dui::MControl* control : box.Controls()) {
            if (dynamic_cast<dui::MButton*>(control) != nullptr) button_ids.push_back(control->GetId());
        }
        std::vector<int> expected_ids;
        for (const ControlShape& b : c.buttons) expected_ids.push_back(b.id);
        EXPECT_EQ(button_ids, expected_ids);
        for (const ControlShape& b : c.buttons) {
            auto* button = box.GetControl<dui::MButton>(b.id);
            ASSERT_NE(button, nullptr) << b.id;
            EXPECT_EQ(button->GetRect(), b.rect) << b.id;
            EXPECT_EQ(button->GetTitle(), b.text) << b.id;
            EXPECT_EQ(button->GetImage(), "img_button.png");
        }
        for (dui::MControl* control : box.Controls()) {
            auto* text = dynamic_cast<dui::MControlFont*>(control);
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text->GetTextColor(), 0xFFFFFFFFu) << control->GetId();
            EXPECT_EQ(text->GetFontSize(), 16) << control->GetId();
        }
    };
    host.ScriptModal([&](dui::MWindow& window) {
        check(window);
        return 0;
    });
    ShowMessage("Line one\nline two", &owner, "Caption", c.style);
    EXPECT_TRUE(ran);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, MessageLayout,
    ::testing::Values(MessageLayoutCase{0, {{33, {60, 180, 370, 216}, "OK"}}},
                      MessageLayoutCase{4, {{33, {95, 180, 195, 216}, "Confirm"}, {34, {235, 180, 335, 216}, "Cancel"}}},
                      MessageLayoutCase{1, {}}, MessageLayoutCase{5, {}}),
    [](const auto& info) { return "Style" + std::to_string(info.param.style); });

struct MessageResultCase {
    const char* name;
    int style;
    int click_id;        // 0: closed by WM_CLOSE
    uintptr_t close_code;
    int expected;
};

class MessageResult : public Dialogs, public ::testing::WithParamInterface<MessageResultCase> {};

TEST_P(MessageResult, ButtonsAndClosing) {
    const MessageResultCase& c = GetParam();
    dui::MWindow* seen = nullptr;
    host.ScriptModal([&](dui::MWindow& window) {
        seen = &window;
        auto& box = dynamic_cast<CUIMessageBox&>(window);
        if (c.click_id != 0) {
            box.GetControl<dui::MButton>(c.click_id)->Click();
        } else {
            box.PostMessage(dui::WM_CLOSE, c.close_code, 0);
            host.PumpMessages();
        }
        return 77;  // not ended by the script: would be the result
    });
    EXPECT_EQ(ShowMessage("Text", &owner, "Caption", c.style), c.expected);
    ASSERT_NE(seen, nullptr);
    EXPECT_FALSE(IsAlive(seen)) << "the dialog is destroyed after its run";
    EXPECT_EQ(host.ModalTitles(), std::vector<std::string>{"MessageBox"});
}

INSTANTIATE_TEST_SUITE_P(Results, MessageResult,
                         ::testing::Values(MessageResultCase{"OkButton", 0, 33, 0, 1},
                                           MessageResultCase{"ConfirmButton", 4, 33, 0, 1},
                                           MessageResultCase{"SecondButtonRefuses", 4, 34, 0, 2},
                                           MessageResultCase{"ClosedByPopupSweep", 4, 0, 2, 2},
                                           MessageResultCase{"ClosedPlainly", 0, 0, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Dialogs, MessageWithoutOwnerIsCentredOnTheWorkArea) {
    Rect rect;
    host.ScriptModal([&](dui::MWindow& window) {
        rect = window.GetWindowRect();
        return 0;
    });
    ShowMessage("Text", nullptr, "Caption", 0);
    EXPECT_EQ(rect, (Rect{(1920 - 430) / 2, (1040 - 230) / 2, (1920 + 430) / 2, (1040 + 230) / 2}));
}

TEST_F(Dialogs, MessageButtonsFollowALanguageSwitch) {
    std::string before, after;
    host.ScriptModal([&](dui::MWindow& window) {
        auto& box = dynamic_cast<CUIMessageBox&>(window);
        before = Title(box, 34);
        Language::Instance().SetCurrentLanguage(2052);
        box.ApplyTexts([](int id) { return GetLanguageText(id); });
        after = Title(box, 34);
        return 0;
    });
    ShowMessage("Text", &owner, "Caption", 4);
    EXPECT_EQ(before, "Cancel");
    EXPECT_EQ(after, "取消");
}

// ---- DPI notice ----

class DpiNotice : public Dialogs {
protected:
    void SetUp() override {
        Dialogs::SetUp();
        ASSERT_TRUE(notice.CreateNotice(&owner));
    }
    void TearDown() override {
        notice.DestroyWindow();
        Dialogs::TearDown();
    }
    int BarPos() { return notice.GetControl<dui::MProgress>(DPIMsgDlg::kBar)->GetPos(); }

    DPIMsgDlg notice;
};

TEST_F(DpiNotice, CreatedHiddenAsATopmostToolWindow) {
    EXPECT_EQ(notice.GetTitle(), "DPIMsgDlg");
    EXPECT_FALSE(notice.IsVisible());
    EXPECT_TRUE(notice.IsToolWindow());
    EXPECT_TRUE(notice.IsTopMost());
    EXPECT_EQ(notice.GetParent(), &owner);
    EXPECT_EQ(notice.GetClientRect(), (Rect{0, 0, 300, 130}));

    auto* close = notice.GetControl<dui::CImageButton>(30);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->GetRect(), (Rect{264, 10, 294, 40}));
    EXPECT_EQ(close->GetImage(), "sysbtn_close.png");
    EXPECT_EQ(close->GetTooltip(), "Close");
    EXPECT_EQ(close->GetTooltipId(), 5);

    auto* value = notice.GetControl<dui::MText>(31);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->GetRect(), (Rect{10, 30, 170, 80}));
    EXPECT_EQ(value->GetTitle(), "1600");
    EXPECT_EQ(value->GetFontSize(), 36);
    EXPECT_EQ(value->GetTextColor(), dui::RgbToArgb(dui::Manager::Instance().m_select_color.load()));

    auto* unit = notice.GetControl<dui::MText>(32);
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->GetRect(), (Rect{170, 50, 310, 80}));
    EXPECT_EQ(unit->GetTitle(), "DPI");
    EXPECT_EQ(unit->GetFontSize(), 20);
    EXPECT_EQ(unit->GetTextColor(), 0xFFC8C8C8u);

    auto* bar = notice.GetControl<dui::MProgress>(33);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetRect(), (Rect{10, 80, 280, 100}));
    EXPECT_EQ(bar->GetMin(), 0);
    EXPECT_EQ(bar->GetMax(), 16000);
}

TEST_F(DpiNotice, ShowsTheValueInTheCornerForTwoSeconds) {
    dui::Manager::Instance().SetScreenRect({0, 0, 1920, 1040});
    notice.ShowDpi(800);
    EXPECT_EQ(Title(notice, 31), "800");
    EXPECT_EQ(BarPos(), 800);
    EXPECT_EQ(notice.GetValue(), 800);
    EXPECT_EQ(notice.GetWindowRect(), (Rect{1618, 908, 1918, 1038}));
    EXPECT_TRUE(notice.IsVisible());
    EXPECT_TRUE(host.IsTimerRunning(notice, 100));

    host.AdvanceClock(1999);
    EXPECT_TRUE(notice.IsVisible());
    host.AdvanceClock(1);
    EXPECT_FALSE(notice.IsVisible());
    EXPECT_FALSE(host.IsTimerRunning(notice, 100)) << "the timer stops with the hiding";
}

TEST_F(DpiNotice, FollowsAWorkAreaThatDoesNotStartAtTheOrigin) {
    dui::Manager::Instance().SetScreenRect({1920, 40, 3200, 1064});
    notice.ShowDpi(1200);
    EXPECT_EQ(notice.GetWindowRect(), (Rect{2898, 932, 3198, 1062}));
}

TEST_F(DpiNotice, SecondCallWithinTwoSecondsRestartsTheTimer) {
    notice.ShowDpi(800);
    host.AdvanceClock(1500);
    notice.ShowDpi(1600);
    EXPECT_EQ(Title(notice, 31), "1600");
    host.AdvanceClock(1999);  // 3.5 s after the first call, 2 s after the second minus 1 ms
    EXPECT_TRUE(notice.IsVisible());
    host.AdvanceClock(1);
    EXPECT_FALSE(notice.IsVisible());
}

TEST_F(DpiNotice, ValuePastTheRangeIsNotClamped) {
    notice.ShowDpi(26000);
    EXPECT_EQ(Title(notice, 31), "26000");
    EXPECT_EQ(BarPos(), 26000);
    EXPECT_EQ(notice.GetControl<dui::MProgress>(33)->GetMax(), 16000);
}

TEST_F(DpiNotice, CloseButtonHidesIt) {
    notice.ShowDpi(800);
    notice.GetControl<dui::MButton>(30)->Click();
    EXPECT_FALSE(notice.IsVisible());
    EXPECT_FALSE(host.IsTimerRunning(notice, 100));
    notice.ShowDpi(900);
    EXPECT_TRUE(notice.IsVisible()) << "shown again by the next change";
}

TEST_F(DpiNotice, TooltipFollowsALanguageSwitch) {
    Language::Instance().SetCurrentLanguage(2052);
    notice.ApplyTexts([](int id) { return GetLanguageText(id); });
    EXPECT_EQ(notice.GetControl(30)->GetTooltip(), "关闭");
}

// ---- saving notice ----

class SaveNotice : public Dialogs {
protected:
    void TearDown() override {
        notice.DestroyWindow();
        Dialogs::TearDown();
    }
    dui::MProgress2* Bar() { return notice.GetControl<dui::MProgress2>(SaveWaitDlg::kBar); }

    SaveWaitDlg notice;
};

TEST_F(SaveNotice, CreatedCentredAndShownWithItsControls) {
    ASSERT_TRUE(notice.CreateNotice(&owner));
    EXPECT_EQ(notice.GetTitle(), "SaveWaitDlg");
    EXPECT_TRUE(notice.IsVisible());
    EXPECT_TRUE(notice.IsToolWindow());
    EXPECT_EQ(notice.GetWindowRect(), (Rect{100 + 400, 60 + 294, 100 + 900, 60 + 494}));

    auto* logo = notice.GetControl<dui::MPicture>(31);
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->GetImage(), "logo.png");
    EXPECT_EQ(logo->GetRect(), (Rect{10, 10, 270, 50})) << "the shipped logo is 260 x 40";

    auto* text = notice.GetControl<dui::MText>(32);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetRect(), (Rect{10, 100, 490, 130}));
    EXPECT_EQ(text->GetTitle(), "Saving your settings...");
    EXPECT_EQ(text->GetTextId(), 630);
    EXPECT_EQ(text->GetFontSize(), 20);
    EXPECT_EQ(text->GetTextColor(), dui::RgbToArgb(dui::Manager::Instance().m_select_color.load()));
    EXPECT_EQ(text->GetAlignment() & dui::kAlignCenter, dui::kAlignCenter);

    ASSERT_NE(Bar(), nullptr);
    EXPECT_EQ(Bar()->GetRect(), (Rect{10, 130, 480, 150}));
    EXPECT_EQ(Bar()->GetMax(), 100);
}

TEST_F(SaveNotice, CreationStartsTheHideTimer) {
    ASSERT_TRUE(notice.CreateNotice(&owner));
    EXPECT_TRUE(host.IsTimerRunning(notice, 200));
    host.AdvanceClock(2000);
    EXPECT_FALSE(notice.IsVisible());
    EXPECT_FALSE(host.IsTimerRunning(notice, 200));
}

TEST_F(SaveNotice, StartWaitAnimatesAndHidesAfterTwoSeconds) {
    ASSERT_TRUE(notice.CreateNotice(&owner));
    host.AdvanceClock(2000);
    Bar()->SetPos(40);
    notice.StartWait();
    EXPECT_TRUE(notice.IsVisible());
    EXPECT_TRUE(Bar()->IsAnimating());
    EXPECT_EQ(Bar()->GetPos(), 0);
    host.AdvanceClock(1999);
    EXPECT_TRUE(notice.IsVisible());
    host.AdvanceClock(1);
    EXPECT_FALSE(notice.IsVisible());
    EXPECT_FALSE(Bar()->IsAnimating()) << "no animation while hidden";
}

TEST_F(SaveNotice, ShownAgainWhileVisibleStaysAnotherTwoSeconds) {
    ASSERT_TRUE(notice.CreateNotice(&owner));
    notice.StartWait();
    host.AdvanceClock(1500);
    notice.StartWait();
    host.AdvanceClock(1999);
    EXPECT_TRUE(notice.IsVisible());
    EXPECT_TRUE(Bar()->IsAnimating());
    host.AdvanceClock(1);
    EXPECT_FALSE(notice.IsVisible());
}

TEST_F(SaveNotice, TextFollowsALanguageSwitch) {
    ASSERT_TRUE(notice.CreateNotice(&owner));
    Language::Instance().SetCurrentLanguage(2052);
    notice.ApplyTexts([](int id) { return GetLanguageText(id); });
    EXPECT_EQ(Title(notice, 32), "正在保存设置……");
}

// ---- about window ----

struct VersionCase {
    int release_number;
    const char* expected;
};

class AboutVersion : public Dialogs, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(AboutVersion, FirstAndLastTwoHexDigits) {
    EXPECT_EQ(AboutDlg::VersionText(GetParam().release_number), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Numbers, AboutVersion,
                         ::testing::Values(VersionCase{0x0102, "Version: v1.02"}, VersionCase{0, "Version: v0.0"},
                                           VersionCase{0x0201, "Version: v2.01"},
                                           VersionCase{0x01AB, "Version: v1.ab"},
                                           VersionCase{0x0007, "Version: v7.7"},
                                           VersionCase{0x0010, "Version: v1.10"},
                                           VersionCase{0x1234, "Version: v1.34"}));

class About : public Dialogs {
protected:
    // Runs the window over the owner and collects what it shows.
    struct Seen {
        std::string title;
        Rect rect;
        std::string version1, version2;
        bool modal = false;
    };
    Seen RunAbout(AboutDlg& about) {
        Seen seen;
        host.ScriptModal([&](dui::MWindow& window) {
            auto& dialog = dynamic_cast<AboutDlg&>(window);
            seen.title = dialog.GetTitle();
            seen.rect = dialog.GetWindowRect();
            seen.version1 = Title(dialog, 34);
            seen.version2 = Title(dialog, 33);
            seen.modal = dialog.IsModal();
            dialog.GetControl<dui::MButton>(30)->Click();
            return 5;
        });
        EXPECT_EQ(about.Run(&owner), 0) << "the close button ends the run";
        EXPECT_FALSE(about.IsCreated());
        return seen;
    }
};

TEST_F(About, ShowsTheCableEntrysReleaseNumber) {
    DeviceManager devices;
    devices.AddSupportedId(0x1209, 0x0002, 102, 1, "CV01");
    devices.AddSupportedId(0x1209, 0x0001, 102, 0, "CV01");
    auto sim = VirtualHidBackend::Create("v1-receiver,v1-wired");
    ASSERT_NE(sim, nullptr);
    devices.AddBackend(sim);
    ASSERT_EQ(devices.EnumerateDevice(), 2);
    devices.SetOpen(true);

    AboutDlg about(devices);
    const Seen seen = RunAbout(about);
    EXPECT_EQ(seen.title, "About Window");
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.rect, (Rect{100 + 400, 60 + 244, 100 + 900, 60 + 544})) << "centred on the owner";
    EXPECT_EQ(seen.version1, "Version: v1.02") << "0x0102 of the cable, not 0x0105 of the receiver";
    EXPECT_EQ(seen.version2, seen.version1);
    devices.CloseAll();
}

TEST_F(About, ReceiverAloneGivesZero) {
    DeviceManager devices;
    devices.AddSupportedId(0x1209, 0x0002, 102, 1, "CV01");
    auto sim = VirtualHidBackend::Create("v1-receiver");
    ASSERT_NE(sim, nullptr);
    devices.AddBackend(sim);
    ASSERT_EQ(devices.EnumerateDevice(), 1);
    devices.SetOpen(true);

    AboutDlg about(devices);
    EXPECT_EQ(RunAbout(about).version1, "Version: v0.0");
    devices.CloseAll();
}

TEST_F(About, ProcessDeviceManagerWithoutDevicesGivesZero) {
    AboutDlg about;
    EXPECT_EQ(RunAbout(about).version1, "Version: v0.0");
}

TEST_F(About, Controls) {
    DeviceManager devices;
    AboutDlg about(devices);
    auto check = [&](dui::MWindow& window) {
        auto& dialog = dynamic_cast<AboutDlg&>(window);
        EXPECT_FALSE(dialog.IsToolWindow());
        EXPECT_EQ(dialog.GetBackColor1() & 0xFFFFFFu, 0x1A1A1Au);
        EXPECT_EQ(dialog.GetBackColor2() & 0xFFFFFFu, 0x969696u);

        auto* close = dialog.GetControl<dui::CImageButton>(30);
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(close->GetRect(), (Rect{460, 15, 479, 34}));
        EXPECT_EQ(close->GetImage(), "sysbtn_close.png");
        EXPECT_EQ(close->GetTooltipId(), 5);
        EXPECT_EQ(close->GetTooltip(), "Close");

        auto* logo = dialog.GetControl<dui::MPicture>(32);
        ASSERT_NE(logo, nullptr);
        EXPECT_EQ(logo->GetRect(), (Rect{120, 80, 380, 120}));
        EXPECT_EQ(logo->GetImage(), "logo.png");

        EXPECT_EQ(dialog.GetControl(34)->GetRect(), (Rect{150, 150, 350, 185}));
        EXPECT_EQ(dialog.GetControl(33)->GetRect(), (Rect{150, 185, 350, 220}));
        auto* bottom = dialog.GetControl<dui::MText>(35);
        ASSERT_NE(bottom, nullptr);
        EXPECT_EQ(bottom->GetRect(), (Rect{10, 260, 490, 295}));
        EXPECT_EQ(bottom->GetTitle(), "Made for the Corvatt mice");
        EXPECT_EQ(bottom->GetTextId(), 2);
        for (int id : {33, 34, 35}) {
            auto* text = dialog.GetControl<dui::MText>(id);
            EXPECT_EQ(text->GetTextColor(), 0xFF969696u) << id;
            EXPECT_EQ(text->GetAlignment() & dui::kAlignCenter, dui::kAlignCenter) << id;
        }
    };
    host.ScriptModal([&](dui::MWindow& window) {
        check(window);
        return 0;
    });
    about.Run(&owner);
    EXPECT_EQ(host.PendingScripts(), 0u);
}

}  // namespace
}  // namespace corvatt
