#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/ModelContext.h"
#include "store/SQLiteAutoTransaction.h"
#include "store/SQLiteDB.h"
#include "store/SQLiteStatement.h"
#include "store/StoreRecords.h"

namespace corvatt {

// The settings database of the current model. Every operation holds the store's
// recursive lock for its whole duration, so the UI thread and the worker may call
// it at the same time. Failures are results only: false, 0, "" or an empty list.
class ConfigStore {
public:
    // SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, and the same with SQLITE_OPEN_CREATE.
    static constexpr int kOpenExisting = 0x10002;
    static constexpr int kOpenCreate = 0x10006;

    // The process-wide store, built on first use.
    static ConfigStore& Instance();

    ConfigStore() = default;
    virtual ~ConfigStore();

    ConfigStore(const ConfigStore&) = delete;
    ConfigStore& operator=(const ConfigStore&) = delete;

    // Text crosses the database boundary as UTF-8; a null column reads as "".
    static const std::string& ToUtf8(const std::string& text) { return text; }
    static std::string FromUtf8(const char* text) { return text != nullptr ? std::string(text) : std::string(); }

    // The data folder, with a trailing '/'; used by OpenDatabase(name).
    void SetDataFolder(const std::string& data_folder);
    std::string DataFolder() const;

    // Opens <data folder>db/<name>_data1.db; a missing file is created with the schema,
    // an existing one is opened as it is. Open on the same file: true at once; open on
    // another file: that one is closed first. A file that is not a database gives false.
    bool OpenDatabase(const std::string& data_folder, const std::string& name);
    bool OpenDatabase(const std::string& name);
    void CloseDatabase();
    bool IsOpened() const;
    // UTF-8 path of the file last opened or created.
    std::string Path() const;

    // Holds the store's lock, for callers that need several operations to be seen together.
    std::unique_lock<std::recursive_mutex> Lock() { return std::unique_lock<std::recursive_mutex>(m_lock); }

    // The fifteen schema statements, in the order they are run.
    static const std::vector<std::string>& SchemaStatements();

    // Settings (key/value). A key that has no row cannot be written and reads as missing.
    bool GetConfigValue(int profile, const std::string& key, std::string& value);
    bool SetConfigValue(int profile, const std::string& key, const std::string& value);

    // Profiles. AddProfile also inserts the new profile's default settings.
    int AddProfile(const ProfileRecord& record);
    bool RenameProfile(int profile, const std::string& name);
    bool GetProfileName(int profile, std::string& name);
    int GetProfiles(std::vector<ProfileRecord>& list);
    bool SetActiveProfile(int profile);
    int GetActiveProfile();

    // Button assignments. Reads and SetKeyDescription use layer 0 whatever `layer` says;
    // SaveKeyAssignment writes the record's fn_layer (callers pass 0).
    int SaveKeyAssignment(const KeyAssignment& record);
    bool GetKeyAssignment(int profile, int layer, int key_code, KeyAssignment& record);
    bool SetKeyDescription(int profile, int layer, int key_code, const std::string& text);
    int GetKeyAssignments(int profile, int layer, std::vector<KeyAssignment>& list);
    bool DeleteKeyAssignments(int profile);

    // Lighting.
    int CountLights(int profile);
    int AddLight(const LightRecord& record);
    bool UpdateLight(int mode, const LightRecord& record);
    bool SetActiveLight(int profile, int mode);
    int GetActiveLightMode(int profile);
    bool GetLight(int profile, int mode, LightRecord& record);
    int GetLights(int profile, std::vector<LightRecord>& list);

    // Macros, shared by all profiles.
    int CreateMacro(const std::string& name);
    int AddMacro(const MacroData& record);
    bool SetMacroName(int macro_id, const std::string& name);
    bool UpdateMacro(int macro_id, const MacroData& record);
    bool RemoveMacro(int macro_id);
    bool GetMacro(int macro_id, MacroData& record);
    int GetMacros(std::vector<MacroData>& list);
    int AddMacroRecord(const MacroRecord& record);
    void AddMacroRecords(const std::vector<MacroRecord>& records);
    int GetMacroRecords(int macro_id, std::vector<MacroRecord>& list);
    bool DeleteMacroRecords(int macro_id);

    // Defaults.
    // The thirty-nine settings rows of a new profile.
    void InsertDefaultConfig(int profile);
    // Writes the model's defaults from its description file into `profile`; with
    // `dpi_only` only the dpi_info part. Returns whether the description was read
    // (a missing one leaves the stored values as they are). The highest report-rate
    // code is not touched: it always comes from the device information.
    bool ApplyDeviceDefaults(int profile, const std::string& description_path, bool dpi_only);
    bool ApplyDeviceDefaults(const ModelContext& model, bool dpi_only);
    // Adds the default lighting rows of the enabled modes (light_1 .. light_6) when
    // the profile has none, then makes mode 1 active.
    void EnsureDefaultLights(int profile, const std::array<bool, 6>& light_enabled);
    // "#RRGGBB" (and shorter forms) to 0x00BBGGRR.
    static int32_t ParseColour(const std::string& text);

private:
    // A prepared statement for one operation, kept for the next call with the same SQL
    // text; rewound and unbound when the operation ends, so it holds no lock on the file.
    class StatementUse {
    public:
        struct Cached {
            SQLiteStatement statement;
            bool in_use = false;
        };

        StatementUse(ConfigStore& store, const char* sql);
        ~StatementUse();
        StatementUse(const StatementUse&) = delete;
        StatementUse& operator=(const StatementUse&) = delete;

        SQLiteStatement* operator->() { return m_statement; }
        SQLiteStatement& operator*() { return *m_statement; }

    private:
        Cached* m_cached = nullptr;  // not owned
        SQLiteStatement* m_statement = nullptr;
        SQLiteStatement m_own;  // when the cached one is already in use further up
    };

    // Groups the statements of one operation into one transaction (one journal cycle,
    // and all or nothing on a crash) unless one is already open.
    class OperationTransaction {
    public:
        explicit OperationTransaction(SQLiteDB& connection);
        ~OperationTransaction();
        // Ends the transaction; false when its changes could not be committed.
        bool Commit();
        OperationTransaction(const OperationTransaction&) = delete;
        OperationTransaction& operator=(const OperationTransaction&) = delete;

    private:
        std::unique_ptr<SQLiteAutoTransaction> m_transaction;
    };

    bool CreateDatabase();
    // Closes the connection after dropping the cached statements.
    bool CloseConnection();

    SQLiteDB m_connection;
    mutable std::recursive_mutex m_lock;
    std::string m_path;
    std::string m_data_folder;
    bool m_opened = false;
    std::unordered_map<const char*, std::unique_ptr<StatementUse::Cached>> m_statements;
};

}  // namespace corvatt
