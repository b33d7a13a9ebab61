// SPDX-License-Identifier: MIT
#pragma once
// Tells the library's periodic tick whether the folder can have changed since
// the last listing, so that a quiet folder costs no listing at all. Linux
// inotify reports entries created, deleted, renamed, written or touched in
// the folder. Where it cannot (a folder it cannot watch, network file
// systems that send no events, documents that are links to files elsewhere)
// a full listing every `fullListingEvery` checks still finds every change, and
// a folder on a file system that sends no events is listed at every check.
#include <string>

class FolderWatch {
public:
    explicit FolderWatch(int fullListingEvery = 40);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Whether `folder` must be listed now: true for another folder than the
    // last one (its watch starts before the caller lists it, so nothing that
    // happens after is missed), when events arrived since the last call, when
    // there is no watch, and on every `fullListingEvery`-th call.
    bool needsListing(const std::string& folder);
    // Makes the next call list, whatever happened (a listing that failed).
    void invalidate() { folder_.clear(); }

    // Whether a file system of this statfs type sends inotify events for
    // changes made elsewhere: network and user-space file systems (NFS, SMB,
    // FUSE and the like) see only changes made on this machine, so a folder
    // on them is listed on every call.
    static bool SendsEvents(long filesystemType);

private:
    void unwatch();
    bool drain();  // true when any event was waiting

    int fullListingEvery_;
    int calls_ = 0;
    int fd_ = -1;  // the inotify instance, -1 when there is none
    int wd_ = -1;  // the folder's watch, -1 when not watched
    bool lost_ = false;  // the watch ended (folder gone, events lost)
    bool silent_ = false;  // the folder's file system sends no events
    std::string folder_;
};
