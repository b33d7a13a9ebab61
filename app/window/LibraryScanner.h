// SPDX-License-Identifier: MIT
#pragma once
// Keeps the library up to date without holding up the window. A scan runs on
// a worker thread: it lists the folder, compares modification times with the
// library and reads the documents that are new or changed; the results join
// the library on the UI thread when the worker is done. The UI thread only
// asks the folder watch whether anything changed, so a quiet folder costs
// nothing, and a full listing (every minute or so, and for folders that send
// no events) never holds the window up however big the folder is.
#include <atomic>
#include <memory>
#include <optional>

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

    // Replaces the document reads (tests fake them); ignored while a scan runs.
    void setReaders(FeatureReader features, ThumbnailReader thumbnails);

    // `loadLibrary`: brings the library up to date with `folder`. Returns at
    // once; when the folder must be looked at, `scanning` is true until
    // `libraryChanged` (or until the worker found nothing new). A call while a
    // scan runs is served after it (the newest such call wins, and its folder
    // is listed afresh, for it may have changed since the running scan looked);
    // it stops the running scan when `folder` is another one.
    void loadLibrary(const QString& folder);
    bool scanning() const { return scanning_; }
    // Blocks until the running scan, and the one asked for meanwhile, have been
    // applied (tests, shutdown).
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
    // What the worker hands back: the plan (none when the folder could not be
    // listed) and the signatures it read.
    struct Outcome {
        std::optional<ScanPlan> plan;
        std::vector<ScanResult> results;
    };
    void scanFinished();
    void startScan(const std::string& folder);
    void apply(std::optional<Outcome> outcome);

    FeatureReader features_;
    ThumbnailReader thumbnails_;
    Library library_;
    FolderWatch watch_;
    bool scanning_ = false;
    std::string scanFolder_;  // the folder the running scan looks at
    std::optional<std::string> next_;  // the folder asked for while a scan ran
    std::shared_ptr<std::atomic<bool>> cancel_ = std::make_shared<std::atomic<bool>>(false);
    QFutureWatcher<Outcome> watcher_;
};
