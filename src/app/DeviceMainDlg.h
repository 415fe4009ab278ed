#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/DeviceCatalog.h"
#include "common/ui/MDialog.h"

namespace corvatt {

class Launcher;
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

// The program's one top-level window: it owns the catalogue, the pages and the tray icon.
class DeviceMainDlg : public dui::MDialog {
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

    struct Context {
        Registry* registry = nullptr;
        Launcher* launcher = nullptr;
        std::string install_folder;           // with trailing "/"
        std::string install_folder_no_slash;  // for config.xml
        std::string data_folder;              // with trailing "/"
        std::vector<std::string> simulate;    // virtual devices to attach
        int exit_after_ms = -1;               // end the modal loop after this long
    };

    explicit DeviceMainDlg(Context context);
    ~DeviceMainDlg() override;

    bool OnInitDialog() override;
    void InitUI() override;
    void UISize() override;
    int OnMessage(int id, int event, intptr_t param) override;
    void DestroyWindow() override;

    // Registry helpers under the application's key.
    int ReadRegistryInt(std::string_view name);
    bool WriteRegistryInt(std::string_view name, int value);

    const DeviceCatalog& Catalog() const { return m_catalog; }
    double LayoutScale() const { return m_layout_scale; }
    int CurrentTab() const { return m_current_tab; }
    int CurrentProfile() const { return m_current_profile; }
    bool TrayIconAdded() const { return m_tray_added; }

protected:
    intptr_t OnWindowMessage(unsigned msg, uintptr_t wparam, intptr_t lparam, bool& handled) override;
    void OnTimer(unsigned id) override;
    void OnMaximize() override;

private:
    static constexpr unsigned kExitAfterTimer = 0x7FFE0001u;

    // Creation helpers: each control keeps its design rectangle for UISize.
    dui::MControl* Make(std::string_view class_name, int id, dui::Rect rect, std::string_view text = {},
                        dui::MControl* page = nullptr);
    dui::MControl* MakeText(std::string_view class_name, int id, dui::Rect rect, int text_id,
                            dui::MControl* page = nullptr);
    void CreateInformationPage(dui::MControl* page);

    void LoadCatalog();
    void OnTabSwitch(int index);
    void OpenSettingsPage();
    void CloseSettingsPage();
    void UpdateMaximizeImage();
    void OpenAddress(const std::string& address);
    void ExitProcess();
    void OnTrayCallback(intptr_t mouse_message);
    void ShowFirstView();

    Context m_context;
    std::string m_app_key;
    DeviceCatalog m_catalog;

    // Window state read by the pages.
    int m_current_profile = 1;
    int m_current_device_type = 0;
    int m_current_tab = 1;
    double m_layout_scale = 1.0;
    bool m_device_present = false;
    bool m_device_connected = false;
    bool m_tray_added = false;

    struct Placed {
        dui::MControl* control;
        dui::Rect design;
    };
    std::vector<Placed> m_layout;
};

}  // namespace corvatt
