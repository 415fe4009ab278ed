#pragma once

namespace corvatt::wal_batch {

// A VFS over SQLite's own that gathers the write-ahead-log writes of one commit (each frame
// is a header and a page, written separately) and hands them to the file as one write when
// the commit frame is complete. A frame written again goes out at once. The log's content, the locks and every other file pass
// through unchanged; only the number of system calls per commit drops.
//
// Pending log bytes are always written before the commit is published in the shared index
// (before the index barrier and before any other use of the log), and a failed write fails
// the commit itself, so readers in this and other processes never see a frame that is not
// on disk.

// The name of the batching VFS over the process's default VFS, registered on first use.
// nullptr when it could not be registered (the caller then uses the default).
const char* DefaultVfsName();

// Registers a batching VFS called `name` over the registered VFS `base` (nullptr: the
// default). False when `base` is unknown, `name` is taken, or registration fails.
// `name` must stay valid for the life of the process.
bool Register(const char* name, const char* base);

}  // namespace corvatt::wal_batch
