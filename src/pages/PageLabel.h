#pragma once

#include "common/ui/MDialog.h"
#include "common/ui/MText.h"
#include "pages/PageHost.h"

namespace corvatt {

// A single-line, left-aligned text on a page. With a text id it shows that language text and
// follows a language switch; with 0 it starts empty.
inline dui::MText* CreatePageLabel(PageHost& host, dui::MControl* page, int id, dui::Rect rect, int text_id,
                                   int font_size, bool bold) {
    auto* label = host.Window().Create<dui::MText>(id, rect, text_id ? host.LanguageText(text_id) : std::string(),
                                                   0, 0, page);
    if (label == nullptr) return nullptr;
    if (text_id) label->SetTextId(text_id);
    label->SetFont(font_size, bold);
    label->SetAlignment(dui::kAlignLeft | dui::kAlignVCenter | dui::kAlignSingleLine);
    return label;
}

}  // namespace corvatt
