#include <errno.h>
#include <sqlite3.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/ConfigStore.h"
#include "store/SQLiteDB.h"

namespace corvatt {
namespace {

using testing::QueryFile;
using testing::RunCommand;
using testing::TempDataFolder;

constexpr int kReadWriteCreate = 0x10006;

// ---- what other connections see -------------------------------------------

// A second connection kept open for the whole test, on SQLite's own VFS.
class PlainReader {
public:
    explicit PlainReader(const std::string& path) { sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr); }
    ~PlainReader() { sqlite3_close(m_db); }
    PlainReader(const PlainReader&) = delete;
    PlainReader& operator=(const PlainReader&) = delete;

    // The first column of the first row, or -1.
    long long Number(const char* sql) const {
        sqlite3_stmt* st = nullptr;
        long long value = -1;
        if (sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW) {
            value = sqlite3_column_int64(st, 0);
        }
        sqlite3_finalize(st);
        return value;
    }

private:
    sqlite3* m_db = nullptr;
};

TEST(WalBatchVfs, EveryCommitIsAtOnceVisibleToOtherConnectionsAndProcesses) {
    TempDataFolder folder;
    ConfigStore store;
    ASSERT_TRUE(store.OpenDatabase(folder.Folder(), "corvatt_v1"));
    ASSERT_NE(store.AddProfile(ProfileRecord{0, "Profile 1", "", 0, 0}), 0);
    const std::string path = folder.DbPath("corvatt_v1");
    PlainReader reader(path);

    // Enough commits for the log to be checkpointed and restarted from its start.
    KeyAssignment key;
    key.profile = 1;
    key.key_code = 4;
    key.macro_type = 1;
    for (int i = 1; i <= 800; ++i) {
        key.macro_value = i;
        key.macro_desc = "value " + std::to_string(i);
        ASSERT_NE(store.SaveKeyAssignment(key), 0);
        ASSERT_EQ(reader.Number("SELECT macro_value FROM t_key_macro_data WHERE profile = 1 AND key_code = 4"), i);
        ASSERT_EQ(reader.Number("SELECT count(*) FROM t_key_macro_data"), 1);
    }

    // One transaction larger than what is held back at once.
    const int macro = store.CreateMacro("long");
    std::vector<MacroRecord> events;
    for (int i = 0; i < 4000; ++i) events.push_back(MacroRecord{0, macro, 1, i, 4, 10, std::string(400, 'a' + i % 26)});
    store.AddMacroRecords(events);
    EXPECT_EQ(reader.Number("SELECT count(*) FROM t_macrorecord"), 4000);
    EXPECT_EQ(reader.Number("SELECT sum(length(desc)) FROM t_macrorecord"), 4000 * 400);

    // Another process, while the store still holds the file open.
    EXPECT_EQ(RunCommand("sqlite3 '" + path + "' 'PRAGMA integrity_check; SELECT macro_value FROM t_key_macro_data;'"),
              "ok\n800\n");
}

// ---- a process that ends right after its commits --------------------------

// Runs `work` on a connection in a child process, which then ends without closing it, as
// a crash would: nothing is written on the way out.
bool RunAndVanish(const std::string& path, const std::function<bool(SQLiteDB&)>& work) {
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        SQLiteDB db;
        _exit(db.Open(path.c_str(), kReadWriteCreate) && work(db) ? 0 : 1);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(WalBatchVfs, CommitsSurviveAProcessThatEndsRightAfterThem) {
    TempDataFolder folder;
    const std::string path = folder.DbPath("vanish");
    ASSERT_TRUE(RunAndVanish(path, [](SQLiteDB& db) {
        // A small page cache: the large transaction spills pages to the log and then changes
        // some of them again, so frames are rewritten and their checksums redone.
        if (db.Execute("PRAGMA cache_size = 10; CREATE TABLE t(id INTEGER PRIMARY KEY, v TEXT);"
                       "CREATE TABLE k(n INTEGER);"
                       "BEGIN;"
                       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)"
                       "  INSERT INTO t SELECT i, printf('%.300c', char(97 + i % 26)) FROM n;"
                       "UPDATE t SET v = upper(v) WHERE id % 7 = 0;"
                       "END;") != SQLiteDB::kOk) {
            return false;
        }
        // Then small commits, the last of them just before the end.
        for (int i = 1; i <= 50; ++i) {
            if (db.Execute(("INSERT INTO k VALUES(" + std::to_string(i) + ")").c_str()) != SQLiteDB::kOk) return false;
        }
        return true;
    }));

    // The next opener recovers the log from its frames and checksums.
    EXPECT_EQ(QueryFile(path, "SELECT count(*), sum(n) FROM k"), (std::vector<std::vector<std::string>>{{"50", "1275"}}));
    EXPECT_EQ(QueryFile(path, "SELECT count(*), sum(v = upper(v)), min(length(v)) FROM t"),
              (std::vector<std::vector<std::string>>{{"2000", "285", "300"}}));
    EXPECT_EQ(QueryFile(path, "PRAGMA integrity_check"), (std::vector<std::vector<std::string>>{{"ok"}}));
}

// ---- the log's writes, and a write that fails -----------------------------

// Replaces the unix VFS's write calls for the test's lifetime: writes to a "-wal" file are
// counted and, when asked, fail as a full or broken disk would.
class LogWriteProbe {
public:
    LogWriteProbe() {
        s_writes = 0;
        s_fail = false;
        m_unix = sqlite3_vfs_find("unix");
        if (m_unix == nullptr || m_unix->xSetSystemCall == nullptr) return;
        m_installed = m_unix->xSetSystemCall(m_unix, "pwrite64", reinterpret_cast<sqlite3_syscall_ptr>(Pwrite64)) ==
                          SQLITE_OK &&
                      m_unix->xSetSystemCall(m_unix, "pwrite", reinterpret_cast<sqlite3_syscall_ptr>(Pwrite)) ==
                          SQLITE_OK &&
                      m_unix->xSetSystemCall(m_unix, "write", reinterpret_cast<sqlite3_syscall_ptr>(Write)) ==
                          SQLITE_OK;
    }
    ~LogWriteProbe() {
        if (m_unix != nullptr && m_unix->xSetSystemCall != nullptr) m_unix->xSetSystemCall(m_unix, nullptr, nullptr);
    }
    LogWriteProbe(const LogWriteProbe&) = delete;
    LogWriteProbe& operator=(const LogWriteProbe&) = delete;

    bool Installed() const { return m_installed; }
    static int Writes() { return s_writes; }
    static void Reset() { s_writes = 0; }
    static void Fail(bool fail) { s_fail = fail; }

private:
    static bool IsLog(int fd) {
        char link[64];
        char target[4096];
        snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        const ssize_t n = readlink(link, target, sizeof target - 1);
        if (n < 4) return false;
        target[n] = '\0';
        return std::string(target).ends_with("-wal");
    }
    // False when the write must fail.
    static bool Count(int fd) {
        if (!IsLog(fd)) return true;
        ++s_writes;
        if (!s_fail) return true;
        errno = EIO;
        return false;
    }
    static ssize_t Pwrite64(int fd, const void* data, size_t size, off64_t offset) {
        return Count(fd) ? ::pwrite64(fd, data, size, offset) : -1;
    }
    static ssize_t Pwrite(int fd, const void* data, size_t size, off_t offset) {
        return Count(fd) ? ::pwrite(fd, data, size, offset) : -1;
    }
    static ssize_t Write(int fd, const void* data, size_t size) { return Count(fd) ? ::write(fd, data, size) : -1; }

    static inline std::atomic<int> s_writes{0};
    static inline std::atomic<bool> s_fail{false};
    sqlite3_vfs* m_unix = nullptr;
    bool m_installed = false;
};

class WalBatchWrites : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_probe.Installed());
        ASSERT_TRUE(m_db.Open(m_path.c_str(), kReadWriteCreate));
        ASSERT_EQ(m_db.Execute("CREATE TABLE a(v); CREATE TABLE b(v); CREATE TABLE c(v);"
                               "INSERT INTO a VALUES(1); INSERT INTO b VALUES(1); INSERT INTO c VALUES(1);"),
                  SQLiteDB::kOk);
    }

    TempDataFolder m_folder;
    std::string m_path = m_folder.DbPath("batch");
    LogWriteProbe m_probe;
    SQLiteDB m_db;
};

TEST_F(WalBatchWrites, ACommitOfSeveralPagesReachesTheLogInOneWrite) {
    LogWriteProbe::Reset();
    ASSERT_EQ(m_db.Execute("BEGIN; UPDATE a SET v = 2; UPDATE b SET v = 2; UPDATE c SET v = 2; END;"), SQLiteDB::kOk);
    EXPECT_EQ(LogWriteProbe::Writes(), 1);
    EXPECT_EQ(QueryFile(m_path, "SELECT a.v, b.v, c.v FROM a, b, c"),
              (std::vector<std::vector<std::string>>{{"2", "2", "2"}}));
}

TEST_F(WalBatchWrites, AFailedLogWriteFailsTheCommitAndKeepsTheDatabaseWhole) {
    LogWriteProbe::Fail(true);
    EXPECT_NE(m_db.Execute("BEGIN; UPDATE a SET v = 2; UPDATE b SET v = 2; END;"), SQLiteDB::kOk);
    EXPECT_NE(m_db.Execute("UPDATE c SET v = 2"), SQLiteDB::kOk);
    LogWriteProbe::Fail(false);
    if (m_db.InTransaction()) m_db.Execute("ROLLBACK");

    // Nothing of the failed commits shows, to this connection or to another one.
    EXPECT_EQ(QueryFile(m_path, "SELECT a.v, b.v, c.v FROM a, b, c"),
              (std::vector<std::vector<std::string>>{{"1", "1", "1"}}));
    EXPECT_EQ(QueryFile(m_path, "PRAGMA integrity_check"), (std::vector<std::vector<std::string>>{{"ok"}}));

    // And the connection goes on writing once the disk does.
    ASSERT_EQ(m_db.Execute("UPDATE b SET v = 3"), SQLiteDB::kOk);
    EXPECT_EQ(QueryFile(m_path, "SELECT a.v, b.v, c.v FROM a, b, c"),
              (std::vector<std::vector<std::string>>{{"1", "3", "1"}}));
}

}  // namespace
}  // namespace corvatt
