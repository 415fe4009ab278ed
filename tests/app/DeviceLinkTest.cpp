// The main window on the virtual devices: rescans, the device-list refresh, the three views,
// opening a device and hot-plug, with the worker thread running for real.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <filesystem>
#include <thread>

#include "AppTestSupport.h"
#include "app/DeviceMainDlg.h"
#include "app/Language.h"
#include "common/ui/CDeviceList.h"
#include "common/ui/CDeviceState.h"
#include "common/ui/HeadlessHost.h"
#include "common/ui/MTabCtrl.h"
#include "common/ui/MText.h"
#include "common/ui/Manager.h"
#include "common/ui/Messages.h"
#include "device/DeviceManager.h"
#include "platform/MemoryLauncher.h"
#include "platform/Log.h"
#include "platform/MemoryRegistry.h"
#include "platform/Registry.h"
#include "sim/VirtualHidBackend.h"
#include "store/ConfigStore.h"

namespace corvatt {
namespace {

using DeviceLinkTest = testing::LiveWindowTest;
using testing::kKey;
using testing::kV1;
using testing::kV2;

TEST_F(DeviceLinkTest, CableAndReceiverTogetherShowTheModelOnlineAndOpenByCable) {
    Start("v1-wired,v1-receiver");
    ASSERT_TRUE(WaitFor([&] { return m_window->DevicePresent() && List()->IsDeviceOnline(kV1); }));
    Settle();
    EXPECT_EQ(m_window->CurrentDeviceType(), kV1);
    EXPECT_EQ(ReadRegistryDecimal(m_registry, kKey, "DeviceType"), kV1);
    EXPECT_TRUE(m_window->DeviceConnected());
    EXPECT_EQ(DeviceManager::Instance().GetConnectionKind(), 0);  // the cable wins
    EXPECT_FALSE(List()->IsDeviceOnline(kV2));

    // The device-list view, and the model's database with its four profiles.
    EXPECT_TRUE(Shown(57));
    EXPECT_FALSE(Shown(48));
    EXPECT_FALSE(Shown(59));
    EXPECT_TRUE(std::filesystem::exists(m_data.Path() + "/db/corvatt_v1_data1.db"));
    std::vector<ProfileRecord> profiles;
    EXPECT_EQ(ConfigStore::Instance().GetProfiles(profiles), 4);
    EXPECT_EQ(m_window->CurrentProfile(), 1);

    // Opening by cable: caption text 51, the tab strip, and no re-read queued.
    m_window->OnMessage(57, dui::kEventClick, kV1);
    EXPECT_EQ(Caption(), GetLanguageText(51));
    EXPECT_TRUE(Shown(44));
    EXPECT_TRUE(Shown(48));
    EXPECT_EQ(m_window->GetControl<dui::MTabCtrl>(48)->GetSelectItem(), 0);
    EXPECT_TRUE(m_window->Queue().Empty());
}

TEST_F(DeviceLinkTest, OpeningThroughTheReceiverQueuesTheReRead) {
    Start("v1-receiver");
    ASSERT_TRUE(WaitFor([&] { return List()->IsDeviceOnline(kV1); }));
    Settle();
    EXPECT_EQ(DeviceManager::Instance().GetConnectionKind(), 1);
    EXPECT_EQ(Caption(), GetLanguageText(52));
    EXPECT_FALSE(Shown(44));  // set, then hidden in the list view

    m_window->OnMessage(57, dui::kEventClick, kV1);
    EXPECT_EQ(Caption(), GetLanguageText(52));
    EXPECT_TRUE(Shown(44));
}

TEST_F(DeviceLinkTest, ReceiverWithoutItsMouseCannotBeOpened) {
    Start("v1-receiver");
    ASSERT_TRUE(WaitFor([&] { return m_window->DevicePresent(); }));
    Settle();
    // The receiver reports its mouse unreachable (the notification handling applies this).
    DeviceManager::Instance().SetOnlineState(kV1, 1, 0);
    EXPECT_FALSE(DeviceManager::Instance().HasDeviceInfo(kV1));

    List()->SetSelectIndex(0);
    m_window->OnMessage(57, dui::kEventClick, kV1);
    const auto titles = m_host.ModalTitles();
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.back(), "MessageBox");
    EXPECT_FALSE(Shown(48));  // the view does not change
    EXPECT_TRUE(m_window->Queue().Empty());
}

TEST_F(DeviceLinkTest, UnplugOneOfTwoKeepsTheListAndTheLastShowsTheNoDeviceView) {
    Start("v1-wired,v1-receiver");
    ASSERT_TRUE(WaitFor([&] { return List()->IsDeviceOnline(kV1); }));
    Settle();
    const auto ids = m_sim->PluggedIds();
    ASSERT_EQ(ids.size(), 2u);

    // The cable goes: a refresh 500 ms later finds the receiver.
    m_sim->Unplug(ids[0]);
    ASSERT_TRUE(WaitFor([&] { return DeviceManager::Instance().GetConnectionKind() == 1; }));
    Settle();
    EXPECT_TRUE(m_window->DevicePresent());
    EXPECT_TRUE(Shown(57));
    EXPECT_EQ(m_window->CurrentDeviceType(), kV1);

    // The receiver goes too: the no-device view with text 50, and no more idle polling.
    m_sim->Unplug(ids[1]);
    ASSERT_TRUE(WaitFor([&] { return !m_window->DevicePresent(); }));
    Settle();
    EXPECT_EQ(Caption(), GetLanguageText(50));
    EXPECT_TRUE(Shown(58));
    EXPECT_TRUE(Shown(59));
    EXPECT_FALSE(Shown(57));
    EXPECT_FALSE(m_window->DeviceConnected());
}

TEST_F(DeviceLinkTest, ArrivalRescansAndSelectsTheConnectedModel) {
    Start("v1-wired");
    ASSERT_TRUE(WaitFor([&] { return List()->IsDeviceOnline(kV1); }));
    Settle();

    // The remembered type names a model that is not connected: the connected one is chosen.
    WriteRegistryDecimal(m_registry, kKey, "DeviceType", kV2);
    m_window->QueueTask(1);
    Settle();
    EXPECT_EQ(m_window->CurrentDeviceType(), kV1);

    m_sim->Plug("v2-wired");
    ASSERT_TRUE(WaitFor([&] { return List()->IsDeviceOnline(kV2); }));
    Settle();
    EXPECT_EQ(List()->GetOnlineDevCount(), 2);
    EXPECT_TRUE(std::filesystem::exists(m_data.Path() + "/db/corvatt_v1_data1.db"));
}

TEST_F(DeviceLinkTest, FirstConnectionReadsTheMouseSettingsIntoTheActiveProfile) {
    std::mutex mutex;
    std::vector<std::string> sent;
    Log::SetVerbosity(2);
    Log::SetSink([&](std::string_view line) {
        if (line.substr(0, 6) != "TX 00 ") return;
        std::lock_guard lock(mutex);
        sent.emplace_back(line.substr(6, 2));
    });
    Start("v1-wired");
    ASSERT_TRUE(WaitFor([&] { return m_window->DevicePresent(); }));
    Settle();
    ASSERT_TRUE(WaitFor([&] {
        std::lock_guard lock(mutex);
        return std::find(sent.begin(), sent.end(), "17") != sent.end();
    }));
    Log::SetSink(nullptr);
    Log::SetVerbosity(0);

    // The information request, then the read commands in order.
    {
        std::lock_guard lock(mutex);
        auto at = std::find(sent.begin(), sent.end(), "10");
        ASSERT_NE(at, sent.end());
        for (const char* command : {"11", "12", "13", "14", "15", "16", "17"}) {
            at = std::find(at, sent.end(), command);
            EXPECT_NE(at, sent.end()) << command;
        }
    }

    const auto mouse = m_sim->State(m_sim->PluggedIds().at(0))->settings;
    auto stored = [&](const char* key) {
        std::string value;
        ConfigStore::Instance().GetConfigValue(m_window->CurrentProfile(), key, value);
        return value;
    };
    EXPECT_EQ(stored("report_rate"), std::to_string(mouse.report_rate));
    EXPECT_EQ(stored("liftoff_height"), std::to_string(mouse.liftoff));
    EXPECT_EQ(stored("button_respondtime"), std::to_string(mouse.button_respondtime));
    EXPECT_EQ(stored("dpi_count"), std::to_string(mouse.dpi_count));

    // A stored change reaches the mouse through its task.
    const int new_rate = mouse.report_rate == 8 ? 4 : 8;
    ConfigStore::Instance().SetConfigValue(m_window->CurrentProfile(), "report_rate", std::to_string(new_rate));
    m_window->QueueTask(11);
    EXPECT_TRUE(WaitFor([&] { return m_sim->State(m_sim->PluggedIds().at(0))->settings.report_rate == new_rate; }));
}

}  // namespace
}  // namespace corvatt
