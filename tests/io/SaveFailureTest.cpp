// SPDX-License-Identifier: MIT
// A save that cannot be completed says so and leaves the old file as it was.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include "graph/EquationObject.h"
#include "graph/GraphManager.h"
#include "io/CKVRDoc.h"

namespace {

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SaveFailure : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(graph.addEquationFromText("y = x^2 - 1"), nullptr);
        old = dir.filePath("lesson.kvr");
        ASSERT_TRUE(doc.save(old.toStdString(), QByteArray("png")).ok);
        oldBytes = Contents(old);
        ASSERT_FALSE(oldBytes.isEmpty());
        ASSERT_NE(graph.addEquationFromText("y = 2*x"), nullptr);  // the unsaved change
        doc.setModified(true);
    }

    void ExpectFailedAndOldFileIntact(const DocumentResult& r) {
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, "Failed to save document.");
        EXPECT_FALSE(r.reason.empty());
        EXPECT_TRUE(doc.isModified());
        EXPECT_EQ(Contents(old), oldBytes);
        // No temporary file is left beside it.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"lesson.kvr"});
    }

    QTemporaryDir dir;
    GraphManager graph;
    CKVRDoc doc{graph};
    QString old;
    QByteArray oldBytes;
};

// KVR never writes a lesson it would not open again: what the reader refuses,
// the writer refuses first, and the old file stays.
TEST_F(SaveFailure, ALessonThatWouldNotOpenIsNotWritten) {
    EquationObject* curve = graph.equation(1);
    ASSERT_TRUE(curve->setLabel(EquationObject::LABEL_USER_TEXT, std::string(2000, 'a')));
    const DocumentResult r = doc.save(old.toStdString(), QByteArray("png"));
    ExpectFailedAndOldFileIntact(r);
    EXPECT_NE(r.reason.find("would not open again (a label text is longer than 1024 characters)"), std::string::npos)
        << r.reason;
}

TEST_F(SaveFailure, PathsThatCannotBeWritten) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.kvr"));
    const QString paths[] = {dir.filePath("folder.kvr"), dir.filePath("no/such/folder/x.kvr"),
                             old + "/x.kvr", QStringLiteral("/dev/full")};
    for (const QString& path : paths) {
        const DocumentResult r = doc.save(path.toStdString(), QByteArray());
        EXPECT_FALSE(r.ok) << path.toStdString();
        EXPECT_EQ(r.message, "Failed to save document.");
    }
    ASSERT_TRUE(QDir(dir.path()).rmdir("folder.kvr"));
    EXPECT_EQ(Contents(old), oldBytes);
}

// A full disk, as a file-size limit: the write fails part way.
TEST_F(SaveFailure, FullDiskLeavesTheOldFile) {
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = saved;
    tiny.rlim_cur = rlim_t(oldBytes.size() / 2);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const DocumentResult r = doc.save(old.toStdString(), QByteArray(4096, 'p'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    ExpectFailedAndOldFileIntact(r);
    // In the system's words, not "Unknown error".
    EXPECT_NE(r.reason.find("File too large"), std::string::npos) << r.reason;
}

TEST_F(SaveFailure, ReadOnlyFolderLeavesTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const DocumentResult r = doc.save(old.toStdString(), QByteArray());
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ExpectFailedAndOldFileIntact(r);
}

TEST_F(SaveFailure, SuccessReplacesTheFileAndClearsModified) {
    const DocumentResult r = doc.save(old.toStdString(), QByteArray("png"));
    EXPECT_TRUE(r.ok) << r.reason;
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.path(), old.toStdString());
    EXPECT_NE(Contents(old), oldBytes);
    GraphManager reopened;
    CKVRDoc in(reopened);
    ASSERT_TRUE(in.open(old.toStdString()).ok);
    EXPECT_EQ(reopened.equationCount(), 2);
}

}  // namespace
