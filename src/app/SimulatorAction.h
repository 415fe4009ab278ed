#pragma once

#include <functional>
#include <string>

namespace corvatt {

// A tray menu entry that acts on a virtual device (only with --simulate).
struct SimulatorAction {
    std::function<std::string()> text;  // asked each time the menu opens
    std::function<void()> run;
};

}  // namespace corvatt
