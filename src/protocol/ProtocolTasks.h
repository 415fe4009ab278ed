#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "device/DeviceManager.h"
#include "device/OutputReport.h"
#include "protocol/DeviceState.h"
#include "protocol/ProtocolUi.h"
#include "store/ConfigStore.h"
#include "store/ModelContext.h"

namespace corvatt {

// The device side of the worker's tasks: reads the device's state into the store
// and sends the stored settings. Runs on the worker thread only.
//
// The profile worked on is model.current_profile at the time of the call; the main
// window changes the model context only between worker steps (DeviceManager::LockStep).
class ProtocolTasks {
public:
    using SleepFunction = std::function<void(std::chrono::milliseconds)>;

    ProtocolTasks(DeviceManager& devices, ConfigStore& store, DeviceState& state, ModelContext& model,
                  ProtocolUi& ui);

    // Replaces the 100 ms pause of the lighting reset (tests use a virtual clock).
    void SetSleepFunction(SleepFunction sleep);

    // Runs the operation of a task code: 5, 6, 8, 9-13, 17, 18, 20. False for codes
    // that are not the protocol's.
    bool RunTask(int code);

    // Information block evaluation, then (first time per device type and run) the
    // settings read back into the current profile, and the receiver version.
    // True when the mouse is linked.
    bool ReadDeviceInfo();
    // The same without the battery display from the previous values and without
    // the receiver version; after the wireless mouse linked again.
    bool ReadDeviceInfoAgain();

    // Task 5: page refreshes, then buttons, lighting, DPI stages, colours, report
    // rate, sensor options, power options; each failure handled by itself.
    void SendAllSettings();
    // Task 6: the pending macro (if any), then the button table.
    void SendButtons();
    bool SendButtonTable();
    // The macro download of one button; false when a chunk failed (logged only).
    bool SendMacro(int button_code, int macro_id);
    // Task 8.
    bool SendLighting();
    // Task 17: lighting reset, 100 ms, the lighting state read back.
    bool ResetLighting();
    // Tasks 9 to 13.
    bool SendDpiStages();
    bool SendDpiColours();
    bool SendReportRate();
    bool SendSensorOptions();
    bool SendPowerOptions();
    // Task 18: the model's DPI defaults, then stages and colours.
    void RestoreDpiDefaults();
    // Task 20: the factory reset report (result ignored), then the stored-data steps.
    void FactoryReset();
    bool SendFactoryReset();

    // After a failed settings write or an unlinked mouse: acts only when the mouse
    // is reached through its receiver.
    void OnLinkFailure();

    // Encoded events of a stored macro (EncodeMacroRecords on its records).
    int EncodeMacro(int macro_id, std::vector<std::uint8_t>& events);

private:
    bool ReadInfo(bool first_read);
    void ReadSettingsBack(const SensorCaps& sensor);
    void ReadReceiverVersion();
    bool Exchange(OutputReport& report);
    // Sends a settings write; on failure logs the text (if any) and runs OnLinkFailure.
    bool SendSetting(OutputReport report, const char* failure_text);
    int Profile() const { return m_model.current_profile; }
    int IntSetting(const std::string& key);
    bool StoreInt(const std::string& key, int value);

    DeviceManager& m_devices;
    ConfigStore& m_store;
    DeviceState& m_state;
    ModelContext& m_model;
    ProtocolUi& m_ui;
    SleepFunction m_sleep;
};

}  // namespace corvatt
