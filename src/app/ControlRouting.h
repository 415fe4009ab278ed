#pragma once

#include <cstdint>

#include "pages/PageHandler.h"

namespace corvatt {

// The pages that handle control notifications of the main window.
enum class PageRoute {
    kNone,          // not handled by a page (the window itself, or nobody)
    kButtons,
    kDpi,
    kMacros,
    kLighting,
    kSettings,      // system settings page, with the factory-settings buttons
    kFirmware,      // the information page's firmware check buttons
};

// Which page a notification goes to. Some ids go to their page whatever the event; the
// others only on event 2 (activation).
PageRoute RouteControl(int id, int event);

}  // namespace corvatt
