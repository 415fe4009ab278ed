#include <sqlite3.h>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../store/StoreTestSupport.h"
#include "profile/FactoryReset.h"
#include "profile/ProfileSetup.h"
#include "store/ConfigStore.h"

namespace corvatt {
namespace {

using testing::CountRows;
using testing::TempDataFolder;

// Text 61 in two languages.
std::string English(int id) { return id == 61 ? "Profile" : "?"; }
std::string Chinese(int id) { return id == 61 ? "配置" : "?"; }

void ExecuteOn(const std::string& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
}

class ProfileSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_store.OpenDatabase(m_folder.Folder(), "corvatt_v1"));
        m_model.install_folder = std::string(CORVATT_TEST_FIXTURES) + "/store/";
        m_model.model_key = "full";  // dpi_index 3, report_rate 1, ...
    }

    std::string Value(int profile, const std::string& key) {
        std::string value;
        EXPECT_TRUE(m_store.GetConfigValue(profile, key, value)) << profile << " " << key;
        return value;
    }

    TempDataFolder m_folder;
    ConfigStore m_store;
    ModelContext m_model;
};

TEST_F(ProfileSetupTest, FirstStartCreatesFourProfilesWithTheModelDefaults) {
    ProfileSetup setup(m_store, Chinese);
    m_model.current_profile = 9;
    EXPECT_EQ(setup.Run(m_model), 1);
    EXPECT_EQ(m_model.current_profile, 1);

    std::vector<ProfileRecord> profiles;
    ASSERT_EQ(m_store.GetProfiles(profiles), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(profiles[i].profile, i + 1);
        EXPECT_EQ(profiles[i].name, "配置 " + std::to_string(i + 1));
        EXPECT_EQ(profiles[i].status, i == 0 ? 1 : 0);
        EXPECT_EQ(profiles[i].app, "");
        EXPECT_EQ(profiles[i].type, 0);
        EXPECT_EQ(Value(i + 1, "dpi_index"), "3");
        EXPECT_EQ(Value(i + 1, "report_rate"), "1");
        EXPECT_EQ(Value(i + 1, "dpi_group3_rgb"), "33023");
    }
    EXPECT_EQ(CountRows(m_store.Path(), "t_configdata"), 156);

    // A second set-up finds the profiles and changes nothing.
    m_store.SetConfigValue(2, "dpi_index", "6");
    EXPECT_EQ(setup.Run(m_model), 1);
    EXPECT_EQ(CountRows(m_store.Path(), "t_profile_data"), 4);
    EXPECT_EQ(CountRows(m_store.Path(), "t_configdata"), 156);
    EXPECT_EQ(Value(2, "dpi_index"), "6");
}

TEST_F(ProfileSetupTest, MissingDescriptionStillGivesFourProfilesWithBuiltInDefaults) {
    m_model.model_key = "no_such_model";
    ProfileSetup setup(m_store, English);
    EXPECT_EQ(setup.Run(m_model), 1);
    EXPECT_EQ(CountRows(m_store.Path(), "t_profile_data"), 4);
    EXPECT_EQ(Value(4, "dpi_index"), "1");
    std::string name;
    ASSERT_TRUE(m_store.GetProfileName(4, name));
    EXPECT_EQ(name, "Profile 4");
}

TEST_F(ProfileSetupTest, TheActiveProfileIsKeptOrRepaired) {
    ProfileSetup setup(m_store, English);
    setup.Run(m_model);

    m_store.SetActiveProfile(3);
    EXPECT_EQ(setup.Run(m_model), 3);
    EXPECT_EQ(m_model.current_profile, 3);

    ExecuteOn(m_store.Path(), "UPDATE t_profile_data SET status = 0");
    EXPECT_EQ(setup.Run(m_model), 1);
    EXPECT_EQ(m_store.GetActiveProfile(), 1);

    // An active row numbered below 1 is not a usable profile.
    ExecuteOn(m_store.Path(), "UPDATE t_profile_data SET status = 0");
    ExecuteOn(m_store.Path(), "INSERT INTO t_profile_data(profile, name, status, app, type) VALUES (-2, 'x', 1, '', 0)");
    EXPECT_EQ(setup.Run(m_model), 1);
}

TEST_F(ProfileSetupTest, WithoutProfileOneTheLowestExistingNumberBecomesActive) {
    // Rows removed by hand: AUTOINCREMENT then numbers the next profiles 5 to 8.
    ProfileSetup setup(m_store, English);
    setup.Run(m_model);
    ExecuteOn(m_store.Path(), "DELETE FROM t_profile_data");
    EXPECT_EQ(setup.Run(m_model), 5);
    EXPECT_EQ(m_model.current_profile, 5);
    EXPECT_EQ(m_store.GetActiveProfile(), 5);
    EXPECT_EQ(CountRows(m_store.Path(), "t_profile_data"), 4);
}

TEST_F(ProfileSetupTest, NoDatabaseGivesNoCurrentProfile) {
    m_store.CloseDatabase();
    ProfileSetup setup(m_store, English);
    m_model.current_profile = 2;
    EXPECT_EQ(setup.Run(m_model), 0);
    EXPECT_EQ(m_model.current_profile, 0);
}

TEST(ProfileDisplayName, DefaultNamesFollowTheLanguage) {
    struct Case {
        std::string stored;
        std::string word;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {"Profile 1", "配置", "配置 1"},
        {"配置 2", "Profile", "Profile 2"},
        {"配置 3", "Profil", "Profil 3"},
        {"Profile", "Perfil", "Perfil"},
        {"Profiles of mine", "配置", "配置s of mine"},
        {"profile 1", "配置", "profile 1"},
        {"Prof", "配置", "Prof"},
        {"配", "Profile", "配"},
        {"Mein Spiel", "配置", "Mein Spiel"},
        {"", "配置", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ProfileDisplayName(c.stored, c.word), c.shown) << c.stored;
}

TEST_F(ProfileSetupTest, DisplayNameUsesTheCurrentLanguage) {
    std::string language = "en";
    ProfileSetup setup(m_store, [&](int id) { return id == 61 ? (language == "en" ? "Profile" : "配置") : ""; });
    setup.Run(m_model);
    m_store.RenameProfile(2, "Arena");
    EXPECT_EQ(setup.DisplayNameOf(1), "Profile 1");
    EXPECT_EQ(setup.DisplayNameOf(2), "Arena");
    language = "zh";
    EXPECT_EQ(setup.DisplayNameOf(1), "配置 1");
    EXPECT_EQ(setup.DisplayNameOf(2), "Arena");
    EXPECT_EQ(setup.DisplayNameOf(9), "");
}

TEST_F(ProfileSetupTest, FactoryDataResetRestoresModelDefaultsAndClearsButtons) {
    ProfileSetup setup(m_store, English);
    setup.Run(m_model);
    for (int profile = 1; profile <= 4; ++profile) {
        m_store.SetConfigValue(profile, "dpi_index", "6");
        m_store.SetConfigValue(profile, "report_rate", "8");
        m_store.SetConfigValue(profile, "report_rate_wireless", "4");
        m_store.SetConfigValue(profile, "sensor_flag", "1");
    }
    for (int profile = 1; profile <= 5; ++profile) {
        KeyAssignment key;
        key.profile = profile;
        key.key_code = 2;
        key.macro_value = 1;
        m_store.SaveKeyAssignment(key);
    }
    KeyAssignment outside;
    outside.profile = 6;
    outside.key_code = 2;
    outside.macro_value = 1;
    m_store.SaveKeyAssignment(outside);
    m_store.EnsureDefaultLights(1, {true, true, false, false, false, false});
    LightRecord light;
    ASSERT_TRUE(m_store.GetLight(1, 2, light));
    light.brightness = 1;
    m_store.UpdateLight(2, light);
    m_store.SetActiveProfile(3);
    m_model.current_profile = 3;

    EXPECT_EQ(RestoreFactoryData(m_store, setup, m_model), 1);
    EXPECT_EQ(m_model.current_profile, 1);
    EXPECT_EQ(m_store.GetActiveProfile(), 1);
    for (int profile = 1; profile <= 4; ++profile) {
        EXPECT_EQ(Value(profile, "dpi_index"), "3");
        EXPECT_EQ(Value(profile, "report_rate"), "1");
        // Keys outside the description keep their stored values.
        EXPECT_EQ(Value(profile, "report_rate_wireless"), "4");
        EXPECT_EQ(Value(profile, "sensor_flag"), "1");
    }
    EXPECT_EQ(CountRows(m_store.Path(), "t_key_macro_data WHERE profile <= 5"), 0);
    EXPECT_EQ(CountRows(m_store.Path(), "t_key_macro_data WHERE profile = 6"), 1);
    ASSERT_TRUE(m_store.GetLight(1, 2, light));
    EXPECT_EQ(light.brightness, 1);
    EXPECT_EQ(m_store.CountLights(1), 2);
    EXPECT_EQ(CountRows(m_store.Path(), "t_profile_data"), 4);
}

}  // namespace
}  // namespace corvatt
