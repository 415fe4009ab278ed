#pragma once

#include <string>

#include "common/ui/MDialog.h"

namespace corvatt {

// The DPI notice: a small topmost window in the bottom-right corner of the work area that
// shows the new DPI value for two seconds. Created hidden by the main window at start.
// ShowDpi may be called from the worker thread (device notifications) as well as the UI thread.
class DPIMsgDlg : public dui::MDialog {
public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 130;
    static constexpr const char* kWindowName = "DPIMsgDlg";
    static constexpr unsigned kHideTimer = 100;
    static constexpr unsigned kHideDelayMs = 2000;
    static constexpr int kRangeMax = 16000;

    // Control ids.
    static constexpr int kCloseButton = 30;
    static constexpr int kValueText = 31;
    static constexpr int kUnitText = 32;
    static constexpr int kBar = 33;

    // Creates the window as a tool window owned by owner, shows it and hides it again.
    bool CreateNotice(dui::MWindow* owner);

    // Shows value in the text and on the bar (not clamped to the bar's range), moves the
    // window to the corner and (re)starts the two-second hide timer.
    void ShowDpi(int value);
    int GetValue() const;

    void InitUI() override;
    int OnMessage(int id, int event, intptr_t param) override;

protected:
    void OnTimer(unsigned id) override;

private:
    int m_value = 0;
};

}  // namespace corvatt
