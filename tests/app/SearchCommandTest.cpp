// SPDX-License-Identifier: MIT
// `kvr search`: arguments, exit status, and the folder it reads.
#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QTemporaryDir>

#include "CommandRun.h"
#include "app/cli/CommandLine.h"
#include "app/cli/SearchCommand.h"
#include "graph/GraphManager.h"
#include "io/Library.h"
#include "io/LibraryReaders.h"

namespace {

RunResult Search(const QStringList& args) { return RunEntry(&RunSearch, args, ""); }

TEST(SearchCommand, UsageErrors)
{
    ExpectRefused(&RunSearch, {
                                  {{}, 2, "expected one FILE.kvr, or --equations"},
                                  {{"--equations"}, 2, "--equations needs at least one EQUATION"},
                                  {{"a.kvr", "b.kvr"}, 2, "expected one FILE.kvr"},
                                  {{"--library"}, 2, "option '--library' needs a value"},
                                  {{"--library", "", "--equations", "y = x"}, 2, "--library needs a folder"},
                                  {{"--bogus", "a.kvr"}, 2, "unknown option '--bogus'"},
                              });
}

TEST(SearchCommand, EquationThatDoesNotParseIsAnError)
{
    QTemporaryDir library;
    const RunResult r = Search({"--library", library.path(), "--equations", "y = x^2", "y = = 2"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("y = = 2"), std::string::npos) << r.err;
}

TEST(SearchCommand, UnreadableLibraryFolderExitsWithOne)
{
    QTemporaryDir dir;
    const QString rows[] = {dir.path() + "/missing", dir.path() + "/file.kvr"};
    QFile file(rows[1]);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    for (const QString& folder : rows) {
        const RunResult r = Search({"--library", folder, "--equations", "y = x^2"});
        EXPECT_EQ(r.status, 1) << folder.toStdString();
        EXPECT_NE(r.err.find("cannot read the library folder"), std::string::npos) << r.err;
        EXPECT_TRUE(r.lines.empty());
    }
}

TEST(SearchCommand, EmptyLibraryFolderListsNothing)
{
    QTemporaryDir library;
    const RunResult r = Search({"--library", library.path(), "--equations", "y = x^2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.lines.empty());
}

TEST(SearchCommand, ReachedThroughTheCommandTable)
{
    QTemporaryDir library;
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({"kvr", "search", "--library", library.path(), "--equations", "y = x"}, in, out, err), 0)
        << err.str();
    EXPECT_EQ(RunCommandLine({"kvr", "--help"}, in, out, err), 0);
    EXPECT_NE(out.str().find("kvr search [--library DIR]"), std::string::npos);
}

#ifdef KVR_SAMPLE_LIBRARY
QJsonObject Object(const std::string& line) { return QJsonDocument::fromJson(QByteArray::fromStdString(line)).object(); }

// Each lesson searched for finds itself first (among equals). Its score need
// not be 0: a horizontal or vertical line is never quite like itself.
TEST(SearchCommand, EveryLessonFindsItselfFirst)
{
    const QDir library(KVR_SAMPLE_LIBRARY);
    const QStringList lessons = library.entryList({"*.kvr"}, QDir::Files);
    ASSERT_GE(lessons.size(), 15);
    for (const QString& name : lessons) {
        const RunResult r = Search({"--library", library.path(), library.filePath(name)});
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_EQ(r.lines.size(), 5u) << name.toStdString();
        const double best = Object(r.lines[0])["score"].toDouble();
        bool found = false;
        for (const std::string& line : r.lines) {
            const QJsonObject o = Object(line);
            if (o["score"].toDouble() == best && o["file"].toString() == name) found = true;
        }
        EXPECT_TRUE(found) << name.toStdString();
    }
}

// The command ranks as the library does for the window: same files, same
// scores, same order, keys in the documented order.
TEST(SearchCommand, SameRankingAsTheLibrary)
{
    const QStringList equations = {"y = x^2 - 1", "y = x + 1", "x^2 + y^2 - 4 = 0"};
    const RunResult r = Search(QStringList{"--library", KVR_SAMPLE_LIBRARY, "--equations"} + equations);
    ASSERT_EQ(r.status, 0) << r.err;
    GraphManager graph;
    for (const QString& e : equations) graph.addEquationFromText(e.toStdString());
    CFeature signature;
    graph.computeFeature(signature);
    Library library;
    ASSERT_TRUE(library.loadLibrary(KVR_SAMPLE_LIBRARY, DocumentFeatureReader()));
    const std::vector<RankedCandidate> expected = RankCandidates(library.entries(), signature);
    ASSERT_EQ(r.lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const QJsonObject o = Object(r.lines[i]);
        EXPECT_EQ(o.keys().size(), 4);
        EXPECT_EQ(r.lines[i].rfind("{\"rank\":" + std::to_string(i + 1) + ",\"file\":", 0), 0u) << r.lines[i];
        EXPECT_EQ(o["file"].toString().toStdString(), expected[i].name);
        EXPECT_EQ(o["path"].toString(), QDir(KVR_SAMPLE_LIBRARY).filePath(QString::fromStdString(expected[i].name)));
        EXPECT_EQ(o["score"].toDouble(), expected[i].score);
    }
}

TEST(SearchCommand, FileThatCannotBeOpenedIsAnError)
{
    QTemporaryDir dir;
    QFile junk(dir.filePath("junk.kvr"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("<KVR><numeqns>1</numeqns><equation><string>y = = 2</string></equation></KVR>");
    junk.close();
    for (const QString& file : {dir.filePath("missing.kvr"), junk.fileName()}) {
        const RunResult r = Search({"--library", KVR_SAMPLE_LIBRARY, file});
        EXPECT_EQ(r.status, 2) << file.toStdString();
        EXPECT_NE(r.err.find("cannot open"), std::string::npos) << r.err;
    }
}
#endif

}  // namespace
