// `kvr search`: arguments, exit status, and the folder it reads.
#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

#include "CommandRun.h"
#include "app/CommandLine.h"
#include "app/SearchCommand.h"

namespace {

RunResult Search(const QStringList& args) { return RunEntry(&RunSearch, args, ""); }

TEST(SearchCommand, UsageErrors)
{
    const QStringList rows[] = {
        {},                                          // nothing to search for
        {"--equations"},                             // no equation
        {"a.kvr", "b.kvr"},                          // two files
        {"--library"},                               // no folder
        {"--library", "", "--equations", "y = x"},   // an empty folder name
        {"--bogus", "a.kvr"},                        // unknown option
    };
    for (const QStringList& args : rows) {
        const RunResult r = Search(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.lines.empty());
        EXPECT_EQ(r.err.rfind("kvr search: ", 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
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

}  // namespace
