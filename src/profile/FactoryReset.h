#pragma once

#include "profile/ProfileSetup.h"
#include "store/ConfigStore.h"
#include "store/ModelContext.h"

namespace corvatt {

// The stored-data part of restoring factory settings: the profile list is set up
// again, profiles 1 to 4 get the model's defaults in full, profile 1 becomes the
// current and the stored active profile, and every button assignment is removed.
// Lighting rows and the settings outside the model's description keep their values.
// Returns the current profile (1).
int RestoreFactoryData(ConfigStore& store, ProfileSetup& setup, ModelContext& model);

}  // namespace corvatt
