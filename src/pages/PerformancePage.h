#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "common/ui/Types.h"
#include "pages/PageHandler.h"
#include "pages/PageHost.h"
#include "protocol/DeviceNotifications.h"

namespace corvatt {

namespace dui {
class MControl;
}

// Slider position of a DPI value for a sensor (integer divisions truncating toward zero).
int DpiToSliderPosition(int sensor_code, int dpi);
// DPI of a slider position for a sensor, capped at the sensor's slider maximum.
int SliderPositionToDpi(int sensor_code, int position);
// A typed DPI value cut down to the sensor's step, then held within its limits.
int SnapTypedDpi(int sensor_code, int typed);

// The DPI and performance page: DPI stages, report rate, lift-off, sensor options, response
// time, sleep and motion options. Every change is stored in the current profile first, then a
// task is queued for the worker.
//
// Threads: the handlers run on the UI thread; Load, RebuildDpiStageList and the DpiStageView
// calls also run on the worker (the toolkit and the store take their own locks).
class PerformancePage : public PageHandler, public DpiStageView {
public:
    // Control ids.
    static constexpr int kDpiHelp = 114;
    static constexpr int kDpiReset = 115;
    static constexpr int kDpiStages = 116;
    static constexpr int kDpiSlider = 117;
    static constexpr int kDpiSend = 118;
    static constexpr int kStageCount = 120;
    static constexpr int kRateHelp = 123;
    static constexpr int kRateReset = 124;
    static constexpr int kReportRate = 125;
    static constexpr int kLiftOffHelp = 128;
    static constexpr int kLiftOff1 = 129;
    static constexpr int kLiftOff2 = 130;
    static constexpr int kSensorHelp = 133;
    static constexpr int kSensorOption = 134;  // three check boxes
    static constexpr int kResponseTime = 139;
    static constexpr int kMotionWakeUp = 143;
    static constexpr int kLightsOffMoving = 144;
    static constexpr int kSleepTime = 145;
    static constexpr int kMouseSettings = 149;

    // Task codes.
    static constexpr int kTaskDpiStages = 9;
    static constexpr int kTaskDpiColours = 10;
    static constexpr int kTaskReportRate = 11;
    static constexpr int kTaskSensorOptions = 12;
    static constexpr int kTaskPowerOptions = 13;
    static constexpr int kTaskRestoreDpi = 18;

    // The page area of the window (design coordinates).
    static constexpr dui::Rect kPageArea{220, 112, 1300, 740};

    explicit PerformancePage(PageHost& host);

    // Creates the page's controls on the window, inside the page layout.
    void CreateControls(dui::MControl* page_layout);
    // Fills the page from the current profile (LoadPerformancePage).
    void Load();
    // Shows or hides the lift-off, sensor and response-time groups by the model's description.
    void ApplyDescription();
    // The DPI slider's texts, highest position and second value (after the device information).
    void SetSliderRange(const std::string& step_text, const std::string& highest_text, int highest_code,
                        int second_value);
    // Closes what the page has open (ClosePopups): clears the stage list's edit focus.
    void OnFocus(int stage);

    int OnPageMessage(int id, int event, intptr_t param) override;

    // DpiStageView.
    int ListedStageCount() const override { return m_listed_count.load(); }
    int LastSelectedStage() const override { return m_last_stage.load(); }
    void SetListedStageCount(int count) override;
    void RebuildDpiStageList() override;
    int SelectDpiStage(int stage) override;

private:
    int OnStages(int event, intptr_t param);
    int OnSlider(int event);
    int OnStageCount();
    int OnDpiReset();
    int OnRateReset();
    int OnReportRate();
    int OnLiftOff();
    int OnSensorOptions();
    int OnResponseTimeTyped();
    int OnResponseTimeSent();
    int OnSleepTime();
    int OnMotionOption(int id, const char* key);

    // Queues a task, then the saving notice.
    void Queue(int task);
    int SensorCode() const;
    std::string StoredText(const std::string& key);
    int StoredInt(const std::string& key);
    void Store(const std::string& key, const std::string& value);
    void StoreInt(const std::string& key, int value);
    // The slider's position and value text from a stage's value.
    void ShowStageOnSlider(int stage);
    void FillReportRates();

    PageHost& m_host;
    // Labels that come and go with their groups.
    dui::MControl* m_lift_off_heading = nullptr;
    dui::MControl* m_sensor_heading = nullptr;
    dui::MControl* m_response_heading = nullptr;
    dui::MControl* m_response_unit = nullptr;
    std::atomic<int> m_listed_count{0};
    std::atomic<int> m_last_stage{0};
};

}  // namespace corvatt
