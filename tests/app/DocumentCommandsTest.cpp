// SPDX-License-Identifier: MIT
#include <string>

#include <gtest/gtest.h>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include "CommandRun.h"
#include "app/cli/DocumentCommands.h"
#include "app/cli/ScriptCommand.h"
#include "mathex/SmartNumber.h"

namespace {

constexpr CommandEntry Info = &RunInfo;
constexpr CommandEntry Make = &RunMake;

QJsonObject Parsed(const std::string& line) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
    return document.object();
}

class DocumentCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { MathEx::SetDisplayPrecision(2); }
    QTemporaryDir dir;
};

TEST_F(DocumentCommandsTest, MakeThenInfo) {
    const QString path = dir.filePath("made.kvr");
    const RunResult made = RunEntry(Make, {path, "y = x^2 - 1", "y = 2*sin(x)"}, "");
    ASSERT_EQ(made.status, 0) << made.err;
    const RunResult info = RunEntry(Info, {path}, "");
    ASSERT_EQ(info.status, 0) << info.err;
    ASSERT_EQ(info.lines.size(), 1u);
    const QJsonObject d = Parsed(info.lines[0]);
    EXPECT_EQ(d.keys().size(), 5);
    EXPECT_EQ(d["settings"].toObject()["version"].toDouble(), 1.0);
    const QJsonArray equations = d["equations"].toArray();
    ASSERT_EQ(equations.size(), 2);
    const QJsonObject first = equations[0].toObject();
    EXPECT_EQ(first["text"].toString(), "y=x^2-1");
    EXPECT_EQ(first["type"].toInt(), 2);  // the analysis fields of `kvr analyse`
    EXPECT_EQ(first["coeffs"].toArray()[2].toDouble(), -1.0);
    EXPECT_EQ(first["extremes"].toArray().size(), 1);
    EXPECT_EQ(first["style"].toObject()["lineStipple"].toInt(), 65535);
    EXPECT_EQ(first["mensuration"].toObject()["nRects"].toInt(), 10);
    EXPECT_EQ(equations[1].toObject()["type"].toInt(), 6);
    const QJsonArray feature = d["feature"].toArray();
    ASSERT_EQ(feature.size(), 2);
    EXPECT_EQ(feature[0].toObject()["xintercepts"].toInt(), 2);
    const QJsonObject thumbnail = d["thumbnail"].toObject();
    if (thumbnail["bytes"].toInt() == 0) GTEST_SKIP() << "no headless OpenGL: " << made.err;
    EXPECT_EQ(thumbnail["width"].toInt(), 256);
    EXPECT_EQ(thumbnail["height"].toInt(), 256);
}

TEST_F(DocumentCommandsTest, FailuresAndUsage) {
    const RunResult bad = RunEntry(Info, {QString(KVR_TEST_DATA) + "/bad_equation.kvr"}, "");
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.lines.empty());
    EXPECT_EQ(bad.err.rfind("kvr info: Failed to open document. (bad_equation.kvr: ", 0), 0u) << bad.err;
    EXPECT_EQ(RunEntry(Info, {}, "").status, 2);
    const QString out = dir.filePath("never.kvr");
    const RunResult unparsed = RunEntry(Make, {out, "y = x", "y = (x +"}, "");
    EXPECT_EQ(unparsed.status, 1);
    EXPECT_FALSE(QFile::exists(out));
    // The message names the equation on one line, whatever it holds, and why it adds nothing.
    const struct {
        const char* equation;
        const char* message;
    } refused[] = {{"y = (x +\n1", "kvr make: the equation 'y = (x +\\n1' does not parse\n"},
                   {"x^2 + y^2 = -4", "kvr make: the equation 'x^2 + y^2 = -4' adds nothing: no real points\n"},
                   {"\x1b[2Jhello", "kvr make: the equation '\\x1b[2Jhello' does not parse\n"}};
    for (const auto& r : refused) {
        const RunResult result = RunEntry(Make, {out, r.equation}, "");
        EXPECT_EQ(result.status, 1) << r.equation;
        EXPECT_EQ(result.err, r.message);
    }
    EXPECT_EQ(RunEntry(Make, {out}, "").status, 2);
    const RunResult unwritable = RunEntry(Make, {dir.path(), "y = x"}, "");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("Failed to save document."), std::string::npos) << unwritable.err;
}

TEST_F(DocumentCommandsTest, ScriptSavesAndOpens) {
    const std::string path = dir.filePath("lesson one.kvr").toStdString();
    const RunResult saved = RunEntry(&RunScript, {}, "type y = x^2 - 2\ntype y = 0.1*x + 0.2\nsave " + path + "\ndump\n");
    ASSERT_EQ(saved.status, 0) << saved.err;
    const RunResult opened = RunEntry(&RunScript, {}, "type y = 5\nopen " + path + "\ndump\n");
    ASSERT_EQ(opened.status, 0) << opened.err;
    // The same graph, as the dump shows it (the view's own state aside).
    const QJsonObject before = Parsed(saved.lines.back()), after = Parsed(opened.lines.back());
    EXPECT_EQ(before["equations"], after["equations"]);
    const RunResult missing = RunEntry(&RunScript, {}, "open " + path + ".missing\ndump\n");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("line 1: Failed to open document."), std::string::npos) << missing.err;
}

}  // namespace
