#include <sqlite3.h>
#include <stdio.h>

#include <array>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/ConfigStore.h"

namespace corvatt {
namespace {

using testing::CountRows;
using testing::QueryFile;
using testing::RunCommand;
using testing::TempDataFolder;

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

class ConfigStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_store.OpenDatabase(m_folder.Folder(), "corvatt_v1")); }
    std::string DbPath() const { return m_folder.DbPath("corvatt_v1"); }

    TempDataFolder m_folder;
    ConfigStore m_store;
};

// ---- opening and creating -------------------------------------------------

TEST_F(ConfigStoreTest, NewDatabaseHasTheFifteenSchemaStatementsInOrder) {
    EXPECT_TRUE(m_store.IsOpened());
    EXPECT_EQ(m_store.Path(), DbPath());
    const std::string schema = RunCommand("sqlite3 '" + DbPath() + "' .schema");
    // SQLite records each statement without its "IF NOT EXISTS" and keeps the rest byte for
    // byte; sqlite_sequence is its own table behind AUTOINCREMENT.
    std::string ours;
    std::istringstream lines(schema);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("CREATE TABLE sqlite_sequence", 0) != 0) ours += line + "\n";
    }
    EXPECT_EQ(ours, ReadWholeFile(std::string(CORVATT_TEST_FIXTURES) + "/store/schema.txt"));
}

TEST(ConfigStoreOpen, ExistingFileIsOpenedWithoutTouchingItsSchema) {
    TempDataFolder folder;
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(folder.DbPath("old").c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "CREATE TABLE keep(x)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    ConfigStore store;
    EXPECT_TRUE(store.OpenDatabase(folder.Folder(), "old"));
    EXPECT_EQ(CountRows(folder.DbPath("old"), "sqlite_master"), 1);
    EXPECT_EQ(store.AddProfile(ProfileRecord{}), 0);  // no t_profile_data in that file
}

TEST(ConfigStoreOpen, ReopeningIsHarmlessAndAnotherNameSwitchesFiles) {
    TempDataFolder folder;
    ConfigStore store;
    ASSERT_TRUE(store.OpenDatabase(folder.Folder(), "a"));
    const int profile = store.AddProfile(ProfileRecord{});
    ASSERT_EQ(profile, 1);
    EXPECT_TRUE(store.OpenDatabase(folder.Folder(), "a"));
    EXPECT_TRUE(store.SetConfigValue(profile, "dpi_index", "3"));

    // Without CloseDatabase in between, the second model's settings go into its own file.
    ASSERT_TRUE(store.OpenDatabase(folder.Folder(), "b"));
    EXPECT_EQ(store.Path(), folder.DbPath("b"));
    EXPECT_EQ(store.AddProfile(ProfileRecord{}), 1);
    EXPECT_TRUE(store.SetConfigValue(1, "dpi_index", "5"));
    EXPECT_EQ(QueryFile(folder.DbPath("a"), "SELECT value FROM t_configdata WHERE key = 'dpi_index'")[0][0], "3");
    EXPECT_EQ(QueryFile(folder.DbPath("b"), "SELECT value FROM t_configdata WHERE key = 'dpi_index'")[0][0], "5");

    store.CloseDatabase();
    EXPECT_FALSE(store.IsOpened());
    store.SetDataFolder(folder.Folder());
    ASSERT_TRUE(store.OpenDatabase("a"));
    std::string value;
    EXPECT_TRUE(store.GetConfigValue(1, "dpi_index", value));
    EXPECT_EQ(value, "3");
}

TEST(ConfigStoreOpen, NonAsciiModelKeyNamesTheFile) {
    TempDataFolder folder;
    ConfigStore store;
    const std::string key = "鼠标_Maus_ü";
    ASSERT_TRUE(store.OpenDatabase(folder.Folder(), key));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder.DbPath(key))));
    const int profile = store.AddProfile(ProfileRecord{0, "配置 1", "", 0, 0});
    const int macro = store.CreateMacro("宏 «Ä»");
    store.CloseDatabase();

    ConfigStore again;
    ASSERT_TRUE(again.OpenDatabase(folder.Folder(), key));
    std::string name;
    EXPECT_TRUE(again.GetProfileName(profile, name));
    EXPECT_EQ(name, "配置 1");
    MacroData data;
    ASSERT_TRUE(again.GetMacro(macro, data));
    EXPECT_EQ(data.name, "宏 «Ä»");
}

// ---- failure: every operation reports it ----------------------------------

// Runs every operation and expects each to report failure, with the outputs emptied.
void ExpectEveryOperationFails(ConfigStore& store) {
    std::string text = "stale";
    EXPECT_FALSE(store.GetConfigValue(1, "dpi_index", text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(store.SetConfigValue(1, "dpi_index", "2"));
    EXPECT_EQ(store.AddProfile(ProfileRecord{0, "x", "", 0, 0}), 0);
    EXPECT_FALSE(store.RenameProfile(1, "x"));
    text = "stale";
    EXPECT_FALSE(store.GetProfileName(1, text));
    EXPECT_EQ(text, "");
    std::vector<ProfileRecord> profiles(2);
    EXPECT_EQ(store.GetProfiles(profiles), 0);
    EXPECT_TRUE(profiles.empty());
    EXPECT_FALSE(store.SetActiveProfile(1));
    EXPECT_EQ(store.GetActiveProfile(), 0);

    KeyAssignment key;
    key.profile = 1;
    key.key_code = 3;
    key.macro_value = 7;
    EXPECT_EQ(store.SaveKeyAssignment(key), 0);
    EXPECT_FALSE(store.GetKeyAssignment(1, 0, 3, key));
    EXPECT_FALSE(store.SetKeyDescription(1, 0, 3, "x"));
    std::vector<KeyAssignment> keys(1);
    EXPECT_EQ(store.GetKeyAssignments(1, 0, keys), 0);
    EXPECT_TRUE(keys.empty());
    EXPECT_FALSE(store.DeleteKeyAssignments(1));

    LightRecord light;
    light.profile = 1;
    EXPECT_EQ(store.CountLights(1), 0);
    EXPECT_EQ(store.AddLight(light), 0);
    EXPECT_FALSE(store.UpdateLight(1, light));
    EXPECT_FALSE(store.SetActiveLight(1, 1));
    EXPECT_EQ(store.GetActiveLightMode(1), 0);
    EXPECT_FALSE(store.GetLight(1, 1, light));
    std::vector<LightRecord> lights(1);
    EXPECT_EQ(store.GetLights(1, lights), 0);
    EXPECT_TRUE(lights.empty());

    MacroData macro;
    EXPECT_EQ(store.CreateMacro("m"), 0);
    EXPECT_EQ(store.AddMacro(macro), 0);
    EXPECT_FALSE(store.SetMacroName(1, "m"));
    EXPECT_FALSE(store.UpdateMacro(1, macro));
    EXPECT_FALSE(store.RemoveMacro(1));
    EXPECT_FALSE(store.GetMacro(1, macro));
    std::vector<MacroData> macros(1);
    EXPECT_EQ(store.GetMacros(macros), 0);
    EXPECT_TRUE(macros.empty());
    EXPECT_EQ(store.AddMacroRecord(MacroRecord{}), 0);
    store.AddMacroRecords(std::vector<MacroRecord>(3));
    std::vector<MacroRecord> records(1);
    EXPECT_EQ(store.GetMacroRecords(1, records), 0);
    EXPECT_TRUE(records.empty());
    EXPECT_FALSE(store.DeleteMacroRecords(1));

    store.InsertDefaultConfig(1);
    store.EnsureDefaultLights(1, {true, true, true, true, true, true});
    EXPECT_EQ(store.CountLights(1), 0);
}

TEST(ConfigStoreFailure, NoDatabaseOpen) {
    ConfigStore store;
    EXPECT_FALSE(store.IsOpened());
    ExpectEveryOperationFails(store);
}

TEST(ConfigStoreFailure, FileThatIsNotADatabase) {
    TempDataFolder folder;
    std::string noise(4096, '\0');
    std::mt19937 random(7);
    for (char& c : noise) c = static_cast<char>(random());
    folder.WriteFile("db/noise_data1.db", noise);

    ConfigStore store;
    EXPECT_FALSE(store.OpenDatabase(folder.Folder(), "noise"));
    EXPECT_FALSE(store.IsOpened());
    ExpectEveryOperationFails(store);
    EXPECT_EQ(ReadWholeFile(folder.DbPath("noise")), noise);
}

TEST(ConfigStoreFailure, EmptyExistingFileHasNoTables) {
    TempDataFolder folder;
    folder.WriteFile("db/empty_data1.db", "");
    ConfigStore store;
    EXPECT_TRUE(store.OpenDatabase(folder.Folder(), "empty"));  // an empty file is a valid, empty database
    ExpectEveryOperationFails(store);
}

TEST(ConfigStoreFailure, DatabaseThatCannotBeCreated) {
    // Root can write through any file mode, so an unwritable place is a folder that does not exist.
    TempDataFolder folder;
    ConfigStore store;
    EXPECT_FALSE(store.OpenDatabase(folder.Folder() + "missing/", "corvatt_v1"));
    EXPECT_FALSE(store.IsOpened());
    ExpectEveryOperationFails(store);
}

TEST(ConfigStoreFailure, DatabasePathThatIsAFolder) {
    TempDataFolder folder;
    std::filesystem::create_directories(folder.DbPath("taken"));
    ConfigStore store;
    std::string without_slash = folder.Folder();
    without_slash.pop_back();
    EXPECT_FALSE(store.OpenDatabase(without_slash, "taken"));
    EXPECT_EQ(store.Path(), folder.DbPath("taken"));
    ExpectEveryOperationFails(store);
}

KeyAssignment MakeKey(int profile, int key_code, int value, int value2);

TEST_F(ConfigStoreTest, DatabaseLockedByAnotherWriterRefusesChangesAndKeepsData) {
    const int profile = m_store.AddProfile(ProfileRecord{0, "kept", "", 0, 0});
    ASSERT_EQ(profile, 1);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(DbPath().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    // Every change fails at once; what is stored can still be read.
    EXPECT_FALSE(m_store.SetConfigValue(1, "dpi_index", "2"));
    EXPECT_EQ(m_store.AddProfile(ProfileRecord{0, "x", "", 0, 0}), 0);
    EXPECT_FALSE(m_store.RenameProfile(1, "x"));
    EXPECT_FALSE(m_store.SetActiveProfile(1));
    EXPECT_EQ(m_store.SaveKeyAssignment(MakeKey(1, 3, 1, 7)), 0);
    EXPECT_EQ(m_store.CreateMacro("x"), 0);
    std::string value;
    EXPECT_TRUE(m_store.GetConfigValue(1, "dpi_index", value));
    EXPECT_EQ(value, "1");
    sqlite3_exec(other, "END", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    std::string name;
    EXPECT_TRUE(m_store.GetProfileName(1, name));
    EXPECT_EQ(name, "kept");
    EXPECT_EQ(CountRows(DbPath(), "t_profile_data"), 1);
    EXPECT_EQ(CountRows(DbPath(), "t_configdata"), 39);
    EXPECT_EQ(CountRows(DbPath(), "t_key_macro_data"), 0);
    EXPECT_TRUE(m_store.SetConfigValue(1, "dpi_index", "2"));
}

// ---- settings -------------------------------------------------------------

TEST_F(ConfigStoreTest, SettingWithoutARowIsNeitherWrittenNorRead) {
    const int profile = m_store.AddProfile(ProfileRecord{});
    EXPECT_TRUE(m_store.SetConfigValue(profile, "no_such_key", "1"));
    EXPECT_TRUE(m_store.SetConfigValue(profile + 1, "dpi_index", "1"));
    EXPECT_EQ(CountRows(DbPath(), "t_configdata"), 39);
    std::string value = "stale";
    EXPECT_FALSE(m_store.GetConfigValue(profile, "no_such_key", value));
    EXPECT_EQ(value, "");

    EXPECT_TRUE(m_store.SetConfigValue(profile, "dpi_index", "4"));
    EXPECT_TRUE(m_store.GetConfigValue(profile, "dpi_index", value));
    EXPECT_EQ(value, "4");
    EXPECT_TRUE(m_store.SetConfigValue(profile, "dpi_index", ""));
    EXPECT_TRUE(m_store.GetConfigValue(profile, "dpi_index", value));
    EXPECT_EQ(value, "");
}

// ---- profiles -------------------------------------------------------------

TEST_F(ConfigStoreTest, ProfilesAreAddedRenamedListedAndActivated) {
    EXPECT_EQ(m_store.GetActiveProfile(), 0);
    ProfileRecord record;
    record.name = "Profile 1";
    record.app = "app.exe";
    record.status = 1;  // ignored: new profiles are inactive
    record.type = 9;    // ignored: written as 0
    EXPECT_EQ(m_store.AddProfile(record), 1);
    record.name = "Zweites Profil";
    EXPECT_EQ(m_store.AddProfile(record), 2);
    EXPECT_EQ(m_store.GetActiveProfile(), 0);

    EXPECT_TRUE(m_store.RenameProfile(2, "Дорога"));
    std::vector<ProfileRecord> list(5);
    ASSERT_EQ(m_store.GetProfiles(list), 2);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].profile, 1);
    EXPECT_EQ(list[0].name, "Profile 1");
    EXPECT_EQ(list[0].app, "app.exe");
    EXPECT_EQ(list[0].type, 0);
    EXPECT_EQ(list[0].status, 0);
    EXPECT_EQ(list[1].name, "Дорога");

    EXPECT_TRUE(m_store.SetActiveProfile(2));
    EXPECT_EQ(m_store.GetActiveProfile(), 2);
    EXPECT_TRUE(m_store.SetActiveProfile(1));
    EXPECT_EQ(m_store.GetActiveProfile(), 1);
    EXPECT_EQ(CountRows(DbPath(), "t_profile_data WHERE status = 1"), 1);
    // A number that does not exist leaves no profile active.
    EXPECT_TRUE(m_store.SetActiveProfile(7));
    EXPECT_EQ(m_store.GetActiveProfile(), 0);
    EXPECT_EQ(CountRows(DbPath(), "t_profile_data WHERE status = 1"), 0);

    std::string name = "stale";
    EXPECT_FALSE(m_store.GetProfileName(9, name));
    EXPECT_EQ(name, "");
}

// ---- button assignments ---------------------------------------------------

KeyAssignment MakeKey(int profile, int key_code, int value, int value2) {
    KeyAssignment key;
    key.profile = profile;
    key.key_code = key_code;
    key.layout_value = key_code + 100;
    key.layout_desc = "Seitentaste";
    key.macro_type = 4;
    key.macro_value = value;
    key.macro_value2 = value2;
    key.macro_value3 = 11;
    key.macro_desc = "宏 1";
    return key;
}

TEST_F(ConfigStoreTest, SavingAButtonReplacesItsRow) {
    const int first = m_store.SaveKeyAssignment(MakeKey(1, 5, 3, 0));
    EXPECT_GT(first, 0);
    const int second = m_store.SaveKeyAssignment(MakeKey(1, 5, 8, 2));
    EXPECT_GT(second, first);
    EXPECT_EQ(CountRows(DbPath(), "t_key_macro_data"), 1);

    KeyAssignment read;
    ASSERT_TRUE(m_store.GetKeyAssignment(1, 0, 5, read));
    EXPECT_EQ(read.key_id, second);
    EXPECT_EQ(read.profile, 1);
    EXPECT_EQ(read.fn_layer, 0);
    EXPECT_EQ(read.key_code, 5);
    EXPECT_EQ(read.layout_value, 105);
    EXPECT_EQ(read.layout_desc, "Seitentaste");
    EXPECT_EQ(read.macro_type, 4);
    EXPECT_EQ(read.macro_value, 8);
    EXPECT_EQ(read.macro_value2, 2);
    EXPECT_EQ(read.macro_value3, 11);
    EXPECT_EQ(read.macro_desc, "宏 1");

    EXPECT_TRUE(m_store.SetKeyDescription(1, 0, 5, "Neu"));
    ASSERT_TRUE(m_store.GetKeyAssignment(1, 0, 5, read));
    EXPECT_EQ(read.macro_desc, "Neu");

    // Both function values 0: the default, stored as no row at all.
    EXPECT_EQ(m_store.SaveKeyAssignment(MakeKey(1, 5, 0, 0)), 0);
    EXPECT_FALSE(m_store.GetKeyAssignment(1, 0, 5, read));
    EXPECT_EQ(CountRows(DbPath(), "t_key_macro_data"), 0);
}

TEST_F(ConfigStoreTest, ButtonListsAreReadPerProfileAndDeletedPerProfile) {
    m_store.SaveKeyAssignment(MakeKey(1, 1, 1, 0));
    m_store.SaveKeyAssignment(MakeKey(1, 2, 0, 1));
    m_store.SaveKeyAssignment(MakeKey(2, 1, 1, 0));

    std::vector<KeyAssignment> list(4);
    EXPECT_EQ(m_store.GetKeyAssignments(1, 0, list), 2);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].key_code, 2);
    EXPECT_EQ(m_store.GetKeyAssignments(2, 0, list), 1);
    EXPECT_EQ(list.size(), 1u);

    EXPECT_TRUE(m_store.DeleteKeyAssignments(1));
    EXPECT_EQ(m_store.GetKeyAssignments(1, 0, list), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(m_store.GetKeyAssignments(2, 0, list), 1);
}

// ---- lighting -------------------------------------------------------------

LightRecord MakeLight(int profile, int mode) {
    LightRecord light;
    light.profile = profile;
    light.name = "呼吸";
    light.mode = mode;
    light.brightness = 1;
    light.speed = 2;
    light.direction = 3;
    light.colorful = 4;
    light.colorindex = 5;
    for (int i = 0; i < 7; ++i) light.SetColorValue(i, 1000 + i);
    light.config_func = 2067;
    light.reserved = 281;
    light.status = 0;
    return light;
}

TEST_F(ConfigStoreTest, LightRowsRoundTripAndUpdateKeepsNameModeAndStatus) {
    const int id = m_store.AddLight(MakeLight(1, 2));
    EXPECT_GT(id, 0);
    m_store.AddLight(MakeLight(1, 3));
    m_store.AddLight(MakeLight(2, 2));
    EXPECT_EQ(m_store.CountLights(1), 2);
    EXPECT_EQ(m_store.CountLights(3), 0);

    LightRecord changed = MakeLight(1, 9);
    changed.name = "other";
    changed.status = 1;
    changed.brightness = 10;
    changed.speed = 20;
    changed.direction = 30;
    changed.colorful = 40;
    changed.colorindex = 50;
    for (int i = 0; i < 7; ++i) changed.SetColorValue(i, 2000 + i);
    changed.config_func = 3;
    changed.reserved = 282;
    EXPECT_TRUE(m_store.UpdateLight(2, changed));

    LightRecord read;
    ASSERT_TRUE(m_store.GetLight(1, 2, read));
    EXPECT_EQ(read.light_id, id);
    EXPECT_EQ(read.profile, 1);
    EXPECT_EQ(read.name, "呼吸");
    EXPECT_EQ(read.mode, 2);
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(read.brightness, 10);
    EXPECT_EQ(read.speed, 20);
    EXPECT_EQ(read.direction, 30);
    EXPECT_EQ(read.colorful, 40);
    EXPECT_EQ(read.colorindex, 50);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(read.ColorValue(i), 2000 + i) << i;
    EXPECT_EQ(read.config_func, 3);
    EXPECT_EQ(read.reserved, 282);
    // Profile 2's mode 2 is untouched.
    ASSERT_TRUE(m_store.GetLight(2, 2, read));
    EXPECT_EQ(read.brightness, 1);
    EXPECT_EQ(read.ColorValue(6), 1006);
    EXPECT_FALSE(m_store.GetLight(1, 9, read));

    std::vector<LightRecord> list(3);
    EXPECT_EQ(m_store.GetLights(1, list), 2);
    EXPECT_EQ(list.size(), 2u);
}

TEST_F(ConfigStoreTest, ExactlyOneActiveLightPerProfile) {
    m_store.AddLight(MakeLight(1, 1));
    m_store.AddLight(MakeLight(1, 2));
    m_store.AddLight(MakeLight(2, 1));
    EXPECT_EQ(m_store.GetActiveLightMode(1), 0);
    EXPECT_TRUE(m_store.SetActiveLight(1, 2));
    EXPECT_TRUE(m_store.SetActiveLight(2, 1));
    EXPECT_EQ(m_store.GetActiveLightMode(1), 2);
    EXPECT_TRUE(m_store.SetActiveLight(1, 1));
    EXPECT_EQ(m_store.GetActiveLightMode(1), 1);
    EXPECT_EQ(CountRows(DbPath(), "t_light_data WHERE status = 1"), 2);
    EXPECT_TRUE(m_store.SetActiveLight(1, 5));
    EXPECT_EQ(m_store.GetActiveLightMode(1), 0);
    EXPECT_EQ(m_store.GetActiveLightMode(2), 1);
}

// ---- macros ---------------------------------------------------------------

MacroRecord MakeEvent(int macro, int index, int value) {
    MacroRecord event;
    event.macro_id = macro;
    event.type = 2;
    event.record_index = index;
    event.value = value;
    event.delay_time = index * 10;
    event.desc = "按下 A";
    return event;
}

TEST_F(ConfigStoreTest, MacroRowsAreCreatedUpdatedAndListed) {
    const int created = m_store.CreateMacro("Makro Ä");
    ASSERT_GT(created, 0);
    MacroData read;
    ASSERT_TRUE(m_store.GetMacro(created, read));
    EXPECT_EQ(read.macro_id, created);
    EXPECT_EQ(read.name, "Makro Ä");
    EXPECT_EQ(read.play_type, 0);
    EXPECT_EQ(read.play_times, 1);
    EXPECT_EQ(read.delay_type, 1);
    EXPECT_EQ(read.delay_time, 0);

    MacroData data{999, "连发", 2, 5, 0, 30};
    const int added = m_store.AddMacro(data);
    EXPECT_EQ(added, created + 1);
    // The id argument selects the row, not the record's macro_id.
    data.name = "renamed";
    data.play_times = 9;
    EXPECT_TRUE(m_store.UpdateMacro(created, data));
    ASSERT_TRUE(m_store.GetMacro(created, read));
    EXPECT_EQ(read.name, "renamed");
    EXPECT_EQ(read.play_type, 2);
    EXPECT_EQ(read.play_times, 9);
    EXPECT_EQ(read.delay_type, 0);
    EXPECT_EQ(read.delay_time, 30);
    EXPECT_TRUE(m_store.SetMacroName(added, "zwei"));

    std::vector<MacroData> list(7);
    ASSERT_EQ(m_store.GetMacros(list), 2);
    EXPECT_EQ(list[1].name, "zwei");
    EXPECT_EQ(list[1].play_times, 5);
    EXPECT_FALSE(m_store.GetMacro(999, read));
}

TEST_F(ConfigStoreTest, MacroEventsComeBackInIndexOrderAndGoWithTheirMacro) {
    const int macro = m_store.CreateMacro("m");
    const int other = m_store.CreateMacro("n");
    EXPECT_GT(m_store.AddMacroRecord(MakeEvent(macro, 3, 30)), 0);
    m_store.AddMacroRecords({MakeEvent(macro, 1, 10), MakeEvent(macro, 4, 40), MakeEvent(macro, 0, 0),
                             MakeEvent(other, 0, 99)});
    m_store.AddMacroRecord(MakeEvent(macro, 2, 20));

    std::vector<MacroRecord> events(3);
    ASSERT_EQ(m_store.GetMacroRecords(macro, events), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(events[i].record_index, i);
        EXPECT_EQ(events[i].value, i * 10);
        EXPECT_EQ(events[i].delay_time, i * 10);
        EXPECT_EQ(events[i].type, 2);
        EXPECT_EQ(events[i].macro_id, macro);
        EXPECT_EQ(events[i].desc, "按下 A");
    }

    EXPECT_TRUE(m_store.RemoveMacro(macro));
    MacroData gone;
    EXPECT_FALSE(m_store.GetMacro(macro, gone));
    EXPECT_EQ(m_store.GetMacroRecords(macro, events), 0);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(m_store.GetMacroRecords(other, events), 1);

    EXPECT_TRUE(m_store.DeleteMacroRecords(other));
    EXPECT_EQ(m_store.GetMacroRecords(other, events), 0);
}

TEST_F(ConfigStoreTest, MacroEventListKeepsGoingPastAFailingEvent) {
    const int macro = m_store.CreateMacro("m");
    // A trigger makes the event with value 2 fail on its own; the others are stored.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(DbPath().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other,
                           "CREATE TRIGGER refuse BEFORE INSERT ON t_macrorecord WHEN NEW.value = 2 "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(other);
    m_store.AddMacroRecords({MakeEvent(macro, 0, 1), MakeEvent(macro, 1, 2), MakeEvent(macro, 2, 3)});
    std::vector<MacroRecord> read;
    ASSERT_EQ(m_store.GetMacroRecords(macro, read), 2);
    EXPECT_EQ(read[0].value, 1);
    EXPECT_EQ(read[1].value, 3);
}

TEST_F(ConfigStoreTest, ChangeThatCannotBeMadeIsReportedAndLeavesNoTransactionOpen) {
    const int macro = m_store.CreateMacro("m");
    ASSERT_GT(m_store.AddProfile(ProfileRecord{}), 0);
    // Another writer holds the file: the multi-statement changes must fail as a whole.
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open(DbPath().c_str(), &reader), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(reader, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(m_store.SaveKeyAssignment(MakeKey(1, 5, 3, 0)), 0);
    EXPECT_FALSE(m_store.SetActiveProfile(1));
    m_store.AddMacroRecords({MakeEvent(macro, 0, 1), MakeEvent(macro, 1, 2)});
    sqlite3_exec(reader, "END", nullptr, nullptr, nullptr);
    sqlite3_close(reader);

    std::vector<MacroRecord> events;
    EXPECT_EQ(m_store.GetMacroRecords(macro, events), 0);
    KeyAssignment key;
    EXPECT_FALSE(m_store.GetKeyAssignment(1, 0, 5, key));
    // The next change is committed and visible to other connections at once.
    EXPECT_TRUE(m_store.SetConfigValue(1, "dpi_index", "4"));
    EXPECT_EQ(QueryFile(DbPath(), "SELECT value FROM t_configdata WHERE key = 'dpi_index'")[0][0], "4");
}

}  // namespace
}  // namespace corvatt
