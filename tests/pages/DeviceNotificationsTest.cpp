#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ui/DPISlider.h"
#include "common/ui/MComboBox.h"
#include "PageFixture.h"
#include "platform/Log.h"

namespace corvatt::testing {
namespace {

class NotificationsTest : public PageFixture {
protected:
    void TearDown() override {
        Log::SetSink({});
        Log::SetVerbosity(0);
        PageFixture::TearDown();
    }
    void CaptureLog() {
        Log::SetVerbosity(1);
        Log::SetSink([this](std::string_view line) { log.emplace_back(line); });
    }
    // A page with six stages and stage 1 selected.
    int SixStagesSecondSelected() {
        const int id = Connect("v1-wired");
        Set("dpi_count", "6");
        Set("dpi_index", "1");
        page.Load();
        return id;
    }
    void Handle(std::vector<std::uint8_t> report, int type = 102) {
        report.resize(DeviceNotifications::kReportSize);
        notifications.HandleReport(report.data(), type);
    }
    std::vector<std::string> log;
};

TEST_F(NotificationsTest, DpiStateFromTheMouseButton) {
    const int id = SixStagesSecondSelected();
    ASSERT_EQ(page.ListedStageCount(), 6);
    ASSERT_EQ(page.LastSelectedStage(), 1);
    const auto requests = sim->State(id)->requests.size();
    CaptureLog();

    sim->PushInputReport(id, {0xC2, 0x25, 0, 0, 0, 0});
    EXPECT_EQ(notifications.PollNotifications(), 0xC2);

    EXPECT_EQ(Value("dpi_count"), "5");
    EXPECT_EQ(Value("dpi_index"), "2");
    EXPECT_EQ(Control<dui::MComboBox>(120)->GetCurData(), 5);
    EXPECT_EQ(Stages()->GetItemCount(), 5);
    EXPECT_EQ(Stages()->GetSelectItem(), 2);
    EXPECT_EQ(Control<dui::DPISlider>(117)->GetPos(), DpiToSliderPosition(17, Stages()->GetDPIValue(2)));
    EXPECT_EQ(page.ListedStageCount(), 5);
    EXPECT_EQ(page.LastSelectedStage(), 2);
    EXPECT_EQ(ui.Count(text::Format("dpi notice %d", Stages()->GetDPIValue(2))), 1);
    EXPECT_EQ(sim->State(id)->requests.size(), requests);  // nothing sent back
    EXPECT_EQ(log, std::vector<std::string>{"mouse notify data: C2 25 00 00 00 00"});

    // The same state again: nothing is written or shown.
    Set("dpi_index", "4");
    Set("dpi_count", "3");
    sim->PushInputReport(id, {0xC2, 0x25, 0, 0, 0, 0});
    notifications.PollNotifications();
    EXPECT_EQ(Value("dpi_index"), "4");
    EXPECT_EQ(Value("dpi_count"), "3");
    EXPECT_EQ(Stages()->GetItemCount(), 5);
    EXPECT_EQ(ui.Count(text::Format("dpi notice %d", Stages()->GetDPIValue(2))), 1);
}

TEST_F(NotificationsTest, StageChangeAloneKeepsTheList) {
    const int id = SixStagesSecondSelected();
    sim->SendDpiState(id, 4, 6);
    notifications.PollNotifications();
    EXPECT_EQ(Value("dpi_count"), "6");
    EXPECT_EQ(Value("dpi_index"), "4");
    EXPECT_EQ(Stages()->GetSelectItem(), 4);
    EXPECT_EQ(Stages()->GetItemCount(), 6);
}

TEST_F(NotificationsTest, ImpossibleDpiStatesAreNotTaken) {
    SixStagesSecondSelected();
    for (std::uint8_t state : {0x00, 0x07, 0x1F, 0x63}) {  // no stages, 7 and 15 stages, stage 6 of 3
        Handle({0xC2, state});
        EXPECT_EQ(Value("dpi_count"), state == 0x63 ? "3" : "6") << int(state);
        EXPECT_EQ(Value("dpi_index"), "1") << int(state);
    }
    EXPECT_EQ(Stages()->GetItemCount(), 3);
}

TEST_F(NotificationsTest, OtherReportsOnlyLog) {
    SixStagesSecondSelected();
    CaptureLog();
    ui.calls.clear();
    Handle({0x55, 1, 2, 3, 4, 5, 6});
    Handle({0x00, 0xC2, 0x25});
    EXPECT_EQ(log, std::vector<std::string>{"mouse notify data: 55 01 02 03 04 05"});
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(Value("dpi_count"), "6");
}

TEST_F(NotificationsTest, ReceiverLosesTheMouse) {
    const int id = Connect("v1-receiver");
    CaptureLog();
    bool stopped = false;
    notifications.SetRecordingStopper([&] { stopped = true; });
    ui.online_devices = 0;
    ui.calls.clear();

    ASSERT_TRUE(sim->SetMouseOn(id, false));
    int seen = 0;
    for (int i = 0; i < 5 && seen != 0xC0; ++i) seen = notifications.PollNotifications();
    ASSERT_EQ(seen, 0xC0);

    const std::vector<std::string> expected = {"close popups", "disconnected", "caption T50", "unlinked view",
                                               "device state 102 1 0", "no-device picture"};
    EXPECT_EQ(ui.calls, expected);
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(ui.connected);
    bool logged = false;
    for (const std::string& line : log) logged = logged || line == "上报dongle和设备的连接状态: 0";
    EXPECT_TRUE(logged);
}

TEST_F(NotificationsTest, StatusReportsInDetail) {
    Connect("v1-receiver");
    bool stopped = false;
    notifications.SetRecordingStopper([&] { stopped = true; });

    struct Case {
        int online;
        std::vector<std::uint8_t> report;
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases = {
        {2, {0xC0, 0, 0, 9}, {"close popups", "disconnected", "caption T50", "unlinked view", "device state 102 1 0",
                              "device list"}},
        {0, {0xC0, 2, 0, 9}, {"close popups", "disconnected", "caption T50", "unlinked view", "device state 102 1 0",
                              "no-device picture"}},
        {0, {0xC0, 0, 60, 2}, {"close popups", "disconnected", "caption T50", "unlinked view", "device state 102 1 0",
                               "no-device picture", "battery 60 2"}},
    };
    for (const Case& c : cases) {
        ui.calls.clear();
        stopped = false;
        ui.online_devices = c.online;
        Handle(c.report);
        EXPECT_EQ(ui.calls, c.calls);
        EXPECT_TRUE(stopped);
    }
}

TEST_F(NotificationsTest, ReceiverLinksTheMouseAgain) {
    Connect("v1-receiver");
    Set("dpi_group0_value", "1000");
    ui.connected = false;
    ui.calls.clear();
    Handle({0xC0, 1, 0, 0});
    // The information read between the two refreshes shows the battery from the block.
    ASSERT_EQ(ui.calls.size(), 12u);
    EXPECT_EQ(ui.calls[8].rfind("battery ", 0), 0u);
    ui.calls.erase(ui.calls.begin() + 8);
    const std::vector<std::string> expected = {
        "close popups", "connected", "linked view", "caption T52", "device state 102 1 1",
        "refresh buttons", "refresh macros", "refresh dpi", "refresh buttons", "refresh macros", "refresh dpi"};
    EXPECT_EQ(ui.calls, expected);
    EXPECT_TRUE(ui.connected);
    EXPECT_EQ(Stages()->GetDPIValue(0), 1000);  // the page shows the store, not the mouse, after a first read

    ui.calls.clear();
    Handle({0xC0, 1, 80, 3});
    EXPECT_EQ(ui.calls.back(), "battery 80 3");
}

}  // namespace
}  // namespace corvatt::testing
