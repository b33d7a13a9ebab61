// SPDX-License-Identifier: MIT
// The library scan and the candidates, with the document reads faked: a
// "document" here is a text file listing the primitive types of its equations
// ("2 2 11"), or "broken" for a file with no usable signature.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

#include "io/Library.h"

namespace {

class FakeDocuments {
public:
    FeatureReader reader()
    {
        return [this](const std::string& path, CFeature& feature) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                ++reads_[path.substr(path.rfind('/') + 1)];
            }
            std::ifstream in(path);
            std::string word;
            feature.elements.clear();
            while (in >> word) {
                if (word == "broken") return false;
                FeatureElement e;
                e.type = std::stoi(word);
                feature.elements.push_back(e);
            }
            return bool(in.eof());
        };
    }
    int reads(const std::string& name) const
    {
        auto it = reads_.find(name);
        return it == reads_.end() ? 0 : it->second;
    }
    int totalReads() const
    {
        int n = 0;
        for (const auto& [name, count] : reads_) n += count;
        return n;
    }

private:
    std::mutex mutex_;
    std::map<std::string, int> reads_;
};

// Pictures only for documents whose name has "pic" in it.
QImage FakeThumbnail(const std::string& path)
{
    if (path.find("pic") == std::string::npos) return QImage();
    QImage picture(256, 256, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

class LibraryTest : public ::testing::Test {
protected:
    std::string folder() const { return dir.path().toStdString(); }
    std::string path(const std::string& name) const { return folder() + "/" + name; }

    // Writes a document and stamps it with the given modification time (seconds).
    void write(const std::string& name, const std::string& content, long seconds = 1000000)
    {
        std::ofstream(path(name), std::ios::binary) << content;
        stamp(name, seconds);
    }
    void stamp(const std::string& name, long seconds)
    {
        const timespec times[2] = {{seconds, 0}, {seconds, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path(name).c_str(), times, 0), 0);
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const auto& [name, entry] : library.entries()) out.push_back(name);
        return out;
    }

    QTemporaryDir dir;
    FakeDocuments docs;
    Library library;
};

CFeature Signature(std::initializer_list<int> types)
{
    CFeature f;
    for (int t : types) {
        FeatureElement e;
        e.type = t;
        f.elements.push_back(e);
    }
    return f;
}

// Seven documents, each one sine more than the last: against a graph of one
// sine the scores are the size term alone, and five are kept.
TEST_F(LibraryTest, SevenDocumentsGiveFiveCandidatesInAscendingScore)
{
    const char* const files[7][2] = {{"g.kvr", "6 6 6 6 6 6 6"}, {"a.kvr", "6"},         {"f.kvr", "6 6 6 6 6 6"},
                                     {"b.kvr", "6 6"},           {"e.kvr", "6 6 6 6 6"}, {"c.kvr", "6 6 6"},
                                     {"d.kvr", "6 6 6 6"}};
    for (const auto& f : files) write(f[0], f[1]);
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    ASSERT_EQ(library.entries().size(), 7u);
    library.updateCandidates(Signature({6}), FakeThumbnail);
    const std::vector<Candidate>& c = library.candidates();
    ASSERT_EQ(c.size(), 5u);
    const char* expected[5] = {"a.kvr", "b.kvr", "c.kvr", "d.kvr", "e.kvr"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(c[i].name, expected[i]);
        EXPECT_DOUBLE_EQ(c[i].score, 0.1 * i * i) << i;
        EXPECT_EQ(library.candidatePath(i), path(expected[i]));
    }
    EXPECT_EQ(library.candidatePath(5), "");
    EXPECT_EQ(library.candidatePath(-1), "");
}

// A re-saved document is read again at the next scan; an unchanged one is not
// opened again; a new one is read once.
TEST_F(LibraryTest, OnlyNewAndChangedFilesAreRead)
{
    write("a.kvr", "1");
    write("b.kvr", "2");
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    EXPECT_EQ(docs.reads("a.kvr"), 1);
    EXPECT_EQ(docs.reads("b.kvr"), 1);

    write("a.kvr", "11 11", 1000005);  // saved again
    write("c.kvr", "3");               // new
    std::optional<ScanPlan> plan = library.plan(folder());
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->toRead.size(), 2u);
    EXPECT_EQ(plan->toRead[0].name, "a.kvr");
    EXPECT_EQ(plan->toRead[1].name, "c.kvr");
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    EXPECT_EQ(docs.reads("a.kvr"), 2);
    EXPECT_EQ(docs.reads("b.kvr"), 1);
    EXPECT_EQ(docs.reads("c.kvr"), 1);
    EXPECT_EQ(library.entries().at("a.kvr").feature.elements.size(), 2u);

    // A change within the same second still shows in the nanoseconds or the size.
    write("b.kvr", "2 2 2", 1000000);
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    EXPECT_EQ(docs.reads("b.kvr"), 2);
    EXPECT_TRUE(library.plan(folder())->empty());
}

// An empty graph is still compared with every entry: the size term alone decides.
TEST_F(LibraryTest, EmptyGraphIsRanked)
{
    write("one.kvr", "2");
    write("three.kvr", "2 3 11");
    write("none.kvr", "");
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    library.updateCandidates(CFeature(), FakeThumbnail);
    const std::vector<Candidate>& c = library.candidates();
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0].name, "none.kvr");
    EXPECT_DOUBLE_EQ(c[0].score, 0.0);
    EXPECT_EQ(c[1].name, "one.kvr");
    EXPECT_DOUBLE_EQ(c[1].score, 0.1);
    EXPECT_EQ(c[2].name, "three.kvr");
    EXPECT_DOUBLE_EQ(c[2].score, 0.9);
}

// A file that left the folder leaves the library at the next scan, and is no longer ranked.
TEST_F(LibraryTest, VanishedFileLeavesTheLibrary)
{
    write("stays.kvr", "1");
    write("goes.kvr", "1");
    write("broken.kvr", "broken");
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    ASSERT_EQ(library.entries().size(), 2u);
    ASSERT_EQ(library.skipped().size(), 1u);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(path("goes.kvr"))));
    ASSERT_TRUE(QFile::remove(QString::fromStdString(path("broken.kvr"))));
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    EXPECT_EQ(names(), std::vector<std::string>{"stays.kvr"});
    EXPECT_TRUE(library.skipped().empty());
    library.updateCandidates(Signature({1}), FakeThumbnail);
    ASSERT_EQ(library.candidates().size(), 1u);
    EXPECT_EQ(library.candidates()[0].name, "stays.kvr");
}

// A file without a usable signature is never ranked (not with an empty or a
// stale one); it is tried again only when it changes. One without a picture
// is listed without one.
TEST_F(LibraryTest, BrokenFilesAreSkippedUntilTheyChange)
{
    write("good-pic.kvr", "2");
    write("plain.kvr", "2");
    write("bad.kvr", "broken");
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    EXPECT_EQ(docs.reads("bad.kvr"), 1);
    EXPECT_EQ(names(), (std::vector<std::string>{"good-pic.kvr", "plain.kvr"}));

    library.updateCandidates(Signature({2}), FakeThumbnail);
    ASSERT_EQ(library.candidates().size(), 2u);
    EXPECT_FALSE(library.candidates()[0].thumbnail.isNull());
    EXPECT_TRUE(library.candidates()[1].thumbnail.isNull());

    write("bad.kvr", "2", 2000000);  // mended
    write("good-pic.kvr", "broken", 2000000);  // spoilt: its old signature goes too
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    EXPECT_EQ(docs.reads("bad.kvr"), 2);
    EXPECT_EQ(names(), (std::vector<std::string>{"bad.kvr", "plain.kvr"}));
    EXPECT_EQ(library.skipped().count("good-pic.kvr"), 1u);
}

// Names in byte order (upper case before lower, UTF-8 after ASCII); equal
// scores keep that order in the ranking.
TEST_F(LibraryTest, EntriesAreOrderedByteWise)
{
    for (const char* name : {"b.kvr", "B.kvr", "\xc3\xa9t\xc3\xa9.kvr", "a.kvr", "A1.kvr", "LESSON.KVR"}) write(name, "1");
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    EXPECT_EQ(names(), (std::vector<std::string>{"A1.kvr", "B.kvr", "LESSON.KVR", "a.kvr", "b.kvr",
                                                 "\xc3\xa9t\xc3\xa9.kvr"}));
    library.updateCandidates(Signature({1}), FakeThumbnail);
    ASSERT_EQ(library.candidates().size(), 5u);
    EXPECT_EQ(library.candidates()[0].name, "A1.kvr");
    EXPECT_EQ(library.candidates()[4].name, "b.kvr");
}

// Things named like documents that are not documents are never opened: a
// folder, a pipe (opening it would block), links to nowhere or in a loop, and
// files with other extensions.
TEST_F(LibraryTest, HostileFolderEntriesAreSkipped)
{
    write("real.kvr", "1");
    write("notes.txt", "1");
    write(".kvr", "1");
    write("lesson.kvr.bak", "1");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.kvr"));
    ASSERT_EQ(mkfifo(path("pipe.kvr").c_str(), 0600), 0);
    ASSERT_EQ(symlink("nowhere.kvr", path("dangling.kvr").c_str()), 0);
    ASSERT_EQ(symlink("loop2.kvr", path("loop1.kvr").c_str()), 0);
    ASSERT_EQ(symlink("loop1.kvr", path("loop2.kvr").c_str()), 0);
    ASSERT_EQ(symlink("real.kvr", path("link.kvr").c_str()), 0);
    write("\xff\xfe.kvr", "1");  // not UTF-8: read as the bytes it is
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    EXPECT_EQ(names(), (std::vector<std::string>{"link.kvr", "real.kvr", "\xff\xfe.kvr"}));
    EXPECT_EQ(docs.totalReads(), 3);
    unlink(path("\xff\xfe.kvr").c_str());  // QTemporaryDir removes only names it can decode
}

// The scan and the thumbnail reads never change the working directory.
TEST_F(LibraryTest, WorkingDirectoryIsLeftAlone)
{
    const QString before = QDir::currentPath();
    write("pic.kvr", "1");
    std::string seen;
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    library.updateCandidates(Signature({1}), [&](const std::string& p) {
        seen = p;
        EXPECT_EQ(QDir::currentPath(), before);
        return FakeThumbnail(p);
    });
    EXPECT_EQ(seen, path("pic.kvr"));
    EXPECT_EQ(QDir::currentPath(), before);
}

// A folder that cannot be listed leaves the library as it was; another folder starts over.
TEST_F(LibraryTest, FolderChangesAndFailures)
{
    write("a.kvr", "1");
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    library.updateCandidates(Signature({1}), FakeThumbnail);
    EXPECT_FALSE(library.loadLibrary(folder() + "/missing", docs.reader()));
    EXPECT_FALSE(library.loadLibrary("", docs.reader()));
    EXPECT_EQ(names(), std::vector<std::string>{"a.kvr"});
    EXPECT_EQ(library.folder(), folder());

    QTemporaryDir other;
    std::ofstream(other.path().toStdString() + "/z.kvr") << "2";
    ASSERT_TRUE(library.loadLibrary(other.path().toStdString(), docs.reader()));
    EXPECT_EQ(names(), std::vector<std::string>{"z.kvr"});
    EXPECT_TRUE(library.candidates().empty());  // they named files of the old folder
}

// A plan made for a folder the library has since left changes nothing.
TEST_F(LibraryTest, StalePlanIsIgnored)
{
    write("a.kvr", "1");
    ASSERT_TRUE(library.loadLibrary(folder(), docs.reader()));
    std::optional<ScanPlan> stale = library.plan(folder());
    QTemporaryDir other;
    ASSERT_TRUE(library.loadLibrary(other.path().toStdString(), docs.reader()));
    write("b.kvr", "1", 3000000);
    stale->toRead.push_back({"b.kvr", 3000000000000000LL, 1});
    library.apply(*stale, ReadLibraryFiles(folder(), stale->toRead, docs.reader()));
    EXPECT_TRUE(library.entries().empty());
}

// The worker's read reports progress and stops when told.
TEST_F(LibraryTest, ReadReportsProgressAndStops)
{
    std::vector<LibraryFile> files;
    for (int i = 0; i < 10; ++i) {
        const std::string name = std::string("f") + char('0' + i) + ".kvr";
        write(name, "1");
        files.push_back({name, 0, 0});
    }
    std::atomic<bool> cancel{false};
    std::vector<std::size_t> seen;
    std::vector<ScanResult> results = ReadLibraryFiles(folder(), files, docs.reader(), [&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, 10u);
        seen.push_back(done);
        if (done == 4) cancel = true;
    }, &cancel);
    EXPECT_EQ(results.size(), 4u);
    EXPECT_EQ(seen, (std::vector<std::size_t>{1, 2, 3, 4}));
    EXPECT_TRUE(results[0].ok);
}

}  // namespace

namespace {

// Read on several threads, the results come in the order of the files, each read once.
TEST_F(LibraryTest, ReadOnSeveralThreadsKeepsTheOrder)
{
    std::vector<LibraryFile> files;
    for (int i = 0; i < 50; ++i) {
        const std::string name = std::string("f") + std::to_string(100 + i) + ".kvr";
        write(name, i % 7 == 0 ? "broken" : "6");
        files.push_back({name, i, 0});
    }
    std::size_t last = 0;
    const std::vector<ScanResult> results = ReadLibraryFiles(
        folder(), files, docs.reader(), [&](std::size_t done, std::size_t) { last = std::max(last, done); }, nullptr, 3);
    ASSERT_EQ(results.size(), 50u);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(results[i].file.name, files[i].name);
        EXPECT_EQ(results[i].ok, i % 7 != 0) << i;
        EXPECT_EQ(docs.reads(files[i].name), 1);
    }
    EXPECT_EQ(last, 50u);
}

}  // namespace
