#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>
#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "protocol/Reports.h"

namespace corvatt::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Rgb = std::array<std::uint8_t, 3>;

class ProtocolTasksTest : public ProtocolFixture {
protected:
    int SaveAssignment(int key_code, int type, int v, int w = 0) {
        KeyAssignment a;
        a.profile = 1;
        a.key_code = key_code;
        a.macro_type = type;
        a.macro_value = v;
        a.macro_value2 = w;
        return store.SaveKeyAssignment(a);
    }
    // A macro of the given records (type, value pairs).
    int MakeMacro(const std::vector<std::pair<int, int>>& records, int play_type, int play_times) {
        const int id = store.CreateMacro("m");
        MacroData data;
        store.GetMacro(id, data);
        data.play_type = play_type;
        data.play_times = play_times;
        store.UpdateMacro(id, data);
        std::vector<MacroRecord> list;
        for (std::size_t i = 0; i < records.size(); ++i) {
            MacroRecord r;
            r.macro_id = id;
            r.type = records[i].first;
            r.value = records[i].second;
            r.record_index = static_cast<int>(i);
            list.push_back(r);
        }
        store.AddMacroRecords(list);
        return id;
    }
};

TEST_F(ProtocolTasksTest, FirstConnectionReadsTheMouseIntoTheProfile) {
    const int id = Connect("v1-wired");
    ASSERT_TRUE(tasks.ReadDeviceInfo());

    const DeviceInfoValues info = state.Info();
    EXPECT_EQ(info.sensor.sensor_code, 17);
    EXPECT_EQ(info.sensor.highest_dpi, 24000);
    EXPECT_EQ(info.highest_rate_code, 6);
    EXPECT_EQ(info.link_state, 1);
    EXPECT_EQ(info.battery_a, 100);
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"battery 0 100", "list battery 102 0 100",
                                                    "dpi range 50 24000 232 0", "battery 0 100",
                                                    "list battery 102 100 0"}));
    EXPECT_EQ(CommandsSince(id, 0), (std::vector<int>{0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17}))
        << "the information request of the enumeration, then the reads; no 0x20 by cable";

    // the mouse's factory state, not the model's defaults
    const std::pair<const char*, const char*> expected[] = {
        {"report_rate", "2"},           {"report_rate_wireless", "2"}, {"dpi_flag", "4"},
        {"dpi_count", "4"},             {"dpi_index", "1"},            {"dpi_group0_value", "400"},
        {"dpi_group1_value", "800"},    {"dpi_group2_value", "1600"},  {"dpi_group3_value", "3200"},
        {"dpi_group4_value", "5000"},   {"dpi_group5_value", "10000"}, {"dpi_group0_rgb", "255"},
        {"dpi_group1_rgb", "65280"},    {"dpi_group2_rgb", "16711680"}, {"dpi_group3_rgb", "65535"},
        {"dpi_group4_rgb", "16711935"}, {"dpi_group5_rgb", "16776960"}, {"liftoff_height", "2"},
        {"sensor_flag", "8"},           {"sleep_light", "60"},         {"move_wakeup", "1"},
        {"move_closelight", "0"},       {"button_respondtime", "4"},
    };
    for (const auto& [key, value] : expected) EXPECT_EQ(Value(key), value) << key;
    EXPECT_EQ(store.GetActiveLightMode(1), 5);
    EXPECT_EQ(state.light_mode.load(), 5);
    LightRecord light;
    ASSERT_TRUE(store.GetLight(1, 5, light));
    EXPECT_EQ(light.brightness, 3);
    EXPECT_EQ(light.speed, 3);
    ASSERT_TRUE(store.GetLight(1, 2, light));
    EXPECT_EQ(light.brightness, 4) << "other modes untouched";
}

TEST_F(ProtocolTasksTest, SecondRefreshInOneRunSendsNoReadCommands) {
    const int id = Connect("v1-wired");
    ASSERT_TRUE(tasks.ReadDeviceInfo());
    const std::size_t before = RequestCount(id);
    Set("report_rate", "8");
    ASSERT_TRUE(tasks.ReadDeviceInfo());
    ASSERT_TRUE(tasks.ReadDeviceInfoAgain());
    EXPECT_EQ(RequestCount(id), before);
    EXPECT_EQ(Value("report_rate"), "8");
    // the factory reset forgets what was read
    tasks.FactoryReset();
    EXPECT_TRUE(state.read_types.empty());
    const std::size_t after_reset = RequestCount(id);
    ASSERT_TRUE(tasks.ReadDeviceInfo());
    EXPECT_EQ(CommandsSince(id, after_reset).size(), 7u);
}

TEST_F(ProtocolTasksTest, ReadRepliesAndTheirStorageRules) {
    const int id = Connect("v1-wired");
    ASSERT_TRUE(sim->SetHandler(id, 0x12, [](VirtualMouseState&, const VirtualMouse::Report&,
                                             VirtualMouse::Report&) { return false; }));
    ASSERT_TRUE(sim->SetHandler(id, 0x13, [](VirtualMouseState&, const VirtualMouse::Report&,
                                             VirtualMouse::Report& reply) {
        reply.fill(0);
        reply[0] = 0x13;
        reply[4] = 0x36;
        reply[7] = 232;  // stage 0: 24000
        reply[9] = 210;  // stage 1: 11000
        reply[13] = 0;   // stage 2: 0, below 50
        reply[17] = 100; // stage 3: 5000
        return true;
    }));
    ASSERT_TRUE(sim->SetHandler(id, 0x15, [](VirtualMouseState&, const VirtualMouse::Report&,
                                             VirtualMouse::Report& reply) {
        reply[4] = 3;
        reply[5] = 0x51;
        return true;
    }));
    ASSERT_TRUE(sim->SetHandler(id, 0x16, [](VirtualMouseState&, const VirtualMouse::Report&,
                                             VirtualMouse::Report& reply) {
        reply[4] = 1;
        reply[5] = 1;
        reply[6] = 1;
        return true;
    }));
    const std::string rate_before = Value("report_rate");
    ASSERT_TRUE(tasks.ReadDeviceInfo());
    EXPECT_EQ(Value("report_rate"), rate_before) << "no reply, key unchanged";
    EXPECT_EQ(Value("dpi_index"), "3");
    EXPECT_EQ(Value("dpi_count"), "6");
    EXPECT_EQ(Value("dpi_flag"), "6");
    EXPECT_EQ(Value("dpi_group0_value"), "24000");
    EXPECT_EQ(Value("dpi_group1_value"), "11000");
    EXPECT_EQ(Value("dpi_group2_value"), "1600") << "a value below 50 is not stored";
    EXPECT_EQ(Value("dpi_group3_value"), "5000");
    EXPECT_EQ(Value("sensor_flag"), "12");
    EXPECT_EQ(store.GetActiveLightMode(1), 3);
    LightRecord light;
    ASSERT_TRUE(store.GetLight(1, 3, light));
    EXPECT_EQ(light.brightness, 5);
    EXPECT_EQ(light.speed, 1);
    ASSERT_TRUE(store.GetLight(1, 2, light));
    EXPECT_EQ(light.brightness, 4);
    EXPECT_EQ(light.speed, 2);
    EXPECT_EQ(Value("sleep_light"), "60") << "later reads still ran";
}

TEST_F(ProtocolTasksTest, ReadAgainWithoutAReachableMouseFails) {
    const int id = Connect("v1-receiver");
    ASSERT_TRUE(tasks.ReadDeviceInfo());
    ASSERT_EQ(state.Info().link_state, 1);
    // the receiver's mouse went away; the cached handle is dropped
    devices.SetOnlineState(102, 1, 0);
    devices.ClearCurrentCache();
    const std::size_t before = RequestCount(id);
    ui.calls.clear();
    EXPECT_FALSE(tasks.ReadDeviceInfoAgain());
    EXPECT_EQ(state.Info().link_state, 0);
    EXPECT_EQ(RequestCount(id), before);
    EXPECT_TRUE(ui.Has("close popups"));
}

TEST_F(ProtocolTasksTest, SliderValuesOfTheSecondModel) {
    Connect("v2-wired");
    ASSERT_TRUE(tasks.ReadDeviceInfo());
    const DeviceInfoValues info = state.Info();
    EXPECT_EQ(info.sensor.sensor_code, 150);
    EXPECT_EQ(info.sensor.highest_dpi, 38000);
    EXPECT_EQ(info.highest_rate_code, 7);
    EXPECT_EQ(info.slider_second_value, 2);
    EXPECT_TRUE(ui.Has("dpi range 100 32000 640 2"));
}

TEST_F(ProtocolTasksTest, ReceiverVersionLine) {
    const int id = Connect("v1-receiver");
    ASSERT_TRUE(sim->SetHandler(id, 0x20, [](VirtualMouseState&, const VirtualMouse::Report&,
                                             VirtualMouse::Report& reply) {
        reply[4] = 0x12;
        reply[5] = 0x05;
        return true;
    }));
    ASSERT_TRUE(tasks.ReadDeviceInfo());
    EXPECT_EQ(state.Info().receiver_version, "1205");
    EXPECT_TRUE(ui.Has("line 243 T551: 1.05"));
    EXPECT_TRUE(ui.Has("line 246 T580"));
    EXPECT_EQ(CommandsSince(id, 0).back(), 0x20);
}

TEST_F(ProtocolTasksTest, UnlinkedReceiverRunsTheLinkFailure) {
    const int id = Connect("v1-receiver", false);
    const std::size_t before = RequestCount(id);
    const auto values = AllValues();
    EXPECT_FALSE(tasks.ReadDeviceInfo());
    EXPECT_EQ(RequestCount(id), before);
    EXPECT_EQ(AllValues(), values);
    EXPECT_TRUE(ui.Has("close popups"));
    EXPECT_TRUE(ui.Has("caption T52"));
    EXPECT_TRUE(ui.Has("device state 101 1 1"));
    EXPECT_TRUE(state.read_types.empty());
}

TEST_F(ProtocolTasksTest, FailedWriteThroughTheReceiver) {
    const int id = Connect("v1-receiver");
    ASSERT_TRUE(tasks.ReadDeviceInfo());
    CaptureLog();
    const auto values = AllValues();
    ui.calls.clear();
    ASSERT_TRUE(sim->InjectFault(id, FaultSpec{SimFault::kNoReply}));
    Set("report_rate", "8");
    EXPECT_FALSE(tasks.SendReportRate());
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"close popups", "device state 102 1 1", "caption T52",
                                                    "device state 101 1 1", "connected"}));
    EXPECT_TRUE(Logged("0x02: 设置回报率失败"));
    EXPECT_EQ(Value("report_rate"), "8");
    Set("report_rate", values[0]);
    EXPECT_EQ(AllValues(), values) << "nothing stored by the failure";

    // once connected, only the pop-ups and the device state
    ui.calls.clear();
    EXPECT_FALSE(tasks.SendDpiStages());
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"close popups", "device state 102 1 1"}));
}

TEST_F(ProtocolTasksTest, FailedWriteByCableOnlyLogs) {
    const int id = Connect("v1-wired");
    ASSERT_TRUE(tasks.ReadDeviceInfo());
    CaptureLog();
    ui.calls.clear();
    const auto values = AllValues();
    ASSERT_TRUE(sim->InjectFault(id, FaultSpec{SimFault::kBusyReply}));
    EXPECT_FALSE(tasks.SendDpiColours());
    EXPECT_FALSE(tasks.SendPowerOptions());
    EXPECT_FALSE(tasks.SendButtonTable());
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_TRUE(Logged("0x04: 设置鼠标DPI颜色数据失败"));
    EXPECT_TRUE(Logged("0x07: 设置睡眠时间、移动关闭灯效使能"));
    EXPECT_TRUE(Logged("0x09: 设置按键功能失败"));
    EXPECT_EQ(AllValues(), values);
}

TEST_F(ProtocolTasksTest, AllSettingsReachTheMouse) {
    const int id = Connect("v1-wired");
    ASSERT_TRUE(tasks.ReadDeviceInfo());
    const std::pair<const char*, const char*> settings[] = {
        {"dpi_index", "3"},           {"dpi_count", "5"},           {"dpi_group0_value", "1000"},
        {"dpi_group1_value", "2000"}, {"dpi_group2_value", "11000"}, {"dpi_group3_value", "15000"},
        {"dpi_group4_value", "24000"}, {"dpi_group5_value", "30000"}, {"dpi_group0_rgb", "1193046"},
        {"dpi_group5_rgb", "33023"},  {"report_rate", "1"},         {"liftoff_height", "3"},
        {"sensor_flag", "4"},         {"sleep_light", "5"},         {"move_wakeup", "0"},
        {"move_closelight", "1"},     {"button_respondtime", "12"},
    };
    for (const auto& [key, value] : settings) Set(key, value);
    ASSERT_GT(SaveAssignment(6, 2, 0x04, 5), 0);
    state.light_mode = 2;
    ui.calls.clear();
    const std::size_t before = RequestCount(id);

    tasks.RunTask(5);

    EXPECT_EQ(CommandsSince(id, before), (std::vector<int>{0x09, 0x05, 0x03, 0x04, 0x02, 0x06, 0x07}));
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"refresh buttons", "refresh dpi", "refresh lighting"}));
    const VirtualMouseState mouse = Mouse(id);
    const VirtualSettings& s = mouse.settings;
    EXPECT_EQ(s.dpi_index, 3);
    EXPECT_EQ(s.dpi_count, 5);
    EXPECT_EQ(s.dpi_codes, (std::array<std::uint16_t, 6>{20, 40, 210, 223, 232, 232}));
    EXPECT_EQ(s.dpi_colours[0], (Rgb{0x56, 0x34, 0x12}));
    EXPECT_EQ(s.dpi_colours[1], (Rgb{0x00, 0xFF, 0x00})) << "the mouse's own value was read back and sent";
    EXPECT_EQ(s.dpi_colours[5], (Rgb{0xFF, 0x80, 0x00}));
    EXPECT_EQ(s.report_rate, 1);
    EXPECT_EQ(s.liftoff, 3);
    EXPECT_EQ(s.sensor_option1, 0);
    EXPECT_EQ(s.sensor_option2, 1);
    EXPECT_EQ(s.sleep_light, 5);
    EXPECT_EQ(s.move_wakeup, 0);
    EXPECT_EQ(s.move_closelight, 1);
    EXPECT_EQ(s.button_respondtime, 12);
    const Bytes table_head(s.button_table.begin(), s.button_table.begin() + 21);
    EXPECT_EQ(table_head, (Bytes{0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x10, 0x04, 0x00, 0x10, 0x08, 0x00, 0x10,
                                 0x10, 0x00, 0x40, 0x01, 0x00, 0x70, 0x05, 0x04}));
    EXPECT_EQ(s.light_mode, 2);
    EXPECT_EQ(s.light_brightness, 4);
    EXPECT_EQ(s.light_speed, 2);
    EXPECT_EQ(s.light_colour_count, 7);
    EXPECT_EQ(s.light_colours[3], (Rgb{0x00, 0xFF, 0xFF}));
    EXPECT_EQ(store.GetActiveLightMode(1), 2);
    EXPECT_EQ(mouse.bad_checksum_count, 0);
}

TEST_F(ProtocolTasksTest, EachFailureInTheFullWriteIsHandledByItself) {
    const int id = Connect("v1-wired");
    ASSERT_TRUE(tasks.ReadDeviceInfo());
    ASSERT_TRUE(sim->SetHandler(id, 0x03, [](VirtualMouseState&, const VirtualMouse::Report&,
                                             VirtualMouse::Report&) { return false; }));
    Set("report_rate", "16");
    tasks.SendAllSettings();
    EXPECT_EQ(Mouse(id).settings.report_rate, 16) << "later reports still sent";
    EXPECT_EQ(Mouse(id).settings.dpi_count, 4) << "the stages the mouse did not take";
}

TEST_F(ProtocolTasksTest, PendingMacroIsDownloadedOnce) {
    const int id = Connect("v1-wired");
    const int macro = MakeMacro({{2, 0x41}, {1, 10}, {3, 0x41}, {2, 0x42}, {3, 0x42}, {2, 0x43}, {3, 0x43},
                                 {2, 0x44}},
                                0, 3);
    ASSERT_GT(SaveAssignment(3, 4, macro), 0);
    state.pending_button = 3;
    state.pending_macro = true;
    const std::size_t before = RequestCount(id);
    tasks.RunTask(6);
    EXPECT_EQ(CommandsSince(id, before), (std::vector<int>{0x08, 0x08, 0x09}));
    VirtualMouseState mouse = Mouse(id);
    EXPECT_EQ(mouse.macro_errors, 0);
    ASSERT_EQ(mouse.macros.count(3), 1u);
    EXPECT_EQ(mouse.macros[3], (Bytes{0x30, 0x0A, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04, 0x30, 0x01, 0x00, 0x05,
                                      0xB0, 0x01, 0x00, 0x05, 0x30, 0x01, 0x00, 0x06, 0xB0, 0x01, 0x00, 0x06,
                                      0x30, 0x01, 0x00, 0x07}));
    EXPECT_EQ(Bytes(mouse.settings.button_table.begin() + 9, mouse.settings.button_table.begin() + 12),
              (Bytes{0x90, 0x23, 0x03}));
    EXPECT_FALSE(state.pending_macro.load());
    EXPECT_EQ(state.pending_button.load(), -1);

    const std::size_t again = RequestCount(id);
    tasks.RunTask(6);
    EXPECT_EQ(CommandsSince(id, again), (std::vector<int>{0x09}));
}

TEST_F(ProtocolTasksTest, MacroLongerThanOneDownloadIsCut) {
    const int id = Connect("v1-wired");
    CaptureLog();
    std::vector<std::pair<int, int>> records;
    for (int i = 0; i < 150; ++i) records.emplace_back(i % 2 == 0 ? 2 : 3, 0x41);
    const int macro = MakeMacro(records, 1, 1);
    ASSERT_GT(SaveAssignment(4, 4, macro), 0);
    state.pending_button = 4;
    state.pending_macro = true;
    const std::size_t before = RequestCount(id);
    tasks.SendButtons();
    const std::vector<int> commands = CommandsSince(id, before);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x08), 15);
    VirtualMouseState mouse = Mouse(id);
    EXPECT_EQ(mouse.macro_errors, 0);
    ASSERT_EQ(mouse.macros.count(4), 1u);
    EXPECT_EQ(mouse.macros[4].size(), 101u * 4);
    EXPECT_TRUE(Logged("150 events, only the first 101"));
}

TEST_F(ProtocolTasksTest, MacroChunkFailureOnlyLogs) {
    const int id = Connect("v1-receiver");
    ASSERT_TRUE(tasks.ReadDeviceInfo());
    CaptureLog();
    ui.calls.clear();
    const int macro = MakeMacro({{2, 0x41}, {3, 0x41}}, 0, 1);
    ASSERT_TRUE(sim->InjectFault(id, FaultSpec{SimFault::kNoReply, 0, 1}));
    EXPECT_FALSE(tasks.SendMacro(2, macro));
    EXPECT_TRUE(Logged("0x08: 设置按键宏数据失败!"));
    EXPECT_TRUE(ui.calls.empty()) << "no link-failure handling for the download";
}

TEST_F(ProtocolTasksTest, ButtonCodesWithoutAPlaceAreSkipped) {
    const int id = Connect("v1-wired");
    CaptureLog();
    ASSERT_GT(SaveAssignment(25, 9, 1), 0);
    ASSERT_GT(SaveAssignment(1, 9, 1), 0);
    EXPECT_TRUE(tasks.SendButtonTable());
    const auto table = Mouse(id).settings.button_table;
    EXPECT_EQ(Bytes(table.begin(), table.begin() + 6), (Bytes{0x10, 0x01, 0x00, 0x60, 0x00, 0x00}));
    EXPECT_TRUE(Logged("button code 25"));
}

TEST_F(ProtocolTasksTest, LightingModeWithoutARowSendsNothing) {
    const int id = Connect("v1-wired");
    state.light_mode = 6;
    const std::size_t before = RequestCount(id);
    EXPECT_FALSE(tasks.SendLighting());
    EXPECT_EQ(RequestCount(id), before);
    EXPECT_EQ(store.GetActiveLightMode(1), 0) << "no row is active";
}

TEST_F(ProtocolTasksTest, LightingResetReadsTheStateBack) {
    const int id = Connect("v1-wired");
    state.light_mode = 2;
    ASSERT_TRUE(tasks.SendLighting());
    ASSERT_EQ(Mouse(id).settings.light_mode, 2);
    ui.calls.clear();
    EXPECT_TRUE(tasks.ResetLighting());
    EXPECT_EQ(Mouse(id).lighting_resets, 1);
    EXPECT_EQ(sleeps, (std::vector<int>{100}));
    EXPECT_EQ(state.light_mode.load(), 5);
    EXPECT_EQ(store.GetActiveLightMode(1), 5);
    LightRecord light;
    ASSERT_TRUE(store.GetLight(1, 5, light));
    EXPECT_EQ(light.brightness, 3);
    EXPECT_EQ(light.speed, 3);
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"refresh lighting"}));

    // a state request without a reply changes nothing and still refreshes
    const auto values = AllValues();
    ASSERT_TRUE(sim->InjectFault(id, FaultSpec{SimFault::kNoReply}));
    ui.calls.clear();
    EXPECT_FALSE(tasks.ResetLighting());
    EXPECT_EQ(AllValues(), values);
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"refresh lighting"}));
}

TEST_F(ProtocolTasksTest, RestoreDpiDefaults) {
    const int id = Connect("v1-wired");
    ASSERT_TRUE(tasks.ReadDeviceInfo());
    Set("dpi_group0_value", "12345");
    Set("dpi_group0_rgb", "7");
    Set("report_rate", "8");
    ui.calls.clear();
    const std::size_t before = RequestCount(id);
    tasks.RunTask(18);
    EXPECT_EQ(CommandsSince(id, before), (std::vector<int>{0x03, 0x04}));
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"reload dpi controls"}));
    EXPECT_EQ(Value("dpi_group0_value"), "400");
    EXPECT_EQ(Value("dpi_index"), "2");
    EXPECT_EQ(Value("report_rate"), "8") << "outside the DPI part";
    const VirtualSettings s = Mouse(id).settings;
    EXPECT_EQ(s.dpi_codes, (std::array<std::uint16_t, 6>{8, 16, 32, 64, 128, 220}));
    EXPECT_EQ(s.dpi_index, 2);
    EXPECT_EQ(s.dpi_colours[0], (Rgb{0xFF, 0x00, 0x00}));
}

TEST_F(ProtocolTasksTest, FactoryReset) {
    const int id = Connect("v1-wired");
    ASSERT_TRUE(tasks.ReadDeviceInfo());
    Set("report_rate", "8");
    ASSERT_TRUE(tasks.SendReportRate());
    ASSERT_EQ(Mouse(id).settings.report_rate, 8);
    ASSERT_GT(SaveAssignment(2, 9, 1), 0);
    Set("dpi_group0_value", "12345", 3);
    Set("sensor_flag", "0");
    model.current_profile = 3;
    ui.calls.clear();

    tasks.RunTask(20);

    EXPECT_EQ(Mouse(id).factory_resets, 1);
    EXPECT_EQ(Mouse(id).settings.report_rate, 2);
    EXPECT_EQ(model.current_profile, 1);
    EXPECT_EQ(Value("report_rate"), "1");
    EXPECT_EQ(Value("dpi_group0_value", 3), "400");
    EXPECT_EQ(Value("sensor_flag"), "0") << "keys outside the model's defaults keep their values";
    std::vector<KeyAssignment> assignments;
    EXPECT_EQ(store.GetKeyAssignments(1, 0, assignments), 0);
    EXPECT_TRUE(state.read_types.empty());
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"profile 1", "refresh lighting", "refresh buttons",
                                                    "refresh macros", "refresh dpi", "refresh lighting"}));
}

TEST_F(ProtocolTasksTest, PagesReadTheDeviceValuesWhileTheWorkerRefreshes) {
    Connect("v1-wired");
    std::atomic<bool> done{false};
    std::atomic<int> seen_sensor{0};
    std::thread ui_thread([&] {
        while (!done) {
            const DeviceInfoValues info = state.Info();
            if (info.sensor.sensor_code != 0) seen_sensor = info.sensor.sensor_code;
            state.light_mode = 2;
            state.pending_button = 3;
        }
    });
    for (int i = 0; i < 20; ++i) {
        state.read_types.clear();
        EXPECT_TRUE(tasks.ReadDeviceInfo());
        tasks.SendLighting();
    }
    done = true;
    ui_thread.join();
    EXPECT_EQ(state.Info().sensor.sensor_code, 17);
    EXPECT_TRUE(seen_sensor == 0 || seen_sensor == 17);
}

TEST_F(ProtocolTasksTest, TaskCodes) {
    const int id = Connect("v1-wired");
    const std::pair<int, int> sent[] = {{8, 0x05}, {9, 0x03}, {10, 0x04}, {11, 0x02}, {12, 0x06}, {13, 0x07}};
    state.light_mode = 1;
    for (const auto& [code, command] : sent) {
        const std::size_t before = RequestCount(id);
        EXPECT_TRUE(tasks.RunTask(code));
        EXPECT_EQ(CommandsSince(id, before), std::vector<int>{command}) << "task " << code;
    }
    const std::size_t before = RequestCount(id);
    for (int code : {1, 2, 3, 4, 7, 14, 19, 22, 23, 24, 26, 27, 0, 99}) EXPECT_FALSE(tasks.RunTask(code)) << code;
    EXPECT_EQ(RequestCount(id), before);
}

}  // namespace
}  // namespace corvatt::testing
