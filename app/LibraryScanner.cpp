#include "app/LibraryScanner.h"

#include <QtConcurrent/QtConcurrentRun>
#include <QtCore/QFile>

LibraryScanner::LibraryScanner(FeatureReader features, ThumbnailReader thumbnails, QObject* parent)
    : QObject(parent), features_(std::move(features)), thumbnails_(std::move(thumbnails))
{
    connect(&watcher_, &QFutureWatcherBase::progressValueChanged, this,
            [this](int done) { emit progress(done, watcher_.progressMaximum()); });
    connect(&watcher_, &QFutureWatcherBase::finished, this, &LibraryScanner::readFinished);
}

LibraryScanner::~LibraryScanner()
{
    cancel_->store(true);
    watcher_.disconnect(this);
    watcher_.waitForFinished();
}

void LibraryScanner::setReaders(FeatureReader features, ThumbnailReader thumbnails)
{
    if (scanning()) return;
    features_ = std::move(features);
    thumbnails_ = std::move(thumbnails);
}

bool LibraryScanner::loadLibrary(const QString& folder)
{
    if (scanning()) {
        // Another folder chosen meanwhile: stop reading the old one; the next call starts on the new.
        if (QFile::encodeName(folder).toStdString() != running_.folder) cancel_->store(true);
        return true;
    }
    const std::string name = QFile::encodeName(folder).toStdString();
    if (!watch_.needsListing(name) && name == library_.folder()) return true;
    std::optional<ScanPlan> plan = library_.plan(name);
    if (!plan) return false;
    if (plan->toRead.empty()) {
        // Only names that went, or an empty new folder: nothing to read.
        if (!plan->empty()) {
            library_.apply(*plan, {});
            emit libraryChanged();
        }
        return true;
    }
    running_ = std::move(*plan);
    cancel_->store(false);
    // The worker gets copies of what it needs: the folder, the files, the reader.
    auto read = [folder = running_.folder, files = running_.toRead, reader = features_,
                 cancel = cancel_](QPromise<std::vector<ScanResult>>& promise) {
        promise.setProgressRange(0, int(files.size()));
        promise.addResult(ReadLibraryFiles(
            folder, files, reader, [&promise](std::size_t done, std::size_t) { promise.setProgressValue(int(done)); },
            cancel.get(), LibraryReadThreads()));
    };
    watcher_.setFuture(QtConcurrent::run(read));
    return true;
}

void LibraryScanner::waitForScan()
{
    if (!scanning()) return;
    watcher_.waitForFinished();
    // The finished signal is queued to this thread; apply now rather than later.
    readFinished();
}

void LibraryScanner::readFinished()
{
    const QFuture<std::vector<ScanResult>> future = watcher_.future();
    // Already applied (waitForScan), or a late signal of an earlier read.
    if (running_.folder.empty() || !future.isFinished()) return;
    std::vector<ScanResult> results;
    if (future.resultCount() > 0) results = future.result();
    // A read stopped early leaves the rest of the plan undone; the unread
    // files still differ from the library and come back at the next scan.
    ScanPlan plan = std::move(running_);
    running_ = ScanPlan();
    if (results.size() < plan.toRead.size()) watch_.invalidate();
    library_.apply(plan, results);
    emit libraryChanged();
}

void LibraryScanner::updateCandidates(const CFeature& graph) { library_.updateCandidates(graph, thumbnails_); }
