#include "app/AboutDlg.h"

#include "app/Language.h"
#include "common/text/Text.h"
#include "common/ui/CImageButton.h"
#include "common/ui/MPicture.h"
#include "common/ui/MText.h"
#include "common/ui/Messages.h"
#include "device/DeviceManager.h"

namespace corvatt {

namespace {
constexpr uint32_t kBackColor1 = 0x1A1A1Au;
constexpr uint32_t kBackColor2 = 0x969696u;
constexpr uint32_t kGrey = 0xFF969696u;
constexpr int kCloseTooltip = 5;
constexpr int kVersionLabel = 16;
constexpr int kBottomTextId = 2;
constexpr int kVersionFontSize = 16;
constexpr int kBottomFontSize = 13;
}  // namespace

AboutDlg::AboutDlg(DeviceManager& devices) : m_devices(devices) {}

AboutDlg::AboutDlg() : AboutDlg(DeviceManager::Instance()) {}

int AboutDlg::Run(dui::MWindow* owner) {
    if (!Create(owner, "MWindow", dui::WS_POPUP, {0, 0, kWidth, kHeight}, kWindowName)) return -1;
    CenterWindow();
    const int result = ShowModal(true);
    DestroyWindow();
    return result;
}

std::string AboutDlg::VersionText(int release_number) {
    const std::string hex = text::Format("%x", static_cast<unsigned>(release_number));
    const std::string first = hex.substr(0, 1);
    // A one-digit number has no two last characters: it is its own last part ("0" gives 0.0).
    const std::string last = hex.size() >= 2 ? hex.substr(hex.size() - 2) : hex;
    return text::Format("%s: v%s.%s", GetLanguageText(kVersionLabel), first, last);
}

int AboutDlg::CableReleaseNumber(const DeviceManager& devices) {
    int release_number = 0;
    if (!devices.GetReleaseNumber(release_number, 0)) return 0;
    return release_number;
}

void AboutDlg::InitUI() {
    const int w = kWidth;
    const int h = kHeight;
    SetBackColor(kBackColor1, kBackColor2);

    auto* close = Create<dui::CImageButton>(kCloseButton, {w - 40, 15, w - 21, 34}, "sysbtn_close.png");
    close->SetTooltip(GetLanguageText(kCloseTooltip));
    close->SetTooltipId(kCloseTooltip);

    Create<dui::MPicture>(kLogo, {(w - 260) / 2, 80, (w + 260) / 2, 120}, "logo.png");

    const std::string version = VersionText(CableReleaseNumber(m_devices));
    const int left = (w - 200) / 2;
    const int right = left + 200;
    auto* version1 = Create<dui::MText>(kVersionText1, {left, 150, right, 185}, version);
    auto* version2 = Create<dui::MText>(kVersionText2, {left, 185, right, 220}, version);
    for (auto* text : {version1, version2}) {
        text->SetTextColor(kGrey);
        text->SetFont(kVersionFontSize);
        text->SetAlignment(dui::kAlignCenter | dui::kAlignVCenter | dui::kAlignSingleLine);
    }

    auto* bottom = Create<dui::MText>(kBottomText, {10, h - 40, w - 10, h - 5}, GetLanguageText(kBottomTextId));
    bottom->SetTextId(kBottomTextId);
    bottom->SetTextColor(kGrey);
    bottom->SetFont(kBottomFontSize);
    bottom->SetAlignment(dui::kAlignCenter | dui::kAlignVCenter | dui::kAlignSingleLine);
}

int AboutDlg::OnMessage(int id, int event, intptr_t /*param*/) {
    if (id == kCloseButton && event == dui::kEventClick) {
        DoCancel();
        return 1;
    }
    return 0;
}

}  // namespace corvatt
