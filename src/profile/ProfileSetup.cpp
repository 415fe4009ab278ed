#include "profile/ProfileSetup.h"

#include <string_view>
#include <utility>
#include <vector>

#include "common/text/Text.h"

namespace corvatt {

namespace {

constexpr std::string_view kEnglishDefaultPrefix = "Profile";
constexpr std::string_view kChineseDefaultPrefix = "配置";

}  // namespace

std::string ProfileDisplayName(const std::string& stored_name, const std::string& profile_word) {
    for (std::string_view prefix : {kEnglishDefaultPrefix, kChineseDefaultPrefix}) {
        if (stored_name.starts_with(prefix)) return profile_word + stored_name.substr(prefix.size());
    }
    return stored_name;
}

ProfileSetup::ProfileSetup(ConfigStore& store, LanguageTextFunction language_text)
    : m_store(store), m_language_text(std::move(language_text)) {}

int ProfileSetup::Run(ModelContext& model) {
    auto lock = m_store.Lock();

    std::vector<ProfileRecord> profiles;
    if (m_store.GetProfiles(profiles) == 0) {
        const std::string word = m_language_text ? m_language_text(kProfileWordText) : std::string();
        for (int number = 1; number <= kProfileCount; ++number) {
            ProfileRecord record;
            record.name = text::Format("%s %d", word, number);
            const int profile = m_store.AddProfile(record);
            if (profile == 0) continue;
            model.current_profile = profile;
            m_store.ApplyDeviceDefaults(model, false);
        }
        m_store.SetActiveProfile(1);
    }

    int active = m_store.GetActiveProfile();
    if (active < 1) {
        m_store.SetActiveProfile(1);
        active = m_store.GetActiveProfile();
    }
    if (active < 1) {
        // No profile 1 (rows removed by hand): the lowest number that exists takes its place.
        m_store.GetProfiles(profiles);
        int lowest = 0;
        for (const ProfileRecord& record : profiles) {
            if (record.profile >= 1 && (lowest == 0 || record.profile < lowest)) lowest = record.profile;
        }
        if (lowest != 0) {
            m_store.SetActiveProfile(lowest);
            active = m_store.GetActiveProfile();
        }
    }
    if (active < 1) active = 0;
    model.current_profile = active;
    return active;
}

std::string ProfileSetup::DisplayName(const std::string& stored_name) const {
    const std::string word = m_language_text ? m_language_text(kProfileWordText) : std::string();
    return ProfileDisplayName(stored_name, word);
}

std::string ProfileSetup::DisplayNameOf(int profile) const {
    std::string stored;
    if (!m_store.GetProfileName(profile, stored)) return std::string();
    return DisplayName(stored);
}

}  // namespace corvatt
