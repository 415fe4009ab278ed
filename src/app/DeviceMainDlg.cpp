#include "app/DeviceMainDlg.h"

#include <cmath>

#include "app/Language.h"
#include "common/text/Text.h"
#include "common/ui/BatteryCtrl.h"
#include "common/ui/CDeviceList.h"
#include "common/ui/CDeviceState.h"
#include "common/ui/CIconButton.h"
#include "common/ui/CImageButton.h"
#include "common/ui/Host.h"
#include "common/ui/MButton.h"
#include "common/ui/MPicture.h"
#include "common/ui/MTabCtrl.h"
#include "common/ui/MTabLayout.h"
#include "common/ui/MText.h"
#include "common/ui/Manager.h"
#include "common/ui/Messages.h"
#include "device/DeviceManager.h"
#include "platform/Launcher.h"
#include "platform/Log.h"
#include "platform/Registry.h"

namespace corvatt {

using dui::Rect;

namespace {

// Control ids of the main window.
enum : int {
    kBackground = 30,
    kDevicePicture = 31,
    kCaptionBackground = 32,
    kHeaderBackground = 33,
    kLogo = 34,
    kCaptionText = 35,
    kVersionCaption = 36,
    kWebLink = 37,
    kCloseButton = 38,
    kMinimizeButton = 39,
    kSettingsButton = 40,
    kMaximizeButton = 41,
    kBattery = 43,
    kConnectionCaption = 44,
    kProfileButton = 45,
    kFactoryButton = 46,
    kTabBackground = 47,
    kTabStrip = 48,
    kHomePage = 49,
    kButtonPage = 50,
    kFunctionPanel = 51,
    kDpiPage = 52,
    kMacroPage = 53,
    kLightPage = 54,
    kInfoPage = 55,
    kSettingsPage = 56,
    kDeviceList = 57,
    kNoDevicePicture = 58,
    kNoDeviceText = 59,
    kPreviousButton = 60,
    kNextButton = 61,
};

struct TabItem {
    int item_id;
    int text_id;
    const char* icon;
    int page_id;
};
constexpr TabItem kTabItems[] = {
    {1, 71, "icon/tab_home.png", kHomePage},  {2, 72, "icon/tab_key.png", kButtonPage},
    {3, 73, "icon/tab_dpi.png", kDpiPage},    {4, 74, "icon/tab_macro.png", kMacroPage},
    {5, 75, "icon/tab_light.png", kLightPage}, {6, 76, "icon/tab_set.png", kInfoPage},
};

// Design geometry at 1300 x 788: title bar, header, tab column, page area, footer.
constexpr int kTitleBottom = 56;
constexpr int kHeaderBottom = 112;
constexpr int kTabRight = 220;
constexpr int kFooterTop = 740;
constexpr Rect kPageRect{kTabRight, kHeaderBottom, 1300, kFooterTop};
constexpr Rect kFullPageRect{0, kTitleBottom, 1300, kFooterTop};

}  // namespace

DeviceMainDlg::DeviceMainDlg(Context context) : m_context(std::move(context)) {
    m_app_key = ApplicationKey(dui::Manager::Instance().GetDeviceName());
}

DeviceMainDlg::~DeviceMainDlg() = default;

dui::MControl* DeviceMainDlg::Make(std::string_view class_name, int id, Rect rect, std::string_view text,
                                   dui::MControl* page) {
    dui::MControl* control = CreateControl(class_name, id, rect, text, 0, 0, page);
    if (control) m_layout.push_back({control, rect});
    return control;
}

dui::MControl* DeviceMainDlg::MakeText(std::string_view class_name, int id, Rect rect, int text_id,
                                       dui::MControl* page) {
    dui::MControl* control = Make(class_name, id, rect, GetLanguageText(text_id), page);
    if (control) control->SetTextId(text_id);
    return control;
}

void DeviceMainDlg::InitUI() {
    Make("MPicture", kBackground, {0, 0, kDesignWidth, kDesignHeight}, "main_bkg.png");
    Make("MPicture", kCaptionBackground, {0, 0, kDesignWidth, kTitleBottom}, "img_area_caption.png");
    Make("MPicture", kHeaderBackground, {0, kFooterTop, kDesignWidth, kDesignHeight}, "img_area_caption.png");
    Make("MPicture", kLogo, {20, 12, 52, 44}, "logo.png");

    auto* caption = static_cast<dui::MText*>(
        Make("MText", kCaptionText, {64, 12, 520, 44}, dui::Manager::Instance().GetDeviceName()));
    caption->SetFont(18, true);
    caption->SetAlignment(dui::kAlignLeft | dui::kAlignVCenter | dui::kAlignSingleLine);

    auto* version = static_cast<dui::MText*>(Make("MText", kVersionCaption, {24, 750, 520, 778}));
    version->SetFont(11);
    version->SetAlignment(dui::kAlignLeft | dui::kAlignVCenter | dui::kAlignSingleLine);

    auto* link = static_cast<dui::MControlFont*>(Make("CTextButton", kWebLink, {880, 750, 1276, 778}));
    link->SetFont(11, false, true);
    link->SetAlignment(dui::kAlignRight | dui::kAlignVCenter | dui::kAlignSingleLine);

    Make("CImageButton", kSettingsButton, {1136, 12, 1168, 44}, "sysbtn_setting.png");
    Make("CImageButton", kMinimizeButton, {1176, 12, 1208, 44}, "sysbtn_min.png");
    Make("CImageButton", kMaximizeButton, {1216, 12, 1248, 44}, "sysbtn_maximize.png");
    Make("CImageButton", kCloseButton, {1256, 12, 1288, 44}, "sysbtn_close.png");

    Make("BatteryCtrl", kBattery, {950, 70, 1060, 98});
    auto* state = static_cast<dui::MControlFont*>(MakeText("CDeviceState", kConnectionCaption,
                                                            {244, 64, 760, 104}, 50));
    state->SetFont(15, true);
    auto* profile = static_cast<dui::CIconButton*>(
        Make("CIconButton", kProfileButton, {1080, 64, 1280, 104}, GetLanguageText(61) + " 1"));
    profile->SetIcon("icon/icon_arrow_up.png");
    MakeText("MButton", kFactoryButton, {20, 680, 200, 720}, 558);

    Make("MPicture", kTabBackground, {0, kTitleBottom, kTabRight, kFooterTop}, "img_tab_bkg.png");
    auto* tabs = static_cast<dui::MTabCtrl*>(Make("MTabCtrl", kTabStrip, {0, 80, kTabRight, 440}));

    // Pages, then the device picture above them.
    Make("MTabLayout", kHomePage, kFullPageRect);
    for (int id : {kButtonPage, kFunctionPanel, kDpiPage, kMacroPage, kLightPage, kInfoPage}) {
        Make("MTabLayout", id, kPageRect)->SetVisible(false);
    }
    Make("MTabLayout", kSettingsPage, kFullPageRect)->SetVisible(false);
    Make("MPicture", kDevicePicture, {730, 120, 1150, 640})->SetVisible(false);

    for (const auto& item : kTabItems) {
        tabs->AddItem(item.item_id, GetLanguageText(item.text_id), item.icon, item.page_id, item.text_id);
    }

    // The home page: the device list, or the no-device notice.
    dui::MControl* home = GetControl(kHomePage);
    auto* list = static_cast<dui::CDeviceList*>(Make("CDeviceList", kDeviceList, {140, 130, 1160, 640}, {}, home));
    list->SetVersionLabelId(15);
    list->SetVersionLabel(GetLanguageText(15));
    Make("MPicture", kNoDevicePicture, {500, 190, 800, 430}, "img_area3.png", home)->SetVisible(false);
    auto* no_device = static_cast<dui::MText*>(MakeText("MText", kNoDeviceText, {150, 450, 1150, 490}, 56, home));
    no_device->SetAlignment(dui::kAlignCenter | dui::kAlignVCenter | dui::kAlignSingleLine);
    no_device->SetFont(15);
    no_device->SetVisible(false);
    Make("CImageButton", kPreviousButton, {80, 366, 120, 406}, "img_btn_pre.png", home)->SetTooltipId(85);
    Make("CImageButton", kNextButton, {1180, 366, 1220, 406}, "img_btn_next.png", home)->SetTooltipId(86);
    GetControl(kPreviousButton)->SetTooltip(GetLanguageText(85));
    GetControl(kNextButton)->SetTooltip(GetLanguageText(86));

    CreateInformationPage(GetControl(kInfoPage));
}

void DeviceMainDlg::CreateInformationPage(dui::MControl* page) {
    Make("MPicture", 0, kPageRect, "img_page_bkg.png", page);
    Make("MPicture", 0, {kTabRight + 20, 130, 1280, 170}, "img_area_caption.png", page);
    static_cast<dui::MText*>(MakeText("MText", 0, {kTabRight + 40, 130, 900, 170}, 76, page))->SetFont(15, true);

    struct Line {
        int id;
        int text_id;
        Rect rect;
    };
    const Line lines[] = {
        {243, 551, {kTabRight + 40, 200, 900, 232}}, {246, 580, {kTabRight + 40, 234, 900, 260}},
        {244, 552, {kTabRight + 40, 290, 900, 322}}, {247, 580, {kTabRight + 40, 324, 900, 350}},
        {245, 558, {kTabRight + 40, 380, 900, 412}},
    };
    for (const auto& line : lines) {
        auto* text = static_cast<dui::MText*>(MakeText("MText", line.id, line.rect, line.text_id, page));
        text->SetAlignment(dui::kAlignLeft | dui::kAlignVCenter | dui::kAlignSingleLine);
        text->SetFont(line.id <= 245 ? 13 : 11);
    }
    MakeText("MButton", 248, {920, 200, 1120, 240}, 578, page);
    MakeText("MButton", 249, {920, 290, 1120, 330}, 578, page);
    MakeText("MButton", 250, {kTabRight + 40, 470, kTabRight + 300, 510}, 558, page);
}

bool DeviceMainDlg::OnInitDialog() {
    // 1. Controls and layout; the mark that a later start looks for.
    MDialog::OnInitDialog();
    auto& manager = dui::Manager::Instance();
    SetWindowProperty(manager.GetDeviceName(), 1);

    // 2, 3. Icon and tray icon; the tip is the application name, at most 127 characters.
    const std::string icon = manager.GetSkinRoot() + "Corvatt.ico";
    if (dui::Host* host = manager.GetHost()) {
        m_tray_added = host->AddTrayIcon(*this, kTrayId, text::Left(manager.GetDeviceName(), 127), icon, kMsgTray);
    }
    SetIcon(icon);

    // 5. Until a device is known the remembered type is the default.
    if (m_context.registry) WriteRegistryInt("DeviceType", kDefaultDeviceType);

    // 6. The catalogue fills the device list and the supported ids.
    LoadCatalog();

    // 9. The dialog timer.
    SetMTimer(10);

    ShowFirstView();
    if (m_context.exit_after_ms >= 0) SetTimer(kExitAfterTimer, static_cast<unsigned>(m_context.exit_after_ms));
    return true;
}

void DeviceMainDlg::LoadCatalog() {
    auto* list = GetControl<dui::CDeviceList>(kDeviceList);
    if (list) list->ClearList();
    auto& devices = DeviceManager::Instance();
    devices.ClearSupportedIds();

    const std::string image_folder = dui::Manager::Instance().GetSkinRoot() + "device/";
    if (m_catalog.Load(m_context.install_folder_no_slash + "/config.xml", image_folder)) {
        for (const auto& model : m_catalog.Models()) {
            if (list) list->AddDevice(model.name, model.device_type, model.image_path);
        }
        for (const auto& mode : m_catalog.Modes()) {
            devices.AddSupportedId(mode.vendor_id, mode.product_id, mode.device_type, mode.mode,
                                   mode.device_identity);
        }
        if (m_catalog.HasSoftware()) {
            const std::string caption = text::Format("%s: v%s", GetLanguageText(17), m_catalog.Software().version);
            if (auto* version = GetControl<dui::MText>(kVersionCaption)) version->SetTitle(caption);
            if (auto* settings_version = GetControl<dui::MText>(274)) settings_version->SetTitle(caption);
        }
        if (auto* link = GetControl<dui::MControlFont>(kWebLink)) {
            std::string shown = m_catalog.Software().website_url;
            for (std::string_view scheme : {"https://", "http://"}) {
                if (text::StartsWith(shown, scheme)) shown.erase(0, scheme.size());
            }
            if (!shown.empty() && shown.back() == '/') shown.pop_back();
            link->SetTitle(shown);
            link->SetVisible(!shown.empty());
        }
    } else {
        Log::Diag("config.xml could not be read: no device is supported");
    }
    // Input-method switch-off has no counterpart; device events are registered with the worker.
}

void DeviceMainDlg::ShowFirstView() {
    // Home: the device list with the catalogued models; the device views come from the rescan.
    for (int id : {kTabStrip, kTabBackground, kDevicePicture, kConnectionCaption, kProfileButton,
                   kFactoryButton, kBattery}) {
        if (auto* control = GetControl(id)) control->SetVisible(false);
    }
    if (auto* tabs = GetControl<dui::MTabCtrl>(kTabStrip)) tabs->SetSelectItem(0);
    GetControl(kHomePage)->SetVisible(true);
    GetControl(kDeviceList)->SetVisible(true);
    dui::Manager::Instance().MarkViewReady();
}

void DeviceMainDlg::UISize() {
    const Rect client = GetClientRect();
    m_layout_scale = client.Height() > 0 ? client.Height() / static_cast<double>(kDesignHeight) : 1.0;
    UpdateMaximizeImage();
    auto scaled = [this](int v) { return static_cast<int>(std::lround(v * m_layout_scale)); };
    for (const auto& placed : m_layout) {
        placed.control->SetRect(scaled(placed.design.left), scaled(placed.design.top),
                                scaled(placed.design.right), scaled(placed.design.bottom));
    }
}

void DeviceMainDlg::OnMaximize() { UISize(); }

void DeviceMainDlg::UpdateMaximizeImage() {
    if (auto* button = GetControl<dui::CImageButton>(kMaximizeButton)) {
        button->SetImage(IsMaximized() ? "sysbtn_restore.png" : "sysbtn_maximize.png");
    }
}

int DeviceMainDlg::OnMessage(int id, int event, intptr_t param) {
    if (id == kTabStrip) {
        OnTabSwitch(static_cast<int>(param));
        return 1;
    }
    if (event != dui::kEventClick) return 0;

    switch (id) {
        case kWebLink:
            OpenAddress(m_catalog.Software().website_url);
            return 1;
        case kCloseButton:
            if (ReadRegistryInt("exit_mode") == 1) {
                ShowWindow(dui::SW_HIDE);
            } else {
                ExitProcess();
            }
            return 1;
        case kMinimizeButton:
            Minimize();
            return 1;
        case kSettingsButton:
            OpenSettingsPage();
            return 1;
        case kMaximizeButton:
            if (IsMaximized()) {
                Restore();
            } else {
                Maximize();
            }
            UpdateMaximizeImage();
            return 1;
        case kPreviousButton:
        case kNextButton:
            if (auto* list = GetControl<dui::CDeviceList>(kDeviceList)) list->SetSelectIndex(-1);
            return 1;
        case 149:
            if (!m_context.launcher || !OpenMouseSettings(*m_context.launcher)) {
                Log::Diag("no desktop mouse settings tool was found");
            }
            return 1;
        case 289:
            OpenAddress(m_catalog.Software().website_url);
            return 1;
        case 290:
            OpenAddress(m_catalog.Software().feedback_url);
            return 1;
        case 291:
            OpenAddress(m_catalog.Software().qa_url);
            return 1;
        default:
            break;
    }
    if (id == 94 || id == 95 || id == 96 || id == 97 || (id >= 218 && id <= 224)) return 1;
    return 0;
}

void DeviceMainDlg::OnTabSwitch(int index) {
    auto* tabs = GetControl<dui::MTabCtrl>(kTabStrip);
    if (!tabs) return;
    if (GetControl(kSettingsPage)->IsVisible()) CloseSettingsPage();
    const int item_id = tabs->GetItemId(index);
    if (m_current_tab == 1) GetControl(kDevicePicture)->SetVisible(true);
    GetControl(kBattery)->SetVisible(true);
    if (item_id == 1) {
        for (int id : {kDevicePicture, kTabStrip, kTabBackground, kConnectionCaption, kProfileButton,
                       kFactoryButton, kBattery}) {
            GetControl(id)->SetVisible(false);
        }
    }
    m_current_tab = item_id;
}

void DeviceMainDlg::OpenSettingsPage() {
    for (int id : {kTabStrip, kTabBackground, kDevicePicture, kBattery, kSettingsButton, kMaximizeButton}) {
        GetControl(id)->SetVisible(false);
    }
    GetControl(kSettingsPage)->SetVisible(true);
}

void DeviceMainDlg::CloseSettingsPage() {
    GetControl(kSettingsPage)->SetVisible(false);
    for (int id : {kCloseButton, kMinimizeButton, kSettingsButton, kMaximizeButton}) {
        GetControl(id)->SetVisible(true);
    }
}

void DeviceMainDlg::OpenAddress(const std::string& address) {
    if (address.empty() || !m_context.launcher) return;
    if (!ShellOpen(*m_context.launcher, address)) Log::Diag("could not open " + address);
}

void DeviceMainDlg::ExitProcess() {
    dui::Host* host = dui::Manager::Instance().GetHost();
    if (!host) return;
    if (m_tray_added) {
        host->RemoveTrayIcon(*this, kTrayId);
        m_tray_added = false;
    }
    host->Quit(0);
}

void DeviceMainDlg::OnTrayCallback(intptr_t mouse_message) {
    dui::Host* host = dui::Manager::Instance().GetHost();
    if (mouse_message == dui::WM_LBUTTONDOWN || mouse_message == dui::WM_LBUTTONDBLCLK) {
        ShowWindow(dui::SW_SHOW);
        SetForeground();
        if (host) host->ActivateWindow(*this);
    } else if (mouse_message == dui::WM_RBUTTONUP && host) {
        host->ShowTrayMenu(*this, {{kMenuExit, GetLanguageText(12)}});
    }
}

intptr_t DeviceMainDlg::OnWindowMessage(unsigned msg, uintptr_t wparam, intptr_t lparam, bool& handled) {
    handled = true;
    switch (msg) {
        case dui::WM_COMMAND:
            if (wparam == kMenuExit) {
                ExitProcess();
                return 0;
            }
            break;
        case dui::WM_DEVICECHANGE:
            return 0;
        case kMsgTray:
            OnTrayCallback(lparam);
            return 0;
        case kMsgExit:
            if (lparam == kExitParam) ExitProcess();
            return 0;
        case kMsgDownloadProgress:
            return 1;
        case kMsgActivate:
            ShowWindow(dui::SW_SHOWNORMAL);
            SetForeground();
            if (dui::Host* host = dui::Manager::Instance().GetHost()) host->ActivateWindow(*this);
            return 0;
        case kMsgLanguage:
            ApplyTexts([](int id) { return GetLanguageText(id); });
            break;
        default:
            break;
    }
    handled = false;
    return 0;
}

void DeviceMainDlg::OnTimer(unsigned id) {
    if (id == kExitAfterTimer) {
        KillTimer(kExitAfterTimer);
        EndModal(1);
        return;
    }
    MDialog::OnTimer(id);
}

void DeviceMainDlg::DestroyWindow() {
    if (!IsCreated()) return;
    if (m_tray_added) {
        if (dui::Host* host = dui::Manager::Instance().GetHost()) host->RemoveTrayIcon(*this, kTrayId);
        m_tray_added = false;
    }
    m_catalog.ClearModes();
    MDialog::DestroyWindow();
}

int DeviceMainDlg::ReadRegistryInt(std::string_view name) {
    if (!m_context.registry) return 0;
    return corvatt::ReadRegistryInt(*m_context.registry, m_app_key, name);
}

bool DeviceMainDlg::WriteRegistryInt(std::string_view name, int value) {
    if (!m_context.registry) return false;
    return WriteRegistryDecimal(*m_context.registry, m_app_key, name, value);
}

}  // namespace corvatt
