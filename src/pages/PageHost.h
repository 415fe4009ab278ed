#pragma once

#include <string>

#include "catalog/DeviceDescription.h"
#include "protocol/DeviceState.h"

namespace corvatt {

class ConfigStore;
namespace dui {
class MDialog;
}

// What a page needs of the main window that owns it.
class PageHost {
public:
    virtual ~PageHost() = default;

    // The window the page's controls live on.
    virtual dui::MDialog& Window() = 0;
    virtual ConfigStore& Store() = 0;
    // The profile whose settings the pages show.
    virtual int CurrentProfile() const = 0;
    // The current model's description (flags such as show_lod, show_dpitips).
    virtual DeviceDescription Description() const = 0;
    // What the last device information read found (sensor, DPI range, highest rate code).
    virtual DeviceInfoValues DeviceInfo() const = 0;
    // Appends a task code for the worker.
    virtual void QueueTask(int code) = 0;
    // The saving notice and the DPI notice, each when the model shows it.
    virtual void ShowSaveWait() = 0;
    virtual void ShowDpiNotice(int dpi_value) = 0;
    // The layout scale (client height / 788) for pages that place controls at run time.
    virtual double LayoutScale() const = 0;

    // Added for the DPI page; the main window overrides all three.
    // A language text by number (GetLanguageText).
    virtual std::string LanguageText(int text_id) const {
        (void)text_id;
        return {};
    }
    // Message styles and the confirming answer.
    static constexpr int kMessageOk = 0;
    static constexpr int kMessageConfirmCancel = 4;
    static constexpr int kMessageConfirmed = 1;
    // The program's message dialog over the window (ShowMessage): 1 = confirmed.
    virtual int ShowMessage(const std::string& text, const std::string& caption, int style) {
        (void)text;
        (void)caption;
        (void)style;
        return 0;
    }
    // The current model's description file: <install folder>device/<model key>.xml.
    virtual std::string DescriptionPath() const { return {}; }
};

}  // namespace corvatt
