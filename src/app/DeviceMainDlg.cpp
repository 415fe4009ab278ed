#include "app/DeviceMainDlg.h"

#include <cmath>

#include "app/AboutDlg.h"
#include "app/CUIMessageBox.h"
#include "app/DPIMsgDlg.h"
#include "app/Localisation.h"
#include "app/SaveWaitDlg.h"
#include "app/ImageSize.h"
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
#include "common/ui/MouseCtrl.h"
#include "common/ui/MouseKeyCtrl.h"
#include "common/ui/MText.h"
#include "common/ui/Manager.h"
#include "common/ui/Messages.h"
#include "device/DeviceChange.h"
#include "device/DeviceManager.h"
#include "device/DeviceTask.h"
#include "profile/ProfileSetup.h"
#include "protocol/ProtocolTasks.h"
#include "store/ConfigStore.h"
#include "store/ModelContext.h"
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
    // The button page's picture and list.
    kButtonCaption = 64,
    kButtonSubCaption = 66,
    kButtonList = 68,
    kButtonPicture = 108,
};

struct TabItem {
    int item_id;
    int text_id;
    const char* icon;
    int page_id;
};
constexpr TabItem kTabItems[] = {
    {1, TextId(71), "icon/tab_home.png", kHomePage},  {2, TextId(72), "icon/tab_key.png", kButtonPage},
    {3, TextId(73), "icon/tab_dpi.png", kDpiPage},    {4, TextId(74), "icon/tab_macro.png", kMacroPage},
    {5, TextId(75), "icon/tab_light.png", kLightPage}, {6, TextId(76), "icon/tab_set.png", kInfoPage},
};

// Design geometry at 1300 x 788: title bar, header, tab column, page area, footer.
constexpr int kTitleBottom = 56;
constexpr int kHeaderBottom = 112;
constexpr int kTabRight = 220;
constexpr int kFooterTop = 740;
constexpr Rect kPageRect{kTabRight, kHeaderBottom, 1300, kFooterTop};
constexpr Rect kFullPageRect{0, kTitleBottom, 1300, kFooterTop};
// The button page: the picture with its labels on the left, the list on the right; the list's
// height follows the number of buttons.
constexpr Rect kButtonPictureRect{240, 190, 880, 730};
constexpr int kButtonListLeft = 910;
constexpr int kButtonListRight = 1270;
constexpr int kButtonListTop = 190;
constexpr int kButtonRowPitch = 64;  // a row of the list with its gap

// Our own message: the worker's first refresh is done (the screenshot point of the view).
constexpr unsigned kMsgFirstView = 0x8002;

}  // namespace

DeviceMainDlg::DeviceMainDlg(Context context)
    : m_context(std::move(context)), m_devices(DeviceManager::Instance()) {
    m_app_key = ApplicationKey(dui::Manager::Instance().GetDeviceName());
    m_model.install_folder = m_context.install_folder;
    m_model.current_profile = 1;
    m_protocol = std::make_unique<ProtocolTasks>(m_devices, ConfigStore::Instance(), m_state, m_model,
                                                 static_cast<ProtocolUi&>(*this));
    m_notifications = std::make_unique<DeviceNotifications>(m_devices, ConfigStore::Instance(), m_state, m_model,
                                                            *m_protocol, static_cast<NotificationUi&>(*this));
    m_notifications->SetDpiView(&m_dpi_page);
    SetPageHandler(PageRoute::kDpi, &m_dpi_page);
    SetPageHandler(PageRoute::kSettings, &m_settings_page);
    SetUpTasks();
}

DeviceMainDlg::~DeviceMainDlg() {
    DestroyWindow();
    // The stop waits at most 1000 ms; a step still running finishes before the object goes,
    // and only then do the back ends leave the device manager.
    JoinWorker();
    m_devices.CloseAll();
    for (const auto& backend : m_context.backends) m_devices.RemoveBackend(backend.get());
    m_devices.SetReadInterrupt(nullptr);
}

dui::MControl* DeviceMainDlg::Make(std::string_view class_name, int id, Rect rect, std::string_view text,
                                   dui::MControl* page) {
    dui::MControl* control = CreateControl(class_name, id, rect, text, 0, 0, page);
    if (control) Place(control, rect);
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
    Make("MPicture", kHeaderBackground, {kTabRight, kTitleBottom, kDesignWidth, kHeaderBottom}, "img_area_caption.png");
    // The logo carries the product name; the caption text beside it stays free for the page.
    Make("MPicture", kLogo, {18, 8, 278, 48}, "logo.png");

    auto* caption = static_cast<dui::MText*>(Make("MText", kCaptionText, {300, 12, 720, 44}));
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
    auto* list = static_cast<dui::CDeviceList*>(Make("CDeviceList", kDeviceList, {150, 130, 1150, 640}, {}, home));
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

    // The button page: its own background hides the device picture, which the picture control
    // draws with the buttons' labels.
    dui::MControl* buttons = GetControl(kButtonPage);
    Make("MPicture", 0, kPageRect, "img_page_bkg.png", buttons);
    auto* button_caption = static_cast<dui::MText*>(MakeText("MText", kButtonCaption, {250, 126, 900, 156}, 100, buttons));
    button_caption->SetFont(14, true);
    button_caption->SetAlignment(dui::kAlignLeft | dui::kAlignVCenter | dui::kAlignSingleLine);
    auto* button_sub = static_cast<dui::MText*>(MakeText("MText", kButtonSubCaption, {250, 156, 900, 180}, 101, buttons));
    button_sub->SetFont(12);
    button_sub->SetAlignment(dui::kAlignLeft | dui::kAlignVCenter | dui::kAlignSingleLine);
    Make("MouseCtrl", kButtonPicture, kButtonPictureRect, {}, buttons);
    Make("MouseKeyCtrl", kButtonList, {kButtonListLeft, kButtonListTop, kButtonListRight, kButtonListTop + 58},
         {}, buttons);

    // The pages' own controls, placed by UISize like the window's.
    const std::size_t before_dpi = Controls().size();
    m_dpi_page.CreateControls(GetControl(kDpiPage));
    PlaceControlsSince(before_dpi);

    CreateInformationPage(GetControl(kInfoPage));

    const std::size_t before_settings = Controls().size();
    m_settings_page.CreateControls(GetControl(kSettingsPage));
    PlaceControlsSince(before_settings);
}

void DeviceMainDlg::Place(dui::MControl* control, Rect design) {
    // A window wider than the design's proportions (maximised on a wide screen): the backgrounds
    // reaching the right edge grow with it and the title-bar and header items on the right move
    // with that edge; everything else keeps its scaled place.
    Anchor anchor = Anchor::kScaled;
    const int id = control->GetId();
    if (id == kWebLink || id == kCloseButton || id == kMinimizeButton || id == kSettingsButton ||
        id == kMaximizeButton || id == kBattery || id == kProfileButton) {
        anchor = Anchor::kRightEdge;
    } else if (design.right == kDesignWidth &&
               (control->GetClassName() == "MPicture" || control->GetClassName() == "MTabLayout")) {
        anchor = Anchor::kStretched;
    }
    m_layout.push_back({control, design, anchor});
}

void DeviceMainDlg::PlaceControlsSince(std::size_t first) {
    const std::vector<dui::MControl*> controls = Controls();
    for (std::size_t i = first; i < controls.size(); ++i) Place(controls[i], controls[i]->GetRect());
}

int DeviceMainDlg::ExtraWidth() const {
    return std::max(0, GetClientRect().Width() - static_cast<int>(std::lround(kDesignWidth * m_layout_scale)));
}

Rect DeviceMainDlg::ScaledRect(const Placed& placed, int extra) const {
    auto scaled = [this](int v) { return static_cast<int>(std::lround(v * m_layout_scale)); };
    Rect r{scaled(placed.design.left), scaled(placed.design.top), scaled(placed.design.right),
           scaled(placed.design.bottom)};
    if (placed.anchor == Anchor::kRightEdge) r.left += extra;
    if (placed.anchor != Anchor::kScaled) r.right += extra;
    return r;
}

void DeviceMainDlg::SetDesignRect(dui::MControl* control, Rect design) {
    for (auto& placed : m_layout) {
        if (placed.control != control) continue;
        placed.design = design;
        control->SetRect(ScaledRect(placed, ExtraWidth()));
    }
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
        {243, TextId(551), {kTabRight + 40, 200, 900, 232}}, {246, TextId(580), {kTabRight + 40, 234, 900, 260}},
        {244, TextId(552), {kTabRight + 40, 290, 900, 322}}, {247, TextId(580), {kTabRight + 40, 324, 900, 350}},
        {245, TextId(558), {kTabRight + 40, 380, 900, 412}},
    };
    for (const auto& line : lines) {
        auto* text = static_cast<dui::MText*>(MakeText("MText", line.id, line.rect, line.text_id, page));
        text->SetAlignment(dui::kAlignLeft | dui::kAlignVCenter | dui::kAlignSingleLine);
        text->SetFont(line.id <= 245 ? 13 : 11);
    }
    // The firmware checks have no worker step yet: the buttons are there but cannot be used.
    MakeText("MButton", 248, {920, 200, 1120, 240}, 578, page)->SetEnabled(false);
    MakeText("MButton", 249, {920, 290, 1120, 330}, 578, page)->SetEnabled(false);
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

    // 4. The DPI notice, made hidden.
    m_dpi_msg = std::make_unique<DPIMsgDlg>();
    m_dpi_msg->CreateNotice(this);

    // Texts that are not a plain id follow a language switch too.
    m_language_hook = AddLanguageHook([this] {
        const int profile = m_current_profile.load();
        ProfileSetup setup(ConfigStore::Instance(), [](int id) { return GetLanguageText(id); });
        if (auto* button = GetControl<dui::CIconButton>(kProfileButton)) {
            const std::string name = setup.DisplayNameOf(profile);
            if (!name.empty()) button->SetTitle(name);
        }
        if (m_catalog.HasSoftware()) {
            const std::string caption = text::Format("%s: v%s", GetLanguageText(17), m_catalog.Software().version);
            if (auto* version = GetControl<dui::MText>(kVersionCaption)) version->SetTitle(caption);
            if (auto* title = GetControl<dui::MText>(SettingsPage::kTitle)) title->SetTitle(caption);
        }
        FillButtonControls(Description(), true);
    });

    // 5. Until a device is known the remembered type is the default.
    if (m_context.registry) WriteRegistryInt("DeviceType", kDefaultDeviceType);

    // 6. The catalogue fills the device list and the supported ids; device events follow.
    LoadCatalog();
    ConfigStore::Instance().SetDataFolder(m_context.data_folder);
    for (const auto& backend : m_context.backends) m_devices.AddBackend(backend);
    if (m_context.connect_device_events) {
        m_disconnect_events = m_context.connect_device_events(
            [this](int event, std::string path) { PostDeviceChange(event, std::move(path)); });
    }
    ShowFirstView();

    // 7, 8. The first rescan and the version check, then the worker.
    QueueTask(ToCode(DeviceTask::kFullRescan));
    QueueTask(ToCode(DeviceTask::kSoftwareVersionCheck));
    if (!IsRunning()) {
        AttachQueue(&m_queue);
        m_devices.SetReadInterrupt([this] { return !m_queue.Empty() || !IsRunning(); });
        m_queue.SetPushHook([this] { m_devices.WakeIdleRead(); });
        StartWorker();
    }

    // 9. The dialog timer.
    SetMTimer(10);
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
    // Home, with the catalogued models, until the first rescan decides the view.
    for (int id : {kTabStrip, kTabBackground, kDevicePicture, kHeaderBackground, kConnectionCaption,
                   kProfileButton, kFactoryButton, kBattery}) {
        if (auto* control = GetControl(id)) control->SetVisible(false);
    }
    if (auto* tabs = GetControl<dui::MTabCtrl>(kTabStrip)) tabs->SetSelectItem(0);
    GetControl(kHomePage)->SetVisible(true);
    GetControl(kDeviceList)->SetVisible(true);
}

void DeviceMainDlg::UISize() {
    const Rect client = GetClientRect();
    m_layout_scale = client.Height() > 0 ? client.Height() / static_cast<double>(kDesignHeight) : 1.0;
    UpdateMaximizeImage();
    const int extra = ExtraWidth();
    for (const auto& placed : m_layout) placed.control->SetRect(ScaledRect(placed, extra));
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
    if (const PageRoute route = RouteControl(id, event); route != PageRoute::kNone) {
        PageHandler* page = m_pages[static_cast<int>(route)];
        if (page) return page->OnPageMessage(id, event, param);
        // Until a button page takes them, the picture and the list keep each other's selection.
        if (route == PageRoute::kButtons && (id == kButtonPicture || id == kButtonList)) {
            MirrorButtonSelection(id);
            return 1;
        }
        return 0;
    }
    if (event != dui::kEventClick) return 0;

    switch (id) {
        case kProfileButton:
            if (!m_device_connected.load()) {
                corvatt::ShowMessage(GetLanguageText(57), this, GetLanguageText(576), CUIMessageBox::kStyleOk);
            }
            return 1;
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
        case kDeviceList:
            OpenSelectedDevice();
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
        for (int id : {kDevicePicture, kTabStrip, kTabBackground, kHeaderBackground, kConnectionCaption,
                       kProfileButton, kFactoryButton, kBattery}) {
            GetControl(id)->SetVisible(false);
        }
    }
    m_current_tab = item_id;
}

void DeviceMainDlg::OpenSettingsPage() {
    // The page covers the device pages and the header; they come back as they were.
    std::lock_guard lock(m_settings_mutex);
    m_before_settings.clear();
    for (int id : {kTabStrip, kTabBackground, kDevicePicture, kBattery, kConnectionCaption, kProfileButton,
                   kFactoryButton, kHeaderBackground}) {
        m_before_settings.emplace_back(id, GetControl(id)->IsVisible());
        GetControl(id)->SetVisible(false);
    }
    GetControl(kSettingsButton)->SetVisible(false);
    GetControl(kMaximizeButton)->SetVisible(false);
    m_settings_page.Show();
    GetControl(kSettingsPage)->SetVisible(true);
}

void DeviceMainDlg::CloseSettingsPage() {
    GetControl(kSettingsPage)->SetVisible(false);
    for (int id : {kCloseButton, kMinimizeButton, kSettingsButton, kMaximizeButton}) {
        GetControl(id)->SetVisible(true);
    }
    std::lock_guard lock(m_settings_mutex);
    for (const auto& [id, visible] : m_before_settings) {
        if (visible) GetControl(id)->SetVisible(true);
    }
    m_before_settings.clear();
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
        std::vector<dui::MenuItem> items;
        for (std::size_t i = 0; i < m_context.simulator_actions.size(); ++i) {
            items.push_back({kMenuSimulatorFirst + static_cast<unsigned>(i), m_context.simulator_actions[i].text()});
        }
        items.push_back({kMenuExit, GetLanguageText(12)});
        host->ShowTrayMenu(*this, items);
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
            if (wparam >= kMenuSimulatorFirst && wparam - kMenuSimulatorFirst < m_context.simulator_actions.size()) {
                m_context.simulator_actions[wparam - kMenuSimulatorFirst].run();
                return 0;
            }
            if (wparam == kMenuAbout) {
                AboutDlg about;
                about.Run(this);
                return 0;
            }
            break;
        case dui::WM_DEVICECHANGE:
            OnDeviceChange(wparam);
            return 0;
        case kMsgFirstView:
            if (m_context.open_device) {
                // Once the worker's refresh has read the device, open it (then the view is ready).
                SetTimer(kOpenDeviceTimer, 300);
            } else {
                dui::Manager::Instance().MarkViewReady();
            }
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
            ApplyLanguage();
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
    if (id == kOpenDeviceTimer) {
        KillTimer(kOpenDeviceTimer);
        auto* list = GetControl<dui::CDeviceList>(kDeviceList);
        if (list && m_devices.HasDeviceInfo(list->GetSelectDevice())) {
            OpenSelectedDevice();
            if (auto* tabs = GetControl<dui::MTabCtrl>(kTabStrip)) tabs->UserSelect(1);
        }
        dui::Manager::Instance().MarkViewReady();
        return;
    }
    MDialog::OnTimer(id);
}

void DeviceMainDlg::DestroyWindow() {
    if (!IsCreated()) return;
    StopWorker();
    if (m_disconnect_events) {
        m_disconnect_events();
        m_disconnect_events = nullptr;
    }
    if (m_tray_added) {
        if (dui::Host* host = dui::Manager::Instance().GetHost()) host->RemoveTrayIcon(*this, kTrayId);
        m_tray_added = false;
    }
    m_catalog.ClearModes();
    if (m_language_hook) {
        RemoveLanguageHook(m_language_hook);
        m_language_hook = 0;
    }
    if (m_dpi_msg) m_dpi_msg->DestroyWindow();
    if (m_save_wait) m_save_wait->DestroyWindow();
    MDialog::DestroyWindow();
}

void DeviceMainDlg::ShowSaveWait() {
    if (Description().show_save_tips != 1) return;
    if (!m_save_wait) {
        m_save_wait = std::make_unique<SaveWaitDlg>();
        m_save_wait->CreateNotice(this);
    }
    m_save_wait->StartWait();
}

void DeviceMainDlg::ShowDpiNotice(int dpi_value) {
    if (m_dpi_msg && Description().show_dpi_tips == 1) m_dpi_msg->ShowDpi(dpi_value);
}

int DeviceMainDlg::ReadRegistryInt(std::string_view name) {
    if (!m_context.registry) return 0;
    return corvatt::ReadRegistryInt(*m_context.registry, m_app_key, name);
}

bool DeviceMainDlg::WriteRegistryInt(std::string_view name, int value) {
    if (!m_context.registry) return false;
    return WriteRegistryDecimal(*m_context.registry, m_app_key, name, value);
}

// ---------------------------------------------------------------------------------------------
// Device link

void DeviceMainDlg::QueueTask(int code) { m_queue.Push(code); }

void DeviceMainDlg::SetPageHandler(PageRoute route, PageHandler* handler) {
    m_pages[static_cast<int>(route)] = handler;
}

void DeviceMainDlg::SetUpTasks() {
    using std::chrono::milliseconds;
    m_dispatcher.Set(DeviceTask::kFullRescan, [this] {
        RescanDevices();
        RefreshSequence(milliseconds(0));
    });
    m_dispatcher.Set(DeviceTask::kRescanAfterArrival, [this] {
        RescanDevices();
        RefreshSequence(milliseconds(1));
    });
    m_dispatcher.Set(DeviceTask::kRefreshAfterRemoval, [this] { RemovalSequence(); });
    m_dispatcher.Set(DeviceTask::kReReadDevice, [this] { ReReadSequence(); });
    for (int code : {5, 6, 8, 9, 10, 11, 12, 13, 17, 18, 20}) {
        m_dispatcher.Set(code, [this, code] { m_protocol->RunTask(code); });
    }
}

void DeviceMainDlg::RunWorkerStep() {
    auto step = m_devices.LockStep();
    if (m_dispatcher.RunNext(m_queue)) return;
    if (m_device_present.load()) IdlePoll();
}

void DeviceMainDlg::IdlePoll() { m_notifications->PollNotifications(); }

void DeviceMainDlg::RescanDevices() {
    m_devices.ClearSupportedIds();
    for (const auto& mode : m_catalog.Modes()) {
        m_devices.AddSupportedId(mode.vendor_id, mode.product_id, std::string(), mode.device_type, mode.mode,
                                 mode.device_identity);
    }
    m_devices.CloseAll();
    m_devices.EnumerateDevice();
    m_devices.SetOpen(true);
    LoadDeviceDescription();
}

void DeviceMainDlg::RefreshSequence(std::chrono::milliseconds pause) {
    if (pause.count() > 0) std::this_thread::sleep_for(pause);
    m_state.ClearLinkState();
    RefreshDeviceList();
    if (m_devices.GetConnectionKind() == -1) return;
    EnsureProfiles();
    RefreshPages();
    if (m_protocol->ReadDeviceInfo()) RefreshPages();
}

void DeviceMainDlg::RemovalSequence() {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    m_state.ClearLinkState();
    RefreshDeviceList();
    if (m_devices.GetConnectionKind() == -1) return;
    if (m_protocol->ReadDeviceInfo()) RefreshPages();
}

void DeviceMainDlg::ReReadSequence() {
    EnsureProfiles();
    RefreshPages();
    if (m_protocol->ReadDeviceInfo()) RefreshPages();
}

void DeviceMainDlg::RefreshPages() {
    RefreshButtonPage();
    RefreshMacroLists();
    RefreshDpiPage();
    if (Description().lighting == 1) RefreshLightingList();
}

bool DeviceMainDlg::EnsureProfiles() {
    m_model.model_key = Description().model_key;
    ProfileSetup setup(ConfigStore::Instance(), [](int id) { return GetLanguageText(id); });
    const int profile = setup.Run(m_model);
    if (profile <= 0) return false;
    SetCurrentProfile(profile);
    return true;
}

void DeviceMainDlg::SetCurrentDeviceType(int device_type) {
    m_current_device_type = device_type;
    m_devices.SetCurrentType(device_type);
    WriteRegistryInt("DeviceType", device_type);
}

void DeviceMainDlg::RefreshDeviceList() {
    const int remembered = ReadRegistryInt("DeviceType");

    m_devices.CloseAll();
    m_devices.EnumerateDevice();
    m_devices.SetOpen(true);
    m_devices.SetCurrentType(0);
    std::vector<DeviceEntry> entries;
    m_devices.GetEntriesOfCurrentType(entries);
    m_devices.SetCurrentType(remembered);

    auto* list = GetControl<dui::CDeviceList>(kDeviceList);
    list->SetAllDeviceState(0);
    bool any_known = false;
    for (const auto& entry : entries) {
        if (entry.device_type <= 0) continue;
        any_known = true;
        list->SetDeviceState(entry.device_type, entry.mode, entry.online);
        list->SetDeviceVersion(entry.device_type, entry.release_number);
    }
    if (any_known) {
        list->SetSelectDevice(remembered);
        SetCurrentDeviceType(list->GetSelectDevice());
        LoadDeviceDescription();
    }

    if (entries.empty()) {
        m_device_present = false;
        m_device_connected = false;
        ShowNoDeviceView();
    } else {
        m_device_present = true;
        const int kind = m_devices.GetConnectionKind();
        if (kind == -1) {
            m_device_connected = false;
            ShowNoDeviceView();
        } else {
            m_device_connected = true;
            auto* caption = GetControl<dui::CDeviceState>(kConnectionCaption);
            const int text_id = kind == 1 ? 52 : 51;
            caption->SetTitle(GetLanguageText(text_id));
            caption->SetTextId(text_id);
            ShowDeviceListView();
        }
        CloseSettingsPageIfOpen();
    }
    ClosePopups();

    if (!m_view_ready) {
        m_view_ready = true;
        PostMessage(kMsgFirstView);
    }
}

void DeviceMainDlg::ShowNoDeviceView() {
    auto* caption = GetControl<dui::CDeviceState>(kConnectionCaption);
    caption->SetTitle(GetLanguageText(50));
    caption->SetTextId(50);
    caption->SetState(0);
    auto* tabs = GetControl<dui::MTabCtrl>(kTabStrip);
    tabs->SetVisible(false);
    tabs->SetSelectItem(-1);
    GetControl(kTabBackground)->SetVisible(false);
    GetControl(kHomePage)->SetVisible(true);
    for (int id : {kButtonPage, kFunctionPanel, kDpiPage, kMacroPage, kLightPage, kInfoPage}) {
        GetControl(id)->SetVisible(false);
    }
    GetControl(kDeviceList)->SetVisible(false);
    GetControl(kNoDevicePicture)->SetVisible(true);
    GetControl(kNoDeviceText)->SetVisible(true);
    GetControl(kHeaderBackground)->SetVisible(false);
    GetControl(kDevicePicture)->SetVisible(false);
    GetControl(kBattery)->SetVisible(false);
    m_current_tab = 1;
}

void DeviceMainDlg::ShowDeviceListView() {
    GetControl(kConnectionCaption)->SetVisible(false);
    GetControl(kTabStrip)->SetVisible(false);
    GetControl(kTabBackground)->SetVisible(false);
    GetControl(kHomePage)->SetVisible(true);
    for (int id : {kButtonPage, kFunctionPanel, kDpiPage, kMacroPage, kLightPage, kInfoPage}) {
        GetControl(id)->SetVisible(false);
    }
    GetControl(kDeviceList)->SetVisible(true);
    GetControl(kNoDevicePicture)->SetVisible(false);
    GetControl(kNoDeviceText)->SetVisible(false);
    GetControl(kHeaderBackground)->SetVisible(false);
    GetControl(kDevicePicture)->SetVisible(false);
    GetControl(kProfileButton)->SetVisible(false);
    GetControl(kFactoryButton)->SetVisible(false);
    GetControl(kBattery)->SetVisible(false);
    m_current_tab = 1;
}

void DeviceMainDlg::ShowOpenedDeviceView() {
    auto* caption = GetControl<dui::CDeviceState>(kConnectionCaption);
    caption->SetState(1);
    caption->SetVisible(true);
    auto* tabs = GetControl<dui::MTabCtrl>(kTabStrip);
    tabs->SetVisible(true);
    tabs->SetSelectItem(0);
    GetControl(kTabBackground)->SetVisible(true);
    GetControl(kHomePage)->SetVisible(true);
    GetControl(kHeaderBackground)->SetVisible(true);
    GetControl(kProfileButton)->SetVisible(true);
    GetControl(kFactoryButton)->SetVisible(true);
    GetControl(kBattery)->SetVisible(true);
    m_current_tab = 1;
}

void DeviceMainDlg::CloseSettingsPageIfOpen() {
    if (!GetControl(kSettingsPage)->IsVisible()) return;
    GetControl(kSettingsPage)->SetVisible(false);
    GetControl(kSettingsButton)->SetVisible(true);
    GetControl(kMaximizeButton)->SetVisible(true);
    // The refresh has set the view; nothing from before the page comes back.
    std::lock_guard lock(m_settings_mutex);
    m_before_settings.clear();
}

void DeviceMainDlg::ClosePopups() {
    auto& manager = dui::Manager::Instance();
    struct Popup {
        const char* class_name;
        const char* title;
        bool hide;
        uintptr_t close_param;
    };
    // The colour dialog is a modal window of its own class; hidden, its modal loop would go on
    // with nothing on the screen to end it, so it is closed (giving no colour) instead.
    static constexpr Popup kPopups[] = {
        {"MWindow", "CloseWindowTipDlg", false, 0}, {"MWindow", "CustomKeyDlg", false, 0},
        {"MWindow", "MessageBox", false, 2},        {"MWindow", "WaitDlg", false, 0},
        {"MWindow", "Menu Window", false, 0},       {"MWindow", "KeyboardTip Window", true, 0},
        {"MWindow", "ComboWnd", true, 0},           {"PaletteDlg", "PaletteDlg", false, 0},
    };
    std::lock_guard lock(manager.UiLock());
    for (const auto& popup : kPopups) {
        for (dui::MWindow* window : manager.FindWindows(popup.class_name, popup.title)) {
            if (popup.hide) {
                window->ShowWindow(dui::SW_HIDE);
            } else {
                window->PostMessage(dui::WM_CLOSE, popup.close_param, 0);
            }
        }
    }
    for (dui::MWindow* window : manager.FindWindows("MWindow", "SaveWaitDlg")) window->ShowWindow(dui::SW_HIDE);
    // A macro recording is stopped here once the macro page exists.
    m_dpi_page.OnFocus(0);
}

void DeviceMainDlg::OpenSelectedDevice() {
    auto* list = GetControl<dui::CDeviceList>(kDeviceList);
    const int selected = list->GetSelectDevice();
    if (!m_devices.HasDeviceInfo(selected)) {
        corvatt::ShowMessage(GetLanguageText(57), this, GetLanguageText(56), CUIMessageBox::kStyleOk);
        return;
    }
    const bool other_model = selected != m_current_device_type.load();
    if (other_model) {
        // Waits for a worker step that uses the current handle to end.
        m_devices.WakeIdleRead();
        SetCurrentDeviceType(selected);
        LoadDeviceDescription();
    }
    auto* caption = GetControl<dui::CDeviceState>(kConnectionCaption);
    const bool receiver = m_devices.GetConnectionKind() == 1;
    caption->SetTitle(GetLanguageText(receiver ? 52 : 51));
    caption->SetTextId(receiver ? 52 : 51);
    // Another model's pages and device values would otherwise stay on the screen: its settings
    // are read again whatever the connection.
    if (receiver || other_model) QueueTask(ToCode(DeviceTask::kReReadDevice));
    ShowOpenedDeviceView();
}

DeviceDescription DeviceMainDlg::Description() const {
    std::lock_guard lock(m_description_mutex);
    return m_description;
}

std::vector<KeyAssignment> DeviceMainDlg::DefaultKeyAssignments() const {
    std::lock_guard lock(m_description_mutex);
    return m_default_keys;
}

void DeviceMainDlg::LoadDeviceDescription() {
    const int remembered = ReadRegistryInt("DeviceType");
    const CatalogRecord* model = m_catalog.FindModel(remembered);
    const std::string model_key = model ? model->model_key : std::string();

    {
        std::lock_guard lock(m_description_mutex);
        m_description.model_name = model ? model->name : std::string();
        m_description.model_key = model_key;
    }

    // The settings database follows the model.
    auto& store = ConfigStore::Instance();
    store.CloseDatabase();
    // Without a model there is nothing to store: no database named after an empty key.
    if (!model_key.empty()) store.OpenDatabase(model_key);

    DeviceDescription description = Description();
    DeviceDescription::Found found;
    if (!description.Read(DescriptionFile(model_key), &found)) return;

    std::vector<KeyAssignment> defaults;
    for (const auto& button : description.buttons) {
        KeyAssignment key;
        key.key_code = button.key_value;
        key.layout_value = button.key_value;
        key.layout_desc = button.name;
        key.macro_type = button.func_type;
        key.macro_value = button.func_value;
        key.macro_desc = button.func_desc;
        defaults.push_back(std::move(key));
    }
    {
        std::lock_guard lock(m_description_mutex);
        m_description = description;
        if (found.buttons) m_default_keys = std::move(defaults);
    }
    m_state.model_has_lighting = description.lighting == 1;
    m_dpi_page.ApplyDescription();
    if (found.buttons) FillButtonControls(description, false);

    if (found.image) {
        if (auto* buttons = GetControl<dui::MouseCtrl>(kButtonPicture)) buttons->SetImage(description.mouse_image);
        auto* picture = GetControl<dui::MPicture>(kDevicePicture);
        picture->SetImage(description.mouse_image);
        int width = 0;
        int height = 0;
        if (ReadPngSize(dui::Manager::Instance().ResolveImage(description.mouse_image), width, height) && width > 1) {
            // In its own size, its right edge 150 pixels from the window's, its top at 120.
            const int right = GetClientRect().Width() - 150;
            const Rect placed{right - width, 120, right, 120 + height};
            picture->SetRect(placed);
            // Kept in design units, so that the next UISize scales it like the rest.
            const double scale = m_layout_scale > 0 ? m_layout_scale : 1.0;
            auto design = [scale](int v) { return static_cast<int>(std::lround(v / scale)); };
            for (auto& placed_control : m_layout) {
                if (placed_control.control == picture) {
                    placed_control.design = {design(placed.left), design(placed.top), design(placed.right),
                                             design(placed.bottom)};
                }
            }
        }
    }
    if (found.menu) {
        if (auto* tabs = GetControl<dui::MTabCtrl>(kTabStrip)) tabs->SetItemVisible(4, description.lighting == 1);
    }
}

void DeviceMainDlg::FillButtonControls(const DeviceDescription& description, bool keep_selection) {
    auto* picture = GetControl<dui::MouseCtrl>(kButtonPicture);
    auto* list = GetControl<dui::MouseKeyCtrl>(kButtonList);
    if (!picture || !list) return;
    auto text = [](const std::string& id) { return GetLanguageText(text::ToInt(id)); };
    const int selected = keep_selection ? std::max(0, list->GetSelectItem()) : 0;
    picture->DeleteAllItems();
    list->DeleteAllItems();
    for (const auto& button : description.buttons) {
        picture->AddItem(text(button.name), button.key_value, button.direction,
                         {button.line_from_x, button.line_y}, {button.line_to_x, button.line_y}, button.dashed);
        list->AddItem(text(button.name), text(button.func_desc), button.key_value);
    }
    const int count = list->GetItemCount();
    const int select = selected < count ? selected : 0;
    picture->SetSelectItem(count > 0 ? select : -1);
    list->SetSelectItem(count > 0 ? select : -1);

    // The list grows with the number of buttons.
    SetDesignRect(list, {kButtonListLeft, kButtonListTop, kButtonListRight,
                         kButtonListTop + std::max(1, count) * kButtonRowPitch - 6});
}

void DeviceMainDlg::MirrorButtonSelection(int id) {
    auto* picture = GetControl<dui::MouseCtrl>(kButtonPicture);
    auto* list = GetControl<dui::MouseKeyCtrl>(kButtonList);
    if (!picture || !list) return;
    if (id == kButtonPicture) {
        list->SetSelectItem(list->FindItem(picture->GetItemKeyValue()));
    } else {
        picture->SetSelectItem(picture->FindItem(list->GetItemKeyValue()));
    }
}

void DeviceMainDlg::PostDeviceChange(int event, std::string path) {
    {
        std::lock_guard lock(m_change_mutex);
        m_changes.emplace_back(event, std::move(path));
    }
    PostMessage(dui::WM_DEVICECHANGE, static_cast<uintptr_t>(event), kBroadcastDeviceInterface);
}

void DeviceMainDlg::OnDeviceChange(uintptr_t event) {
    std::string path;
    {
        std::lock_guard lock(m_change_mutex);
        if (m_changes.empty()) return;
        path = std::move(m_changes.front().second);
        m_changes.pop_front();
    }
    std::vector<ModeIds> modes;
    for (const auto& mode : m_catalog.Modes()) modes.push_back({mode.vendor_id, mode.product_id});
    const int code = DecideDeviceChange(static_cast<int>(event), kBroadcastDeviceInterface, path, modes,
                                        m_device_present.load(),
                                        [this](const std::string& p) { return m_devices.IsAcceptedInterface(p); });
    if (code != 0) QueueTask(code);
}

// ---------------------------------------------------------------------------------------------
// The protocol's screen effects

std::string DeviceMainDlg::LanguageText(int text_id) { return GetLanguageText(text_id); }

void DeviceMainDlg::ShowBattery(int level, int second) {
    if (auto* battery = GetControl<dui::BatteryCtrl>(kBattery)) battery->SetBatteryInfo(level, second);
}

void DeviceMainDlg::ShowDeviceBattery(int device_type, int level, int second) {
    if (auto* list = GetControl<dui::CDeviceList>(kDeviceList)) list->SetDeviceBattery(device_type, level, second);
}

void DeviceMainDlg::ShowDpiRange(const std::string& step_text, const std::string& highest_text, int highest_code,
                                 int second_value) {
    m_dpi_page.SetSliderRange(step_text, highest_text, highest_code, second_value);
}

void DeviceMainDlg::RefreshDpiPage() { m_dpi_page.Load(); }

void DeviceMainDlg::ReloadDpiControls() { m_dpi_page.Load(); }

void DeviceMainDlg::ShowLinkedView() {
    for (int id : {kTabStrip, kTabBackground, kHeaderBackground}) GetControl(id)->SetVisible(true);
    GetControl(kNoDevicePicture)->SetVisible(false);
    GetControl(kNoDeviceText)->SetVisible(false);
    GetControl(kDeviceList)->SetVisible(true);
    GetControl(kHomePage)->SetVisible(false);
    auto* tabs = GetControl<dui::MTabCtrl>(kTabStrip);
    tabs->SetSelectItem(1);
    // As a switch to that tab would: the device picture and the battery beside the page.
    GetControl(kDevicePicture)->SetVisible(true);
    GetControl(kBattery)->SetVisible(true);
    m_current_tab = tabs->GetItemId(1);
    for (int id : {kConnectionCaption, kProfileButton, kFactoryButton}) GetControl(id)->SetVisible(true);
    if (auto* caption = GetControl<dui::CDeviceState>(kConnectionCaption)) caption->SetState(1);
}

void DeviceMainDlg::ShowUnlinkedView() {
    auto* tabs = GetControl<dui::MTabCtrl>(kTabStrip);
    tabs->SetSelectItem(0);
    m_current_tab = tabs->GetItemId(0);
    for (int id : {kTabStrip, kTabBackground, kHeaderBackground, kDevicePicture}) GetControl(id)->SetVisible(false);
    GetControl(kNoDevicePicture)->SetVisible(true);
    GetControl(kNoDeviceText)->SetVisible(true);
    GetControl(kDeviceList)->SetVisible(false);
    GetControl(kHomePage)->SetVisible(true);
    if (auto* caption = GetControl<dui::CDeviceState>(kConnectionCaption)) {
        caption->SetTextId(50);
        caption->SetState(0);
    }
}

int DeviceMainDlg::OnlineDeviceCount() {
    auto* list = GetControl<dui::CDeviceList>(kDeviceList);
    return list ? list->GetOnlineDevCount() : 0;
}

void DeviceMainDlg::ShowDeviceList(bool show) {
    GetControl(kNoDevicePicture)->SetVisible(!show);
    GetControl(kNoDeviceText)->SetVisible(!show);
    GetControl(kDeviceList)->SetVisible(show);
}

ConfigStore& DeviceMainDlg::Store() { return ConfigStore::Instance(); }

std::string DeviceMainDlg::LanguageText(int text_id) const { return GetLanguageText(text_id); }

int DeviceMainDlg::ShowMessage(const std::string& text, const std::string& caption, int style) {
    return corvatt::ShowMessage(text, this, caption, style);
}

int DeviceMainDlg::CurrentLanguage() const { return Language::Instance().CurrentLanguage(); }

void DeviceMainDlg::SwitchLanguage(int language_id) {
    if (m_context.registry) {
        corvatt::SwitchLanguage(language_id, *m_context.registry, m_app_key);
    } else {
        Language::Instance().SetCurrentLanguage(language_id);
        ApplyLanguage();
    }
}

std::string DeviceMainDlg::DescriptionPath() const { return DescriptionFile(Description().model_key); }

std::string DeviceMainDlg::DescriptionFile(const std::string& model_key) const {
    return m_context.install_folder + "device/" + model_key + ".xml";
}

void DeviceMainDlg::SetInformationLine(int control_id, const std::string& text) {
    if (auto* line = GetControl<dui::MText>(control_id)) {
        // A filled-in line is not a plain language text any more.
        line->SetTextId(0);
        line->SetTitle(text);
    }
}

void DeviceMainDlg::SetDeviceState(int device_type, int mode, int state) {
    if (auto* list = GetControl<dui::CDeviceList>(kDeviceList)) list->SetDeviceState(device_type, mode, state);
}

void DeviceMainDlg::SetConnectionCaption(const std::string& text) {
    if (auto* caption = GetControl<dui::CDeviceState>(kConnectionCaption)) caption->SetTitle(text);
}

void DeviceMainDlg::SetCurrentProfile(int profile) {
    m_model.current_profile = profile;
    m_current_profile = profile;
    ProfileSetup setup(ConfigStore::Instance(), [](int id) { return GetLanguageText(id); });
    if (auto* button = GetControl<dui::CIconButton>(kProfileButton)) button->SetTitle(setup.DisplayNameOf(profile));
}

}  // namespace corvatt
