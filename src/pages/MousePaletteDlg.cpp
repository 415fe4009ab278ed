#include "pages/MousePaletteDlg.h"

#include <algorithm>

#include "common/text/Text.h"
#include "common/ui/CArea.h"
#include "common/ui/CColorButton.h"
#include "common/ui/CImageButton.h"
#include "common/ui/MButton.h"
#include "common/ui/MEdit.h"
#include "common/ui/MPalette.h"
#include "common/ui/MText.h"
#include "common/ui/Manager.h"
#include "common/ui/Messages.h"

namespace corvatt {

namespace {

constexpr const char* kPresetGroup = "DEFAULTCOLOR";
constexpr std::uint32_t kPresets[8] = {0x0000FF, 0xFF0000, 0x00FF00, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0xFF00FF, 0xFFFFFF};
constexpr const char* kFieldLabels[3] = {"R:", "G:", "B:"};
constexpr const char* kFieldTexts[3] = {"255", "5", "5"};
constexpr int kFieldMax = 255;

}  // namespace

MousePaletteDlg::MousePaletteDlg(dui::TextLookup text) : m_text(std::move(text)) {}

void MousePaletteDlg::SetColor(std::uint32_t colour) {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    m_colour = colour & 0xFFFFFFu;
}

std::uint32_t MousePaletteDlg::GetColor() const {
    std::lock_guard lock(dui::Manager::Instance().UiLock());
    return m_colour;
}

std::uint32_t MousePaletteDlg::Pick(dui::MWindow* owner, std::uint32_t colour, const dui::TextLookup& text) {
    MousePaletteDlg dialog(text);
    dialog.SetColor(colour);
    if (!dialog.MWindow::Create(owner, kWindowClass, dui::WS_POPUP, {0, 0, kWidth, kHeight}, kWindowClass,
                                dui::WS_EX_TOOLWINDOW)) {
        return 0;
    }
    dialog.CenterWindow();
    const int result = dialog.ShowModal(true);
    dialog.DestroyWindow();
    // Only OK gives a colour; the close button and any other way of closing give none.
    return result == 1 ? dialog.GetColor() : 0;
}

void MousePaletteDlg::InitUI() {
    const int w = kWidth;
    Create<dui::CImageButton>(kClose, {w - 36, 10, w - 6, 40}, "sysbtn_close.png");
    Create<dui::MPalette>(kPalette, {20, 50, w - 20, 210});
    Create<dui::CArea>(kPreview, {20, 222, 80, 262});
    for (int i = 0; i < 3; ++i) {
        const int left = 96 + i * 84;
        Create<dui::MText>(kRedLabel + i, {left, 226, left + 24, 258}, kFieldLabels[i]);
        auto* field = Create<dui::MEdit>(kRedField + i, {left + 24, 226, left + 74, 258}, kFieldTexts[i]);
        field->SetNumberOnly(true);
        field->SetMaxLength(3);
    }
    for (int i = 0; i < 8; ++i) {
        const int left = 20 + i * 40;
        auto* preset = Create<dui::CColorButton>(kFirstPreset + i, {left, 284, left + 30, 314});
        preset->SetGroupName(kPresetGroup);
        preset->SetColor(kPresets[i]);
    }
    auto* ok = Create<dui::MButton>(kOk, {w / 2 - 60, 340, w / 2 + 60, 376}, m_text ? m_text(kOkTextId) : "");
    ok->SetTextId(kOkTextId);
    ShowColour(true);
}

void MousePaletteDlg::ShowColour(bool palette) {
    const std::uint32_t colour = GetColor();
    const int parts[3] = {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                          static_cast<int>((colour >> 16) & 0xFF)};
    for (int i = 0; i < 3; ++i) {
        if (auto* field = GetControl<dui::MEdit>(kRedField + i)) field->SetText(text::Format("%d", parts[i]));
    }
    if (palette) {
        if (auto* control = GetControl<dui::MPalette>(kPalette)) control->SetSelectColor(colour);
    }
    if (auto* preview = GetControl<dui::CArea>(kPreview)) preview->SetTransparent(colour);
}

void MousePaletteDlg::OnFieldChanged(int id) {
    auto* field = GetControl<dui::MEdit>(id);
    if (field == nullptr) return;
    const std::string typed = field->GetEditText();
    const std::string clamped = text::Format("%d", std::clamp(text::ToInt(typed), 0, kFieldMax));
    if (clamped != typed) field->SetText(clamped);

    int parts[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        if (auto* part = GetControl<dui::MEdit>(kRedField + i)) {
            parts[i] = std::clamp(text::ToInt(part->GetEditText()), 0, kFieldMax);
        }
    }
    const std::uint32_t colour = static_cast<std::uint32_t>(parts[0] + parts[1] * 0x100 + parts[2] * 0x10000);
    SetColor(colour);
    if (auto* palette = GetControl<dui::MPalette>(kPalette)) palette->SetSelectColor(colour);
    if (auto* preview = GetControl<dui::CArea>(kPreview)) preview->SetTransparent(colour);
}

int MousePaletteDlg::OnMessage(int id, int event, intptr_t /*param*/) {
    if (id == kPalette && event == dui::kEventPick) {
        if (auto* palette = GetControl<dui::MPalette>(kPalette)) SetColor(palette->GetSelectColor());
        ShowColour(false);
        return 1;
    }
    if (id >= kFirstPreset && id <= kLastPreset && event == dui::kEventClick) {
        if (auto* preset = GetControl<dui::CColorButton>(id)) SetColor(preset->GetColor());
        ShowColour(true);
        return 1;
    }
    if (id >= kRedField && id <= kBlueField && event == dui::kEventTextChange) {
        OnFieldChanged(id);
        return 1;
    }
    if (id == kOk && event == dui::kEventClick) {
        DoOK();
        return 1;
    }
    if (id == kClose && event == dui::kEventClick) {
        SetColor(0);
        DoCancel();
        return 1;
    }
    return 0;
}

}  // namespace corvatt
