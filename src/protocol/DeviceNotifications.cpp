#include "protocol/DeviceNotifications.h"

#include <array>

#include "common/text/Text.h"
#include "platform/Log.h"

namespace corvatt {

namespace {

constexpr const char* kNotifyLine = "mouse notify data: %02X %02X %02X %02X %02X %02X";
constexpr const char* kStatusLine = "上报dongle和设备的连接状态: %d";
constexpr int kTextNotConnected = 50;
constexpr int kTextCableCaption = 51;
constexpr int kTextReceiverCaption = 52;
constexpr int kMaxStageCount = 6;

}  // namespace

DeviceNotifications::DeviceNotifications(DeviceManager& devices, ConfigStore& store, DeviceState& state,
                                         ModelContext& model, ProtocolTasks& tasks, NotificationUi& ui)
    : m_devices(devices), m_store(store), m_state(state), m_model(model), m_tasks(tasks), m_ui(ui) {}

void DeviceNotifications::SetDpiView(DpiStageView* view) { m_dpi_view = view; }

void DeviceNotifications::SetRecordingStopper(std::function<void()> stop) { m_stop_recording = std::move(stop); }

int DeviceNotifications::PollNotifications() {
    std::array<std::uint8_t, kReportSize> report{};
    int device_type = 0;
    m_devices.ReadDeviceReport(report.data(), device_type);
    HandleReport(report.data(), device_type);
    return report[0];
}

void DeviceNotifications::HandleReport(const std::uint8_t* report, int device_type) {
    if (report == nullptr || report[0] == 0) return;
    Log::Diag(text::Format(kNotifyLine, report[0], report[1], report[2], report[3], report[4], report[5]));
    if (report[0] == kDpiState) {
        OnDpiState(report[1]);
    } else if (report[0] == kReceiverStatus) {
        OnReceiverStatus(report, device_type);
    }
}

void DeviceNotifications::StoreInt(const char* key, int value) {
    m_store.SetConfigValue(m_model.current_profile, key, text::Format("%d", value));
}

void DeviceNotifications::OnDpiState(std::uint8_t state) {
    const int count = state & 0x0F;
    const int stage = state >> 4;
    // A count the page cannot list, or a stage beyond it, is not taken over.
    if (count < 1 || count > kMaxStageCount) return;

    if (m_dpi_view == nullptr || count != m_dpi_view->ListedStageCount()) {
        if (m_dpi_view != nullptr) m_dpi_view->SetListedStageCount(count);
        StoreInt("dpi_count", count);
        if (m_dpi_view != nullptr) m_dpi_view->RebuildDpiStageList();
    }
    if (stage >= count) return;
    if (m_dpi_view == nullptr || stage != m_dpi_view->LastSelectedStage()) {
        StoreInt("dpi_index", stage);
        if (m_dpi_view != nullptr) {
            const int dpi = m_dpi_view->SelectDpiStage(stage);
            m_ui.ShowDpiNotice(dpi);
        }
    }
}

void DeviceNotifications::OnReceiverStatus(const std::uint8_t* report, int device_type) {
    Log::Diag(text::Format(kStatusLine, report[3]));
    m_ui.ClosePopups();

    if (report[1] == 1) {
        const bool receiver = m_devices.GetConnectionKind() == 1;
        const int mode = receiver ? 1 : 0;
        m_ui.SetDeviceConnected(true);
        m_ui.ShowLinkedView();
        m_ui.SetConnectionCaption(m_ui.LanguageText(receiver ? kTextReceiverCaption : kTextCableCaption));
        m_ui.SetDeviceState(device_type, mode, 1);
        m_devices.SetOnlineState(device_type, mode, 1);

        auto refresh = [this] {
            m_ui.RefreshButtonPage();
            m_ui.RefreshMacroLists();
            m_ui.RefreshDpiPage();
            if (m_state.model_has_lighting) m_ui.RefreshLightingList();
        };
        refresh();
        m_tasks.ReadDeviceInfoAgain();
        refresh();
    } else {
        m_ui.SetDeviceConnected(false);
        m_ui.SetConnectionCaption(m_ui.LanguageText(kTextNotConnected));
        m_ui.ShowUnlinkedView();
        m_ui.SetDeviceState(device_type, 1, 0);
        m_devices.SetOnlineState(device_type, 1, 0);
        m_devices.PollReceiverStatus();
        if (m_stop_recording) m_stop_recording();
        m_ui.ShowDeviceList(m_ui.OnlineDeviceCount() >= 1);
    }

    if (report[2] != 0) m_ui.ShowBattery(report[2], report[3]);
}

}  // namespace corvatt
