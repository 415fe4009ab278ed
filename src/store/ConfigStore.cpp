#include "store/ConfigStore.h"

#include <sys/stat.h>

#include "store/SQLiteAutoTransaction.h"
#include "store/SQLiteStatement.h"
#include "store/StoreSql.h"

namespace corvatt {

namespace {

constexpr int kNotADatabase = 26;  // SQLITE_NOTADB

bool WriteSucceeded(int rc) {
    return rc == SQLiteDB::kOk || rc == SQLiteDB::kRow || rc == SQLiteDB::kDone;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

ProfileRecord ReadProfile(const SQLiteStatement& st) {
    ProfileRecord r;
    r.profile = st.GetInt(0);
    r.name = ConfigStore::FromUtf8(st.GetText(1));
    r.status = st.GetInt(2);
    r.app = ConfigStore::FromUtf8(st.GetText(3));
    r.type = st.GetInt(4);
    return r;
}

KeyAssignment ReadKeyAssignment(const SQLiteStatement& st) {
    KeyAssignment r;
    r.key_id = st.GetInt(0);
    r.profile = st.GetInt(1);
    r.fn_layer = st.GetInt(2);
    r.key_code = st.GetInt(3);
    r.layout_value = st.GetInt(4);
    r.layout_desc = ConfigStore::FromUtf8(st.GetText(5));
    r.macro_type = st.GetInt(6);
    r.macro_value = st.GetInt(7);
    r.macro_value2 = st.GetInt(8);
    r.macro_value3 = st.GetInt(9);
    r.macro_desc = ConfigStore::FromUtf8(st.GetText(10));
    return r;
}

LightRecord ReadLight(const SQLiteStatement& st) {
    LightRecord r;
    r.light_id = st.GetInt(0);
    r.profile = st.GetInt(1);
    r.name = ConfigStore::FromUtf8(st.GetText(2));
    r.mode = st.GetInt(3);
    r.brightness = st.GetInt(4);
    r.speed = st.GetInt(5);
    r.direction = st.GetInt(6);
    r.colorful = st.GetInt(7);
    r.colorindex = st.GetInt(8);
    for (int i = 0; i < 7; ++i) r.SetColorValue(i, st.GetInt(9 + i));
    r.config_func = st.GetInt(16);
    r.reserved = st.GetInt(17);
    r.status = st.GetInt(18);
    return r;
}

MacroData ReadMacro(const SQLiteStatement& st) {
    MacroData r;
    r.macro_id = st.GetInt(0);
    r.name = ConfigStore::FromUtf8(st.GetText(1));
    r.play_type = st.GetInt(2);
    r.play_times = st.GetInt(3);
    r.delay_type = st.GetInt(4);
    r.delay_time = st.GetInt(5);
    return r;
}

// Columns: record_id, macro_id, type, record_index, desc, value, delay_time.
MacroRecord ReadMacroRecord(const SQLiteStatement& st) {
    MacroRecord r;
    r.record_id = st.GetInt(0);
    r.macro_id = st.GetInt(1);
    r.type = st.GetInt(2);
    r.record_index = st.GetInt(3);
    r.desc = ConfigStore::FromUtf8(st.GetText(4));
    r.value = st.GetInt(5);
    r.delay_time = st.GetInt(6);
    return r;
}

template <typename Record, typename Reader>
int ReadList(SQLiteStatement& st, std::vector<Record>& list, Reader read) {
    list.clear();
    while (st.Step() == SQLiteDB::kRow) list.push_back(read(st));
    return static_cast<int>(list.size());
}

}  // namespace

ConfigStore& ConfigStore::Instance() {
    static ConfigStore store;
    return store;
}

ConfigStore::StatementUse::StatementUse(ConfigStore& store, const char* sql) {
    auto& slot = store.m_statements[sql];
    if (!slot) slot = std::make_unique<Cached>();
    if (slot->in_use) {
        store.m_connection.Prepare(m_own, sql);
        m_statement = &m_own;
        return;
    }
    if (!slot->statement.IsPrepared()) store.m_connection.Prepare(slot->statement, sql);
    m_cached = slot.get();
    m_cached->in_use = true;
    m_statement = &m_cached->statement;
}

ConfigStore::StatementUse::~StatementUse() {
    if (m_cached == nullptr) return;
    m_cached->statement.Reset();
    m_cached->statement.ClearBindings();
    m_cached->in_use = false;
}

ConfigStore::OperationTransaction::OperationTransaction(SQLiteDB& connection) {
    if (connection.IsOpen() && !connection.InTransaction()) {
        m_transaction = std::make_unique<SQLiteAutoTransaction>(&connection);
    }
}

ConfigStore::OperationTransaction::~OperationTransaction() = default;

bool ConfigStore::OperationTransaction::Commit() {
    if (!m_transaction) return true;
    const bool committed = m_transaction->Commit();
    m_transaction.reset();
    return committed;
}

bool ConfigStore::CloseConnection() {
    m_statements.clear();
    return m_connection.Close();
}

ConfigStore::~ConfigStore() {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    CloseDatabase();
}

void ConfigStore::SetDataFolder(const std::string& data_folder) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    m_data_folder = data_folder;
    if (!m_data_folder.empty() && m_data_folder.back() != '/') m_data_folder += '/';
}

std::string ConfigStore::DataFolder() const {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    return m_data_folder;
}

bool ConfigStore::IsOpened() const {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    return m_opened;
}

std::string ConfigStore::Path() const {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    return m_path;
}

const std::vector<std::string>& ConfigStore::SchemaStatements() {
    static const std::vector<std::string> statements(std::begin(sql::kSchema), std::end(sql::kSchema));
    return statements;
}

bool ConfigStore::OpenDatabase(const std::string& name) {
    return OpenDatabase(DataFolder(), name);
}

bool ConfigStore::OpenDatabase(const std::string& data_folder, const std::string& name) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    std::string folder = data_folder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    const std::string path = folder + "db/" + name + "_data1.db";

    // A connection still open on another model's file is switched over, so that
    // one model's settings are never written into another's database.
    if (m_connection.IsOpen() && path != m_path) {
        m_opened = false;
        if (!CloseConnection()) {
            m_path = path;
            return false;
        }
    }
    m_path = path;

    bool result = false;
    if (FileExists(m_path)) {
        if (m_connection.IsOpen()) {
            result = true;
        } else if (m_connection.Open(m_path.c_str(), kOpenExisting)) {
            // SQLite reads the file lazily: make sure it is a database at all.
            SQLiteStatement probe;
            int rc = m_connection.Prepare(probe, "SELECT count(*) FROM sqlite_master");
            if (rc == SQLiteDB::kOk) rc = probe.Step();
            probe.Finalize();
            if (rc == kNotADatabase) {
                CloseConnection();
            } else {
                result = true;
            }
        }
    } else {
        result = CreateDatabase();
    }
    m_opened = result;
    return result;
}

bool ConfigStore::CreateDatabase() {
    if (m_connection.IsOpen()) return true;
    const std::vector<std::string>& schema = SchemaStatements();
    if (!m_connection.Open(m_path.c_str(), kOpenCreate)) return false;
    int combined = 0;
    for (const std::string& statement : schema) combined |= m_connection.Execute(statement.c_str());
    return combined == 0;
}

void ConfigStore::CloseDatabase() {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    if (m_opened) {
        CloseConnection();
        m_opened = false;
    }
}

// ---- settings -------------------------------------------------------------

bool ConfigStore::GetConfigValue(int profile, const std::string& key, std::string& value) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    value.clear();
    StatementUse st(*this, sql::kGetConfigValue);
    st->BindInt(1, profile);
    st->BindText(2, ToUtf8(key));
    if (st->Step() != SQLiteDB::kRow) return false;
    value = FromUtf8(st->GetText(0));
    return true;
}

bool ConfigStore::SetConfigValue(int profile, const std::string& key, const std::string& value) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kSetConfigValue);
    st->BindText(1, ToUtf8(value));
    st->BindInt(2, profile);
    st->BindText(3, ToUtf8(key));
    return WriteSucceeded(st->Step());
}

// ---- profiles -------------------------------------------------------------

int ConfigStore::AddProfile(const ProfileRecord& record) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    // The profile and its settings rows are committed together.
    OperationTransaction transaction(m_connection);
    int profile = 0;
    {
        StatementUse st(*this, sql::kAddProfile);
        st->BindText(1, ToUtf8(record.name));
        st->BindInt(2, 0);
        st->BindText(3, ToUtf8(record.app));
        st->BindInt(4, 0);
        if (WriteSucceeded(st->Step())) profile = static_cast<int>(m_connection.LastInsertRowId());
    }
    if (profile != 0) InsertDefaultConfig(profile);
    if (!transaction.Commit()) return 0;
    return profile;
}

bool ConfigStore::RenameProfile(int profile, const std::string& name) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kRenameProfile);
    st->BindText(1, ToUtf8(name));
    st->BindInt(2, profile);
    return WriteSucceeded(st->Step());
}

bool ConfigStore::GetProfileName(int profile, std::string& name) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    name.clear();
    StatementUse st(*this, sql::kGetProfileName);
    st->BindInt(1, profile);
    if (st->Step() != SQLiteDB::kRow) return false;
    name = FromUtf8(st->GetText(0));
    return true;
}

int ConfigStore::GetProfiles(std::vector<ProfileRecord>& list) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kGetProfiles);
    return ReadList(*st, list, ReadProfile);
}

bool ConfigStore::SetActiveProfile(int profile) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    OperationTransaction transaction(m_connection);
    bool result = false;
    {
        StatementUse clear(*this, sql::kClearActiveProfile);
        clear->BindInt(1, 0);
        clear->Step();
    }
    {
        StatementUse st(*this, sql::kSetActiveProfile);
        st->BindInt(1, 1);
        st->BindInt(2, profile);
        result = WriteSucceeded(st->Step());
    }
    return transaction.Commit() && result;
}

int ConfigStore::GetActiveProfile() {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kGetActiveProfile);
    st->BindInt(1, 1);
    if (st->Step() != SQLiteDB::kRow) return 0;
    return st->GetInt(0);
}

// ---- button assignments ---------------------------------------------------

int ConfigStore::SaveKeyAssignment(const KeyAssignment& record) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    // Delete and insert are committed together, so a button is never left without its row.
    OperationTransaction transaction(m_connection);
    {
        StatementUse remove(*this, sql::kDeleteKeyAssignment);
        remove->BindInt(1, record.profile);
        remove->BindInt(2, record.fn_layer);
        remove->BindInt(3, record.key_code);
        remove->Step();
    }
    int key_id = 0;
    if (record.macro_value != 0 || record.macro_value2 != 0) {
        StatementUse st(*this, sql::kInsertKeyAssignment);
        st->BindInt(1, record.profile);
        st->BindInt(2, record.fn_layer);
        st->BindInt(3, record.key_code);
        st->BindInt(4, record.layout_value);
        st->BindText(5, ToUtf8(record.layout_desc));
        st->BindInt(6, record.macro_type);
        st->BindInt(7, record.macro_value);
        st->BindInt(8, record.macro_value2);
        st->BindInt(9, record.macro_value3);
        st->BindText(10, ToUtf8(record.macro_desc));
        if (WriteSucceeded(st->Step())) key_id = static_cast<int>(m_connection.LastInsertRowId());
    }
    if (!transaction.Commit()) return 0;
    return key_id;
}

bool ConfigStore::GetKeyAssignment(int profile, int /*layer*/, int key_code, KeyAssignment& record) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kGetKeyAssignment);
    st->BindInt(1, profile);
    st->BindInt(2, 0);
    st->BindInt(3, key_code);
    if (st->Step() != SQLiteDB::kRow) return false;
    record = ReadKeyAssignment(*st);
    return true;
}

bool ConfigStore::SetKeyDescription(int profile, int /*layer*/, int key_code, const std::string& text) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kSetKeyDescription);
    st->BindText(1, ToUtf8(text));
    st->BindInt(2, profile);
    st->BindInt(3, 0);
    st->BindInt(4, key_code);
    return WriteSucceeded(st->Step());
}

int ConfigStore::GetKeyAssignments(int profile, int /*layer*/, std::vector<KeyAssignment>& list) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kGetKeyAssignments);
    st->BindInt(1, profile);
    st->BindInt(2, 0);
    return ReadList(*st, list, ReadKeyAssignment);
}

bool ConfigStore::DeleteKeyAssignments(int profile) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kDeleteKeyAssignments);
    st->BindInt(1, profile);
    return WriteSucceeded(st->Step());
}

// ---- lighting -------------------------------------------------------------

int ConfigStore::CountLights(int profile) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kCountLights);
    st->BindInt(1, profile);
    if (st->Step() != SQLiteDB::kRow) return 0;
    return st->GetInt(0);
}

int ConfigStore::AddLight(const LightRecord& record) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kAddLight);
    st->BindInt(1, record.profile);
    st->BindText(2, ToUtf8(record.name));
    st->BindInt(3, record.mode);
    st->BindInt(4, record.brightness);
    st->BindInt(5, record.speed);
    st->BindInt(6, record.direction);
    st->BindInt(7, record.colorful);
    st->BindInt(8, record.colorindex);
    for (int i = 0; i < 7; ++i) st->BindInt(9 + i, record.ColorValue(i));
    st->BindInt(16, record.config_func);
    st->BindInt(17, record.reserved);
    st->BindInt(18, record.status);
    if (!WriteSucceeded(st->Step())) return 0;
    return static_cast<int>(m_connection.LastInsertRowId());
}

bool ConfigStore::UpdateLight(int mode, const LightRecord& record) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kUpdateLight);
    st->BindInt(1, record.brightness);
    st->BindInt(2, record.speed);
    st->BindInt(3, record.direction);
    st->BindInt(4, record.colorful);
    st->BindInt(5, record.colorindex);
    for (int i = 0; i < 7; ++i) st->BindInt(6 + i, record.ColorValue(i));
    st->BindInt(13, record.config_func);
    st->BindInt(14, record.reserved);
    st->BindInt(15, record.profile);
    st->BindInt(16, mode);
    return WriteSucceeded(st->Step());
}

bool ConfigStore::SetActiveLight(int profile, int mode) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    OperationTransaction transaction(m_connection);
    bool result = false;
    {
        StatementUse clear(*this, sql::kClearActiveLight);
        clear->BindInt(1, 0);
        clear->BindInt(2, profile);
        clear->Step();
    }
    {
        StatementUse st(*this, sql::kSetActiveLight);
        st->BindInt(1, 1);
        st->BindInt(2, profile);
        st->BindInt(3, mode);
        result = WriteSucceeded(st->Step());
    }
    return transaction.Commit() && result;
}

int ConfigStore::GetActiveLightMode(int profile) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kGetActiveLightMode);
    st->BindInt(1, profile);
    st->BindInt(2, 1);
    if (st->Step() != SQLiteDB::kRow) return 0;
    return st->GetInt(0);
}

bool ConfigStore::GetLight(int profile, int mode, LightRecord& record) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kGetLight);
    st->BindInt(1, profile);
    st->BindInt(2, mode);
    if (st->Step() != SQLiteDB::kRow) return false;
    record = ReadLight(*st);
    return true;
}

int ConfigStore::GetLights(int profile, std::vector<LightRecord>& list) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kGetLights);
    st->BindInt(1, profile);
    return ReadList(*st, list, ReadLight);
}

// ---- macros ---------------------------------------------------------------

int ConfigStore::CreateMacro(const std::string& name) {
    MacroData record;
    record.name = name;
    record.play_type = 0;
    record.play_times = 1;
    record.delay_type = 1;
    record.delay_time = 0;
    return AddMacro(record);
}

int ConfigStore::AddMacro(const MacroData& record) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kAddMacro);
    st->BindText(1, ToUtf8(record.name));
    st->BindInt(2, record.play_type);
    st->BindInt(3, record.play_times);
    st->BindInt(4, record.delay_type);
    st->BindInt(5, record.delay_time);
    if (!WriteSucceeded(st->Step())) return 0;
    return static_cast<int>(m_connection.LastInsertRowId());
}

bool ConfigStore::SetMacroName(int macro_id, const std::string& name) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kSetMacroName);
    st->BindText(1, ToUtf8(name));
    st->BindInt(2, macro_id);
    return WriteSucceeded(st->Step());
}

bool ConfigStore::UpdateMacro(int macro_id, const MacroData& record) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kUpdateMacro);
    st->BindText(1, ToUtf8(record.name));
    st->BindInt(2, record.play_type);
    st->BindInt(3, record.play_times);
    st->BindInt(4, record.delay_type);
    st->BindInt(5, record.delay_time);
    st->BindInt(6, macro_id);
    return WriteSucceeded(st->Step());
}

bool ConfigStore::RemoveMacro(int macro_id) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    OperationTransaction transaction(m_connection);
    bool result = false;
    {
        StatementUse st(*this, sql::kRemoveMacro);
        st->BindInt(1, macro_id);
        result = WriteSucceeded(st->Step());
    }
    if (result) {
        StatementUse events(*this, sql::kDeleteMacroRecords);
        events->BindInt(1, macro_id);
        result = WriteSucceeded(events->Step());
    }
    return transaction.Commit() && result;
}

bool ConfigStore::GetMacro(int macro_id, MacroData& record) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kGetMacro);
    st->BindInt(1, macro_id);
    if (st->Step() != SQLiteDB::kRow) return false;
    record = ReadMacro(*st);
    return true;
}

int ConfigStore::GetMacros(std::vector<MacroData>& list) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kGetMacros);
    return ReadList(*st, list, ReadMacro);
}

int ConfigStore::AddMacroRecord(const MacroRecord& record) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kAddMacroRecord);
    st->BindInt(1, record.macro_id);
    st->BindInt(2, record.type);
    st->BindInt(3, record.record_index);
    st->BindText(4, ToUtf8(record.desc));
    st->BindInt(5, record.value);
    st->BindInt(6, record.delay_time);
    if (!WriteSucceeded(st->Step())) return 0;
    return static_cast<int>(m_connection.LastInsertRowId());
}

void ConfigStore::AddMacroRecords(const std::vector<MacroRecord>& records) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    SQLiteAutoTransaction transaction(&m_connection);
    for (const MacroRecord& record : records) {
        StatementUse st(*this, sql::kAddMacroRecord);
        st->BindInt(1, record.macro_id);
        st->BindInt(2, record.type);
        st->BindInt(3, record.record_index);
        st->BindText(4, ToUtf8(record.desc));
        st->BindInt(5, record.value);
        st->BindInt(6, record.delay_time);
        st->Step();
    }
}

int ConfigStore::GetMacroRecords(int macro_id, std::vector<MacroRecord>& list) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kGetMacroRecords);
    st->BindInt(1, macro_id);
    return ReadList(*st, list, ReadMacroRecord);
}

bool ConfigStore::DeleteMacroRecords(int macro_id) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    StatementUse st(*this, sql::kDeleteMacroRecords);
    st->BindInt(1, macro_id);
    return WriteSucceeded(st->Step());
}

}  // namespace corvatt
