#include <sqlite3.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/SQLiteAutoTransaction.h"
#include "store/SQLiteDB.h"
#include "store/SQLiteStatement.h"

namespace corvatt {
namespace {

using testing::CountRows;
using testing::TempDataFolder;

constexpr int kCreate = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;

class SQLiteLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = m_folder.Folder() + "layer.db";
        ASSERT_TRUE(m_db.Open(m_path.c_str(), kCreate));
        ASSERT_EQ(m_db.Execute("CREATE TABLE t(a INTEGER, b TEXT)"), SQLiteDB::kOk);
    }

    TempDataFolder m_folder;
    std::string m_path;
    SQLiteDB m_db;
};

TEST(SQLiteDBWithoutConnection, EveryCallReportsMisuse) {
    SQLiteDB db;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Close());
    EXPECT_EQ(db.Execute("SELECT 1"), SQLiteDB::kMisuse);
    EXPECT_EQ(db.LastInsertRowId(), -1);

    SQLiteStatement st;
    EXPECT_EQ(db.Prepare(st, "SELECT 1"), SQLiteDB::kMisuse);
    EXPECT_FALSE(st.IsPrepared());
    EXPECT_EQ(st.BindInt(1, 5), SQLiteDB::kMisuse);
    EXPECT_EQ(st.BindText(1, "x", 1), SQLiteDB::kMisuse);
    EXPECT_EQ(st.Step(), SQLiteDB::kMisuse);
    EXPECT_EQ(st.GetInt(0), 0);
    EXPECT_EQ(st.GetText(0), nullptr);
}

TEST(SQLiteDBOpen, NullPathOrMissingFolderFailsAndLeavesNoHandle) {
    TempDataFolder folder;
    SQLiteDB db;
    EXPECT_FALSE(db.Open(nullptr, kCreate));
    EXPECT_FALSE(db.IsOpen());
    const std::string unreachable = folder.Folder() + "no-such-folder/x.db";
    EXPECT_FALSE(db.Open(unreachable.c_str(), kCreate));
    EXPECT_FALSE(db.IsOpen());
    // Without SQLITE_OPEN_CREATE a missing file is not made.
    const std::string missing = folder.Folder() + "missing.db";
    EXPECT_FALSE(db.Open(missing.c_str(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX));
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(SQLiteLayerTest, OpenSwitchesSynchronousWritesOff) {
    SQLiteStatement st;
    ASSERT_EQ(m_db.Prepare(st, "PRAGMA synchronous"), SQLiteDB::kOk);
    ASSERT_EQ(st.Step(), SQLiteDB::kRow);
    EXPECT_EQ(st.GetInt(0), 0);
}

TEST_F(SQLiteLayerTest, StatementBindsStepsAndReads) {
    SQLiteStatement st;
    ASSERT_EQ(m_db.Prepare(st, "INSERT INTO t(a, b) VALUES (?, ?)"), SQLiteDB::kOk);
    const std::string text = "Größe 配置";
    EXPECT_EQ(st.BindInt(1, -7), SQLiteDB::kOk);
    EXPECT_EQ(st.BindText(2, text), SQLiteDB::kOk);
    EXPECT_EQ(st.Step(), SQLiteDB::kDone);
    EXPECT_EQ(m_db.LastInsertRowId(), 1);

    ASSERT_EQ(m_db.Prepare(st, "SELECT a, b, NULL FROM t"), SQLiteDB::kOk);
    ASSERT_EQ(st.Step(), SQLiteDB::kRow);
    EXPECT_EQ(st.GetInt(0), -7);
    EXPECT_STREQ(st.GetText(1), text.c_str());
    EXPECT_EQ(st.GetText(2), nullptr);
    EXPECT_EQ(st.Step(), SQLiteDB::kDone);
}

TEST_F(SQLiteLayerTest, BadSqlLeavesTheStatementEmpty) {
    SQLiteStatement st;
    ASSERT_EQ(m_db.Prepare(st, "SELECT a FROM t"), SQLiteDB::kOk);
    EXPECT_NE(m_db.Prepare(st, "SELECT a FROM no_such_table"), SQLiteDB::kOk);
    EXPECT_FALSE(st.IsPrepared());
    EXPECT_EQ(st.Step(), SQLiteDB::kMisuse);
    EXPECT_EQ(m_db.Prepare(st, nullptr), SQLiteDB::kMisuse);
    EXPECT_EQ(m_db.Execute(nullptr), SQLiteDB::kMisuse);
}

TEST_F(SQLiteLayerTest, FailedCloseKeepsTheHandleAndOpenDoesNotLoseIt) {
    SQLiteStatement pending;
    ASSERT_EQ(m_db.Prepare(pending, "SELECT a FROM t"), SQLiteDB::kOk);
    EXPECT_FALSE(m_db.Close());
    EXPECT_TRUE(m_db.IsOpen());
    // Opening another file over a connection that will not close fails and keeps it usable.
    const std::string other = m_folder.Folder() + "other.db";
    EXPECT_FALSE(m_db.Open(other.c_str(), kCreate));
    EXPECT_TRUE(m_db.IsOpen());
    EXPECT_EQ(m_db.Execute("INSERT INTO t(a) VALUES (1)"), SQLiteDB::kOk);

    pending.Finalize();
    EXPECT_TRUE(m_db.Close());
    EXPECT_FALSE(m_db.IsOpen());
}

TEST_F(SQLiteLayerTest, ReadOnlyConnectionRefusesWrites) {
    // Root ignores file modes, so a read-only file cannot be made here; a read-only
    // connection gives the same refusal for every write.
    ASSERT_TRUE(m_db.Open(m_path.c_str(), SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX));
    EXPECT_NE(m_db.Execute("INSERT INTO t(a) VALUES (1)"), SQLiteDB::kOk);
    SQLiteStatement st;
    ASSERT_EQ(m_db.Prepare(st, "INSERT INTO t(a) VALUES (1)"), SQLiteDB::kOk);
    EXPECT_EQ(st.Step(), SQLITE_READONLY);
}

TEST_F(SQLiteLayerTest, TransactionEndsOnCommitOrDestructionWithoutRollback) {
    {
        SQLiteAutoTransaction transaction(&m_db);
        EXPECT_TRUE(transaction.IsActive());
        EXPECT_FALSE(transaction.Begin());  // already active
        EXPECT_NE(m_db.Execute("BEGIN"), SQLiteDB::kOk);  // a transaction is open
        EXPECT_EQ(m_db.Execute("INSERT INTO t(a) VALUES (1)"), SQLiteDB::kOk);
        EXPECT_NE(m_db.Execute("INSERT INTO no_such_table VALUES (1)"), SQLiteDB::kOk);
        EXPECT_EQ(m_db.Execute("INSERT INTO t(a) VALUES (2)"), SQLiteDB::kOk);
        // Another connection does not see the rows before the end.
        EXPECT_EQ(CountRows(m_path, "t"), 0);
    }
    EXPECT_EQ(CountRows(m_path, "t"), 2);

    SQLiteAutoTransaction transaction(&m_db);
    EXPECT_EQ(m_db.Execute("INSERT INTO t(a) VALUES (3)"), SQLiteDB::kOk);
    EXPECT_TRUE(transaction.Commit());
    EXPECT_FALSE(transaction.IsActive());
    EXPECT_EQ(CountRows(m_path, "t"), 3);
    EXPECT_TRUE(transaction.Begin());
    EXPECT_TRUE(transaction.Commit());
}

// Another connection in a read transaction: the commit waits for it briefly, and
// gives up with a rollback rather than leaving the transaction open.
class ReaderHoldingTheFile {
public:
    explicit ReaderHoldingTheFile(const std::string& path) {
        sqlite3_open(path.c_str(), &m_db);
        sqlite3_exec(m_db, "BEGIN; SELECT count(*) FROM t;", nullptr, nullptr, nullptr);
    }
    ~ReaderHoldingTheFile() { Release(); }
    void Release() {
        if (m_db == nullptr) return;
        sqlite3_exec(m_db, "END", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
        m_db = nullptr;
    }

private:
    sqlite3* m_db = nullptr;
};

// The store's files use a write-ahead log, where readers never hold up a commit; with a
// rollback journal they do, and END must cope with that.
TEST_F(SQLiteLayerTest, EndWaitsForAReaderThatFinishesSoon) {
    ASSERT_EQ(m_db.Execute("PRAGMA journal_mode = DELETE"), SQLiteDB::kOk);
    ReaderHoldingTheFile reader(m_path);
    SQLiteAutoTransaction transaction(&m_db);
    ASSERT_EQ(m_db.Execute("INSERT INTO t(a) VALUES (1)"), SQLiteDB::kOk);
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        reader.Release();
    });
    EXPECT_TRUE(transaction.Commit());
    release.join();
    EXPECT_FALSE(m_db.InTransaction());
    EXPECT_EQ(CountRows(m_path, "t"), 1);
}

TEST_F(SQLiteLayerTest, EndThatCannotCommitRollsBack) {
    ASSERT_EQ(m_db.Execute("PRAGMA journal_mode = DELETE"), SQLiteDB::kOk);
    {
        ReaderHoldingTheFile reader(m_path);
        SQLiteAutoTransaction transaction(&m_db);
        ASSERT_EQ(m_db.Execute("INSERT INTO t(a) VALUES (1)"), SQLiteDB::kOk);
        EXPECT_FALSE(transaction.Commit());
        EXPECT_FALSE(m_db.InTransaction());
    }
    // Later statements commit on their own again.
    EXPECT_EQ(m_db.Execute("INSERT INTO t(a) VALUES (2)"), SQLiteDB::kOk);
    const auto rows = testing::QueryFile(m_path, "SELECT a FROM t");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "2");
}

TEST_F(SQLiteLayerTest, ReaderDoesNotHoldUpACommitInTheWriteAheadLog) {
    EXPECT_EQ(testing::QueryFile(m_path, "PRAGMA journal_mode")[0][0], "wal");
    ReaderHoldingTheFile reader(m_path);
    SQLiteAutoTransaction transaction(&m_db);
    ASSERT_EQ(m_db.Execute("INSERT INTO t(a) VALUES (1)"), SQLiteDB::kOk);
    EXPECT_TRUE(transaction.Commit());
    reader.Release();
    EXPECT_EQ(CountRows(m_path, "t"), 1);
}

TEST(SQLiteAutoTransactionEdges, NullOrClosedDatabase) {
    SQLiteAutoTransaction none(nullptr);
    EXPECT_FALSE(none.IsActive());
    EXPECT_FALSE(none.Begin());
    EXPECT_FALSE(none.Commit());

    SQLiteDB closed;
    SQLiteAutoTransaction transaction(&closed);
    EXPECT_TRUE(transaction.IsActive());
    EXPECT_FALSE(transaction.Commit());
    EXPECT_FALSE(transaction.IsActive());
    EXPECT_FALSE(transaction.Begin());  // no handle: active, but false
    EXPECT_TRUE(transaction.IsActive());
}

}  // namespace
}  // namespace corvatt
