#include "app/DPIMsgDlg.h"

#include "app/Language.h"
#include "common/text/Text.h"
#include "common/ui/CImageButton.h"
#include "common/ui/MProgress.h"
#include "common/ui/MText.h"
#include "common/ui/Manager.h"
#include "common/ui/Messages.h"

namespace corvatt {

namespace {
constexpr uint32_t kUnitColor = 0xFFC8C8C8u;
constexpr int kValueFontSize = 36;
constexpr int kUnitFontSize = 20;
constexpr int kCloseTooltip = 5;
}  // namespace

bool DPIMsgDlg::CreateNotice(dui::MWindow* owner) {
    if (!Create(owner, "MWindow", dui::WS_POPUP, {0, 0, kWidth, kHeight}, kWindowName, dui::WS_EX_TOOLWINDOW)) {
        return false;
    }
    SetTopMost(true);
    ShowWindow(dui::SW_SHOW);
    ShowWindow(dui::SW_HIDE);
    return true;
}

void DPIMsgDlg::InitUI() {
    const int w = kWidth;

    auto* close = Create<dui::CImageButton>(kCloseButton, {w - 36, 10, w - 6, 40}, "sysbtn_close.png");
    close->SetTooltip(GetLanguageText(kCloseTooltip));
    close->SetTooltipId(kCloseTooltip);

    // Value and unit share the bottom line, so their baselines meet.
    auto* value = Create<dui::MText>(kValueText, {10, 30, 170, 80}, "1600");
    value->SetTextColor(dui::RgbToArgb(dui::Manager::Instance().m_select_color.load()));
    value->SetFont(kValueFontSize);
    value->SetAlignment(dui::kAlignCenter | dui::kAlignBottom | dui::kAlignSingleLine);

    auto* unit = Create<dui::MText>(kUnitText, {170, 50, 310, 80}, "DPI");
    unit->SetTextColor(kUnitColor);
    unit->SetFont(kUnitFontSize);
    unit->SetAlignment(dui::kAlignLeft | dui::kAlignBottom | dui::kAlignSingleLine);

    auto* bar = Create<dui::MProgress>(kBar, {10, 80, w - 20, 100});
    bar->SetRange(0, kRangeMax);
}

void DPIMsgDlg::ShowDpi(int value) {
    {
        std::lock_guard lock(dui::Manager::Instance().UiLock());
        m_value = value;
    }
    if (auto* text = GetControl<dui::MText>(kValueText)) text->SetTitle(text::Format("%d", value));
    if (auto* bar = GetControl<dui::MProgress>(kBar)) bar->SetPos(value);

    const dui::Rect area = dui::Manager::Instance().GetScreenRect();
    MoveWindow(dui::Rect{area.right - 302, area.bottom - 132, area.right - 2, area.bottom - 2});

    ShowWindow(dui::SW_SHOW);
    SetTimer(kHideTimer, kHideDelayMs);
    InvalidateRect();
}

int DPIMsgDlg::GetValue() const {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    return m_value;
}

int DPIMsgDlg::OnMessage(int id, int event, intptr_t /*param*/) {
    if (id == kCloseButton && event == dui::kEventClick) {
        KillTimer(kHideTimer);
        ShowWindow(dui::SW_HIDE);
        return 1;
    }
    return 0;
}

void DPIMsgDlg::OnTimer(unsigned id) {
    if (id == kHideTimer) {
        KillTimer(kHideTimer);
        ShowWindow(dui::SW_HIDE);
        return;
    }
    MDialog::OnTimer(id);
}

}  // namespace corvatt
