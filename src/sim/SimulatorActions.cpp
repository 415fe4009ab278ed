#include "sim/SimulatorActions.h"

#include "sim/VirtualHidBackend.h"

namespace corvatt {

std::vector<SimulatorAction> MakeSimulatorActions(const std::shared_ptr<VirtualHidBackend>& backend,
                                                  const std::vector<std::string>& names) {
    std::vector<SimulatorAction> actions;
    if (!backend) return actions;
    const std::vector<int> ids = backend->PluggedIds();
    for (std::size_t i = 0; i < ids.size() && i < names.size(); ++i) {
        const int id = ids[i];
        const std::string name = names[i];
        actions.push_back({[name] { return "Virtual " + name + ": press the DPI button"; },
                           [backend, id] { backend->PressDpiButton(id); }});
        const auto state = backend->State(id);
        if (!state || !state->is_receiver) continue;
        actions.push_back({[backend, id, name] {
                               const auto now = backend->State(id);
                               const bool on = now && now->mouse_on;
                               return "Virtual " + name +
                                      (on ? ": switch the wireless mouse off" : ": switch the wireless mouse on");
                           },
                           [backend, id] {
                               const auto now = backend->State(id);
                               if (now) backend->SetMouseOn(id, !now->mouse_on);
                           }});
    }
    return actions;
}

}  // namespace corvatt
