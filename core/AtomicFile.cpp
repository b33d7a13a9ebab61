// SPDX-License-Identifier: MIT
#include "core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string SystemError(const char* what, int error) { return std::string(what) + ": " + std::strerror(error); }

// A name beside `path` that no other file has; created with the umask's
// permissions, as a plain new file would be.
int CreateBeside(const std::string& path, std::string& temporary, int& error) {
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + "." + name + "." + std::to_string(::getpid()) + "." + std::to_string(attempt) + ".tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            error = errno;
            return fd;
        }
    }
    error = EEXIST;
    return -1;
}

}  // namespace

std::string WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) return "no file name";
    struct stat old {};
    const bool existed = ::stat(path.c_str(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode)) return "the path is a folder";
    if (existed && !S_ISREG(old.st_mode)) return "the path is not a regular file";

    std::string temporary;
    int error = 0;
    const int fd = CreateBeside(path, temporary, error);
    if (fd < 0) return SystemError("cannot create the file", error);
    auto fail = [&](const char* what, int why) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return SystemError(what, why);
    };
    // The replacement keeps the permissions the old file had.
    if (existed && ::fchmod(fd, old.st_mode & 07777) != 0) return fail("cannot set the file's permissions", errno);
    const char* at = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return fail("cannot write the file", n < 0 ? errno : EIO);
        at += n;
        left -= size_t(n);
    }
    // On the disk before the rename makes it the file.
    if (::fsync(fd) != 0) return fail("cannot write the file to the disk", errno);
    if (::close(fd) != 0) {
        const int why = errno;
        ::unlink(temporary.c_str());
        return SystemError("cannot write the file", why);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int why = errno;
        ::unlink(temporary.c_str());
        return SystemError("cannot replace the file", why);
    }
    return "";
}
