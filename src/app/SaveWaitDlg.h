#pragma once

#include "common/ui/MDialog.h"

namespace corvatt {

// The saving notice: logo, a short text and an animated busy bar, shown for two seconds
// after each change. Created on first use and kept.
class SaveWaitDlg : public dui::MDialog {
public:
    static constexpr int kWidth = 500;
    static constexpr int kHeight = 200;
    static constexpr const char* kWindowName = "SaveWaitDlg";
    static constexpr unsigned kHideTimer = 200;
    static constexpr unsigned kHideDelayMs = 2000;

    // Control ids.
    static constexpr int kLogo = 31;
    static constexpr int kText = 32;
    static constexpr int kBar = 33;

    // Creates the window as a tool window owned by owner, centred on it and shown.
    bool CreateNotice(dui::MWindow* owner);

    // Starts the bar's animation from 0, shows the window and (re)starts the hide timer.
    void StartWait();

    bool OnInitDialog() override;
    void InitUI() override;

protected:
    void OnTimer(unsigned id) override;
};

}  // namespace corvatt
