#pragma once

#include <string>

#include "common/text/Text.h"
#include "protocol/DeviceNotifications.h"

namespace corvatt::testing {

// The window's side of the protocol and the notifications, doing nothing: language text n is
// "T<n>" and the device counts as connected. Tests and benchmarks override what they watch.
class NullUi : public NotificationUi {
public:
    std::string LanguageText(int id) override { return text::Format("T%d", id); }
    void ShowBattery(int, int) override {}
    void ShowDeviceBattery(int, int, int) override {}
    void ShowDpiRange(const std::string&, const std::string&, int, int) override {}
    void SetInformationLine(int, const std::string&) override {}
    void ClosePopups() override {}
    void SetDeviceState(int, int, int) override {}
    void SetConnectionCaption(const std::string&) override {}
    bool IsDeviceConnected() override { return true; }
    void SetDeviceConnected(bool) override {}
    void RefreshButtonPage() override {}
    void RefreshMacroLists() override {}
    void RefreshDpiPage() override {}
    void RefreshLightingList() override {}
    void ReloadDpiControls() override {}
    void SetCurrentProfile(int) override {}
    void ShowLinkedView() override {}
    void ShowUnlinkedView() override {}
    int OnlineDeviceCount() override { return 1; }
    void ShowDeviceList(bool) override {}
    void ShowDpiNotice(int) override {}
};

}  // namespace corvatt::testing
