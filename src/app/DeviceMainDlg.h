#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "catalog/DeviceCatalog.h"
#include "app/ControlRouting.h"
#include "sim/SimulatorActions.h"
#include "catalog/DeviceDescription.h"
#include "common/ui/MDialog.h"
#include "device/CThreadBasic.h"
#include "device/TaskQueue.h"
#include "pages/PageHost.h"
#include "pages/PerformancePage.h"
#include "pages/SettingsPage.h"
#include "protocol/DeviceNotifications.h"
#include "protocol/DeviceState.h"
#include "store/ModelContext.h"
#include "store/StoreRecords.h"

namespace corvatt {

class Autostart;
class DeviceManager;
class HidBackend;
class DPIMsgDlg;
class Launcher;
class ProtocolTasks;
class SaveWaitDlg;
class Registry;

namespace dui {
class BatteryCtrl;
class CDeviceList;
class CDeviceState;
class CIconButton;
class CImageButton;
class MControl;
class MPicture;
class MTabCtrl;
class MText;
}  // namespace dui

// The program's one top-level window: it owns the catalogue, the pages, the tray icon and the
// worker thread with its task queue.
class DeviceMainDlg : public dui::MDialog, public CThreadBasic, private NotificationUi, private SettingsHost {
public:
    static constexpr int kDesignWidth = 1300;
    static constexpr int kDesignHeight = 788;

    // Window messages.
    static constexpr unsigned kMsgTray = 1690;
    static constexpr unsigned kMsgExit = 1691;
    static constexpr intptr_t kExitParam = 610;
    static constexpr unsigned kMsgUpdateNotice = 1692;
    static constexpr unsigned kMsgDownloadProgress = 1694;
    static constexpr unsigned kMsgProfileResult = 1705;
    static constexpr unsigned kMsgLanguage = 2022;
    // A later start of the program asks this one to come forward (our own message).
    static constexpr unsigned kMsgActivate = 0x8001;

    static constexpr unsigned kTrayId = 109;
    static constexpr unsigned kMenuExit = 100;
    static constexpr unsigned kMenuAbout = 102;
    static constexpr int kDefaultDeviceType = 101;
    // Tray menu entries of the virtual devices start here.
    static constexpr unsigned kMenuSimulatorFirst = 200;

    struct Context {
        Registry* registry = nullptr;
        Launcher* launcher = nullptr;
        std::string install_folder;           // with trailing "/"
        std::string install_folder_no_slash;  // for config.xml
        std::string data_folder;              // with trailing "/"
        int exit_after_ms = -1;               // end the modal loop after this long
        bool open_device = false;             // open the first online device once it is found
        std::vector<int> languages;           // installed languages (config.xml)
        Autostart* autostart = nullptr;       // the session's autostart entry; none: not offered
        std::string executable_path;
        // HID back ends added to the device manager at start (hidraw, virtual devices).
        std::vector<std::shared_ptr<HidBackend>> backends;
        // Connects the device-change sources (udev monitor, virtual devices) to the handler,
        // which may be called from any thread; returns a function that disconnects them.
        using DeviceEventHandler = std::function<void(int event, std::string path)>;
        std::function<std::function<void()>(DeviceEventHandler)> connect_device_events;
        std::vector<SimulatorAction> simulator_actions;
    };

    explicit DeviceMainDlg(Context context);
    ~DeviceMainDlg() override;

    bool OnInitDialog() override;
    void InitUI() override;
    void UISize() override;
    int OnMessage(int id, int event, intptr_t param) override;
    void DestroyWindow() override;

    // Registry helpers under the application's key.
    int ReadRegistryInt(std::string_view name) override;
    bool WriteRegistryInt(std::string_view name, int value) override;

    // Appends a task code for the worker; returns at once. Any thread.
    void QueueTask(int code) override;
    TaskQueue& Queue() { return m_queue; }

    const DeviceCatalog& Catalog() const { return m_catalog; }
    DeviceDescription Description() const override;
    std::vector<KeyAssignment> DefaultKeyAssignments() const;
    int CurrentDeviceType() const { return m_current_device_type.load(); }
    bool DevicePresent() const { return m_device_present.load(); }
    bool DeviceConnected() const { return m_device_connected.load(); }
    double LayoutScale() const override { return m_layout_scale; }
    int CurrentTab() const { return m_current_tab.load(); }
    int CurrentProfile() const override { return m_current_profile.load(); }
    bool TrayIconAdded() const { return m_tray_added; }
    const DeviceState& State() const { return m_state; }

    // The short saving notice, when the model shows it (pages call it after storing a change).
    void ShowSaveWait() override;
    // The DPI notice in the screen corner, when the model shows DPI tips; any thread.
    void ShowDpiNotice(int dpi_value) override;
    DPIMsgDlg* DpiNotice() const { return m_dpi_msg.get(); }

    // The page that takes the notifications routed to it (not owned).
    void SetPageHandler(PageRoute route, PageHandler* handler);

    // The user chose a device in the list (UI thread).
    void OpenSelectedDevice();

    PerformancePage& DpiPage() { return m_dpi_page; }
    SettingsPage& Settings() { return m_settings_page; }
    DeviceNotifications& Notifications() { return *m_notifications; }

protected:
    void RunWorkerStep() override;
    bool HasIdleWork() const override { return m_device_present.load(); }
    intptr_t OnWindowMessage(unsigned msg, uintptr_t wparam, intptr_t lparam, bool& handled) override;
    void OnTimer(unsigned id) override;
    void OnMaximize() override;

private:
    static constexpr unsigned kExitAfterTimer = 0x7FFE0001u;
    static constexpr unsigned kOpenDeviceTimer = 0x7FFE0002u;

    // Creation helpers: each control keeps its design rectangle for UISize.
    dui::MControl* Make(std::string_view class_name, int id, dui::Rect rect, std::string_view text = {},
                        dui::MControl* page = nullptr);
    dui::MControl* MakeText(std::string_view class_name, int id, dui::Rect rect, int text_id,
                            dui::MControl* page = nullptr);
    void CreateInformationPage(dui::MControl* page);

    void LoadCatalog();
    void OnTabSwitch(int index);
    void OpenSettingsPage();
    void CloseSettingsPage() override;
    void UpdateMaximizeImage();
    void OpenAddress(const std::string& address);
    void ExitProcess();
    void OnTrayCallback(intptr_t mouse_message);
    void ShowFirstView();
    // Device link (worker thread unless noted).
    void SetUpTasks();
    void RescanDevices();
    void RefreshDeviceList();
    void RefreshSequence(std::chrono::milliseconds pause);
    void RemovalSequence();
    void ReReadSequence();
    bool EnsureProfiles();
    void IdlePoll();
    void SetCurrentDeviceType(int device_type);
    void LoadDeviceDescription();
    // The button picture and list from the description's buttons, in the current language.
    void FillButtonControls(const DeviceDescription& description, bool keep_selection);
    void MirrorButtonSelection(int id);
    void ShowNoDeviceView();
    void ShowDeviceListView();
    void ShowOpenedDeviceView();
    void CloseSettingsPageIfOpen();
    void RefreshPages();

    // The protocol's screen effects (worker thread).
    std::string LanguageText(int text_id) override;
    void ShowBattery(int level, int second) override;
    void ShowDeviceBattery(int device_type, int level, int second) override;
    void ShowDpiRange(const std::string& step_text, const std::string& highest_text, int highest_code,
                      int second_value) override;
    void SetInformationLine(int control_id, const std::string& text) override;
    void ClosePopups() override;
    void SetDeviceState(int device_type, int mode, int state) override;
    void SetConnectionCaption(const std::string& text) override;
    bool IsDeviceConnected() override { return m_device_connected.load(); }
    void SetDeviceConnected(bool connected) override { m_device_connected = connected; }
    void RefreshButtonPage() override {}
    void RefreshMacroLists() override {}
    void RefreshDpiPage() override;
    void RefreshLightingList() override {}
    void ReloadDpiControls() override;
    void SetCurrentProfile(int profile) override;
    // The device's own notifications (worker thread).
    void ShowLinkedView() override;
    void ShowUnlinkedView() override;
    int OnlineDeviceCount() override;
    void ShowDeviceList(bool show) override;
    // What the pages need of the window.
    dui::MDialog& Window() override { return *this; }
    ConfigStore& Store() override;
    DeviceInfoValues DeviceInfo() const override { return m_state.Info(); }
    std::string LanguageText(int text_id) const override;
    int ShowMessage(const std::string& text, const std::string& caption, int style) override;
    std::string DescriptionPath() const override;
    // <install folder>device/<model key>.xml
    std::string DescriptionFile(const std::string& model_key) const;
    std::vector<int> InstalledLanguages() const override { return m_context.languages; }
    int CurrentLanguage() const override;
    void SwitchLanguage(int language_id) override;
    Autostart* AutostartEntry() override { return m_context.autostart; }
    std::string ExecutablePath() const override { return m_context.executable_path; }
    // The version check has no worker step yet.
    bool CanCheckForUpdates() const override { return false; }

    // Device-change notifications (UI thread).
    void PostDeviceChange(int event, std::string path);
    void OnDeviceChange(uintptr_t event);

    Context m_context;
    std::string m_app_key;
    DeviceCatalog m_catalog;

    // Window state read by the pages and the worker.
    std::atomic<int> m_current_profile{1};
    std::atomic<int> m_current_device_type{0};
    std::atomic<int> m_current_tab{1};
    double m_layout_scale = 1.0;
    std::atomic<bool> m_device_present{false};
    std::atomic<bool> m_device_connected{false};
    bool m_tray_added = false;
    bool m_view_ready = false;

    DeviceManager& m_devices;
    DeviceState m_state;
    ModelContext m_model;  // changed by the worker only, between protocol calls
    std::unique_ptr<ProtocolTasks> m_protocol;
    std::unique_ptr<DeviceNotifications> m_notifications;
    PerformancePage m_dpi_page{*this};
    SettingsPage m_settings_page{*this};
    // What the settings page covered, shown again when it closes.
    std::mutex m_settings_mutex;
    std::vector<std::pair<int, bool>> m_before_settings;
    TaskQueue m_queue;
    TaskDispatcher m_dispatcher;

    // The current model's description, read on either thread.
    mutable std::mutex m_description_mutex;
    DeviceDescription m_description;
    std::vector<KeyAssignment> m_default_keys;

    // Device-change events wait here for the UI thread.
    std::mutex m_change_mutex;
    std::deque<std::pair<int, std::string>> m_changes;
    std::function<void()> m_disconnect_events;

    // How a control follows a window wider than the design's proportions.
    enum class Anchor { kScaled, kRightEdge, kStretched };
    struct Placed {
        dui::MControl* control;
        dui::Rect design;
        Anchor anchor;
    };
    // Layout (UI thread, and the worker while it loads a description).
    void Place(dui::MControl* control, dui::Rect design);
    // Places every control created since the window held `first` controls, at its current rect.
    void PlaceControlsSince(std::size_t first);
    // What a window is wider than the scaled design, and a placed control's rect for it.
    int ExtraWidth() const;
    dui::Rect ScaledRect(const Placed& placed, int extra) const;
    // A new design rectangle for a placed control, applied at once.
    void SetDesignRect(dui::MControl* control, dui::Rect design);
    std::vector<Placed> m_layout;
    PageHandler* m_pages[7] = {};
    std::unique_ptr<DPIMsgDlg> m_dpi_msg;
    std::unique_ptr<SaveWaitDlg> m_save_wait;
    int m_language_hook = 0;
};

}  // namespace corvatt
