#pragma once

#include <string>

namespace corvatt {

// The screen effects of the device protocol. The main window implements it; every
// call comes from the worker thread (the toolkit model is safe to call from there).
class ProtocolUi {
public:
    virtual ~ProtocolUi() = default;

    // A language text by number (GetLanguageText).
    virtual std::string LanguageText(int text_id) = 0;

    // BatteryCtrl::SetBatteryInfo(level, second): the battery control of the window.
    virtual void ShowBattery(int level, int second) = 0;
    // CDeviceList::SetDeviceBattery(device type, level, second): the device list entry.
    virtual void ShowDeviceBattery(int device_type, int level, int second) = 0;
    // DPISlider::SetDPIDesc(step text, highest text) on the DPI page, and the slider's
    // highest code; second_value is the slider's second value (2 for sensors 149 and
    // 150, otherwise what it was).
    virtual void ShowDpiRange(const std::string& step_text, const std::string& highest_text, int highest_code,
                              int second_value) = 0;
    // MControlFont::SetTitle on an information page line: 243 the receiver version
    // ("%s: %s.%s" with text 551), 246 the firmware status (text 580).
    virtual void SetInformationLine(int control_id, const std::string& text) = 0;

    // Link failure through the receiver:
    // ClosePopups (Part of the device list handling: closes the open pop-up windows).
    virtual void ClosePopups() = 0;
    // CDeviceList::SetDeviceState(device type, mode, state).
    virtual void SetDeviceState(int device_type, int mode, int state) = 0;
    // The connection caption of the window header (text 51 cable, 52 receiver).
    virtual void SetConnectionCaption(const std::string& text) = 0;
    // The window's device connected flag.
    virtual bool IsDeviceConnected() = 0;
    virtual void SetDeviceConnected(bool connected) = 0;

    // Page refreshes from the store.
    virtual void RefreshButtonPage() = 0;
    virtual void RefreshMacroLists() = 0;   // FillMacroLists
    virtual void RefreshDpiPage() = 0;      // the DPI and performance page
    virtual void RefreshLightingList() = 0; // the lighting page's list (only called for models with lighting)
    // Task 18: the DPI controls of the DPI page after the DPI defaults were applied.
    virtual void ReloadDpiControls() = 0;
    // The main window's current profile changed (factory reset makes it 1).
    virtual void SetCurrentProfile(int profile) = 0;
};

}  // namespace corvatt
