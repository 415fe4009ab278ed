#include "app/CUIMessageBox.h"

#include "app/Language.h"
#include "app/Localisation.h"
#include "common/ui/MButton.h"
#include "common/ui/MText.h"
#include "common/ui/Messages.h"
#include "common/ui/Types.h"

namespace corvatt {

namespace {
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr int kFontSize = 16;
}  // namespace

CUIMessageBox::CUIMessageBox(std::string caption, std::string text, int style)
    : m_caption(std::move(caption)), m_text(std::move(text)), m_style(style) {}

void CUIMessageBox::InitUI() {
    LoadBKImage("bk_prompt.png");
    SetBackMode(1, 30);
    const int w = kWidth;
    const int h = kHeight;

    auto* caption = Create<dui::MText>(kCaptionText, {20, 15, w - 20, 45}, m_caption);
    caption->SetAlignment(dui::kAlignCenter | dui::kAlignVCenter | dui::kAlignSingleLine);
    auto* text = Create<dui::MText>(kMessageText, {20, 50, w - 20, h - 50}, m_text);
    text->SetAlignment(dui::kAlignCenter | dui::kAlignVCenter | dui::kAlignWordBreak);
    for (auto* label : {caption, text}) {
        label->SetTextColor(kWhite);
        label->SetFont(kFontSize);
    }

    auto make_button = [this](int id, dui::Rect rect, int text_id) {
        auto* button = Create<dui::MButton>(id, rect, GetLanguageText(text_id));
        button->SetTextId(text_id);
        button->SetImage("img_button.png");
        button->SetTextColor(kWhite);
        button->SetFont(kFontSize);
    };
    if (m_style == kStyleOk) {
        make_button(kConfirmButton, {60, h - 50, w - 60, h - 14}, TextId(20));
    } else if (m_style == kStyleOkCancel) {
        make_button(kConfirmButton, {w / 2 - 120, h - 50, w / 2 - 20, h - 14}, TextId(23));
        make_button(kCancelButton, {w / 2 + 20, h - 50, w / 2 + 120, h - 14}, TextId(25));
    }
}

int CUIMessageBox::OnMessage(int id, int event, intptr_t /*param*/) {
    if (event != dui::kEventClick) return 0;
    if (id == kConfirmButton) {
        EndDialog(kResultOk);
        return 1;
    }
    if (id == kCancelButton) {
        EndDialog(kResultCancel);
        return 1;
    }
    return 0;
}

int ShowMessage(const std::string& text, dui::MWindow* owner, const std::string& caption, int style) {
    CUIMessageBox box(caption, text, style);
    if (!box.MWindow::Create(owner, "MWindow", dui::WS_POPUP, {0, 0, CUIMessageBox::kWidth, CUIMessageBox::kHeight},
                             CUIMessageBox::kWindowName, dui::WS_EX_TOOLWINDOW)) {
        return 0;
    }
    box.SetTopMost(true);
    box.CenterWindow();
    const int result = box.ShowModal(true);
    box.DestroyWindow();
    return result;
}

}  // namespace corvatt
