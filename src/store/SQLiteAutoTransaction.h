#pragma once

namespace corvatt {

class SQLiteDB;

// "BEGIN" on construction, "END" on Commit or destruction. There is no rollback:
// statements that failed inside the transaction do not undo the others.
class SQLiteAutoTransaction {
public:
    explicit SQLiteAutoTransaction(SQLiteDB* database);
    virtual ~SQLiteAutoTransaction();

    SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
    SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

    bool Begin();
    bool Commit();
    bool IsActive() const { return m_active; }

private:
    SQLiteDB* m_database = nullptr;  // not owned
    bool m_active = false;
};

}  // namespace corvatt
