#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/text/Text.h"
#include "device/DeviceManager.h"
#include "platform/Log.h"
#include "profile/ProfileSetup.h"
#include "protocol/DeviceState.h"
#include "protocol/ProtocolTasks.h"
#include "protocol/ProtocolUi.h"
#include "sim/VirtualHidBackend.h"
#include "sim/VirtualModel.h"
#include "store/ConfigStore.h"

namespace corvatt::testing {

// Records every screen effect as one line.
class RecordingUi : public ProtocolUi {
public:
    std::string LanguageText(int id) override { return text::Format("T%d", id); }
    void ShowBattery(int level, int second) override { Add(text::Format("battery %d %d", level, second)); }
    void ShowDeviceBattery(int type, int level, int second) override {
        Add(text::Format("list battery %d %d %d", type, level, second));
    }
    void ShowDpiRange(const std::string& step, const std::string& highest, int code, int second) override {
        Add(text::Format("dpi range %s %s %d %d", step, highest, code, second));
    }
    void SetInformationLine(int id, const std::string& text) override {
        Add(text::Format("line %d %s", id, text));
    }
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
    void RefreshDpiPage() override { Add("refresh dpi"); }
    void RefreshLightingList() override { Add("refresh lighting"); }
    void ReloadDpiControls() override { Add("reload dpi controls"); }
    void SetCurrentProfile(int profile) override { Add(text::Format("profile %d", profile)); }

    void Add(std::string line) { calls.push_back(std::move(line)); }
    bool Has(const std::string& line) const {
        for (const std::string& c : calls) {
            if (c == line) return true;
        }
        return false;
    }

    std::vector<std::string> calls;
    bool connected = false;
};

// A settings database with the four profiles of the first model, a DeviceManager on
// the virtual devices (virtual time) and the protocol tasks over both.
class ProtocolFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvatt-protocol-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        std::filesystem::create_directories(m_root / "db");
        ASSERT_TRUE(store.OpenDatabase(m_root.string() + "/", "corvatt_v1"));
        model.install_folder = std::string(CORVATT_TEST_DATA) + "/";
        model.model_key = "corvatt_v1";
        ProfileSetup setup(store, [](int id) { return text::Format("T%d", id); });
        ASSERT_EQ(setup.Run(model), 1);
        store.EnsureDefaultLights(1, {true, true, true, true, true, true});
        state.model_has_lighting = true;

        sim->SetVirtualTime(true);
        devices.AddBackend(sim);
        devices.SetSleepFunction([this](std::chrono::milliseconds ms) { sim->SleepFor(ms); });
        for (const VirtualModel& m : VirtualModels()) {
            devices.AddSupportedId(m.vendor_id, m.product_id, m.device_type, m.mode, m.identity);
        }
        tasks.SetSleepFunction([this](std::chrono::milliseconds ms) {
            sleeps.push_back(static_cast<int>(ms.count()));
            sim->SleepFor(ms);
        });
    }

    void TearDown() override {
        Log::SetSink({});
        Log::SetVerbosity(0);
        store.CloseDatabase();
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    // Plugs a virtual device and makes its model current, as a rescan does.
    int Connect(const std::string& name, bool mouse_on = true) {
        const int id = sim->Plug(name, mouse_on);
        devices.CloseAll();
        devices.EnumerateDevice();
        devices.SetOpen(true);
        devices.SetCurrentType(FindVirtualModel(name)->device_type);
        return id;
    }

    VirtualMouseState Mouse(int id) { return *sim->State(id); }
    std::size_t RequestCount(int id) { return sim->State(id)->requests.size(); }
    // Commands of the requests from index `from` on.
    std::vector<int> CommandsSince(int id, std::size_t from) {
        std::vector<int> out;
        const auto requests = sim->State(id)->requests;
        for (std::size_t i = from; i < requests.size(); ++i) out.push_back(requests[i][0]);
        return out;
    }

    std::string Value(const std::string& key, int profile = 1) {
        std::string value;
        store.GetConfigValue(profile, key, value);
        return value;
    }
    void Set(const std::string& key, const std::string& value, int profile = 1) {
        ASSERT_TRUE(store.SetConfigValue(profile, key, value));
    }
    // Every settings value of a profile, for "nothing changed" checks.
    std::vector<std::string> AllValues(int profile = 1) {
        static const char* kKeys[] = {"report_rate", "report_rate_wireless", "dpi_flag", "dpi_index", "dpi_count",
                                      "dpi_group0_value", "dpi_group5_value", "dpi_group0_rgb", "dpi_group5_rgb",
                                      "liftoff_height", "sensor_flag", "sleep_light", "move_wakeup",
                                      "move_closelight", "button_respondtime"};
        std::vector<std::string> out;
        for (const char* key : kKeys) out.push_back(Value(key, profile));
        LightRecord light;
        for (int mode = 0; mode <= 5; ++mode) {
            if (store.GetLight(profile, mode, light)) {
                out.push_back(text::Format("%d:%d/%d/%d", mode, light.brightness, light.speed, light.status));
            }
        }
        return out;
    }
    // Captures the diagnostic texts.
    void CaptureLog() {
        Log::SetVerbosity(1);
        Log::SetSink([this](std::string_view line) { log.emplace_back(line); });
    }
    bool Logged(const std::string& part) const {
        for (const std::string& line : log) {
            if (line.find(part) != std::string::npos) return true;
        }
        return false;
    }

    ConfigStore store;
    ModelContext model;
    DeviceState state;
    std::shared_ptr<VirtualHidBackend> sim = std::make_shared<VirtualHidBackend>();
    DeviceManager devices;
    RecordingUi ui;
    ProtocolTasks tasks{devices, store, state, model, ui};
    std::vector<int> sleeps;
    std::vector<std::string> log;

private:
    std::filesystem::path m_root;
};

}  // namespace corvatt::testing
