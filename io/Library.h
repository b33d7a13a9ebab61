// SPDX-License-Identifier: MIT
#pragma once
// The library: the signatures of the documents in one folder, kept up to date
// by scans that read only what changed, and the candidates closest to the
// graph on screen with their thumbnails.
//
// A scan comes in three steps so that the reading can run on a worker thread:
// `plan` lists the folder and compares stamps (cheap, on the caller's thread),
// `ReadLibraryFiles` reads the signatures of the files that changed (the slow
// part; touches no Library), `apply` puts the results in. `loadLibrary` does
// all three at once.
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <QtGui/QImage>

#include "io/CandidateRanking.h"
#include "io/LibraryFolder.h"
#include "sketch/CFeature.h"

// Reads the "feature" of the document at an absolute path; false when the
// file has none that can be read. Must be safe to call from a worker thread.
using FeatureReader = std::function<bool(const std::string& path, CFeature& feature)>;
// The thumbnail of the document at an absolute path; a null image when there is none.
using ThumbnailReader = std::function<QImage(const std::string& path)>;

struct LibraryEntry {
    CFeature feature;
    LibraryFile file;  // the stamps when the signature was read
};

struct Candidate {
    double score;
    std::string name;
    QImage thumbnail;  // null when the document has no picture
};

// What a scan must do: the files to read (new or changed since read) and the
// names that left the folder.
struct ScanPlan {
    std::string folder;
    bool fresh = false;  // another folder than the library's: the map starts over
    std::vector<LibraryFile> toRead;
    std::vector<std::string> gone;
    bool empty() const { return toRead.empty() && gone.empty() && !fresh; }
};

struct ScanResult {
    LibraryFile file;
    bool ok = false;  // false: no usable signature; the file is skipped until it changes
    CFeature feature;
};

// Called with (files done, files in all) as the read goes on, from one thread
// at a time (the caller's when `threads` is 1).
using ScanProgress = std::function<void(std::size_t done, std::size_t total)>;

// Reads the signatures of `files` in `folder`, split over `threads` threads
// (the reader must be safe to call at once from several). Results are in the
// order of `files`. Stops early when `cancel` becomes true and returns a
// result for every file read until then (those that were not read are left out).
std::vector<ScanResult> ReadLibraryFiles(const std::string& folder, const std::vector<LibraryFile>& files,
                                         const FeatureReader& reader, const ScanProgress& progress = {},
                                         const std::atomic<bool>* cancel = nullptr, int threads = 1);

// Threads worth reading a library with on this machine.
int LibraryReadThreads();

class Library {
public:
    // Lists `folder` and compares it with the map. Nothing when the folder
    // cannot be listed (the map is then left as it is).
    std::optional<ScanPlan> plan(const std::string& folder) const;
    // Puts a plan's results in: new and changed files take their signatures,
    // unreadable ones are remembered as skipped, vanished names leave. A plan
    // made for a folder the library has since left is ignored.
    void apply(const ScanPlan& plan, const std::vector<ScanResult>& results);
    // plan, read, apply; false when the folder cannot be listed.
    bool loadLibrary(const std::string& folder, const FeatureReader& reader);

    // Ranks every entry against `graph`, keeps the closest five and reads
    // their thumbnails.
    void updateCandidates(const CFeature& graph, const ThumbnailReader& thumbnails);
    const std::vector<Candidate>& candidates() const { return candidates_; }
    // The absolute path of candidate `index`; empty when there is none.
    std::string candidatePath(int index) const;

    const std::string& folder() const { return folder_; }
    const std::map<std::string, LibraryEntry>& entries() const { return entries_; }
    // Files with no usable signature, with the stamps they had when tried.
    const std::map<std::string, LibraryFile>& skipped() const { return skipped_; }

private:
    std::string folder_;
    std::map<std::string, LibraryEntry> entries_;  // by file name, byte-wise order
    std::map<std::string, LibraryFile> skipped_;
    std::vector<Candidate> candidates_;
};
