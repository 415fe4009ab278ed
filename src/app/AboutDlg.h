#pragma once

#include <string>

#include "common/ui/MDialog.h"

namespace corvatt {

class DeviceManager;

// The about window: logo, the program's version text twice and a bottom line.
class AboutDlg : public dui::MDialog {
public:
    static constexpr int kWidth = 500;
    static constexpr int kHeight = 300;
    static constexpr const char* kWindowName = "About Window";

    // Control ids.
    static constexpr int kCloseButton = 30;
    static constexpr int kLogo = 32;
    static constexpr int kVersionText2 = 33;
    static constexpr int kVersionText1 = 34;
    static constexpr int kBottomText = 35;

    // The version is read from devices when the window is built.
    explicit AboutDlg(DeviceManager& devices);
    AboutDlg();

    // Creates the window over owner, centred, runs it modally and destroys it.
    // Returns the modal result (-1 when it could not run).
    int Run(dui::MWindow* owner);

    // "%s: v%s.%s" with language text 16 and the release number's lower-case hexadecimal
    // text split after its first character (the last two characters follow the dot).
    static std::string VersionText(int release_number);
    // The release number of the first mode-0 entry, 0 when there is none.
    static int CableReleaseNumber(const DeviceManager& devices);

    void InitUI() override;
    int OnMessage(int id, int event, intptr_t param) override;

private:
    DeviceManager& m_devices;
};

}  // namespace corvatt
