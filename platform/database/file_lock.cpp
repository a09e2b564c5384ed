#include "file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>

#include "database_error.h"

namespace db {

namespace {

struct Holder {
    int fd = -1;
    int count = 0;
};

std::mutex registry_mutex;
std::map<std::pair<unsigned long long, unsigned long long>, Holder> registry;

[[noreturn]] void unreadable(const std::filesystem::path& file) {
    throw Error(kGeneralError, "No se puede leer la base de datos '" + file.string() +
                                   "': " + std::strerror(errno));
}

}  // namespace

SharedFileLock::SharedFileLock(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        unreadable(file);
    device_ = info.st_dev;
    inode_ = info.st_ino;
    std::lock_guard<std::mutex> guard(registry_mutex);
    Holder& holder = registry[{device_, inode_}];
    if (holder.count == 0) {
        int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            registry.erase({device_, inode_});
            unreadable(file);
        }
        if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
            ::close(fd);
            registry.erase({device_, inode_});
            throw Error(kGeneralError, "La base de datos '" + file.string() +
                                           "' está bloqueada por otro programa.");
        }
        holder.fd = fd;
    }
    ++holder.count;
}

SharedFileLock::~SharedFileLock() {
    std::lock_guard<std::mutex> guard(registry_mutex);
    auto it = registry.find({device_, inode_});
    if (it == registry.end())
        return;
    if (--it->second.count == 0) {
        ::close(it->second.fd);
        registry.erase(it);
    }
}

ExclusiveFileLock::ExclusiveFileLock(const std::filesystem::path& file) {
    fd_ = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        if (errno == ENOENT)
            throw Error(kGeneralError, "No se encontró la base de datos '" + file.string() + "'.");
        unreadable(file);
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd_);
        fd_ = -1;
        throw Error(kGeneralError, "La base de datos '" + file.string() + "' está abierta.");
    }
}

ExclusiveFileLock::~ExclusiveFileLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

}  // namespace db
