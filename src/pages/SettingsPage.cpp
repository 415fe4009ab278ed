#include "pages/SettingsPage.h"

#include <algorithm>

#include "common/ui/CArea.h"
#include "common/ui/CCheckButton.h"
#include "common/ui/CImageButton.h"
#include "common/ui/CRadioButton.h"
#include "common/ui/MButton.h"
#include "common/ui/MComboBox.h"
#include "common/ui/MDialog.h"
#include "common/ui/MPicture.h"
#include "common/ui/MText.h"
#include "pages/PageLabel.h"
#include "platform/Autostart.h"

namespace corvatt {

namespace {

using dui::Rect;

constexpr int kTextCopyright = 2;
constexpr int kTextWebsite = 3;
constexpr int kTextConnectFirst = 57;
constexpr int kTextResetCaption = 570;
constexpr int kTextResetQuestion = 571;
constexpr int kTextNotice = 576;
constexpr int kTextUpToDate = 580;
constexpr int kTextLanguage = 600;
constexpr int kTextStartup = 603;
constexpr int kTextAutostart = 604;
constexpr int kTextStartMinimised = 605;
constexpr int kTextClosing = 607;
constexpr int kTextCloseToTray = 608;
constexpr int kTextCloseExits = 609;
constexpr int kTextFactoryReset = 611;
constexpr int kTextCheckUpdate = 612;
constexpr int kTextFeedback = 615;
constexpr int kTextQuestions = 616;
constexpr const char* kExitModeValue = "exit_mode";
constexpr const char* kStartMinimisedValue = "autorun_minimize";
constexpr const char* kCloseModeGroup = "IDC_SET_STC_EXITMODE";
constexpr std::uint32_t kSeparatorColour = 0xE6E6E6;

// Design rectangles: a form with labels on the left and the choices beside them.
constexpr Rect kPageRect{0, 56, 1300, 740};
constexpr Rect kBackRect{40, 80, 80, 120};
constexpr Rect kTitleRect{100, 80, 800, 120};
constexpr Rect kStatusRect{100, 120, 800, 144};
constexpr Rect kLanguageLabelRect{100, 176, 340, 212};
constexpr Rect kLanguageRect{360, 176, 620, 212};
constexpr Rect kSeparator1Rect{100, 244, 1200, 245};
constexpr Rect kStartupLabelRect{100, 270, 340, 298};
constexpr Rect kAutostartRect{360, 270, 800, 298};
constexpr Rect kStartMinimisedRect{390, 306, 800, 334};
constexpr Rect kSeparator2Rect{100, 366, 1200, 367};
constexpr Rect kCloseLabelRect{100, 392, 340, 420};
constexpr Rect kCloseToTrayRect{360, 392, 800, 420};
constexpr Rect kCloseExitsRect{360, 428, 800, 456};
constexpr Rect kFactoryResetRect{360, 500, 620, 540};
constexpr Rect kCheckUpdateRect{640, 500, 900, 540};
constexpr Rect kCopyrightRect{100, 680, 700, 710};
constexpr Rect kWebsiteRect{760, 680, 880, 710};
constexpr Rect kFeedbackRect{890, 680, 1010, 710};
constexpr Rect kQuestionsRect{1020, 680, 1200, 710};

}  // namespace

const std::vector<SettingsPage::LanguageItem>& SettingsPage::LanguageItems() {
    static const std::vector<LanguageItem> items = {
        {2052, "简体中文"}, {1033, "English"},  {1066, "Tiếng Việt"}, {1049, "Русский язык"},
        {1031, "Deutsch"},  {1036, "Français"}, {1034, "Españo"},     {1040, "Italiano"},
        {2070, "Português"}, {1041, "日本語にほんご"}, {1045, "Polski"},
    };
    return items;
}

SettingsPage::SettingsPage(SettingsHost& host) : m_host(host) {}

void SettingsPage::CreateControls(dui::MControl* page) {
    dui::MDialog& w = m_host.Window();
    auto text = [this](int id) { return m_host.LanguageText(id); };
    auto label = [&](int id, Rect rect, int text_id, int size, bool bold) {
        return CreatePageLabel(m_host, page, id, rect, text_id, size, bold);
    };
    auto button = [&](auto* control, int text_id) {
        control->SetTextId(text_id);
        return control;
    };

    w.Create<dui::MPicture>(kBackground, kPageRect, "img_settings_bkg.png", 0, 0, page);
    w.Create<dui::CImageButton>(kBack, kBackRect, "img_return.png", 0, 0, page);
    label(kTitle, kTitleRect, 0, 18, true);
    // The update check is not part of this program yet: no status is claimed.
    label(kStatus, kStatusRect, kTextUpToDate, 12, false)->SetVisible(false);

    label(kLanguageLabel, kLanguageLabelRect, kTextLanguage, 14, true);
    w.Create<dui::MComboBox>(kLanguage, kLanguageRect, {}, 0, 0, page);
    w.Create<dui::CArea>(kSeparator1, kSeparator1Rect, {}, 0, 0, page)->SetColor(kSeparatorColour);

    label(kStartupLabel, kStartupLabelRect, kTextStartup, 14, true);
    button(w.Create<dui::CCheckButton>(kAutostart, kAutostartRect, text(kTextAutostart), 0, 0, page), kTextAutostart);
    button(w.Create<dui::CCheckButton>(kStartMinimised, kStartMinimisedRect, text(kTextStartMinimised), 0, 0, page),
           kTextStartMinimised);
    w.Create<dui::CArea>(kSeparator2, kSeparator2Rect, {}, 0, 0, page)->SetColor(kSeparatorColour);

    label(kCloseLabel, kCloseLabelRect, kTextClosing, 14, true);
    auto* tray = button(w.Create<dui::CRadioButton>(kCloseToTray, kCloseToTrayRect, text(kTextCloseToTray), 0, 0, page),
                        kTextCloseToTray);
    auto* exits = button(w.Create<dui::CRadioButton>(kCloseExits, kCloseExitsRect, text(kTextCloseExits), 0, 0, page),
                         kTextCloseExits);
    tray->SetGroupName(kCloseModeGroup);
    exits->SetGroupName(kCloseModeGroup);

    button(w.Create<dui::MButton>(kFactoryReset, kFactoryResetRect, text(kTextFactoryReset), 0, 0, page),
           kTextFactoryReset);
    button(w.Create<dui::MButton>(kCheckUpdate, kCheckUpdateRect, text(kTextCheckUpdate), 0, 0, page),
           kTextCheckUpdate)
        ->SetEnabled(m_host.CanCheckForUpdates());

    label(kCopyright, kCopyrightRect, kTextCopyright, 11, false);
    const std::pair<int, int> links[] = {{kWebsite, kTextWebsite}, {kFeedback, kTextFeedback}, {kQuestions, kTextQuestions}};
    const Rect link_rects[] = {kWebsiteRect, kFeedbackRect, kQuestionsRect};
    for (int i = 0; i < 3; ++i) {
        auto* link = static_cast<dui::MControlFont*>(
            w.CreateControl("CTextButton", links[i].first, link_rects[i], text(links[i].second), 0, 0, page));
        link->SetTextId(links[i].second);
        link->SetFont(11, false, true);
        link->SetAlignment(dui::kAlignRight | dui::kAlignVCenter | dui::kAlignSingleLine);
    }
}

void SettingsPage::Show() {
    dui::MDialog& w = m_host.Window();
    if (auto* list = w.GetControl<dui::MComboBox>(kLanguage)) {
        const std::vector<int> installed = m_host.InstalledLanguages();
        list->DelAllItems();
        for (const LanguageItem& item : LanguageItems()) {
            if (std::find(installed.begin(), installed.end(), item.id) != installed.end()) {
                list->AddItem(item.name, item.id);
            }
        }
        list->SelectData(m_host.CurrentLanguage());
    }

    Autostart* autostart = m_host.AutostartEntry();
    const bool on = autostart != nullptr && autostart->IsEnabled();
    if (auto* box = w.GetControl<dui::CCheckButton>(kAutostart)) {
        box->SetCheck(on);
        box->SetEnabled(autostart != nullptr);
    }
    if (auto* box = w.GetControl<dui::CCheckButton>(kStartMinimised)) {
        box->SetCheck(on && m_host.ReadRegistryInt(kStartMinimisedValue) == 1);
        box->SetEnabled(on);
    }

    const bool to_tray = m_host.ReadRegistryInt(kExitModeValue) == 1;
    if (auto* radio = w.GetControl<dui::CRadioButton>(to_tray ? kCloseToTray : kCloseExits)) radio->SetCheck(true);
}

int SettingsPage::OnPageMessage(int id, int event, intptr_t /*param*/) {
    if (event != dui::kEventClick) return 0;
    switch (id) {
    case kBack: m_host.CloseSettingsPage(); return 1;
    case kLanguage: OnLanguage(); return 1;
    case kAutostart: OnAutostart(); return 1;
    case kStartMinimised: OnStartMinimised(); return 1;
    case kCloseToTray:
    case kCloseExits: OnCloseMode(); return 1;
    case kCheckUpdate:
        if (m_host.CanCheckForUpdates()) m_host.QueueTask(kTaskSoftwareUpdate);
        return 1;
    case kFactoryReset:
    case kHeaderFactoryReset:
    case kInfoFactoryReset: RestoreFactorySettings(); return 1;
    default: return 0;
    }
}

void SettingsPage::OnLanguage() {
    auto* list = m_host.Window().GetControl<dui::MComboBox>(kLanguage);
    if (list == nullptr) return;
    const int language = static_cast<int>(list->GetCurData());
    if (language > 0 && language != m_host.CurrentLanguage()) m_host.SwitchLanguage(language);
}

void SettingsPage::OnAutostart() {
    dui::MDialog& w = m_host.Window();
    auto* box = w.GetControl<dui::CCheckButton>(kAutostart);
    auto* minimised = w.GetControl<dui::CCheckButton>(kStartMinimised);
    Autostart* autostart = m_host.AutostartEntry();
    if (box == nullptr || minimised == nullptr || autostart == nullptr) return;
    if (box->GetCheck()) {
        minimised->SetEnabled(true);
        autostart->Enable(m_host.ExecutablePath());
    } else {
        minimised->SetCheck(false);
        minimised->SetEnabled(false);
        m_host.WriteRegistryInt(kStartMinimisedValue, 0);
        autostart->Disable();
    }
}

void SettingsPage::OnStartMinimised() {
    auto* minimised = m_host.Window().GetControl<dui::CCheckButton>(kStartMinimised);
    if (minimised != nullptr) m_host.WriteRegistryInt(kStartMinimisedValue, minimised->GetCheck() ? 1 : 0);
}

void SettingsPage::OnCloseMode() {
    auto* tray = m_host.Window().GetControl<dui::CRadioButton>(kCloseToTray);
    if (tray != nullptr) m_host.WriteRegistryInt(kExitModeValue, tray->GetCheck() ? 1 : 0);
}

void SettingsPage::RestoreFactorySettings() {
    if (!m_host.IsDeviceConnected()) {
        m_host.ShowMessage(m_host.LanguageText(kTextConnectFirst), m_host.LanguageText(kTextNotice), PageHost::kMessageOk);
        return;
    }
    if (m_host.ShowMessage(m_host.LanguageText(kTextResetQuestion), m_host.LanguageText(kTextResetCaption),
                           PageHost::kMessageConfirmCancel) != PageHost::kMessageConfirmed) {
        return;
    }
    // The worker empties the cached device information when it runs the task.
    m_host.QueueTask(kTaskFactoryReset);
}

}  // namespace corvatt
