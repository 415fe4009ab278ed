#pragma once

#include <cstdint>
#include <functional>

#include "device/DeviceManager.h"
#include "protocol/DeviceState.h"
#include "protocol/ProtocolTasks.h"
#include "protocol/ProtocolUi.h"
#include "store/ConfigStore.h"
#include "store/ModelContext.h"

namespace corvatt {

// The DPI page's side of the mouse's DPI reports (the page implements it). Every call comes
// from the worker thread.
class DpiStageView {
public:
    virtual ~DpiStageView() = default;

    // The number of listed stages and the last selected stage, as the page remembers them.
    virtual int ListedStageCount() const = 0;
    virtual int LastSelectedStage() const = 0;
    // Remembers count as the number of listed stages and selects it in the stage-count box.
    virtual void SetListedStageCount(int count) = 0;
    // Refills the stage list from the stage-count box and the store.
    virtual void RebuildDpiStageList() = 0;
    // Remembers stage as the last selected one, selects it in the stage list and puts the
    // slider at its value. Returns the stage's DPI value.
    virtual int SelectDpiStage(int stage) = 0;
};

// The window's side of the notifications, beyond the protocol's screen effects. The main
// window implements it; every call comes from the worker thread.
class NotificationUi : public ProtocolUi {
public:
    // The wireless mouse linked: show the tab strip with its background and the device-header
    // picture, hide the no-device picture and text, show the device list, hide the home page,
    // select tab 1 of the tab strip, show the connection caption and the two header buttons.
    virtual void ShowLinkedView() = 0;
    // The link is lost: select tab 0; hide the tab strip, its background and the device-header
    // picture; show the no-device picture and text; hide the device list; show the home page.
    virtual void ShowUnlinkedView() = 0;
    // CDeviceList::GetOnlineDevCount.
    virtual int OnlineDeviceCount() = 0;
    // true: hide the no-device picture and text and show the device list; false: the reverse.
    virtual void ShowDeviceList(bool show) = 0;
    // The DPI notice with the value, when the notice exists and the model shows DPI tips.
    virtual void ShowDpiNotice(int dpi_value) = 0;
};

// The reports the mouse and its receiver send by themselves: read while the worker is idle,
// kept in the store and on the screen.
//
// Threads: PollNotifications and HandleReport run on the worker thread only. SetDpiView and
// SetRecordingStopper are called before the worker starts.
class DeviceNotifications {
public:
    static constexpr std::uint8_t kDpiState = 0xC2;
    static constexpr std::uint8_t kReceiverStatus = 0xC0;
    static constexpr std::size_t kReportSize = 65;

    DeviceNotifications(DeviceManager& devices, ConfigStore& store, DeviceState& state, ModelContext& model,
                        ProtocolTasks& tasks, NotificationUi& ui);

    // The DPI page (not owned); without one the DPI reports only reach the store.
    void SetDpiView(DpiStageView* view);
    // Stops a running macro recording as the Record button would; does nothing when none runs.
    void SetRecordingStopper(std::function<void()> stop);

    // The idle step: one ReadDeviceReport (at most 100 ms, or 10 ms per receiver), then the
    // report it left, if any. Returns byte 0 of that report (0 when nothing came).
    int PollNotifications();
    // One report as ReadDeviceReport leaves it (byte 0 = the device's first byte, at least
    // 6 bytes); device_type = the type of the interface that sent it.
    void HandleReport(const std::uint8_t* report, int device_type);

private:
    void OnDpiState(std::uint8_t state);
    void OnReceiverStatus(const std::uint8_t* report, int device_type);
    void StoreInt(const char* key, int value);

    DeviceManager& m_devices;
    ConfigStore& m_store;
    DeviceState& m_state;
    ModelContext& m_model;
    ProtocolTasks& m_tasks;
    NotificationUi& m_ui;
    DpiStageView* m_dpi_view = nullptr;
    std::function<void()> m_stop_recording;
};

}  // namespace corvatt
