#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pages/PageHandler.h"
#include "pages/PageHost.h"

namespace corvatt {

class Autostart;
namespace dui {
class MControl;
}

// What the settings page needs of the main window beyond any page's needs.
class SettingsHost : public PageHost {
public:
    // Values under the application's registry key (ReadRegistryInt / its writer).
    virtual int ReadRegistryInt(std::string_view name) = 0;
    virtual bool WriteRegistryInt(std::string_view name, int value) = 0;
    // The languages config.xml lists as installed, and the one in use.
    virtual std::vector<int> InstalledLanguages() const = 0;
    virtual int CurrentLanguage() const = 0;
    // SwitchLanguage: every text of every window follows at once.
    virtual void SwitchLanguage(int language_id) = 0;
    // The session's autostart entry (none: the option cannot be offered) and the program's path.
    virtual Autostart* AutostartEntry() = 0;
    virtual std::string ExecutablePath() const = 0;
    virtual bool IsDeviceConnected() = 0;
    // The update check exists (DeviceTask 23 has a worker step).
    virtual bool CanCheckForUpdates() const = 0;
    // Back to the device pages as they were before the settings page was opened.
    virtual void CloseSettingsPage() = 0;
};

// The program's own preferences: language, starting with the session, what closing the
// window does, the software update check and the factory reset (also started by the header's
// and the information page's buttons).
class SettingsPage : public PageHandler {
public:
    static constexpr int kBackground = 272;
    static constexpr int kBack = 273;
    static constexpr int kTitle = 274;
    static constexpr int kStatus = 275;
    static constexpr int kCheckUpdate = 276;
    static constexpr int kFactoryReset = 277;
    static constexpr int kLanguageLabel = 278;
    static constexpr int kLanguage = 279;
    static constexpr int kStartupLabel = 280;
    static constexpr int kAutostart = 281;
    static constexpr int kStartMinimised = 282;
    static constexpr int kSeparator1 = 283;
    static constexpr int kSeparator2 = 284;
    static constexpr int kCloseLabel = 285;
    static constexpr int kCloseToTray = 286;
    static constexpr int kCloseExits = 287;
    static constexpr int kCopyright = 288;
    static constexpr int kWebsite = 289;
    static constexpr int kFeedback = 290;
    static constexpr int kQuestions = 291;
    // The other buttons that start the factory reset.
    static constexpr int kHeaderFactoryReset = 46;
    static constexpr int kInfoFactoryReset = 250;

    static constexpr int kTaskSoftwareUpdate = 23;
    static constexpr int kTaskFactoryReset = 20;

    // The languages offered, in order, with their names as shown.
    struct LanguageItem {
        int id;
        const char* name;
    };
    static const std::vector<LanguageItem>& LanguageItems();

    explicit SettingsPage(SettingsHost& host);

    void CreateControls(dui::MControl* page);
    // Reads the preferences into the controls (each time the page is shown).
    void Show();

    int OnPageMessage(int id, int event, intptr_t param) override;
    // The factory reset's questions, then the task (the three buttons).
    void RestoreFactorySettings();

private:
    void OnLanguage();
    void OnAutostart();
    void OnStartMinimised();
    void OnCloseMode();

    SettingsHost& m_host;
};

}  // namespace corvatt
