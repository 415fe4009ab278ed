#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvatt {

class VirtualHidBackend;

// A tray menu entry that acts on a virtual device (only with --simulate).
struct SimulatorAction {
    std::function<std::string()> text;  // asked each time the menu opens
    std::function<void()> run;
};

// The virtual devices' own controls, for the devices plugged into the back end (names as
// given on the command line, in plugging order): each mouse's DPI button, and for a
// receiver its wireless mouse switched off or on.
std::vector<SimulatorAction> MakeSimulatorActions(const std::shared_ptr<VirtualHidBackend>& backend,
                                                  const std::vector<std::string>& names);

}  // namespace corvatt
