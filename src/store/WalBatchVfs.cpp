#include "store/WalBatchVfs.h"

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace corvatt::wal_batch {
namespace {

// A log frame starts with a 24-byte header; bytes 4-7 hold the database size after the
// commit, which is nonzero only in the last frame of a commit.
constexpr size_t kFrameHeaderSize = 24;
// The most one write may hold: the unix VFS writes at most 128 KiB - 1 bytes per call.
constexpr size_t kMaxWrite = size_t{64} << 10;

struct File {
    sqlite3_file base;  // must come first: SQLite sees this
    sqlite3_file* real = nullptr;
    bool is_log = false;
    File* log = nullptr;       // on a database file: its open log
    File* database = nullptr;  // on a log: its database file
    std::vector<unsigned char> pending;
    sqlite3_int64 pending_start = 0;
    sqlite3_int64 log_end = 0;  // end of what was written to the log, pending or not
    bool commit_frame_open = false;  // the commit frame's header is pending, its page not yet
    int deferred_error = SQLITE_OK;  // a write that failed where no error could be returned
};

// The real file lives right after ours, suitably aligned.
constexpr size_t kFileSpace = (sizeof(File) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) *
                              alignof(std::max_align_t);

File* Of(sqlite3_file* file) { return reinterpret_cast<File*>(file); }
sqlite3_vfs* Base(sqlite3_vfs* vfs) { return static_cast<sqlite3_vfs*>(vfs->pAppData); }
const sqlite3_io_methods* Real(File* f) { return f->real->pMethods; }

int Flush(File* f) {
    if (f->pending.empty()) return SQLITE_OK;
    const int rc = Real(f)->xWrite(f->real, f->pending.data(), static_cast<int>(f->pending.size()),
                                   f->pending_start);
    f->pending.clear();
    f->commit_frame_open = false;
    return rc;
}

// Before any use of the log other than a write.
int Settle(File* f) {
    if (!f->is_log) return SQLITE_OK;
    if (f->deferred_error != SQLITE_OK) {
        const int rc = f->deferred_error;
        f->deferred_error = SQLITE_OK;
        return rc;
    }
    return Flush(f);
}

// Before the database's shared index changes: nothing may stay pending by then.
void SettleLogOf(File* database) {
    File* log = database->log;
    if (log == nullptr) return;
    const int rc = Flush(log);
    if (rc != SQLITE_OK && log->deferred_error == SQLITE_OK) log->deferred_error = rc;
}

int Close(sqlite3_file* file) {
    File* f = Of(file);
    int rc = Settle(f);
    if (f->is_log && f->database != nullptr) f->database->log = nullptr;
    if (!f->is_log && f->log != nullptr) f->log->database = nullptr;
    const int closed = Real(f)->xClose(f->real);
    if (rc == SQLITE_OK) rc = closed;
    f->~File();
    return rc;
}

int Read(sqlite3_file* file, void* data, int amount, sqlite3_int64 offset) {
    File* f = Of(file);
    if (const int rc = Settle(f); rc != SQLITE_OK) return rc;
    return Real(f)->xRead(f->real, data, amount, offset);
}

int Write(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset) {
    File* f = Of(file);
    if (!f->is_log) return Real(f)->xWrite(f->real, data, amount, offset);
    if (f->deferred_error != SQLITE_OK) return Settle(f);
    if (offset == 0) f->log_end = 0;  // the log starts over with its header
    if (offset < f->log_end) {
        // A frame written again (a page changed after it was spilled, checksums redone once
        // the commit frame is out): at once, after what is pending.
        if (const int rc = Flush(f); rc != SQLITE_OK) return rc;
        if (offset + amount > f->log_end) f->log_end = offset + amount;
        return Real(f)->xWrite(f->real, data, amount, offset);
    }
    f->log_end = offset + amount;

    const bool completes_commit = f->commit_frame_open;  // this is the commit frame's page
    f->commit_frame_open = false;
    const size_t size = static_cast<size_t>(amount);
    const bool joins = offset == f->pending_start + static_cast<sqlite3_int64>(f->pending.size()) &&
                       f->pending.size() + size <= kMaxWrite;
    if (!f->pending.empty() && !joins) {
        if (const int rc = Flush(f); rc != SQLITE_OK) return rc;
    }
    if (size > kMaxWrite) return Real(f)->xWrite(f->real, data, amount, offset);
    if (f->pending.empty()) f->pending_start = offset;
    const auto* bytes = static_cast<const unsigned char*>(data);
    f->pending.insert(f->pending.end(), bytes, bytes + size);

    if (completes_commit) return Flush(f);
    f->commit_frame_open = size == kFrameHeaderSize && (bytes[4] | bytes[5] | bytes[6] | bytes[7]) != 0;
    return SQLITE_OK;
}

int Truncate(sqlite3_file* file, sqlite3_int64 size) {
    File* f = Of(file);
    if (const int rc = Settle(f); rc != SQLITE_OK) return rc;
    return Real(f)->xTruncate(f->real, size);
}

int Sync(sqlite3_file* file, int flags) {
    File* f = Of(file);
    if (const int rc = Settle(f); rc != SQLITE_OK) return rc;
    return Real(f)->xSync(f->real, flags);
}

int FileSize(sqlite3_file* file, sqlite3_int64* size) {
    File* f = Of(file);
    if (const int rc = Settle(f); rc != SQLITE_OK) return rc;
    return Real(f)->xFileSize(f->real, size);
}

int Lock(sqlite3_file* file, int level) {
    File* f = Of(file);
    if (const int rc = Settle(f); rc != SQLITE_OK) return rc;
    return Real(f)->xLock(f->real, level);
}

int Unlock(sqlite3_file* file, int level) {
    File* f = Of(file);
    Settle(f);
    return Real(f)->xUnlock(f->real, level);
}

int CheckReservedLock(sqlite3_file* file, int* result) {
    File* f = Of(file);
    return Real(f)->xCheckReservedLock(f->real, result);
}

int FileControl(sqlite3_file* file, int op, void* argument) {
    File* f = Of(file);
    if (const int rc = Settle(f); rc != SQLITE_OK) return rc;
    return Real(f)->xFileControl(f->real, op, argument);
}

int SectorSize(sqlite3_file* file) {
    File* f = Of(file);
    return Real(f)->xSectorSize(f->real);
}

int DeviceCharacteristics(sqlite3_file* file) {
    File* f = Of(file);
    return Real(f)->xDeviceCharacteristics(f->real);
}

int ShmMap(sqlite3_file* file, int region, int size, int extend, void volatile** memory) {
    File* f = Of(file);
    if (Real(f)->iVersion < 2) return SQLITE_IOERR_SHMMAP;
    return Real(f)->xShmMap(f->real, region, size, extend, memory);
}

int ShmLock(sqlite3_file* file, int offset, int count, int flags) {
    File* f = Of(file);
    if (Real(f)->iVersion < 2) return SQLITE_IOERR_SHMLOCK;
    SettleLogOf(f);
    return Real(f)->xShmLock(f->real, offset, count, flags);
}

void ShmBarrier(sqlite3_file* file) {
    File* f = Of(file);
    if (Real(f)->iVersion < 2) return;
    SettleLogOf(f);
    Real(f)->xShmBarrier(f->real);
}

int ShmUnmap(sqlite3_file* file, int remove) {
    File* f = Of(file);
    if (Real(f)->iVersion < 2) return SQLITE_OK;
    SettleLogOf(f);
    return Real(f)->xShmUnmap(f->real, remove);
}

int Fetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** pointer) {
    File* f = Of(file);
    *pointer = nullptr;
    if (Real(f)->iVersion < 3) return SQLITE_OK;
    if (const int rc = Settle(f); rc != SQLITE_OK) return rc;
    return Real(f)->xFetch(f->real, offset, amount, pointer);
}

int Unfetch(sqlite3_file* file, sqlite3_int64 offset, void* pointer) {
    File* f = Of(file);
    if (Real(f)->iVersion < 3) return SQLITE_OK;
    return Real(f)->xUnfetch(f->real, offset, pointer);
}

const sqlite3_io_methods kMethods = {
    3,           Close,     Read,     Write,      Truncate,  Sync,       FileSize,
    Lock,        Unlock,    CheckReservedLock,    FileControl,           SectorSize,
    DeviceCharacteristics,  ShmMap,   ShmLock,    ShmBarrier, ShmUnmap,  Fetch,
    Unfetch,
};

int Open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* out_flags) {
    File* f = new (file) File{};
    f->real = reinterpret_cast<sqlite3_file*>(reinterpret_cast<unsigned char*>(file) + kFileSpace);
    const int rc = Base(vfs)->xOpen(Base(vfs), name, f->real, flags, out_flags);
    if (rc != SQLITE_OK || f->real->pMethods == nullptr) {
        if (f->real->pMethods != nullptr) f->real->pMethods->xClose(f->real);
        f->~File();
        file->pMethods = nullptr;
        return rc != SQLITE_OK ? rc : SQLITE_CANTOPEN;
    }
    f->base.pMethods = &kMethods;
    if ((flags & SQLITE_OPEN_WAL) != 0 && name != nullptr) {
        sqlite3_file* database = sqlite3_database_file_object(name);
        // Batch only when the database's file is ours too, so its index barrier can flush.
        if (database != nullptr && database->pMethods == &kMethods) {
            f->is_log = true;
            f->database = Of(database);
            f->database->log = f;
        }
    }
    return SQLITE_OK;
}

int Delete(sqlite3_vfs* vfs, const char* name, int sync_dir) {
    return Base(vfs)->xDelete(Base(vfs), name, sync_dir);
}
int Access(sqlite3_vfs* vfs, const char* name, int flags, int* result) {
    return Base(vfs)->xAccess(Base(vfs), name, flags, result);
}
int FullPathname(sqlite3_vfs* vfs, const char* name, int size, char* out) {
    return Base(vfs)->xFullPathname(Base(vfs), name, size, out);
}
void* DlOpen(sqlite3_vfs* vfs, const char* name) { return Base(vfs)->xDlOpen(Base(vfs), name); }
void DlError(sqlite3_vfs* vfs, int size, char* message) { Base(vfs)->xDlError(Base(vfs), size, message); }
void (*DlSym(sqlite3_vfs* vfs, void* handle, const char* symbol))(void) {
    return Base(vfs)->xDlSym(Base(vfs), handle, symbol);
}
void DlClose(sqlite3_vfs* vfs, void* handle) { Base(vfs)->xDlClose(Base(vfs), handle); }
int Randomness(sqlite3_vfs* vfs, int size, char* out) { return Base(vfs)->xRandomness(Base(vfs), size, out); }
int Sleep(sqlite3_vfs* vfs, int microseconds) { return Base(vfs)->xSleep(Base(vfs), microseconds); }
int CurrentTime(sqlite3_vfs* vfs, double* now) { return Base(vfs)->xCurrentTime(Base(vfs), now); }
int GetLastError(sqlite3_vfs* vfs, int size, char* out) {
    return Base(vfs)->xGetLastError ? Base(vfs)->xGetLastError(Base(vfs), size, out) : 0;
}
int CurrentTimeInt64(sqlite3_vfs* vfs, sqlite3_int64* now) {
    return Base(vfs)->xCurrentTimeInt64(Base(vfs), now);
}
int SetSystemCall(sqlite3_vfs* vfs, const char* name, sqlite3_syscall_ptr call) {
    return Base(vfs)->xSetSystemCall(Base(vfs), name, call);
}
sqlite3_syscall_ptr GetSystemCall(sqlite3_vfs* vfs, const char* name) {
    return Base(vfs)->xGetSystemCall(Base(vfs), name);
}
const char* NextSystemCall(sqlite3_vfs* vfs, const char* name) {
    return Base(vfs)->xNextSystemCall(Base(vfs), name);
}

// The registered VFS objects must outlive every connection, including those closed by
// static destructors, so they are never freed.
std::vector<std::unique_ptr<sqlite3_vfs>>& Registered() {
    static auto* list = new std::vector<std::unique_ptr<sqlite3_vfs>>();
    return *list;
}

std::mutex& RegistryLock() {
    static auto* lock = new std::mutex();
    return *lock;
}

}  // namespace

bool Register(const char* name, const char* base_name) {
    if (name == nullptr || sqlite3_initialize() != SQLITE_OK) return false;
    std::lock_guard<std::mutex> guard(RegistryLock());
    sqlite3_vfs* base = sqlite3_vfs_find(base_name);
    if (base == nullptr || sqlite3_vfs_find(name) != nullptr) return false;

    auto vfs = std::make_unique<sqlite3_vfs>();
    std::memset(vfs.get(), 0, sizeof(sqlite3_vfs));
    vfs->iVersion = base->iVersion < 3 ? base->iVersion : 3;
    vfs->szOsFile = static_cast<int>(kFileSpace) + base->szOsFile;
    vfs->mxPathname = base->mxPathname;
    vfs->zName = name;
    vfs->pAppData = base;
    vfs->xOpen = Open;
    vfs->xDelete = Delete;
    vfs->xAccess = Access;
    vfs->xFullPathname = FullPathname;
    vfs->xDlOpen = base->xDlOpen ? DlOpen : nullptr;
    vfs->xDlError = base->xDlError ? DlError : nullptr;
    vfs->xDlSym = base->xDlSym ? DlSym : nullptr;
    vfs->xDlClose = base->xDlClose ? DlClose : nullptr;
    vfs->xRandomness = Randomness;
    vfs->xSleep = Sleep;
    vfs->xCurrentTime = CurrentTime;
    vfs->xGetLastError = GetLastError;
    if (vfs->iVersion >= 2) vfs->xCurrentTimeInt64 = CurrentTimeInt64;
    if (vfs->iVersion >= 3) {
        vfs->xSetSystemCall = base->xSetSystemCall ? SetSystemCall : nullptr;
        vfs->xGetSystemCall = base->xGetSystemCall ? GetSystemCall : nullptr;
        vfs->xNextSystemCall = base->xNextSystemCall ? NextSystemCall : nullptr;
    }
    if (sqlite3_vfs_register(vfs.get(), 0) != SQLITE_OK) return false;
    Registered().push_back(std::move(vfs));
    return true;
}

const char* DefaultVfsName() {
    static const char* const name = Register("corvatt-wal-batch", nullptr) ? "corvatt-wal-batch" : nullptr;
    return name;
}

}  // namespace corvatt::wal_batch
