#pragma once

#include <string>

namespace corvatt {

// The screen effects of the device protocol. The main window implements it. Every
// call comes from the worker thread (the toolkit model may be changed from there).
class ProtocolUi {
public:
    virtual ~ProtocolUi() = default;

    // GetLanguageText: a text of the current language by number.
    virtual std::string LanguageText(int text_id) = 0;

    // Battery control of the window: BatteryCtrl::SetBatteryInfo(level, second), values as given.
    // Device information: first (level = previous battery B, second = 100), then
    // (battery B, battery A) of the new information block.
    virtual void ShowBattery(int level, int second) = 0;
    // The device list: CDeviceList::SetDeviceBattery(device type, level, second).
    // Device information: first (type, previous battery A, 100), then (type, A, B).
    virtual void ShowDeviceBattery(int device_type, int level, int second) = 0;
    // The DPI page's slider: DPISlider::SetDPIDesc(step text, highest text), for
    // example ("50", "24000"); highest_code is the slider's highest stage code (232)
    // and second_value its second value (2 once a sensor 149 or 150 was seen, else
    // what it was before). The same values are in DeviceState::Info().
    virtual void ShowDpiRange(const std::string& step_text, const std::string& highest_text, int highest_code,
                              int second_value) = 0;
    // MControlFont::SetTitle of an information page line, text as given:
    //   243: the receiver version, "<text 551>: 1.05";
    //   246: the firmware status, text 580.
    virtual void SetInformationLine(int control_id, const std::string& text) = 0;

    // Link failure through the receiver, in this order:
    //   ClosePopups(): closes the window's open pop-ups (menus, drop-down lists);
    //   SetDeviceState(current type, 1, 1): CDeviceList::SetDeviceState;
    //   then, when IsDeviceConnected() is false: SetConnectionCaption(text 52, or 51
    //   when the connection is no longer the receiver) on the window header's
    //   connection caption, SetDeviceState(101, 1 or 0, 1), SetDeviceConnected(true).
    virtual void ClosePopups() = 0;
    virtual void SetDeviceState(int device_type, int mode, int state) = 0;
    virtual void SetConnectionCaption(const std::string& text) = 0;
    // The window's device connected flag (also set and cleared by the device list).
    virtual bool IsDeviceConnected() = 0;
    virtual void SetDeviceConnected(bool connected) = 0;

    // Refills from the store:
    virtual void RefreshButtonPage() = 0;    // the button page (tasks 5 and 20)
    virtual void RefreshMacroLists() = 0;    // FillMacroLists (task 20)
    virtual void RefreshDpiPage() = 0;       // the DPI and performance page (tasks 5 and 20)
    virtual void RefreshLightingList() = 0;  // the lighting page's mode list (tasks 5, 17, 20)
    // Task 18: the DPI controls of the DPI page, after the model's DPI defaults were stored.
    virtual void ReloadDpiControls() = 0;
    // The main window's current profile is now this number (task 20 makes it 1; the
    // model context given to ProtocolTasks already holds it).
    virtual void SetCurrentProfile(int profile) = 0;
};

}  // namespace corvatt
