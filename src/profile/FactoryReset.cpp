#include "profile/FactoryReset.h"

namespace corvatt {

int RestoreFactoryData(ConfigStore& store, ProfileSetup& setup, ModelContext& model) {
    auto lock = store.Lock();
    setup.Run(model);
    for (int profile = 1; profile <= ProfileSetup::kProfileCount; ++profile) {
        model.current_profile = profile;
        store.ApplyDeviceDefaults(model, false);
    }
    // The stored active profile follows, so the next set-up does not switch back.
    model.current_profile = 1;
    store.SetActiveProfile(1);
    // Numbers 1 to 5, one past the four profiles.
    for (int profile = 1; profile <= 5; ++profile) store.DeleteKeyAssignments(profile);
    return model.current_profile;
}

}  // namespace corvatt
