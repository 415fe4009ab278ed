// The DPI page inside the main window, on the virtual mice with the worker running: what the
// user types reaches the mouse, and what the mouse reports by itself reaches the page.
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/DPIMsgDlg.h"
#include "common/text/Text.h"
#include "common/ui/DPIControl.h"
#include "common/ui/DPISlider.h"
#include "common/ui/MComboBox.h"
#include "common/ui/MTabCtrl.h"
#include "common/ui/ReporteCtrl.h"
#include "device/DeviceManager.h"
#include "protocol/SensorTable.h"

namespace corvatt {
namespace {

using testing::kV1;
using testing::kV2;

class DpiPageLiveTest : public testing::LiveWindowTest {
protected:
    // Starts on the devices, opens the model and shows its DPI page.
    void OpenDpiPage(const char* devices, int device_type) {
        Start(devices);
        ASSERT_TRUE(WaitFor([&] { return List()->IsDeviceOnline(device_type); }));
        Settle();
        List()->SetSelectDevice(device_type);
        m_window->OnMessage(57, dui::kEventClick, device_type);
        Settle();
        ASSERT_EQ(m_window->GetControl<dui::MTabCtrl>(48)->UserSelect(2), 1);
        m_host.PumpMessages();
    }

    dui::DPIControl* Stages() { return m_window->GetControl<dui::DPIControl>(116); }
    dui::DPISlider* Slider() { return m_window->GetControl<dui::DPISlider>(117); }
    std::string Stored(const std::string& key) {
        std::string value;
        ConfigStore::Instance().GetConfigValue(m_window->CurrentProfile(), key, value);
        return value;
    }
    VirtualSettings Mouse(int id) { return m_sim->State(id)->settings; }
};

TEST_F(DpiPageLiveTest, OpenedV1ShowsItsStagesAndSensorRange) {
    OpenDpiPage("v1-wired", kV1);
    EXPECT_TRUE(Shown(52));
    EXPECT_FALSE(Shown(50));
    EXPECT_EQ(m_window->CurrentTab(), 3);

    // The page was loaded from the model's new profile and the slider follows sensor 17.
    EXPECT_EQ(m_window->State().Info().sensor.sensor_code, 17);
    EXPECT_EQ(Stages()->GetItemCount(), text::ToInt(Stored("dpi_count")));
    EXPECT_EQ(Stages()->GetSelectItem(), text::ToInt(Stored("dpi_index")));
    EXPECT_EQ(Slider()->GetHighDesc(), "24000");
    EXPECT_EQ(m_window->GetControl<dui::ReporteCtrl>(125)->GetItemCount(), 4);
    // V1 shows every group of the page.
    for (int id : {129, 130, 134, 139}) EXPECT_TRUE(m_window->GetControl(id)->IsVisible()) << id;
}

TEST_F(DpiPageLiveTest, TypedStageValueIsStoredSentAndHeldByTheMouse) {
    OpenDpiPage("v1-wired", kV1);
    const int id = m_sim->PluggedIds().front();
    Stages()->CommitEdit(2, "10150");
    EXPECT_EQ(Stored("dpi_group2_value"), "10100");
    EXPECT_EQ(Stages()->GetEditText(2), "10100");
    const int expected = EncodeDpi(17, 10100);
    EXPECT_TRUE(WaitFor([&] { return Mouse(id).dpi_codes[2] == expected; }));

    // The stage-count box through the window's routing: the mouse holds the new count.
    m_window->GetControl<dui::MComboBox>(120)->ChooseItem(1);  // two stages
    EXPECT_TRUE(WaitFor([&] { return Mouse(id).dpi_count == 2; }));
    EXPECT_EQ(Stages()->GetItemCount(), 2);
}

TEST_F(DpiPageLiveTest, DpiButtonOnTheMouseMovesThePageAndShowsTheNotice) {
    OpenDpiPage("v1-wired", kV1);
    const int id = m_sim->PluggedIds().front();
    // The page and the mouse agree first (the window sent the stored stages when it opened).
    Stages()->CommitEdit(0, "800");
    ASSERT_TRUE(WaitFor([&] { return Mouse(id).dpi_codes[0] == EncodeDpi(17, 800); }));
    const int before = Stages()->GetSelectItem();
    const int count = Stages()->GetItemCount();
    ASSERT_GT(count, 1);

    ASSERT_TRUE(m_sim->PressDpiButton(id));
    const int next = Mouse(id).dpi_index;
    EXPECT_TRUE(WaitFor([&] { return Stages()->GetSelectItem() == next; })) << "was " << before;
    EXPECT_EQ(Stored("dpi_index"), text::Format("%d", next));
    EXPECT_EQ(Slider()->GetPos(), DpiToSliderPosition(17, Stages()->GetDPIValue(next)));
    // V1 enables DPI tips: the notice in the corner shows the stage's value.
    ASSERT_NE(m_window->DpiNotice(), nullptr);
    EXPECT_TRUE(WaitFor([&] { return m_window->DpiNotice()->IsVisible(); }));
}

TEST_F(DpiPageLiveTest, V2HasSevenRatesItsSensorAndOnlyTheLiftOffGroup) {
    OpenDpiPage("v1-wired,v2-wired", kV1);
    // Opening the other model reads its settings and values again, whatever the connection.
    m_window->GetControl<dui::MTabCtrl>(48)->UserSelect(0);
    List()->SetSelectDevice(kV2);
    m_window->OnMessage(57, dui::kEventClick, kV2);
    ASSERT_TRUE(WaitFor([&] { return m_window->State().Info().sensor.sensor_code == 150; }));
    Settle();
    m_window->GetControl<dui::MTabCtrl>(48)->UserSelect(2);

    EXPECT_EQ(m_window->GetControl<dui::ReporteCtrl>(125)->GetItemCount(), 7);
    EXPECT_EQ(Slider()->GetHighDesc(), "32000");
    EXPECT_TRUE(m_window->GetControl(129)->IsVisible());
    EXPECT_FALSE(m_window->GetControl(134)->IsVisible());
    EXPECT_FALSE(m_window->GetControl(139)->IsVisible());
    EXPECT_TRUE(std::filesystem::exists(m_data.Path() + "/db/corvatt_v2_data1.db"));
    // The choice holds once the worker has settled.
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    Settle();
    EXPECT_EQ(m_window->CurrentDeviceType(), kV2);
    EXPECT_EQ(m_window->State().Info().sensor.sensor_code, 150);
}

TEST_F(DpiPageLiveTest, ReceiverLinkLostAndBackChangesTheView) {
    OpenDpiPage("v1-receiver", kV1);
    const int id = m_sim->PluggedIds().front();
    ASSERT_TRUE(m_window->DeviceConnected());

    ASSERT_TRUE(m_sim->SetMouseOn(id, false));
    ASSERT_TRUE(WaitFor([&] { return !m_window->DeviceConnected(); }));
    Settle();
    EXPECT_EQ(Caption(), GetLanguageText(50));
    EXPECT_FALSE(Shown(48));
    EXPECT_TRUE(Shown(49));
    // No other device is online: the no-device notice instead of the list.
    EXPECT_TRUE(Shown(58));
    EXPECT_FALSE(Shown(57));

    ASSERT_TRUE(m_sim->SetMouseOn(id, true));
    ASSERT_TRUE(WaitFor([&] { return m_window->DeviceConnected(); }));
    Settle();
    EXPECT_EQ(Caption(), GetLanguageText(52));
    EXPECT_TRUE(Shown(48));
    EXPECT_EQ(m_window->GetControl<dui::MTabCtrl>(48)->GetSelectItem(), 1);
    EXPECT_TRUE(Shown(50));
    EXPECT_FALSE(Shown(58));
}

TEST_F(DpiPageLiveTest, LinkLostWhileTheColourDialogIsOpenClosesItWithoutAColour) {
    OpenDpiPage("v1-receiver", kV1);
    const int id = m_sim->PluggedIds().front();
    const std::uint32_t before = Stages()->GetDPIColorValue(0);
    bool closed = false;
    m_host.ScriptModal([&](dui::MWindow& dialog) {
        // The receiver reports the mouse gone while the dialog is up.
        m_sim->SetMouseOn(id, false);
        closed = WaitFor([&] { return !dialog.IsVisible(); });
        return 1;  // what OK would give, had the dialog stayed open
    });
    Stages()->ClickColor(0);
    EXPECT_TRUE(closed) << "a hidden modal dialog would leave the window blocked";
    EXPECT_EQ(m_host.ModalTitles().back(), "PaletteDlg");
    EXPECT_EQ(Stages()->GetDPIColorValue(0), before);
    EXPECT_EQ(Stored("dpi_group0_rgb"), text::Format("%u", before));
}

TEST_F(DpiPageLiveTest, TrayMenuDrivesTheVirtualMouse) {
    m_menu_names = {"v1-receiver"};
    OpenDpiPage("v1-receiver", kV1);
    const int id = m_sim->PluggedIds().front();
    m_host.ClickTray(dui::WM_RBUTTONUP);
    m_host.PumpMessages();
    auto menu = m_host.LastMenu();
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].text, "Virtual v1-receiver: press the DPI button");
    EXPECT_EQ(menu[1].text, "Virtual v1-receiver: switch the wireless mouse off");
    EXPECT_EQ(menu[2].id, 100u);

    // The DPI button: the mouse moves to its next stage and the page follows.
    ASSERT_TRUE(m_host.ChooseMenuItem(menu[0].id));
    m_host.PumpMessages();
    const int stage = Mouse(id).dpi_index;
    EXPECT_TRUE(WaitFor([&] { return Stages()->GetSelectItem() == stage; }));

    // The switch: the link is lost, and the entry now offers to switch it back on.
    m_host.ClickTray(dui::WM_RBUTTONUP);
    m_host.PumpMessages();
    ASSERT_TRUE(m_host.ChooseMenuItem(menu[1].id));
    m_host.PumpMessages();
    EXPECT_TRUE(WaitFor([&] { return !m_window->DeviceConnected(); }));
    m_host.ClickTray(dui::WM_RBUTTONUP);
    m_host.PumpMessages();
    menu = m_host.LastMenu();
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[1].text, "Virtual v1-receiver: switch the wireless mouse on");
}

}  // namespace
}  // namespace corvatt
