#pragma once

#include <cstdint>
#include <memory>

struct sqlite3;

namespace corvatt {

class SQLiteStatement;

// The connection to one SQLite database file.
class SQLiteDB {
public:
    static constexpr int kOk = 0;
    static constexpr int kMisuse = 21;
    static constexpr int kRow = 100;
    static constexpr int kDone = 101;

    using ExecCallback = int (*)(void*, int, char**, char**);

    SQLiteDB() = default;
    virtual ~SQLiteDB();

    SQLiteDB(const SQLiteDB&) = delete;
    SQLiteDB& operator=(const SQLiteDB&) = delete;

    // Closes a connection that is still open, then opens `path` (UTF-8) with the
    // SQLite open flags, switches synchronous writes off and the journal to a write-ahead log.
    bool Open(const char* path, int flags);
    // A failed close keeps the handle.
    bool Close();
    bool IsOpen() const { return m_handle != nullptr; }
    // A transaction begun on this connection has not ended yet.
    bool InTransaction() const;

    int Execute(const char* sql, ExecCallback callback = nullptr, void* argument = nullptr);
    // "END". While another connection still reads, the end is tried again for a short
    // while; if it still fails the transaction is rolled back, so the connection never
    // stays inside a transaction that nothing will end. Returns the result of "END".
    int EndTransaction();
    // Finalizes what `statement` held, then prepares `sql`; length -1 reads up to the NUL.
    int Prepare(SQLiteStatement& statement, const char* sql, int length = -1);
    // -1 without a connection.
    int64_t LastInsertRowId() const;

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    std::unique_ptr<sqlite3, Closer> m_handle;
};

}  // namespace corvatt
