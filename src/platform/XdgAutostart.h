#pragma once

#include <string>
#include <string_view>

#include "platform/Autostart.h"
#include "platform/Environment.h"

namespace corvatt {

// The desktop entry "<config home>/autostart/<app>.desktop".
class XdgAutostart : public Autostart {
public:
    explicit XdgAutostart(std::string entry_path, std::string app_name);

    // $XDG_CONFIG_HOME (or ~/.config) + "/autostart/<app>.desktop".
    static std::string DefaultPath(const Environment& env, std::string_view app_name);

    bool Enable(const std::string& executable_path) override;
    bool Disable() override;
    bool IsEnabled() const override;

    // The entry's text; "" when the path cannot be written in an Exec line (control characters).
    static std::string EntryText(std::string_view app_name, std::string_view executable_path);

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    std::string m_app_name;
};

}  // namespace corvatt
