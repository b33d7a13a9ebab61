#pragma once
// Keeps the library up to date without holding up the window. A scan lists the
// folder on the calling (UI) thread only when the folder watch says it may have
// changed (and every minute or so anyway), compares modification times, and
// reads the documents that are new or changed on a worker thread. Their
// signatures join the library on the UI thread when the worker is done.
#include <atomic>
#include <memory>

#include <QtCore/QFutureWatcher>
#include <QtCore/QObject>
#include <QtCore/QString>

#include "io/FolderWatch.h"
#include "io/Library.h"

class LibraryScanner : public QObject {
    Q_OBJECT
public:
    LibraryScanner(FeatureReader features, ThumbnailReader thumbnails, QObject* parent = nullptr);
    // Stops a running read and waits for the worker.
    ~LibraryScanner() override;

    // Replaces the document reads (tests fake them); ignored while a read runs.
    void setReaders(FeatureReader features, ThumbnailReader thumbnails);

    // `loadLibrary`: brings the library up to date with `folder`. Returns at
    // once; when files must be read, `scanning` is true until `scanFinished`.
    // A call while a read runs only stops it when `folder` is another one.
    // False when the folder cannot be listed.
    bool loadLibrary(const QString& folder);
    // From the start of a read until its results are in the library.
    bool scanning() const { return !running_.folder.empty(); }
    // Blocks until a running read has been applied (tests, shutdown).
    void waitForScan();

    // `updateCandidates`: ranks the library against `graph` and reads the
    // five kept documents' thumbnails.
    void updateCandidates(const CFeature& graph);
    const Library& library() const { return library_; }

signals:
    // Files read so far, out of `total`; from the UI thread.
    void progress(int done, int total);
    // A scan's results (files read, files gone, or another folder) are in the library.
    void libraryChanged();

private:
    void readFinished();

    FeatureReader features_;
    ThumbnailReader thumbnails_;
    Library library_;
    FolderWatch watch_;
    ScanPlan running_;  // the plan whose files the worker reads
    std::shared_ptr<std::atomic<bool>> cancel_ = std::make_shared<std::atomic<bool>>(false);
    QFutureWatcher<std::vector<ScanResult>> watcher_;
};
