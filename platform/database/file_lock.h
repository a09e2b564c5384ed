#pragma once
// Inside the database layer: the lock that tells programs a database file is
// in use, as the old engine's locking file did, without a side file: every
// open database holds a shared flock() on its file, and compaction needs the
// file exclusively. One descriptor per file and process carries the shared
// lock, closed only when the process's last connection to the file closes,
// so that closing it never drops the record locks SQLite holds on the file.

#include <filesystem>

namespace db {

// Holds the process's shared lock on a file while alive. Throws db::Error
// naming the file when it cannot be read or another program holds it
// exclusively (a compaction in progress).
class SharedFileLock {
public:
    explicit SharedFileLock(const std::filesystem::path& file);
    ~SharedFileLock();
    SharedFileLock(const SharedFileLock&) = delete;
    SharedFileLock& operator=(const SharedFileLock&) = delete;

private:
    unsigned long long device_, inode_;
};

// Holds a file exclusively while alive. Throws db::Error naming the file when
// any connection, in this process or another, has it open.
class ExclusiveFileLock {
public:
    explicit ExclusiveFileLock(const std::filesystem::path& file);
    ~ExclusiveFileLock();
    ExclusiveFileLock(const ExclusiveFileLock&) = delete;
    ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;

private:
    int fd_ = -1;
};

}  // namespace db
