// SPDX-License-Identifier: MIT
#include "io/Library.h"

#include <algorithm>
#include <thread>

std::vector<ScanResult> ReadLibraryFiles(const std::string& folder, const std::vector<LibraryFile>& files,
                                         const FeatureReader& reader, const ScanProgress& progress,
                                         const std::atomic<bool>* cancel, int threads) {
    const std::size_t n = files.size();
    std::vector<ScanResult> results(n);
    std::vector<char> read(n, 0);
    std::atomic<std::size_t> done{0};
    // Each thread takes every `step`-th file, so that a slow stretch of the
    // folder is shared out; thread 0 reports progress.
    const std::size_t step = std::size_t(std::clamp(threads, 1, 64));
    auto work = [&](std::size_t first) {
        for (std::size_t i = first; i < n; i += step) {
            if (cancel && cancel->load(std::memory_order_relaxed)) return;
            ScanResult& r = results[i];
            r.file = files[i];
            r.ok = reader && reader(LibraryPath(folder, files[i].name), r.feature);
            if (!r.ok) r.feature.elements.clear();
            read[i] = 1;
            const std::size_t now = done.fetch_add(1, std::memory_order_relaxed) + 1;
            if (first == 0 && progress) progress(now, n);
        }
    };
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < step && t < n; ++t) helpers.emplace_back(work, t);
    work(0);
    for (std::thread& h : helpers) h.join();
    if (progress && !helpers.empty()) progress(done.load(), n);  // the helpers' last files

    std::size_t kept = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!read[i]) continue;
        if (kept != i) results[kept] = std::move(results[i]);
        ++kept;
    }
    results.resize(kept);
    return results;
}

int LibraryReadThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return int(std::clamp(cores, 1u, 4u));
}

std::optional<ScanPlan> Library::plan(const std::string& folder) const {
    std::optional<std::vector<LibraryFile>> listing = ListLibraryFolder(folder);
    if (!listing) return std::nullopt;
    ScanPlan p;
    p.folder = folder;
    p.fresh = folder != folder_;
    if (p.fresh) {
        p.toRead = std::move(*listing);
        return p;
    }
    // Both sides are in name order: one merge walk over the listing and the map.
    auto known = entries_.begin();
    auto skip = skipped_.begin();
    for (const LibraryFile& file : *listing) {
        while (known != entries_.end() && known->first < file.name) p.gone.push_back((known++)->first);
        while (skip != skipped_.end() && skip->first < file.name) p.gone.push_back((skip++)->first);
        bool same = false;
        if (known != entries_.end() && known->first == file.name) same = (known++)->second.file.sameStamp(file);
        else if (skip != skipped_.end() && skip->first == file.name) same = (skip++)->second.sameStamp(file);
        if (!same) p.toRead.push_back(file);
    }
    for (; known != entries_.end(); ++known) p.gone.push_back(known->first);
    for (; skip != skipped_.end(); ++skip) p.gone.push_back(skip->first);
    return p;
}

void Library::apply(const ScanPlan& plan, const std::vector<ScanResult>& results) {
    if (plan.fresh) {
        folder_ = plan.folder;
        entries_.clear();
        skipped_.clear();
        candidates_.clear();
    } else if (plan.folder != folder_) {
        return;
    }
    for (const std::string& name : plan.gone) {
        entries_.erase(name);
        skipped_.erase(name);
    }
    for (const ScanResult& r : results) {
        if (r.ok) {
            skipped_.erase(r.file.name);
            entries_.insert_or_assign(r.file.name, LibraryEntry{r.feature, r.file});
        } else {
            entries_.erase(r.file.name);
            skipped_.insert_or_assign(r.file.name, r.file);
        }
    }
}

bool Library::loadLibrary(const std::string& folder, const FeatureReader& reader) {
    std::optional<ScanPlan> p = plan(folder);
    if (!p) return false;
    apply(*p, ReadLibraryFiles(p->folder, p->toRead, reader));
    return true;
}

void Library::updateCandidates(const CFeature& graph, const ThumbnailReader& thumbnails) {
    candidates_.clear();
    for (RankedCandidate& r : RankCandidates(entries_, graph)) {
        QImage picture;
        if (thumbnails) picture = thumbnails(LibraryPath(folder_, r.name));
        candidates_.push_back(Candidate{r.score, std::move(r.name), std::move(picture)});
    }
}

std::string Library::candidatePath(int index) const {
    if (index < 0 || std::size_t(index) >= candidates_.size()) return {};
    return LibraryPath(folder_, candidates_[std::size_t(index)].name);
}
