#include "app/DeviceMainDlg.h"

#include "AppTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <cmath>

#include "app/DPIMsgDlg.h"
#include "app/Language.h"
#include "common/ui/CDeviceList.h"
#include "common/ui/CImageButton.h"
#include "common/ui/HeadlessHost.h"
#include "common/ui/MTabCtrl.h"
#include "common/ui/MText.h"
#include "common/ui/Manager.h"
#include "common/ui/Messages.h"
#include "device/DeviceManager.h"
#include "platform/MemoryLauncher.h"
#include "platform/MemoryRegistry.h"

namespace corvatt {
namespace {

constexpr const char* kKey = "SOFTWARE\\Corvatt";

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        const std::string install = testing::UseShippedData();
        m_registry.CreateKey(kKey);

        DeviceMainDlg::Context context;
        context.registry = &m_registry;
        context.launcher = &m_launcher;
        context.install_folder = install;
        context.install_folder_no_slash = CORVATT_TEST_DATA;
        m_window = std::make_unique<DeviceMainDlg>(context);
        m_window->MWindow::Create(nullptr, "MWindow", dui::WS_POPUP | dui::WS_VISIBLE, {0, 0, 1300, 788}, "Corvatt");
        // The worker's first rescan (no devices here) decides the view; the tests start after it.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!m_window->Queue().Empty() && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        m_host.PumpMessages();
    }

    dui::HeadlessHost m_host;
    MemoryRegistry m_registry;
    MemoryLauncher m_launcher;
    std::unique_ptr<DeviceMainDlg> m_window;
};

TEST_F(MainWindowTest, CreatesTheWindowControlsWithTheirClasses) {
    const std::pair<int, const char*> expected[] = {
        {30, "MPicture"},     {31, "MPicture"},     {32, "MPicture"},     {33, "MPicture"},
        {34, "MPicture"},     {35, "MText"},        {36, "MText"},        {37, "CTextButton"},
        {38, "CImageButton"}, {39, "CImageButton"}, {40, "CImageButton"}, {41, "CImageButton"},
        {43, "BatteryCtrl"},  {44, "CDeviceState"}, {45, "CIconButton"},  {46, "MButton"},
        {47, "MPicture"},     {48, "MTabCtrl"},     {57, "CDeviceList"},  {58, "MPicture"},
        {59, "MText"},        {60, "CImageButton"}, {61, "CImageButton"},
    };
    for (const auto& [id, class_name] : expected) {
        auto* control = m_window->GetControl(id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_EQ(control->GetClassName(), class_name) << id;
    }
    for (int page = 49; page <= 56; ++page) {
        ASSERT_NE(m_window->GetControl(page), nullptr) << page;
        EXPECT_EQ(m_window->GetControl(page)->GetClassName(), "MTabLayout") << page;
    }
    // Without a device the first rescan shows the no-device picture and text.
    EXPECT_TRUE(m_window->GetControl(58)->IsVisible());
    EXPECT_TRUE(m_window->GetControl(59)->IsVisible());
    EXPECT_EQ(m_window->GetControl<dui::MText>(59)->GetTitle(), GetLanguageText(56));
    EXPECT_EQ(m_window->GetControl(60)->GetTooltip(), GetLanguageText(85));
}

TEST_F(MainWindowTest, TabStripHasSixItemsWithTextsIconsAndPages) {
    auto* tabs = m_window->GetControl<dui::MTabCtrl>(48);
    ASSERT_NE(tabs, nullptr);
    const auto items = tabs->GetItems();
    ASSERT_EQ(items.size(), 6u);
    const int pages[] = {49, 50, 52, 53, 54, 55};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(items[i].item_id, i + 1);
        EXPECT_EQ(items[i].text_id, 71 + i);
        EXPECT_EQ(items[i].text, GetLanguageText(71 + i));
        EXPECT_FALSE(items[i].text.empty());
        EXPECT_EQ(items[i].page_id, pages[i]);
    }
    EXPECT_EQ(items[0].icon, "icon/tab_home.png");
    EXPECT_EQ(items[5].icon, "icon/tab_set.png");
}

TEST_F(MainWindowTest, CatalogueFillsTheListTheIdsAndTheVersionCaption) {
    auto* list = m_window->GetControl<dui::CDeviceList>(57);
    const auto rows = list->GetRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "Corvatt V1");
    EXPECT_EQ(rows[0].device_type, 102);
    EXPECT_EQ(rows[1].device_type, 201);
    EXPECT_FALSE(list->IsShown()) << "no device: the list gives way to the no-device notice";

    const auto ids = DeviceManager::Instance().SupportedIds();
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(ids[1].vendor_id, 0x1209);
    EXPECT_EQ(ids[1].product_id, 0x0002);
    EXPECT_EQ(ids[1].mode, 1);
    EXPECT_EQ(ids[1].identity, "CV01");

    EXPECT_EQ(m_window->GetControl<dui::MText>(36)->GetTitle(), GetLanguageText(17) + ": v1.0.0");
}

TEST_F(MainWindowTest, LayoutFollowsTheClientHeight) {
    const auto design = m_window->GetControl(38)->GetRect();
    EXPECT_DOUBLE_EQ(m_window->LayoutScale(), 1.0);

    m_window->HostSetRect({0, 0, 1650, 1000});
    EXPECT_DOUBLE_EQ(m_window->LayoutScale(), 1000 / 788.0);
    const auto scaled = m_window->GetControl(38)->GetRect();
    EXPECT_EQ(scaled.left, static_cast<int>(std::lround(design.left * 1000 / 788.0)));
    EXPECT_EQ(scaled.bottom, static_cast<int>(std::lround(design.bottom * 1000 / 788.0)));

    // Wider than the design's proportions: the backdrop fills the width, the title-bar buttons
    // keep to the right edge, the rest keeps its scaled place.
    const auto list_design = m_window->GetControl(57)->GetRect();
    m_window->HostSetRect({0, 0, 1920, 1000});
    EXPECT_EQ(m_window->GetControl(30)->GetRect().right, 1920);
    EXPECT_EQ(m_window->GetControl(38)->GetRect().right, 1920 - (1650 - scaled.right));
    EXPECT_EQ(m_window->GetControl(57)->GetRect().left, list_design.left);
    m_window->HostSetRect({0, 0, 1650, 1000});

    // Maximising shows the restore image; restoring brings the maximise image back.
    m_window->OnMessage(41, dui::kEventClick, 0);
    EXPECT_TRUE(m_window->IsMaximized());
    EXPECT_EQ(m_window->GetControl<dui::CImageButton>(41)->GetImage(), "sysbtn_restore.png");
    m_window->OnMessage(41, dui::kEventClick, 0);
    EXPECT_EQ(m_window->GetControl<dui::CImageButton>(41)->GetImage(), "sysbtn_maximize.png");
}

struct ExitModeCase {
    const char* stored;  // nullptr = absent
    bool ends;
};

TEST_F(MainWindowTest, CloseButtonFollowsExitMode) {
    for (const auto& c : {ExitModeCase{nullptr, true}, ExitModeCase{"1", false}, ExitModeCase{"abc", true},
                          ExitModeCase{"2", true}}) {
        SCOPED_TRACE(c.stored ? c.stored : "(absent)");
        dui::HeadlessHost host;
        m_window->ShowWindow(dui::SW_SHOW);
        if (c.stored) {
            m_registry.SetValue(kKey, "exit_mode", c.stored);
        } else {
            m_registry.DeleteValue(kKey, "exit_mode");
        }
        m_window->OnMessage(38, dui::kEventClick, 0);
        if (c.ends) {
            EXPECT_EQ(host.QuitCode(), 0);
        } else {
            EXPECT_FALSE(host.QuitCode().has_value());
            EXPECT_FALSE(m_window->IsVisible());
        }
    }
}

TEST_F(MainWindowTest, ExitMessageNeedsItsParameter) {
    m_window->PostMessage(DeviceMainDlg::kMsgExit, 0, 611);
    m_host.PumpMessages();
    EXPECT_FALSE(m_host.QuitCode().has_value());
    m_window->PostMessage(DeviceMainDlg::kMsgExit, 0, 610);
    m_host.PumpMessages();
    EXPECT_EQ(m_host.QuitCode(), 0);
    EXPECT_FALSE(m_host.GetTray().has_value());
}

TEST_F(MainWindowTest, TrayIconShowsTheWindowAndItsMenuExits) {
    const auto tray = m_host.GetTray();
    ASSERT_TRUE(tray.has_value());
    EXPECT_EQ(tray->id, 109u);
    EXPECT_EQ(tray->tip, "Corvatt");
    EXPECT_EQ(tray->callback_msg, 1690u);

    m_window->ShowWindow(dui::SW_HIDE);
    m_host.ClickTray(dui::WM_LBUTTONDOWN);
    m_host.PumpMessages();
    EXPECT_TRUE(m_window->IsVisible());

    m_host.ClickTray(dui::WM_RBUTTONUP);
    m_host.PumpMessages();
    const auto menu = m_host.LastMenu();
    ASSERT_EQ(menu.size(), 1u);
    EXPECT_EQ(menu[0].id, 100u);
    EXPECT_EQ(menu[0].text, GetLanguageText(12));
    m_host.ChooseMenuItem(100);
    m_host.PumpMessages();
    EXPECT_EQ(m_host.QuitCode(), 0);
}

TEST_F(MainWindowTest, HomeTabClosesTheSettingsPage) {
    m_window->OnMessage(40, dui::kEventClick, 0);
    EXPECT_TRUE(m_window->GetControl(56)->IsVisible());
    EXPECT_FALSE(m_window->GetControl(40)->IsVisible());

    m_window->OnMessage(48, 0, 0);  // routed whatever the event
    EXPECT_FALSE(m_window->GetControl(56)->IsVisible());
    EXPECT_TRUE(m_window->GetControl(40)->IsVisible());
    EXPECT_TRUE(m_window->GetControl(41)->IsVisible());
    EXPECT_FALSE(m_window->GetControl(48)->IsVisible());
    EXPECT_EQ(m_window->CurrentTab(), 1);
}

TEST_F(MainWindowTest, WebLinkOpensTheAddressWithTheShell) {
    m_launcher.AddProgram("xdg-open");
    m_window->OnMessage(37, dui::kEventClick, 0);
    const auto started = m_launcher.Started();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0], (std::vector<std::string>{"xdg-open", "https://corvatt.example.org/"}));
}

}  // namespace
}  // namespace corvatt

namespace corvatt {
namespace {

TEST_F(MainWindowTest, ProfileButtonWithoutADeviceExplains) {
    m_window->OnMessage(45, dui::kEventClick, 0);
    const auto titles = m_host.ModalTitles();
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0], "MessageBox");
}

class CountingPage : public PageHandler {
public:
    int OnPageMessage(int id, int event, intptr_t) override {
        last_id = id;
        last_event = event;
        return 1;
    }
    int last_id = 0;
    int last_event = -1;
};

TEST_F(MainWindowTest, NotificationsReachTheirPageHandler) {
    CountingPage dpi;
    m_window->SetPageHandler(PageRoute::kDpi, &dpi);
    EXPECT_EQ(m_window->OnMessage(139, 5, 0), 1);
    EXPECT_EQ(dpi.last_id, 139);
    EXPECT_EQ(dpi.last_event, 5);
    EXPECT_EQ(m_window->OnMessage(145, 0, 0), 0);  // activation only
    EXPECT_EQ(m_window->OnMessage(67, 2, 0), 0);   // the button page has no handler yet
}

}  // namespace
}  // namespace corvatt

namespace corvatt {
namespace {

TEST_F(MainWindowTest, OwnsTheHiddenDpiNoticeAndOpensTheAboutWindow) {
    ASSERT_NE(m_window->DpiNotice(), nullptr);
    EXPECT_FALSE(m_window->DpiNotice()->IsVisible());
    EXPECT_TRUE(m_window->DpiNotice()->IsTopMost());

    m_window->PostMessage(dui::WM_COMMAND, DeviceMainDlg::kMenuAbout, 0);
    m_host.PumpMessages();
    const auto titles = m_host.ModalTitles();
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0], "About Window");
}

}  // namespace
}  // namespace corvatt
