// SPDX-License-Identifier: MIT
// The watch that spares a quiet library folder its listing.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <functional>

#include "io/FolderWatch.h"

namespace {

class FolderWatchTest : public ::testing::Test {
public:
    void SetUp() override
    {
        std::ofstream(path("a.kvr")) << "old";
        ASSERT_TRUE(watch.needsListing(folder()));  // a new folder is always listed
        ASSERT_FALSE(watch.needsListing(folder()));
    }
    std::string folder() const { return dir.path().toStdString(); }
    std::string path(const char* name) const { return folder() + "/" + name; }

protected:
    QTemporaryDir dir;
    FolderWatch watch{1000};
};

// Each change a library can see is noticed once, then the folder is quiet again.
TEST_F(FolderWatchTest, EveryKindOfChangeIsNoticed)
{
    const struct {
        const char* what;
        std::function<void(FolderWatchTest&)> change;
    } rows[] = {
        {"new file", [](FolderWatchTest& t) { std::ofstream(t.path("b.kvr")) << "x"; }},
        {"written in place", [](FolderWatchTest& t) { std::ofstream(t.path("a.kvr"), std::ios::app) << "more"; }},
        {"touched", [](FolderWatchTest& t) {
             const timespec times[2] = {{5, 0}, {5, 0}};
             utimensat(AT_FDCWD, t.path("a.kvr").c_str(), times, 0);
         }},
        {"replaced by rename", [](FolderWatchTest& t) {
             std::ofstream(t.path("tmp")) << "new";
             std::rename(t.path("tmp").c_str(), t.path("a.kvr").c_str());
         }},
        {"deleted", [](FolderWatchTest& t) { std::remove(t.path("b.kvr").c_str()); }},
    };
    for (const auto& row : rows) {
        row.change(*this);
        EXPECT_TRUE(watch.needsListing(folder())) << row.what;
        EXPECT_FALSE(watch.needsListing(folder())) << row.what;
    }
}

TEST_F(FolderWatchTest, AnotherFolderIsListedAndWatched)
{
    QTemporaryDir other;
    EXPECT_TRUE(watch.needsListing(other.path().toStdString()));
    EXPECT_FALSE(watch.needsListing(other.path().toStdString()));
    std::ofstream(path("b.kvr")) << "x";  // the old folder is no longer watched
    EXPECT_FALSE(watch.needsListing(other.path().toStdString()));
    EXPECT_TRUE(watch.needsListing(folder()));
}

// Without a watch every call lists; with one, every n-th call lists anyway.
TEST(FolderWatch, MissingFolderAndPeriodicListing)
{
    FolderWatch watch(3);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(watch.needsListing("/no/such/folder")) << i;
    QTemporaryDir dir;
    EXPECT_TRUE(watch.needsListing(dir.path().toStdString()));
    EXPECT_FALSE(watch.needsListing(dir.path().toStdString()));
    EXPECT_FALSE(watch.needsListing(dir.path().toStdString()));
    EXPECT_TRUE(watch.needsListing(dir.path().toStdString()));
}

// A folder removed and made again is watched again.
TEST(FolderWatch, FolderRemovedAndMadeAgain)
{
    QTemporaryDir parent;
    const QString folder = parent.filePath("lib");
    ASSERT_TRUE(QDir().mkdir(folder));
    FolderWatch watch(1000);
    const std::string name = folder.toStdString();
    EXPECT_TRUE(watch.needsListing(name));
    EXPECT_FALSE(watch.needsListing(name));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_TRUE(watch.needsListing(name));
    EXPECT_TRUE(watch.needsListing(name));  // still gone: listed (and fails) each time
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_TRUE(watch.needsListing(name));  // watched afresh
    EXPECT_FALSE(watch.needsListing(name));
    std::ofstream(name + "/new.kvr") << "x";
    EXPECT_TRUE(watch.needsListing(name));
}

}  // namespace

namespace {

// Network and user-space file systems send no events for changes made
// elsewhere: their folders are listed at every tick, local ones only on events.
TEST(FolderWatch, FileSystemsThatSendNoEventsAreListedEveryTime)
{
    const struct {
        long type;
        const char* name;
        bool sendsEvents;
    } rows[] = {{0xEF53, "ext4", true},     {0x01021994, "tmpfs", true},    {0x9123683E, "btrfs", true},
                {0x58465342, "xfs", true},  {0x6969, "nfs", false},         {0xFF534D42, "cifs", false},
                {long(0xFE534D42), "smb2", false}, {0x65735546, "fuse", false}, {0x01021997, "9p", false}};
    for (const auto& r : rows) EXPECT_EQ(FolderWatch::SendsEvents(r.type), r.sendsEvents) << r.name;
}

}  // namespace
