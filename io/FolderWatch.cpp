// SPDX-License-Identifier: MIT
#include "io/FolderWatch.h"

#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>

FolderWatch::FolderWatch(int fullListingEvery)
    : fullListingEvery_(fullListingEvery > 0 ? fullListingEvery : 1), fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
}

FolderWatch::~FolderWatch()
{
    if (fd_ >= 0) close(fd_);
}

void FolderWatch::unwatch()
{
    if (fd_ >= 0 && wd_ >= 0) inotify_rm_watch(fd_, wd_);
    wd_ = -1;
    drain();
    lost_ = false;
}

bool FolderWatch::drain()
{
    if (fd_ < 0) return false;
    bool any = false;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            any = true;
            for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
                // The folder went away or the queue overflowed: watch afresh at the next call.
                if (e->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_Q_OVERFLOW)) lost_ = true;
                at += ssize_t(sizeof(inotify_event)) + e->len;
            }
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return any;  // EAGAIN: nothing more waiting
    }
}

bool FolderWatch::SendsEvents(long type)
{
    switch (static_cast<unsigned long>(type) & 0xFFFFFFFFul) {
        case 0x6969:      // NFS
        case 0x517B:      // SMB
        case 0xFF534D42:  // CIFS
        case 0xFE534D42:  // SMB2
        case 0x65735546:  // FUSE (sshfs, rclone, …)
        case 0x564C:      // NCP
        case 0x5346414F:  // AFS
        case 0x6B414653:  // kAFS
        case 0x01021997:  // 9P (V9FS)
        case 0x73757245:  // Coda
        case 0x47504653:  // GPFS
        case 0x013111A8:  // IBRIX
        case 0x00C36400:  // Ceph
        case 0x19830326:  // Lustre
        case 0x0BD00BD0:  // Lustre (older)
        case 0x7461636F:  // OCFS2
        case 0x01161970:  // GFS2
            return false;
        default: return true;
    }
}

bool FolderWatch::needsListing(const std::string& folder)
{
    if (folder != folder_) {
        unwatch();
        folder_ = folder;
        calls_ = 0;
        struct statfs fs {};
        silent_ = !folder.empty() && ::statfs(folder.c_str(), &fs) == 0 && !SendsEvents(long(fs.f_type));
    }
    if (silent_) return true;
    const bool events = drain();
    if (lost_) {
        // The folder went away or events were lost: watch afresh (if it is back).
        lost_ = false;
        if (fd_ >= 0 && wd_ >= 0) inotify_rm_watch(fd_, wd_);
        wd_ = -1;
    }
    if (wd_ < 0) {
        // Watched before it is listed, so nothing that happens after the listing is missed.
        constexpr unsigned kEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MODIFY | IN_CLOSE_WRITE |
                                     IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
        if (fd_ >= 0 && !folder.empty()) wd_ = inotify_add_watch(fd_, folder.c_str(), kEvents | IN_ONLYDIR);
        calls_ = 0;
        return true;
    }
    if (events || ++calls_ >= fullListingEvery_) {
        calls_ = 0;
        return true;
    }
    return false;
}
