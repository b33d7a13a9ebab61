// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QTemporaryFile>

#include "CommandRun.h"
#include "app/cli/RecognizeCommand.h"
#include "mathex/MathExp.h"
#include "mathex/SmartNumber.h"

namespace {

RunResult RunCommand(const QStringList& args, const std::string& input = "") {
    return RunEntry(&RunRecognize, args, input);
}

QJsonObject Parsed(const std::string& line) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
    return document.object();
}

// A stroke of `count` points along y = f(x) as JSON.
template <typename F>
std::string GraphStroke(F f, double x0, double x1, int count = 40) {
    std::string s = "[";
    for (int i = 0; i < count; ++i) {
        const double x = x0 + (x1 - x0) * i / (count - 1);
        s += (i ? ",[" : "[") + std::to_string(x) + "," + std::to_string(f(x)) + "]";
    }
    return s + "]";
}

std::string EllipseStroke(double cx, double cy, double a, double b) {
    std::string s = "[";
    for (int i = 0; i < 60; ++i) {
        const double t = 0.3 + 6.283185307 * i / 59;
        s += (i ? ",[" : "[") + std::to_string(cx + a * std::cos(t)) + "," + std::to_string(cy + b * std::sin(t)) + "]";
    }
    return s + "]";
}

std::string Gesture(const std::vector<std::string>& strokes) {
    std::string s = R"({"strokes": [)";
    for (size_t i = 0; i < strokes.size(); ++i) s += (i ? "," : "") + strokes[i];
    return s + "]}";
}

class RecognizeCommandTest : public ::testing::Test {
protected:
    void SetUp() override { MathEx::SetDisplayPrecision(2); }
};

struct ShapeRow {
    const char* name;
    std::string gesture;
    int shapeType;
    const char* equation;        // exact text; nullptr: checked by its analysis
    int equationType;            // PrimitiveType the equation analyses as; -1 for no equation
    int fits;                    // candidates reported
};

TEST_F(RecognizeCommandTest, PrintsTheShapeItsEquationAndTheFits) {
    const ShapeRow rows[] = {
        {"line", Gesture({"[[-2,-1],[3,4]]"}), 2, "y=1*x+1", MathEx::PT_LINE, 5},
        {"upright line", Gesture({"[[2.5,-1],[2.5,0.5],[2.5,4]]"}), 2, "x-2.5=0", MathEx::PT_VERTICAL_LINE, 5},
        {"quadratic", Gesture({GraphStroke([](double x) { return 0.3 * x * x - 1; }, -3, 3)}), 5, nullptr,
         MathEx::PT_QUADRATIC, 5},
        {"cubic", Gesture({GraphStroke([](double x) { return 0.1 * x * x * x - x; }, -3, 3)}), 6, nullptr,
         MathEx::PT_CUBIC, 5},
        {"one-stroke ellipse", Gesture({EllipseStroke(1, 2, 3, 1.5)}), 8, nullptr, MathEx::PT_ELLIPSE, 5},
        {"axis and loop", Gesture({"[[-4,0],[4,0]]", EllipseStroke(0, 0, 3, 1.5)}), 8, nullptr, MathEx::PT_ELLIPSE, 5},
        {"axis and cup", Gesture({"[[0,-1],[0,5]]", GraphStroke([](double x) { return 0.5 * x * x; }, -3, 3)}), 10,
         nullptr, MathEx::PT_PARABOLA, 5},
        {"axis and branch", Gesture({"[[-3,0],[3,0]]", GraphStroke([](double x) { return 1 + 0.25 * x * x; }, -2, 2)}),
         9, nullptr, MathEx::PT_HYPERBOLA, 5},
        {"three strokes", Gesture({"[[0,0],[1,1]]", "[[0,1],[1,0]]", "[[2,2],[3,3]]"}), 0, "", -1, 0},
        {"curved axis", Gesture({GraphStroke([](double x) { return 0.4 * x * x; }, -3, 3), EllipseStroke(0, 0, 3, 1.5)}),
         0, "", -1, 0},
        {"no strokes", Gesture({}), 0, "", -1, 0},
        {"a dot", Gesture({"[[1,1],[1,1]]"}), 0, "", -1, 5},
    };
    for (const ShapeRow& row : rows) {
        SCOPED_TRACE(row.name);
        const RunResult result = RunCommand({QStringLiteral("-")}, row.gesture);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, "");
        ASSERT_EQ(result.lines.size(), 1u);
        const QJsonObject o = Parsed(result.lines[0]);
        EXPECT_EQ(o["shapeType"].toInt(-1), row.shapeType);
        const std::string equation = o["equation"].toString().toStdString();
        if (row.equation) {
            EXPECT_EQ(equation, row.equation);
        }
        if (row.equationType >= 0) {
            MathEx::MathExp analysed;
            ASSERT_TRUE(analysed.Parse(equation)) << equation;
            EXPECT_EQ(analysed.type, row.equationType) << equation;
        }
        const QJsonArray fits = o["fits"].toArray();
        ASSERT_EQ(fits.size(), row.fits);
        for (int k = 0; k < fits.size(); ++k) {
            EXPECT_EQ(fits[k].toObject()["kind"].toInt(-1), k);
            const QJsonValue score = fits[k].toObject()["score"];
            EXPECT_TRUE(score.isNull() || score.toDouble(-1) >= 0);  // null: the fitter found no model
        }
    }
}

TEST_F(RecognizeCommandTest, WritesTheKeysInOrderAndTenResampledPointsPerStroke) {
    QString error;
    const std::string line =
        RecognizeToJson(QByteArray::fromStdString(Gesture({"[[0,0],[9,0],[9,9]]", "[[1,2],[3,4]]"})), error)
            .toStdString();
    const std::vector<std::string> keys = {"shapeType", "center", "start",     "end", "coeffs",
                                           "angle",     "equation", "resampled", "fits"};
    size_t at = 0;
    for (const std::string& key : keys) {
        const size_t found = line.find("\"" + key + "\":", at);
        ASSERT_NE(found, std::string::npos) << key << " in " << line;
        at = found + 1;
    }
    EXPECT_TRUE(error.isEmpty());
    const QJsonObject o = Parsed(line);
    EXPECT_EQ(o.size(), qsizetype(keys.size()));
    EXPECT_EQ(o["coeffs"].toArray().size(), 4);
    const QJsonArray strokes = o["resampled"].toArray();
    ASSERT_EQ(strokes.size(), 2);
    const QJsonArray corner = strokes[0].toArray();
    ASSERT_EQ(corner.size(), 10);
    // The corner stroke is 18 long: a point every 2 units, the corner among them.
    const double expected[10][2] = {{0, 0}, {2, 0}, {4, 0}, {6, 0}, {8, 0}, {9, 1}, {9, 3}, {9, 5}, {9, 7}, {9, 9}};
    for (int i = 0; i < 10; ++i) {
        EXPECT_NEAR(corner[i].toArray()[0].toDouble(), expected[i][0], 1e-5) << i;
        EXPECT_NEAR(corner[i].toArray()[1].toDouble(), expected[i][1], 1e-5) << i;
    }
    EXPECT_EQ(strokes[1].toArray().size(), 10);
}

TEST_F(RecognizeCommandTest, RejectsBadInputWithOneLineAndStatusTwo) {
    struct Row {
        std::string input;
        const char* message;  // part of the error line
    };
    const Row rows[] = {
        {"", "malformed JSON"},
        {R"({"strokes": [[[0,0],[1,1]])", "malformed JSON"},
        {"[1, 2]", "expected an object with \"strokes\""},
        {R"({"stroke": []})", "expected an object with \"strokes\""},
        {R"({"strokes": {"a": 1}})", "\"strokes\" must be an array"},
        {R"({"strokes": [3]})", "strokes[0] must be an array"},
        {R"({"strokes": [[[0,0],[1,1]], []]})", "strokes[1] is empty"},
        {R"({"strokes": [[[0,0]]]})", "strokes[0] has one point"},
        {R"({"strokes": [[[0,0],[1,1,1]]]})", "strokes[0][1] must be [x, y]"},
        {R"({"strokes": [[[0,0],[1]]]})", "strokes[0][1] must be [x, y]"},
        {R"({"strokes": [[[0,0],["1",2]]]})", "strokes[0][1] must be [x, y]"},
        {R"({"strokes": [[[0,0],[1,null]]]})", "strokes[0][1] must be [x, y]"},
        {R"({"strokes": [[[0,0],{"x":1,"y":2}]]})", "strokes[0][1] must be [x, y]"},
        {R"({"strokes": [[[0,0],[1e300,2]]]})", "two finite numbers"},
        {R"({"strokes": [[[0,0],[1,1e999]]]})", "malformed JSON"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        const RunResult result = RunCommand({}, row.input);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(result.lines.empty());
        EXPECT_NE(result.err.find(row.message), std::string::npos) << result.err;
        EXPECT_EQ(result.err.rfind("kvr recognize: ", 0), 0u) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
}

TEST_F(RecognizeCommandTest, BatchPrintsOneLinePerGestureAndGoesOnAfterAnError) {
    const std::string input = Gesture({"[[0,0],[1,2]]"}) + "\n" + "{not json\n" + "\n" +
                              Gesture({"[[0,0]]"}) + "\r\n" + Gesture({"[[2,-1],[2,3]]"}) + "\r\n";
    const RunResult result = RunCommand({QStringLiteral("--batch"), QStringLiteral("-")}, input);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "");
    ASSERT_EQ(result.lines.size(), 5u);
    EXPECT_EQ(Parsed(result.lines[0])["equation"].toString(), QStringLiteral("y=2*x+0"));
    const char* errors[] = {nullptr, "malformed JSON", "empty line", "has one point", nullptr};
    for (int i = 1; i < 4; ++i) {
        const QJsonObject o = Parsed(result.lines[i]);
        EXPECT_EQ(o.keys(), (QStringList{QStringLiteral("error"), QStringLiteral("line")}));
        EXPECT_EQ(o["line"].toInt(), i + 1);
        EXPECT_TRUE(o["error"].toString().contains(QLatin1String(errors[i]))) << result.lines[i];
    }
    EXPECT_EQ(Parsed(result.lines[4])["equation"].toString(), QStringLiteral("x-2=0"));

    const RunResult clean = RunCommand({QStringLiteral("--batch"), QStringLiteral("-")}, Gesture({"[[0,0],[1,2]]"}) + "\n");
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.lines.size(), 1u);
}

TEST_F(RecognizeCommandTest, ReadsFilesAndRefusesBadArguments) {
    QTemporaryFile single, batch;
    ASSERT_TRUE(single.open() && batch.open());
    single.write(QByteArray::fromStdString(Gesture({"[[0,1],[2,5]]"})));
    batch.write(QByteArray::fromStdString(Gesture({"[[0,1],[2,5]]"}) + "\n" + Gesture({"[[0,0],[1,-1]]"}) + "\n"));
    single.close();
    batch.close();

    const RunResult fromFile = RunCommand({single.fileName()});
    EXPECT_EQ(fromFile.status, 0);
    ASSERT_EQ(fromFile.lines.size(), 1u);
    EXPECT_EQ(Parsed(fromFile.lines[0])["equation"].toString(), QStringLiteral("y=2*x+1"));
    const RunResult fromBatch = RunCommand({QStringLiteral("--batch"), batch.fileName()});
    EXPECT_EQ(fromBatch.status, 0);
    EXPECT_EQ(fromBatch.lines.size(), 2u);

    ExpectRefused(&RunRecognize, {
                                     {{QStringLiteral("/no/such/file.json")}, 2, "cannot open"},
                                     {{QStringLiteral("--batch"), QStringLiteral("/no/such/file.jsonl")}, 2, "cannot open"},
                                     {{QStringLiteral("/")}, 2, "cannot open"},
                                     {{QStringLiteral("a.json"), QStringLiteral("b.json")}, 2, "expected one input"},
                                     {{QStringLiteral("--batch"), batch.fileName(), single.fileName()}, 2, "expected one input"},
                                     {{QStringLiteral("--batch")}, 2, "option '--batch' needs a value"},
                                     {{QStringLiteral("--frobnicate")}, 2, "unknown option '--frobnicate'"},
                                 });
    const RunResult help = RunCommand({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_FALSE(help.lines.empty());
}

}  // namespace
