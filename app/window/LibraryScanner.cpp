// SPDX-License-Identifier: MIT
#include "app/window/LibraryScanner.h"

#include <utility>
#include <QtConcurrent/QtConcurrentRun>
#include <QtCore/QFile>

LibraryScanner::LibraryScanner(FeatureReader features, ThumbnailReader thumbnails, QObject* parent)
    : QObject(parent), features_(std::move(features)), thumbnails_(std::move(thumbnails))
{
    connect(&watcher_, &QFutureWatcherBase::progressValueChanged, this,
            [this](int done) { emit progress(done, watcher_.progressMaximum()); });
    connect(&watcher_, &QFutureWatcherBase::finished, this, &LibraryScanner::scanFinished);
}

LibraryScanner::~LibraryScanner()
{
    cancel_->store(true);
    watcher_.disconnect(this);
    watcher_.waitForFinished();
}

void LibraryScanner::setReaders(FeatureReader features, ThumbnailReader thumbnails)
{
    if (scanning_) return;
    features_ = std::move(features);
    thumbnails_ = std::move(thumbnails);
}

void LibraryScanner::loadLibrary(const QString& folder)
{
    const std::string name = QFile::encodeName(folder).toStdString();
    if (scanning_) {
        // Served when the running scan is done; another folder stops that scan.
        next_ = name;
        if (name != scanFolder_) cancel_->store(true);
        return;
    }
    if (!watch_.needsListing(name) && name == library_.folder()) return;
    startScan(name);
}

void LibraryScanner::startScan(const std::string& name)
{
    scanning_ = true;
    scanFolder_ = name;
    cancel_->store(false);
    // The worker only reads the library (the UI thread changes it only in
    // scanFinished, after the worker is done), and gets copies of the rest.
    auto scan = [library = &library_, folder = name, reader = features_, cancel = cancel_](QPromise<Outcome>& promise) {
        Outcome outcome;
        outcome.plan = library->plan(folder);
        if (outcome.plan && !outcome.plan->toRead.empty()) {
            const std::vector<LibraryFile>& files = outcome.plan->toRead;
            promise.setProgressRange(0, int(files.size()));
            outcome.results = ReadLibraryFiles(
                folder, files, reader,
                [&promise](std::size_t done, std::size_t) { promise.setProgressValue(int(done)); }, cancel.get(),
                LibraryReadThreads());
        }
        promise.addResult(std::move(outcome));
    };
    watcher_.setFuture(QtConcurrent::run(scan));
}

void LibraryScanner::waitForScan()
{
    while (scanning_) {
        watcher_.waitForFinished();
        // The finished signal is queued to this thread; apply now rather than
        // later (which may start the scan asked for meanwhile).
        scanFinished();
    }
}

void LibraryScanner::scanFinished()
{
    const QFuture<Outcome> future = watcher_.future();
    // Already applied (waitForScan), or a late signal of an earlier scan.
    if (!scanning_ || !future.isFinished()) return;
    scanning_ = false;
    apply(future.resultCount() == 0 ? std::nullopt : std::optional<Outcome>(future.result()));
    // The newest request made while the scan ran: its folder is listed afresh.
    if (next_) {
        const std::string folder = *std::exchange(next_, std::nullopt);
        watch_.invalidate();
        if (watch_.needsListing(folder) || folder != library_.folder()) startScan(folder);
    }
}

void LibraryScanner::apply(std::optional<Outcome> outcome)
{
    if (!outcome) return;
    if (!outcome->plan) {
        watch_.invalidate();  // could not list: try again at the next call
        return;
    }
    // A scan stopped early leaves the rest of the plan undone; the unread
    // files still differ from the library and come back at the next listing.
    if (outcome->results.size() < outcome->plan->toRead.size()) watch_.invalidate();
    if (outcome->plan->empty()) return;
    library_.apply(*outcome->plan, outcome->results);
    emit libraryChanged();
}

void LibraryScanner::updateCandidates(const CFeature& graph) { library_.updateCandidates(graph, thumbnails_); }
