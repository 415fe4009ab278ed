#pragma once

#include <string>

#include "common/ui/MDialog.h"

namespace corvatt {

// The program's message dialog: caption, message and one or two buttons.
class CUIMessageBox : public dui::MDialog {
public:
    static constexpr int kWidth = 430;
    static constexpr int kHeight = 230;
    static constexpr int kStyleOk = 0;
    static constexpr int kStyleOkCancel = 4;
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;
    static constexpr const char* kWindowName = "MessageBox";

    // Control ids.
    static constexpr int kCaptionText = 31;
    static constexpr int kMessageText = 32;
    static constexpr int kConfirmButton = 33;
    static constexpr int kCancelButton = 34;

    CUIMessageBox(std::string caption, std::string text, int style);

    void InitUI() override;
    int OnMessage(int id, int event, intptr_t param) override;

private:
    std::string m_caption;
    std::string m_text;
    int m_style;
};

// Runs the message dialog modally over its owner (centred on it, topmost) and destroys it.
// Style 0: one confirming button; 4: confirm and cancel; any other style: no button.
// Returns 1 when confirmed, 2 for the cancel button, the WM_CLOSE code when closed otherwise,
// 0 when the window could not be made.
int ShowMessage(const std::string& text, dui::MWindow* owner, const std::string& caption, int style);

}  // namespace corvatt
