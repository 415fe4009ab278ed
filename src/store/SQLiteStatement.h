#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct sqlite3_stmt;

namespace corvatt {

class SQLiteDB;

// One prepared statement. Every call returns 21 (misuse) while nothing is prepared;
// the column reads then give 0 or null.
class SQLiteStatement {
public:
    SQLiteStatement() = default;
    virtual ~SQLiteStatement();

    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;

    bool IsPrepared() const { return m_handle != nullptr; }
    // Finalizes the statement; the handle is null afterwards.
    void Finalize();

    // 1-based parameter index.
    int BindInt(int index, int32_t value);
    // The bytes are bound without a copy: they must stay alive until the statement has been stepped.
    int BindText(int index, const char* text, int byte_length);
    int BindText(int index, const std::string& text);

    int Step();
    // Rewinds the statement so that it can be bound and stepped again.
    int Reset();
    // Sets every parameter back to null.
    int ClearBindings();

    // 0-based column index.
    int32_t GetInt(int column) const;
    const char* GetText(int column) const;

private:
    friend class SQLiteDB;

    struct Finalizer {
        void operator()(sqlite3_stmt* stmt) const;
    };
    std::unique_ptr<sqlite3_stmt, Finalizer> m_handle;
};

}  // namespace corvatt
