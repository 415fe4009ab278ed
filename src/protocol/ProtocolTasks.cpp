#include "protocol/ProtocolTasks.h"

#include <thread>

#include "common/text/Text.h"
#include "device/DeviceTask.h"
#include "platform/Log.h"
#include "profile/FactoryReset.h"
#include "profile/ProfileSetup.h"
#include "protocol/ButtonTable.h"
#include "protocol/MacroEncoder.h"
#include "protocol/Reports.h"

namespace corvatt {
namespace {

constexpr const char* kColoursFailed = "0x04: 设置鼠标DPI颜色数据失败";
constexpr const char* kReportRateFailed = "0x02: 设置回报率失败";
constexpr const char* kPowerOptionsFailed = "0x07: 设置睡眠时间、移动关闭灯效使能";
constexpr const char* kButtonTableFailed = "0x09: 设置按键功能失败";
constexpr const char* kMacroFailed = "0x08: 设置按键宏数据失败!";
constexpr const char* kLightingFailed = "0x05: 设置灯光模式失败";

constexpr int kTextReceiverVersion = 551;
constexpr int kTextFirmwareStatus = 580;
constexpr int kTextCableCaption = 51;
constexpr int kTextReceiverCaption = 52;
constexpr int kReceiverVersionLine = 243;
constexpr int kFirmwareStatusLine = 246;
constexpr int kLightingResetPauseMs = 100;
constexpr int kMacroAssignment = 4;

std::string StageKey(const char* format, int stage) { return text::Format(format, stage); }

int U16(const std::uint8_t* bytes, int at) { return bytes[at] | (bytes[at + 1] << 8); }

}  // namespace

ProtocolTasks::ProtocolTasks(DeviceManager& devices, ConfigStore& store, DeviceState& state, ModelContext& model,
                             ProtocolUi& ui)
    : m_devices(devices), m_store(store), m_state(state), m_model(model), m_ui(ui) {
    m_sleep = [](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); };
}

void ProtocolTasks::SetSleepFunction(SleepFunction sleep) {
    if (sleep) m_sleep = std::move(sleep);
}

bool ProtocolTasks::RunTask(int code) {
    switch (static_cast<DeviceTask>(code)) {
    case DeviceTask::kSendAllSettings: SendAllSettings(); return true;
    case DeviceTask::kSendButtons: SendButtons(); return true;
    case DeviceTask::kSendLighting: SendLighting(); return true;
    case DeviceTask::kSendDpiStages: SendDpiStages(); return true;
    case DeviceTask::kSendDpiColours: SendDpiColours(); return true;
    case DeviceTask::kSendReportRate: SendReportRate(); return true;
    case DeviceTask::kSendLiftOff: SendSensorOptions(); return true;
    case DeviceTask::kSendSleepOptions: SendPowerOptions(); return true;
    case DeviceTask::kLightingReset: ResetLighting(); return true;
    case DeviceTask::kResendDpiStages: RestoreDpiDefaults(); return true;
    case DeviceTask::kFactoryReset: FactoryReset(); return true;
    default: return false;
    }
}

// ---- Reading the device ------------------------------------------------------

bool ProtocolTasks::ReadDeviceInfo() { return ReadInfo(true); }

bool ProtocolTasks::ReadDeviceInfoAgain() { return ReadInfo(false); }

bool ProtocolTasks::ReadInfo(bool first_read) {
    const int device_type = m_devices.GetCurrentType();
    DeviceInfoValues info = m_state.Info();
    if (first_read) {
        m_ui.ShowBattery(info.battery_b, 100);
        m_ui.ShowDeviceBattery(device_type, info.battery_a, 100);
        info.link_state = 0;
        m_state.SetInfo(info);
    }

    if (m_devices.GetCurrentHandle() == nullptr) {
        // Nothing reachable: never linked, whatever an earlier read left.
        m_state.ClearLinkState();
        OnLinkFailure();
        return false;
    }

    InfoBlock block{};
    m_devices.QueryDeviceInfo(block.data(), nullptr);
    info.sensor = LookupSensor(block[10]);
    if (info.sensor.sets_second_value) info.slider_second_value = 2;
    info.highest_rate_code = HighestRateCode(block[11]);
    info.battery_a = block[12];
    info.battery_b = block[13];
    info.link_state = block[14];
    m_state.SetInfo(info);

    m_ui.ShowDpiRange(info.sensor.step_text, info.sensor.highest_text, info.sensor.slider_highest_code,
                      info.slider_second_value);
    m_ui.ShowBattery(info.battery_b, info.battery_a);
    m_ui.ShowDeviceBattery(device_type, info.battery_a, info.battery_b);

    if (info.link_state == 0) {
        OnLinkFailure();
        return false;
    }
    if (m_state.read_types.count(device_type) != 0) return true;
    m_state.read_types.insert(device_type);

    ReadSettingsBack(info.sensor);
    if (first_read && m_devices.GetConnectionKind() == 1) ReadReceiverVersion();
    return true;
}

void ProtocolTasks::ReadSettingsBack(const SensorCaps& sensor) {
    OutputReport hello = BuildReadRequest(command::kReadHello);
    Exchange(hello);

    OutputReport rate = BuildReadRequest(command::kReadReportRate);
    if (Exchange(rate)) {
        StoreInt("report_rate", rate[4]);
        StoreInt("report_rate_wireless", rate[4]);
    }

    OutputReport stages = BuildReadRequest(command::kReadDpiStages);
    if (Exchange(stages)) {
        StoreInt("dpi_flag", stages[4] & 0x0F);
        StoreInt("dpi_count", stages[4] & 0x0F);
        StoreInt("dpi_index", stages[4] >> 4);
        for (int n = 0; n < kDpiStageCount; ++n) {
            const int dpi = DecodeDpi(sensor.sensor_code, U16(stages.data(), kDpiReadOffsets[n]));
            if (dpi >= 50) StoreInt(StageKey("dpi_group%d_value", n), dpi);
        }
    }

    OutputReport colours = BuildReadRequest(command::kReadDpiColours);
    if (Exchange(colours)) {
        for (int n = 0; n < kDpiStageCount; ++n) {
            StoreInt(StageKey("dpi_group%d_rgb", n),
                     Rgb(colours[4 + 3 * n], colours[5 + 3 * n], colours[6 + 3 * n]));
        }
    }

    OutputReport lighting = BuildReadRequest(command::kReadLighting);
    if (Exchange(lighting)) {
        const int mode = lighting[4];
        m_state.light_mode = mode;
        m_store.SetActiveLight(Profile(), mode);
        LightRecord light;
        if (m_store.GetLight(Profile(), mode, light)) {
            light.brightness = lighting[5] >> 4;
            light.speed = lighting[5] & 0x0F;
            m_store.UpdateLight(mode, light);
        }
    }

    OutputReport options = BuildReadRequest(command::kReadSensorOptions);
    if (Exchange(options)) {
        StoreInt("liftoff_height", options[4]);
        StoreInt("sensor_flag", (options[5] == 1 ? 8 : 0) + (options[6] == 1 ? 4 : 0));
    }

    OutputReport power = BuildReadRequest(command::kReadPowerOptions);
    if (Exchange(power)) {
        StoreInt("sleep_light", power[4]);
        StoreInt("move_wakeup", power[5]);
        StoreInt("move_closelight", power[6]);
        StoreInt("button_respondtime", power[7]);
    }
}

void ProtocolTasks::ReadReceiverVersion() {
    OutputReport request = BuildReadRequest(command::kReadReceiverVersion);
    if (!Exchange(request)) return;
    const std::string version = text::Format("%X%02X", request[4], request[5]);
    DeviceInfoValues info = m_state.Info();
    info.receiver_version = version;
    m_state.SetInfo(info);
    m_ui.SetInformationLine(kReceiverVersionLine,
                            text::Format("%s: %s.%s", m_ui.LanguageText(kTextReceiverVersion),
                                         text::Left(version, 1), text::Right(version, 2)));
    m_ui.SetInformationLine(kFirmwareStatusLine, m_ui.LanguageText(kTextFirmwareStatus));
}

// ---- Writing the settings -----------------------------------------------------

void ProtocolTasks::SendAllSettings() {
    m_ui.RefreshButtonPage();
    m_ui.RefreshDpiPage();
    if (m_state.model_has_lighting) m_ui.RefreshLightingList();
    SendButtonTable();
    if (m_state.model_has_lighting) SendLighting();
    SendDpiStages();
    SendDpiColours();
    SendReportRate();
    SendSensorOptions();
    SendPowerOptions();
}

void ProtocolTasks::SendButtons() {
    if (m_state.pending_macro.exchange(false)) {
        const int button = m_state.pending_button.exchange(-1);
        std::vector<KeyAssignment> assignments;
        m_store.GetKeyAssignments(Profile(), 0, assignments);
        for (const KeyAssignment& a : assignments) {
            if (a.macro_type != kMacroAssignment || a.key_code != button) continue;
            std::vector<MacroData> macros;
            m_store.GetMacros(macros);
            for (const MacroData& macro : macros) {
                if (macro.macro_id == a.macro_value) {
                    SendMacro(button, macro.macro_id);
                    break;
                }
            }
            break;
        }
    }
    SendButtonTable();
}

bool ProtocolTasks::SendButtonTable() {
    std::vector<KeyAssignment> assignments;
    m_store.GetKeyAssignments(Profile(), 0, assignments);
    std::vector<MacroData> macros;
    m_store.GetMacros(macros);
    ButtonTable table = DefaultButtonTable();
    for (const KeyAssignment& a : assignments) {
        if (!ApplyAssignment(table, a, macros)) {
            Log::Diag(text::Format("0x09: button code %d has no place in the table, skipped", a.key_code));
        }
    }
    return SendSetting(BuildButtonTableReport(table), kButtonTableFailed);
}

int ProtocolTasks::EncodeMacro(int macro_id, std::vector<std::uint8_t>& events) {
    std::vector<MacroRecord> records;
    m_store.GetMacroRecords(macro_id, records);
    return EncodeMacroRecords(records, events);
}

bool ProtocolTasks::SendMacro(int button_code, int macro_id) {
    std::vector<std::uint8_t> events;
    const int count = EncodeMacro(macro_id, events);
    bool cut = false;
    const std::vector<std::uint8_t> data = BuildMacroData(button_code, events, &cut);
    if (cut) {
        Log::Diag(text::Format("0x08: macro %d has %d events, only the first %d are sent", macro_id, count,
                               kMaxMacroEvents));
    }
    bool all_sent = true;
    for (OutputReport report : BuildMacroReports(data)) {
        if (!Exchange(report)) {
            Log::Diag(kMacroFailed);
            all_sent = false;
        }
    }
    return all_sent;
}

bool ProtocolTasks::SendLighting() {
    const int mode = m_state.light_mode;
    m_store.SetActiveLight(Profile(), mode);
    LightRecord light;
    if (!m_store.GetLight(Profile(), mode, light)) return false;
    return SendSetting(BuildLightingReport(light), kLightingFailed);
}

bool ProtocolTasks::ResetLighting() {
    OutputReport reset = BuildLightingResetReport();
    Exchange(reset);
    m_sleep(std::chrono::milliseconds(kLightingResetPauseMs));
    OutputReport state = BuildReadRequest(command::kReadLighting);
    const bool read = Exchange(state);
    if (read) {
        const int mode = state[4];
        m_state.light_mode = mode;
        m_store.SetActiveLight(Profile(), mode);
        LightRecord light;
        if (m_store.GetLight(Profile(), mode, light)) {
            light.brightness = state[5] >> 4;
            light.speed = state[5] & 0x0F;
            m_store.UpdateLight(mode, light);
        }
    }
    m_ui.RefreshLightingList();
    return read;
}

bool ProtocolTasks::SendDpiStages() {
    const SensorCaps sensor = m_state.Info().sensor;
    const int index = IntSetting("dpi_index");
    const int count = IntSetting("dpi_count");
    std::array<int, kDpiStageCount> values{};
    for (int n = 0; n < kDpiStageCount; ++n) values[n] = IntSetting(StageKey("dpi_group%d_value", n));
    return SendSetting(BuildDpiStageReport(sensor, index, count, values), nullptr);
}

bool ProtocolTasks::SendDpiColours() {
    std::array<int, kDpiStageCount> colours{};
    for (int n = 0; n < kDpiStageCount; ++n) colours[n] = IntSetting(StageKey("dpi_group%d_rgb", n));
    return SendSetting(BuildDpiColourReport(colours), kColoursFailed);
}

bool ProtocolTasks::SendReportRate() {
    return SendSetting(BuildReportRateReport(IntSetting("report_rate")), kReportRateFailed);
}

bool ProtocolTasks::SendSensorOptions() {
    const int liftoff = IntSetting("liftoff_height");
    return SendSetting(BuildSensorOptionsReport(liftoff, IntSetting("sensor_flag")), nullptr);
}

bool ProtocolTasks::SendPowerOptions() {
    const int sleep_light = IntSetting("sleep_light");
    const int wakeup = IntSetting("move_wakeup");
    const int close_light = IntSetting("move_closelight");
    const int respond = IntSetting("button_respondtime");
    return SendSetting(BuildPowerOptionsReport(sleep_light, wakeup, close_light, respond), kPowerOptionsFailed);
}

void ProtocolTasks::RestoreDpiDefaults() {
    m_store.ApplyDeviceDefaults(m_model, true);
    m_ui.ReloadDpiControls();
    SendDpiStages();
    SendDpiColours();
}

bool ProtocolTasks::SendFactoryReset() {
    OutputReport report = BuildFactoryResetReport();
    return Exchange(report);
}

void ProtocolTasks::FactoryReset() {
    SendFactoryReset();
    ProfileSetup setup(m_store, [this](int id) { return m_ui.LanguageText(id); });
    const int profile = RestoreFactoryData(m_store, setup, m_model);
    m_state.read_types.clear();
    m_ui.SetCurrentProfile(profile);
    if (m_state.model_has_lighting) m_ui.RefreshLightingList();
    m_ui.RefreshButtonPage();
    m_ui.RefreshMacroLists();
    m_store.ApplyDeviceDefaults(m_model, false);
    m_ui.RefreshDpiPage();
    if (m_state.model_has_lighting) m_ui.RefreshLightingList();
}

void ProtocolTasks::OnLinkFailure() {
    if (m_devices.GetConnectionKind() != 1) return;
    m_ui.ClosePopups();
    m_ui.SetDeviceState(m_devices.GetCurrentType(), 1, 1);
    if (!m_ui.IsDeviceConnected()) {
        const bool receiver = m_devices.GetConnectionKind() == 1;
        m_ui.SetConnectionCaption(m_ui.LanguageText(receiver ? kTextReceiverCaption : kTextCableCaption));
        m_ui.SetDeviceState(DeviceManager::kUnknownDeviceType, receiver ? 1 : 0, 1);
        m_ui.SetDeviceConnected(true);
    }
}

// ---- Helpers -------------------------------------------------------------------

bool ProtocolTasks::Exchange(OutputReport& report) { return m_devices.ExchangeReport(report.data(), report.size()); }

bool ProtocolTasks::SendSetting(OutputReport report, const char* failure_text) {
    if (Exchange(report)) return true;
    if (failure_text != nullptr) Log::Diag(failure_text);
    OnLinkFailure();
    return false;
}

int ProtocolTasks::IntSetting(const std::string& key) {
    std::string value;
    m_store.GetConfigValue(Profile(), key, value);
    return text::ToInt(value);
}

bool ProtocolTasks::StoreInt(const std::string& key, int value) {
    return m_store.SetConfigValue(Profile(), key, text::Format("%d", value));
}

}  // namespace corvatt
