#include "app/SaveWaitDlg.h"

#include "app/ImageSize.h"
#include "app/Language.h"
#include "common/ui/MPicture.h"
#include "common/ui/MProgress2.h"
#include "common/ui/MText.h"
#include "common/ui/Manager.h"
#include "common/ui/Messages.h"

namespace corvatt {

namespace {
constexpr int kTextId = 630;
constexpr int kTextFontSize = 20;
constexpr const char* kLogoImage = "logo.png";
// Used when the logo cannot be read: the size of the shipped one.
constexpr int kLogoFallbackWidth = 260;
constexpr int kLogoFallbackHeight = 40;
}  // namespace

bool SaveWaitDlg::CreateNotice(dui::MWindow* owner) {
    if (!Create(owner, "MWindow", dui::WS_POPUP, {0, 0, kWidth, kHeight}, kWindowName, dui::WS_EX_TOOLWINDOW)) {
        return false;
    }
    CenterWindow();
    ShowWindow(dui::SW_SHOW);
    return true;
}

bool SaveWaitDlg::OnInitDialog() {
    MDialog::OnInitDialog();
    SetTimer(kHideTimer, kHideDelayMs);
    return true;
}

void SaveWaitDlg::InitUI() {
    const int w = kWidth;

    int logo_w = kLogoFallbackWidth;
    int logo_h = kLogoFallbackHeight;
    if (!ReadPngSize(dui::Manager::Instance().ResolveImage(kLogoImage), logo_w, logo_h)) {
        logo_w = kLogoFallbackWidth;
        logo_h = kLogoFallbackHeight;
    }
    Create<dui::MPicture>(kLogo, {10, 10, 10 + logo_w, 10 + logo_h}, kLogoImage);

    auto* text = Create<dui::MText>(kText, {10, 100, w - 10, 130}, GetLanguageText(kTextId));
    text->SetTextId(kTextId);
    text->SetTextColor(dui::RgbToArgb(dui::Manager::Instance().m_select_color.load()));
    text->SetFont(kTextFontSize);
    text->SetAlignment(dui::kAlignCenter | dui::kAlignVCenter | dui::kAlignSingleLine);

    auto* bar = Create<dui::MProgress2>(kBar, {10, 130, w - 20, 150});
    bar->SetRange(0, 100);
}

void SaveWaitDlg::StartWait() {
    if (auto* bar = GetControl<dui::MProgress2>(kBar)) {
        bar->StartAnimation();
        bar->SetPos(0);
    }
    SetTimer(kHideTimer, kHideDelayMs);
    ShowWindow(dui::SW_SHOW);
}

void SaveWaitDlg::OnTimer(unsigned id) {
    if (id == kHideTimer) {
        KillTimer(kHideTimer);
        ShowWindow(dui::SW_HIDE);
        // Nothing to animate while hidden; StartWait starts it again.
        if (auto* bar = GetControl<dui::MProgress2>(kBar)) bar->StopAnimation();
        return;
    }
    MDialog::OnTimer(id);
}

}  // namespace corvatt
