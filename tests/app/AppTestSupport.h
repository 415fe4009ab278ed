#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/DeviceMainDlg.h"
#include "app/Language.h"
#include "common/ui/CDeviceList.h"
#include "common/ui/CDeviceState.h"
#include "common/ui/HeadlessHost.h"
#include "common/ui/Manager.h"
#include "platform/MemoryLauncher.h"
#include "platform/MemoryRegistry.h"
#include "sim/SimulatorActions.h"
#include "sim/VirtualHidBackend.h"
#include "store/ConfigStore.h"

namespace corvatt::testing {

// A fresh folder under the temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::temp_directory_path() /
                 (std::string("corvatt-app-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }
    std::string Path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

inline constexpr const char* kKey = "SOFTWARE\\Corvatt";
inline constexpr int kV1 = 102;
inline constexpr int kV2 = 201;

// The shipped data folder as the installation: skin, language files, English. Returns the
// folder with a trailing "/".
inline std::string UseShippedData() {
    const std::string install = std::string(CORVATT_TEST_DATA) + "/";
    dui::Manager::Instance().SetDeviceName("Corvatt");
    dui::Manager::Instance().SetSkinRoot(install + "skins/default/");
    Language::Instance().SetInstallFolder(install);
    Language::Instance().SetCurrentLanguage(1033);
    return install;
}

// The main window over virtual devices, with its worker thread running for real.
class LiveWindowTest : public ::testing::Test {
protected:
    void Start(const char* devices) {
        const std::string install = UseShippedData();
        m_registry.CreateKey(kKey);

        m_sim = VirtualHidBackend::Create(devices);
        ASSERT_NE(m_sim, nullptr);
        DeviceMainDlg::Context context;
        context.registry = &m_registry;
        context.launcher = &m_launcher;
        context.install_folder = install;
        context.install_folder_no_slash = CORVATT_TEST_DATA;
        context.data_folder = m_data.Path() + "/";
        std::filesystem::create_directories(m_data.Path() + "/db");
        context.backends = {m_sim};
        context.simulator_actions = MakeSimulatorActions(m_sim, m_menu_names);
        context.languages = m_languages;
        context.autostart = m_autostart_entry;
        context.executable_path = "/opt/corvatt dir/corvatt";
        auto sim = m_sim;
        context.connect_device_events = [sim](DeviceMainDlg::Context::DeviceEventHandler handler) {
            sim->SetDeviceChangeHook(std::move(handler));
            return std::function<void()>([sim] { sim->SetDeviceChangeHook(nullptr); });
        };
        m_window = std::make_unique<DeviceMainDlg>(context);
        ASSERT_TRUE(m_window->MWindow::Create(nullptr, "MWindow", dui::WS_POPUP | dui::WS_VISIBLE,
                                              {0, 0, 1300, 788}, "Corvatt"));
    }

    void TearDown() override {
        m_window.reset();
        ConfigStore::Instance().CloseDatabase();
    }

    // Pumps the UI thread's messages until the condition holds (or 5 s pass).
    template <class Condition>
    bool WaitFor(Condition condition) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < end) {
            m_host.PumpMessages();
            if (condition()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        m_host.PumpMessages();
        return condition();
    }
    // The queue is empty and the worker has had time to finish the step it took.
    void Settle() {
        WaitFor([&] { return m_window->Queue().Empty(); });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        m_host.PumpMessages();
    }

    dui::CDeviceList* List() { return m_window->GetControl<dui::CDeviceList>(57); }
    std::string Caption() { return m_window->GetControl<dui::CDeviceState>(44)->GetTitle(); }
    bool Shown(int id) { return m_window->GetControl(id)->IsVisible(); }

    TempFolder m_data;
    // What the fixture's window is given; set before Start.
    std::vector<int> m_languages{1033, 2052};
    Autostart* m_autostart_entry = nullptr;
    std::vector<std::string> m_menu_names;  // the devices given the tray's simulator entries
    dui::HeadlessHost m_host;
    MemoryRegistry m_registry;
    MemoryLauncher m_launcher;
    std::shared_ptr<VirtualHidBackend> m_sim;
    std::unique_ptr<DeviceMainDlg> m_window;
};

}  // namespace corvatt::testing
