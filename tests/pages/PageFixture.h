#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/text/Text.h"
#include "common/ui/DPIControl.h"
#include "common/ui/HeadlessHost.h"
#include "common/ui/MDialog.h"
#include "device/DeviceManager.h"
#include "pages/PageHost.h"
#include "pages/PerformancePage.h"
#include "profile/ProfileSetup.h"
#include "protocol/DeviceNotifications.h"
#include "protocol/ProtocolTasks.h"
#include "sim/VirtualHidBackend.h"
#include "sim/VirtualModel.h"
#include "store/ConfigStore.h"

namespace corvatt::testing {

// The window the page lives on: routes every notification to the page, as the main window does.
class PageWindow : public dui::MDialog {
public:
    int OnMessage(int id, int event, intptr_t param) override {
        return page != nullptr ? page->OnPageMessage(id, event, param) : 0;
    }
    PageHandler* page = nullptr;
};

// Records the screen effects of the protocol and the notifications; the DPI page's reloads go
// to the page, as the main window wires them.
class RecordingUi : public NotificationUi {
public:
    std::string LanguageText(int id) override { return text::Format("T%d", id); }
    void ShowBattery(int level, int second) override { Add(text::Format("battery %d %d", level, second)); }
    void ShowDeviceBattery(int, int, int) override {}
    void ShowDpiRange(const std::string&, const std::string&, int, int) override {}
    void SetInformationLine(int, const std::string&) override {}
    void ClosePopups() override { Add("close popups"); }
    void SetDeviceState(int type, int mode, int state) override {
        Add(text::Format("device state %d %d %d", type, mode, state));
    }
    void SetConnectionCaption(const std::string& text) override { Add("caption " + text); }
    bool IsDeviceConnected() override { return connected; }
    void SetDeviceConnected(bool c) override {
        connected = c;
        Add(c ? "connected" : "disconnected");
    }
    void RefreshButtonPage() override { Add("refresh buttons"); }
    void RefreshMacroLists() override { Add("refresh macros"); }
    void RefreshDpiPage() override {
        Add("refresh dpi");
        if (page != nullptr) page->Load();
    }
    void RefreshLightingList() override { Add("refresh lighting"); }
    void ReloadDpiControls() override {
        Add("reload dpi controls");
        if (page != nullptr) page->Load();
    }
    void SetCurrentProfile(int profile) override { Add(text::Format("profile %d", profile)); }
    void ShowLinkedView() override { Add("linked view"); }
    void ShowUnlinkedView() override { Add("unlinked view"); }
    int OnlineDeviceCount() override { return online_devices; }
    void ShowDeviceList(bool show) override { Add(show ? "device list" : "no-device picture"); }
    void ShowDpiNotice(int dpi) override { Add(text::Format("dpi notice %d", dpi)); }

    void Add(std::string line) { calls.push_back(std::move(line)); }
    int Count(const std::string& line) const {
        int n = 0;
        for (const std::string& c : calls) n += c == line ? 1 : 0;
        return n;
    }

    std::vector<std::string> calls;
    bool connected = true;
    int online_devices = 0;
    PerformancePage* page = nullptr;
};

// A settings database with the four profiles of the first model, the virtual devices (virtual
// time), the protocol tasks over both, a window with the DPI page, and a host that runs every
// queued task at once.
class PageFixture : public ::testing::Test, public PageHost {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvatt-pages-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        std::filesystem::create_directories(m_root / "db");
        ASSERT_TRUE(store.OpenDatabase(m_root.string() + "/", "corvatt_v1"));
        model.install_folder = std::string(CORVATT_TEST_DATA) + "/";
        model.model_key = "corvatt_v1";
        ProfileSetup setup(store, [](int id) { return text::Format("T%d", id); });
        ASSERT_EQ(setup.Run(model), 1);
        ASSERT_TRUE(description.Read(model.DescriptionPath()));

        sim->SetVirtualTime(true);
        devices.AddBackend(sim);
        devices.SetSleepFunction([this](std::chrono::milliseconds ms) { sim->SleepFor(ms); });
        for (const VirtualModel& m : VirtualModels()) {
            devices.AddSupportedId(m.vendor_id, m.product_id, m.device_type, m.mode, m.identity);
        }
        tasks.SetSleepFunction([this](std::chrono::milliseconds ms) { sim->SleepFor(ms); });

        ASSERT_TRUE(window.Create(nullptr, "MWindow", dui::WS_POPUP, {0, 0, 1300, 788}, "Corvatt"));
        window.page = &page;
        ui.page = &page;
        page.CreateControls(nullptr);
        notifications.SetDpiView(&page);
    }

    void TearDown() override {
        window.DestroyWindow();
        store.CloseDatabase();
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    // Plugs a virtual device, makes its model current, reads its information and settings
    // into the store (as the refresh does) and loads the page.
    int Connect(const std::string& name) {
        const int id = sim->Plug(name);
        devices.CloseAll();
        devices.EnumerateDevice();
        devices.SetOpen(true);
        devices.SetCurrentType(FindVirtualModel(name)->device_type);
        tasks.ReadDeviceInfo();
        page.Load();
        return id;
    }
    VirtualSettings Mouse(int id) { return sim->State(id)->settings; }

    std::string Value(const std::string& key) {
        std::string value;
        store.GetConfigValue(1, key, value);
        return value;
    }
    void Set(const std::string& key, const std::string& value) { ASSERT_TRUE(store.SetConfigValue(1, key, value)); }
    template <class T>
    T* Control(int id) {
        return window.GetControl<T>(id);
    }
    dui::DPIControl* Stages() { return Control<dui::DPIControl>(PerformancePage::kDpiStages); }

    // PageHost.
    dui::MDialog& Window() override { return window; }
    ConfigStore& Store() override { return store; }
    int CurrentProfile() const override { return model.current_profile; }
    DeviceDescription Description() const override { return description; }
    DeviceInfoValues DeviceInfo() const override { return info_override ? *info_override : state.Info(); }
    void QueueTask(int code) override {
        queued.push_back(code);
        if (run_tasks) tasks.RunTask(code);
    }
    void ShowSaveWait() override { ++save_waits; }
    void ShowDpiNotice(int dpi) override { dpi_notices.push_back(dpi); }
    double LayoutScale() const override { return 1.0; }
    std::string LanguageText(int id) const override { return text::Format("T%d", id); }
    int ShowMessage(const std::string& text, const std::string& caption, int style) override {
        messages.push_back(text::Format("%s|%s|%d", text, caption, style));
        return message_answer;
    }
    std::string DescriptionPath() const override { return model.DescriptionPath(); }

    dui::HeadlessHost host;
    ConfigStore store;
    ModelContext model;
    DeviceDescription description;
    DeviceState state;
    std::shared_ptr<VirtualHidBackend> sim = std::make_shared<VirtualHidBackend>();
    DeviceManager devices;
    RecordingUi ui;
    ProtocolTasks tasks{devices, store, state, model, ui};
    DeviceNotifications notifications{devices, store, state, model, tasks, ui};
    PageWindow window;
    PerformancePage page{*this};

    std::optional<DeviceInfoValues> info_override;
    bool run_tasks = true;
    std::vector<int> queued;
    int save_waits = 0;
    std::vector<int> dpi_notices;
    std::vector<std::string> messages;
    int message_answer = 1;

private:
    std::filesystem::path m_root;
};

}  // namespace corvatt::testing
