#include "store/SQLiteDB.h"

#include <sqlite3.h>

#include <chrono>
#include <thread>

#include "store/SQLiteStatement.h"
#include "store/WalBatchVfs.h"

namespace corvatt {

// Reached only for a handle that a plain close could not release (statements still
// alive): the connection is then freed once its last statement is finalized.
void SQLiteDB::Closer::operator()(sqlite3* db) const {
    sqlite3_close_v2(db);
}

SQLiteDB::~SQLiteDB() {
    if (m_handle) {
        sqlite3_interrupt(m_handle.get());
        Close();
    }
}

bool SQLiteDB::Open(const char* path, int flags) {
    if (m_handle) {
        sqlite3_interrupt(m_handle.get());
        // Opening over a handle that would not close would lose it.
        if (!Close()) return false;
    }
    if (path == nullptr) return false;

    sqlite3* raw = nullptr;
    // The log writes of each commit go to the file as one write.
    const int rc = sqlite3_open_v2(path, &raw, flags, wal_batch::DefaultVfsName());
    m_handle.reset(raw);
    if (rc != SQLITE_OK) {
        Close();
        return false;
    }
    Execute("PRAGMA synchronous = OFF; ");
    // A write-ahead log: a change appends to the log instead of creating and deleting a
    // journal file, and other connections' readers neither block nor are blocked by it. A file
    // that cannot switch (read-only) keeps its rollback journal.
    Execute("PRAGMA journal_mode = WAL; ");
    return true;
}

bool SQLiteDB::Close() {
    if (!m_handle) return true;
    if (sqlite3_close(m_handle.get()) != SQLITE_OK) return false;
    m_handle.release();  // closed above
    return true;
}

bool SQLiteDB::InTransaction() const {
    return m_handle && sqlite3_get_autocommit(m_handle.get()) == 0;
}

int SQLiteDB::Execute(const char* sql, ExecCallback callback, void* argument) {
    if (!m_handle || sql == nullptr) return kMisuse;
    return sqlite3_exec(m_handle.get(), sql, callback, argument, nullptr);
}

int SQLiteDB::EndTransaction() {
    constexpr int kRetries = 25;
    constexpr auto kPause = std::chrono::milliseconds(2);
    int rc = Execute("END");
    for (int attempt = 0; rc != kOk && InTransaction() && attempt < kRetries; ++attempt) {
        std::this_thread::sleep_for(kPause);
        rc = Execute("END");
    }
    if (rc != kOk && InTransaction()) Execute("ROLLBACK");
    return rc;
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length) {
    statement.m_handle.reset();
    if (!m_handle || sql == nullptr) return kMisuse;
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(m_handle.get(), sql, length, &raw, nullptr);
    statement.m_handle.reset(raw);
    return rc;
}

int64_t SQLiteDB::LastInsertRowId() const {
    if (!m_handle) return -1;
    return sqlite3_last_insert_rowid(m_handle.get());
}

}  // namespace corvatt
