#include "store/SQLiteAutoTransaction.h"

#include "store/SQLiteDB.h"

namespace corvatt {

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* database) : m_database(database) {
    if (m_database != nullptr) {
        if (m_database->IsOpen()) m_database->Execute("BEGIN");
        m_active = true;
    }
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
    if (m_active && m_database != nullptr) {
        if (m_database->IsOpen()) m_database->EndTransaction();
        m_active = false;
    }
}

bool SQLiteAutoTransaction::Begin() {
    if (m_database == nullptr || m_active) return false;
    m_active = true;
    if (!m_database->IsOpen()) return false;
    return m_database->Execute("BEGIN") == SQLiteDB::kOk;
}

bool SQLiteAutoTransaction::Commit() {
    if (m_database == nullptr) return false;
    int rc = SQLiteDB::kMisuse;
    if (m_database->IsOpen()) rc = m_database->EndTransaction();
    m_active = false;
    return rc == SQLiteDB::kOk;
}

}  // namespace corvatt
