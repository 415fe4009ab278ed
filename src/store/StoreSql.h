#pragma once

// SQL texts of the settings store, byte for byte as the database has always used them.

namespace corvatt::sql {

// Schema, in the order a new database runs it.
inline constexpr const char* kSchema[] = {
    "CREATE TABLE IF NOT EXISTS t_configdata(config_id INTEGER PRIMARY KEY AUTOINCREMENT, \t\t\t\t\t\t\t\t  profile INTEGER, key TEXT, value TEXT)",
    "CREATE TABLE IF NOT EXISTS t_profile_data(profile INTEGER PRIMARY KEY AUTOINCREMENT, \t\t\t\t\t\t\t\t  name TEXT, status INTEGER, app TEXT, type INTEGER)",
    "CREATE INDEX IF NOT EXISTS profileindex ON t_profile_data(profile)",
    "CREATE TABLE IF NOT EXISTS t_key_macro_data(key_id INTEGER PRIMARY KEY AUTOINCREMENT, \t\t\t\t\t\t\t\tprofile INTEGER, fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, layout_desc TEXT, \t\t\t\t\t\t\t\tmacro_type INTEGER, macro_value INTEGER, macro_value2 INTEGER, macro_value3 INTEGER, macro_desc TEXT)",
    "CREATE INDEX IF NOT EXISTS keyindex ON t_key_macro_data(key_id)",
    "CREATE TABLE IF NOT EXISTS t_key_otherdata(macro_value INTEGER PRIMARY KEY AUTOINCREMENT, \t\t\t\t\t\t\t\t  macro_desc TEXT, param TEXT, type INTEGER)",
    "CREATE INDEX IF NOT EXISTS otheridindex ON t_key_otherdata(macro_value)",
    "CREATE TABLE IF NOT EXISTS t_macro_data(macro_id INTEGER PRIMARY KEY AUTOINCREMENT, \t\t\t\t\t\t\t\t   name TEXT, play_type INTEGER, play_times INTEGER, delay_type INTEGER, delay_time INTEGER)",
    "CREATE INDEX IF NOT EXISTS macroidindex ON t_macro_data(macro_id)",
    "CREATE TABLE IF NOT EXISTS t_macrorecord(record_id INTEGER PRIMARY KEY AUTOINCREMENT, \t\t\t\t\t\t\t\t  macro_id INTEGER, type INTEGER, record_index INTEGER, desc TEXT, value INTEGER, delay_time INTEGER)",
    "CREATE INDEX IF NOT EXISTS macrorecordindex ON t_macrorecord(record_id)",
    "CREATE TABLE IF NOT EXISTS t_light_data(light_id INTEGER PRIMARY KEY AUTOINCREMENT, \t\t\t\t\t\t\t\t\t\t  profile INTEGER, name TEXT, mode INTEGER, brightness INTEGER, speed INTEGER, \t\t\t\t\t\t\t\t\t\tdirection INTEGER, colorful INTEGER, colorindex INTEGER, \t\t\t\t\t\t\t\t\t\tcolor_value1 INTEGER, color_value2 INTEGER, color_value3 INTEGER, color_value4 INTEGER,\t\t\t\t\t\t\t\t\t\tcolor_value5 INTEGER, color_value6 INTEGER, color_value7 INTEGER,\t\t\t\t\t\t\t\t\t\tconfig_func INTEGER, reserved INTEGER, status INTEGER)",
    "CREATE INDEX IF NOT EXISTS lightindex ON t_light_data(light_id)",
    "CREATE TABLE IF NOT EXISTS t_key_light_data(keylight_id INTEGER PRIMARY KEY AUTOINCREMENT, \t\t\t\t\t\t\t\t   profile INTEGER, light_id INTEGER, key_code INTEGER, key_rgb INTEGER)",
    "CREATE INDEX IF NOT EXISTS keylightindex ON t_key_light_data(keylight_id)",
};

inline constexpr const char kGetConfigValue[] =
    "SELECT value FROM t_configdata WHERE profile = ? and key = ?";
inline constexpr const char kSetConfigValue[] =
    "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?";
inline constexpr const char kAddProfile[] =
    "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);";
inline constexpr const char kRenameProfile[] =
    "UPDATE t_profile_data SET name = ? WHERE profile = ?";
inline constexpr const char kGetProfileName[] =
    "SELECT name FROM t_profile_data WHERE profile = ?";
inline constexpr const char kGetProfiles[] =
    "SELECT * FROM t_profile_data";
inline constexpr const char kClearActiveProfile[] =
    "UPDATE t_profile_data SET status = ?";
inline constexpr const char kSetActiveProfile[] =
    "UPDATE t_profile_data SET status = ? WHERE profile = ?";
inline constexpr const char kGetActiveProfile[] =
    "SELECT profile FROM t_profile_data WHERE status = ?";
inline constexpr const char kDeleteKeyAssignment[] =
    "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?";
inline constexpr const char kInsertKeyAssignment[] =
    "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, layout_desc,                     macro_type, macro_value, macro_value2, macro_value3, macro_desc) \t\t\t\t\t VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);";
inline constexpr const char kGetKeyAssignment[] =
    "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?";
inline constexpr const char kSetKeyDescription[] =
    "UPDATE t_key_macro_data SET macro_desc = ? WHERE profile = ? and fn_layer = ? and key_code = ?";
inline constexpr const char kGetKeyAssignments[] =
    "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?";
inline constexpr const char kDeleteKeyAssignments[] =
    "DELETE FROM t_key_macro_data WHERE profile = ?";
inline constexpr const char kCountLights[] =
    "select count(*) FROM t_light_data WHERE profile = ?";
inline constexpr const char kAddLight[] =
    "INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, colorful, colorindex,\t\t\t\t\tcolor_value1, color_value2, color_value3, color_value4, color_value5, color_value6, color_value7, config_func, reserved, status)\t\t\t\t\t VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);";
inline constexpr const char kUpdateLight[] =
    "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, colorful = ?, colorindex = ?,\t\t\t color_value1 = ?, color_value2 = ?, color_value3 = ?, color_value4 = ?, color_value5 = ?, color_value6 = ?, color_value7 = ?,\t\t\t\tconfig_func = ?, reserved = ? WHERE profile = ? AND mode = ?";
inline constexpr const char kClearActiveLight[] =
    "UPDATE t_light_data SET status = ? WHERE profile = ?";
inline constexpr const char kSetActiveLight[] =
    "UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?";
inline constexpr const char kGetActiveLightMode[] =
    "SELECT mode FROM t_light_data WHERE profile = ? and status = ?";
inline constexpr const char kGetLight[] =
    "SELECT * FROM t_light_data WHERE profile = ? AND mode = ?";
inline constexpr const char kGetLights[] =
    "SELECT * FROM t_light_data WHERE profile = ?";
inline constexpr const char kAddMacro[] =
    "INSERT INTO t_macro_data(name, play_type, play_times, delay_type, delay_time) VALUES (?, ?, ?, ?, ?);";
inline constexpr const char kSetMacroName[] =
    "UPDATE t_macro_data SET name = ? WHERE macro_id = ?";
inline constexpr const char kUpdateMacro[] =
    "UPDATE t_macro_data SET name = ?, play_type = ?, play_times = ?, delay_type = ?,delay_time = ? WHERE macro_id = ?";
inline constexpr const char kRemoveMacro[] =
    "DELETE FROM t_macro_data WHERE macro_id = ?";
inline constexpr const char kDeleteMacroRecords[] =
    "DELETE FROM t_macrorecord WHERE macro_id = ?";
inline constexpr const char kGetMacro[] =
    "SELECT * FROM t_macro_data WHERE macro_id = ?";
inline constexpr const char kGetMacros[] =
    "SELECT * FROM t_macro_data";
inline constexpr const char kAddMacroRecord[] =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) \t\t\t\t\t VALUES (?, ?, ?, ?, ?, ?);";
inline constexpr const char kGetMacroRecords[] =
    "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC";
inline constexpr const char kInsertConfig[] =
    "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);";

}  // namespace corvatt::sql
