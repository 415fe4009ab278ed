#pragma once

#include <string>
#include <string_view>

namespace corvatt {

// Starting the program with the user's session. The entry starts the executable with
// " -autorun".
class Autostart {
public:
    virtual ~Autostart() = default;
    virtual bool Enable(const std::string& executable_path) = 0;
    // True when no entry remains.
    virtual bool Disable() = 0;
    virtual bool IsEnabled() const = 0;
};

}  // namespace corvatt
