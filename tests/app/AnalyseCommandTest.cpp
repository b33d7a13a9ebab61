// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>

#include "CommandRun.h"
#include "app/cli/AnalyseCommand.h"
#include "mathex/SmartNumber.h"

namespace {

constexpr double kNull = std::numeric_limits<double>::quiet_NaN();  // expects JSON null

QJsonObject ObjectOf(const QByteArray& line) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
    EXPECT_TRUE(doc.isObject()) << line.toStdString();
    return doc.object();
}

QJsonObject Analyse(const std::string& text, const AnalyseOptions& options = {}) {
    const QByteArray line = AnalyseToJson(text, options);
    EXPECT_FALSE(line.contains('\n'));
    return ObjectOf(line);
}

// Expected numbers first to last; kNull stands for null. Missing trailing entries are not checked.
void ExpectNumbers(const QJsonValue& value, const std::vector<double>& expected, double tolerance = 1e-9) {
    ASSERT_TRUE(value.isArray());
    const QJsonArray array = value.toArray();
    ASSERT_GE(array.size(), qsizetype(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        if (std::isnan(expected[i])) {
            EXPECT_TRUE(array[qsizetype(i)].isNull());
        } else {
            ASSERT_TRUE(array[qsizetype(i)].isDouble());
            EXPECT_NEAR(array[qsizetype(i)].toDouble(), expected[i], tolerance);
        }
    }
}

struct Extreme {
    double x, y;  // kNull: null
    bool min;
};

void ExpectExtremes(const QJsonValue& value, const std::vector<Extreme>& expected) {
    ASSERT_TRUE(value.isArray());
    const QJsonArray array = value.toArray();
    ASSERT_EQ(array.size(), qsizetype(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        const QJsonObject point = array[qsizetype(i)].toObject();
        EXPECT_EQ(point.keys(), (QStringList{"min", "x", "y"}));
        // Extreme points are single precision.
        ExpectNumbers(QJsonArray{point["x"], point["y"]}, {expected[i].x, expected[i].y}, 1e-5);
        EXPECT_EQ(point["min"].toBool(), expected[i].min);
    }
}

RunResult RunCommand(const QStringList& args, const std::string& input = "") {
    return RunEntry(&RunAnalyse, args, input);
}

class AnalyseCommandTest : public ::testing::Test {
protected:
    void SetUp() override { MathEx::SetDisplayPrecision(2); }
    void TearDown() override { MathEx::SetDisplayPrecision(2); }
};

// Equations that parse: what the object reports about each.
TEST_F(AnalyseCommandTest, ReportsFormTypeCoefficientsAndExtremes) {
    struct Row {
        const char* input;
        int form, type;
        std::vector<double> coeffs;
        std::vector<Extreme> extremes;
        std::vector<double> conic = {};  // empty: not checked
    };
    const Row rows[] = {
        {"y = 2*x + 1", 0, 1, {2, 1}, {}},
        {"y = 3", 0, 1, {0, 3}, {}},
        {"y = x^2 - 2*x + 3", 0, 2, {1, -2, 3}, {{1, 2, true}}},
        {"y = x^3 - 3*x", 0, 3, {1, 0, -3, 0}, {{-1, 2, false}, {1, -2, true}}},
        {"y = x^4 - 2*x^2", 0, 4, {1, 0, -2, 0, 0}, {{-1, -1, true}, {0, 0, false}, {1, -1, true}}},
        {"y = 2*sin(3*x + 1) - 4", 0, 6, {2, 3, 1, -4}, {}},
        {"y = 2^(x+1) + 3", 0, 10, {2, 1, 3}, {}},
        {"x^2/4 + y^2 - 1 = 0", 1, 11, {2, 1, 0, 0, 0}, {}, {0.25, 0, 1, 0, 0, -1}},
        {"x^2 - y^2 - 1 = 0", 1, 12, {1, 1, 0, 0, 0}, {}},
        {"y^2 - 4*x = 0", 1, 13, {1, 0, 0, 0}, {}, {0, 0, 1, -4, 0, 0}},
        {"x - 3 = 0", 1, 0, {0, 3}, {}},
        // A zero leading coefficient does not count: the true degree decides.
        {"y = 0*x^2 + x", 0, 1, {1, 0}, {}},
        {"y = x^2 + 0*x^4", 0, 2, {1, 0, 0}, {{0, 0, true}}},
        // Coefficients that are not finite describe no curve.
        {"y = x*1e308*10", 0, 15, {0, 0}, {}},
        {"y = x/0", 0, 15, {0, 0}, {}},
        // The shorthand teachers type, and equations with a right side.
        {"y = -x^2 + 4", 0, 2, {-1, 0, 4}, {{0, 4, false}}},
        {"y = (x-1)(x+2)", 0, 2, {1, 1, -2}, {{-0.5, -2.25, true}}},
        {"x^2 + y^2 = 25", 1, 11, {5, 5, 0, 0, 0}, {}},
        {"x = 3", 1, 0, {0, 3}, {}},
        {"2x + 3y = 6", 1, 1, {-2.0 / 3, 2}, {}},
        // A decimal too small for a double is 0, not infinity.
        {"y = 0.0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000001*x",
         0, 1, {0, 0}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        const QJsonObject o = Analyse(row.input);
        EXPECT_EQ(o["input"].toString().toStdString(), row.input);
        EXPECT_TRUE(o["ok"].toBool());
        EXPECT_EQ(o["form"].toInt(-1), row.form);
        EXPECT_EQ(o["type"].toInt(-1), row.type);
        ExpectNumbers(o["coeffs"], row.coeffs);
        EXPECT_EQ(o["coeffs"].toArray().size(), 5);
        EXPECT_EQ(o["conic"].toArray().size(), 6);
        ExpectExtremes(o["extremes"], row.extremes);
        ExpectNumbers(o["conic"], row.conic);
    }
}

// Texts, and whether the canonical text would replace the equation.
TEST_F(AnalyseCommandTest, ReportsTextsAndRebuild) {
    struct Row {
        const char* input;
        const char* plain;
        const char* latex;
        const char* canonical;  // nullptr: not checked
        bool rebuilt;
    };
    const Row rows[] = {
        {"y = 2*x + 1", "y=2*x+1", "y=2 \\cdot x+1", "y = 2.00000*x + 1.00000", true},
        {"y = (x+1)^2", "y=(x+1)^2", "y={(x+1)}^{2}", nullptr, true},
        {"y = 2*sin(3*x + 1) - 4", "y=2*sin(3*x+1)-4", nullptr,
         "y = 2.00000*sin(3.00000*x + 1.00000)-4.00000", true},
        {"y^2 - 4*x = 0", "y^2-4*x=0", nullptr, "y^2 - 4.00000*x = 0", true},
        {"y = (x+1)^5", "y=(x+1)^5", nullptr, "", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        const QJsonObject o = Analyse(row.input);
        EXPECT_EQ(o["plain"].toString().toStdString(), row.plain);
        if (row.latex) {
            EXPECT_EQ(o["latex"].toString().toStdString(), row.latex);
        }
        if (row.canonical) {
            EXPECT_EQ(o["canonical"].toString().toStdString(), row.canonical);
        }
        EXPECT_EQ(o["rebuilt"].toBool(!row.rebuilt), row.rebuilt);
    }
}

TEST_F(AnalyseCommandTest, ReportsWhyAndWhereWhenTheTextDoesNotParse) {
    struct Row {
        const char* input;
        const char* error;
    };
    const Row rows[] = {
        {"y = 2 3", "{\"position\":7,\"message\":\"expected an operator before '3'\"}"},
        {"", "{\"position\":1,\"message\":\"the equation is empty\"}"},
        {"   ", "{\"position\":4,\"message\":\"the equation is empty\"}"},
        {"y = (x", "{\"position\":7,\"message\":\"missing ')' for the '(' at column 5\"}"},
        {"integral(x)", "{\"position\":1,\"message\":\"'integral' is not supported\"}"},
        {"y = 2x +", "{\"position\":9,\"message\":\"expected a number, a name or '(' after '+'\"}"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        EXPECT_EQ(AnalyseToJson(row.input, {}).toStdString(),
                  "{\"input\":\"" + std::string(row.input) + "\",\"ok\":false,\"form\":4,\"error\":" + row.error + "}");
    }
}

TEST_F(AnalyseCommandTest, WritesTheKeysInTheirFixedOrder) {
    const std::vector<std::string> keys = {"input", "ok",     "form",      "type",    "coeffs",  "conic",
                                           "plain", "latex", "canonical", "rebuilt", "extremes"};
    const std::string line = AnalyseToJson("y = x^2", {}).toStdString();
    size_t at = 0;
    for (const std::string& key : keys) {
        const size_t found = line.find("\"" + key + "\":", at);
        ASSERT_NE(found, std::string::npos) << key << " in " << line;
        at = found + 1;
    }
    EXPECT_EQ(line.find("\"input\":"), 1u);
    EXPECT_EQ(ObjectOf(QByteArray::fromStdString(line)).size(), qsizetype(keys.size()));
}

// Whatever the bytes of the input, the line is valid JSON and gives the input back.
TEST_F(AnalyseCommandTest, EscapesTheInputText) {
    struct Row {
        std::string input;
        QString decoded;
    };
    const Row rows[] = {
        {"y = \"x\\", QString::fromUtf8("y = \"x\\")},
        {"y\t=\tx", QString::fromUtf8("y\t=\tx")},
        {std::string("y = x\x01", 6), QString::fromUtf8("y = x\x01")},
        {"y = x \xc3\xa9", QString::fromUtf8("y = x \xc3\xa9")},
        {"y = \xff", QStringLiteral("y = ") + QChar(0xFFFD)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        EXPECT_EQ(Analyse(row.input)["input"].toString(), row.decoded);
    }
}

TEST_F(AnalyseCommandTest, TranslateMovesAndRebuildsTheEquation) {
    struct Row {
        const char* input;
        double dx, dy;
        int form, type;
        std::vector<double> coeffs;
        const char* plain;
        bool rebuilt;
    };
    const Row rows[] = {
        {"y = x^2", 1, -2, 0, 2, {1, -2, -1}, "y=x^2-2*x-1", true},
        {"y = 2*x + 1", 0, 3, 0, 1, {2, 4}, "y=2*x+4", true},
        {"x^2/4 + y^2 - 1 = 0", 1, -2, 1, 11, {2, 1, 1, -2, 0}, "(x-1)^2/4+(y+2)^2-1=0", true},
        // No canonical text: the tree stays, the form too.
        {"y = (x+1)^5", 1, 1, 0, 5, {}, "y=(x+1)^5", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        const QJsonObject o = Analyse(row.input, {true, row.dx, row.dy});
        EXPECT_EQ(o["form"].toInt(-1), row.form);
        EXPECT_EQ(o["type"].toInt(-1), row.type);
        ExpectNumbers(o["coeffs"], row.coeffs);
        EXPECT_EQ(o["plain"].toString().toStdString(), row.plain);
        EXPECT_EQ(o["rebuilt"].toBool(!row.rebuilt), row.rebuilt);
    }
    ExpectExtremes(Analyse("y = x^2", {true, 1, -2})["extremes"], {{1, -2, true}});
}

TEST_F(AnalyseCommandTest, PrecisionSetsTheDecimalsOfTextsForOneRun) {
    struct Row {
        QStringList args;
        const char* plain;
    };
    const Row rows[] = {
        {{"y = 0.123456*x"}, "y=0.12*x"},
        {{"--precision", "4", "y = 0.123456*x"}, "y=0.1235*x"},
        {{"y = 0.123456*x", "--precision", "1"}, "y=0.1*x"},
        // The most decimals are 17; any larger number, however long, acts as 17.
        {{"--precision", "16", "y = 0.1234567890123456789*x"}, "y=0.1234567890123457*x"},
        {{"--precision", "17", "y = 0.1234567890123456789*x"}, "y=0.12345678901234568*x"},
        {{"--precision", "18", "y = 0.1234567890123456789*x"}, "y=0.12345678901234568*x"},
        {{"--precision", "2147483648", "y = 0.1234567890123456789*x"}, "y=0.12345678901234568*x"},
        {{"--precision", "99999999999999999999999", "y = 0.1234567890123456789*x"}, "y=0.12345678901234568*x"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        const RunResult r = RunCommand(row.args);
        EXPECT_EQ(r.status, 0) << r.err;
        ASSERT_EQ(r.lines.size(), 1u);
        EXPECT_EQ(ObjectOf(QByteArray::fromStdString(r.lines[0]))["plain"].toString().toStdString(), row.plain);
        EXPECT_EQ(MathEx::DisplayPrecision(), 2);
    }
    // The help says what the runs above do.
    EXPECT_NE(std::string(AnalyseUsage()).find("above 17 acts as 17"), std::string::npos);
}

TEST_F(AnalyseCommandTest, ExitStatusAndOutputLines) {
    struct Row {
        QStringList args;
        std::string input;  // standard input
        int status;
        int lines;          // lines on standard output; -1: not checked
        bool error;         // one line on standard error
    };
    const Row rows[] = {
        {{"y = x"}, "", 0, 1, false},
        {{"y = x", "y = 2 3", "y = x^2"}, "", 1, 3, false},
        {{"y = x"}, "y = 2 x\n", 0, 1, false},  // arguments win over standard input
        {{}, "y = x\ny = x^2\n", 0, 2, false},
        {{}, "y = x\n\ny = x^2", 1, 3, false},  // an empty line is an input
        {{}, "", 0, 0, false},
        {{"--translate", "1", "-2", "y = x"}, "", 0, 1, false},
        {{"--translate", "-1.5", "2e1"}, "y = x\n", 0, 1, false},
        {{"--", "-x + y = 0"}, "", 0, 1, false},
        {{"--precision", "0", "y = x"}, "", 0, 1, false},
        {{"--help"}, "", 0, -1, false},
        {{"--bogus", "y = x"}, "", 2, 0, true},
        {{"-x + y = 0"}, "", 2, 0, true},
        {{"--precision"}, "", 2, 0, true},
        {{"--precision", "x", "y = x"}, "", 2, 0, true},
        {{"--precision", "-1", "y = x"}, "", 2, 0, true},
        {{"--precision", "2.5", "y = x"}, "", 2, 0, true},
        {{"--translate"}, "", 2, 0, true},
        {{"--translate", "1"}, "", 2, 0, true},
        {{"--translate", "1", "y", "y = x"}, "", 2, 0, true},
        {{"--translate", "nan", "0", "y = x"}, "", 2, 0, true},
        {{"--translate=1", "2", "y = x"}, "", 2, 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        const RunResult r = RunCommand(row.args, row.input);
        EXPECT_EQ(r.status, row.status);
        if (row.lines >= 0) {
            EXPECT_EQ(int(r.lines.size()), row.lines);
        }
        if (row.error) {
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
            EXPECT_EQ(r.err.back(), '\n');
        } else {
            EXPECT_EQ(r.err, "");
        }
    }
}

TEST_F(AnalyseCommandTest, ReadsOneEquationPerLineInOrder) {
    const RunResult r = RunCommand({}, "y = x\r\n\ny = 2 3\n  y = x^2  \n");
    const std::vector<std::pair<QString, bool>> expected = {
        {"y = x", true}, {"", false}, {"y = 2 3", false}, {"  y = x^2  ", true}};
    ASSERT_EQ(r.lines.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const QJsonObject o = ObjectOf(QByteArray::fromStdString(r.lines[i]));
        EXPECT_EQ(o["input"].toString(), expected[i].first);
        EXPECT_EQ(o["ok"].toBool(), expected[i].second);
    }
    EXPECT_EQ(r.status, 1);
}

}  // namespace
