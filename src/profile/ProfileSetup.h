#pragma once

#include <functional>
#include <string>

#include "store/ConfigStore.h"
#include "store/ModelContext.h"

namespace corvatt {

// A language text by number (the localisation layer's GetLanguageText).
using LanguageTextFunction = std::function<std::string(int)>;

// The name shown for a stored profile name: a default name ("Profile…" or "配置…")
// follows the current language's word for profile; a typed name is shown unchanged.
std::string ProfileDisplayName(const std::string& stored_name, const std::string& profile_word);

// Makes sure the model's database holds the four profiles and that one is active.
class ProfileSetup {
public:
    static constexpr int kProfileCount = 4;
    static constexpr int kProfileWordText = 61;

    ProfileSetup(ConfigStore& store, LanguageTextFunction language_text);

    // On an empty profile table adds the four default profiles, each made current and
    // given the model's defaults, and activates profile 1; repairs a missing active
    // profile. Returns the current (active) profile, also stored in model.current_profile;
    // 0 only when the database holds no profile at all.
    int Run(ModelContext& model);

    // ProfileDisplayName with the current language's text 61.
    std::string DisplayName(const std::string& stored_name) const;
    // Display name of a stored profile; "" when it cannot be read.
    std::string DisplayNameOf(int profile) const;

private:
    ConfigStore& m_store;
    LanguageTextFunction m_language_text;
};

}  // namespace corvatt
