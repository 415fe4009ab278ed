#include "store/SQLiteStatement.h"

#include <sqlite3.h>

#include "store/SQLiteDB.h"

namespace corvatt {

void SQLiteStatement::Finalizer::operator()(sqlite3_stmt* stmt) const {
    sqlite3_finalize(stmt);
}

SQLiteStatement::~SQLiteStatement() = default;

void SQLiteStatement::Finalize() {
    m_handle.reset();
}

int SQLiteStatement::BindInt(int index, int32_t value) {
    if (!m_handle) return SQLiteDB::kMisuse;
    return sqlite3_bind_int(m_handle.get(), index, value);
}

int SQLiteStatement::BindText(int index, const char* text, int byte_length) {
    if (!m_handle) return SQLiteDB::kMisuse;
    return sqlite3_bind_text(m_handle.get(), index, text, byte_length, SQLITE_STATIC);
}

int SQLiteStatement::BindText(int index, const std::string& text) {
    return BindText(index, text.data(), static_cast<int>(text.size()));
}

int SQLiteStatement::Step() {
    if (!m_handle) return SQLiteDB::kMisuse;
    return sqlite3_step(m_handle.get());
}

int SQLiteStatement::Reset() {
    if (!m_handle) return SQLiteDB::kMisuse;
    return sqlite3_reset(m_handle.get());
}

int SQLiteStatement::ClearBindings() {
    if (!m_handle) return SQLiteDB::kMisuse;
    return sqlite3_clear_bindings(m_handle.get());
}

int32_t SQLiteStatement::GetInt(int column) const {
    if (!m_handle) return 0;
    return sqlite3_column_int(m_handle.get(), column);
}

const char* SQLiteStatement::GetText(int column) const {
    if (!m_handle) return nullptr;
    return reinterpret_cast<const char*>(sqlite3_column_text(m_handle.get(), column));
}

}  // namespace corvatt
