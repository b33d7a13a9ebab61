// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTemporaryFile>
#include <QtGui/QImage>

#include "CommandRun.h"
#include "app/cli/ScriptCommand.h"
#include "graph/Viewport.h"
#include "mathex/SmartNumber.h"
#include "support/Ghostscript.h"

namespace {

RunResult RunCommand(const QStringList& args, const std::string& input = "") {
    return RunEntry(&RunScript, args, input);
}

QJsonObject Parsed(const std::string& line) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
    return document.object();
}

// "PX PY": the client pixel of a graph point in the default 1000 × 750 view.
std::string At(double x, double y) {
    const PointF p = Viewport().graphToScreen(x, y);
    return std::to_string(std::lround(p.x)) + " " + std::to_string(std::lround(p.y));
}

std::string Click(double x, double y) { return "down " + At(x, y) + "\nup " + At(x, y) + "\n"; }
std::string RightClick(double x, double y) { return "rdown " + At(x, y) + "\nrup " + At(x, y) + "\n"; }
// A press, four steps of motion and a release.
std::string Drag(const char* down, const char* move, const char* up, double x0, double y0, double x1, double y1) {
    std::string s = std::string(down) + " " + At(x0, y0) + "\n";
    for (int k = 1; k <= 4; ++k) s += std::string(move) + " " + At(x0 + (x1 - x0) * k / 4, y0 + (y1 - y0) * k / 4) + "\n";
    return s + up + " " + At(x1, y1) + "\n";
}

QJsonObject Equation(const QJsonObject& dump, int i) { return dump["equations"].toArray()[i].toObject(); }
double Num(const QJsonValue& v) { return v.toDouble(NAN); }
double At2(const QJsonValue& pair, int i) { return pair.toArray()[i].toDouble(NAN); }

class ScriptCommandTest : public ::testing::Test {
protected:
    void SetUp() override { MathEx::SetDisplayPrecision(2); }

    // Runs a script that must succeed and returns its last dump.
    static QJsonObject LastDump(const std::string& script) {
        const RunResult result = RunCommand({}, script + "dump\n");
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        return result.lines.empty() ? QJsonObject() : Parsed(result.lines.back());
    }
};

TEST_F(ScriptCommandTest, DumpHasTheKeysInOrder) {
    const RunResult result = RunCommand({QStringLiteral("-")}, "type y = x^2 - 2\ndump\n");
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(result.lines.size(), 1u);
    const std::string& line = result.lines[0];
    const std::vector<std::string> top = {"mode",     "scale",  "xZoom",     "yZoom",          "pan",
                                          "graphRect", "selected", "hitCode", "popup",          "status",
                                          "equations", "paintedDomains", "intersections", "gestureStrokes"};
    const std::vector<std::string> equation = {
        "text",       "form",         "type",      "coeffs",     "colour",       "plotBox",
        "displayText", "selected",    "from",      "to",         "stippletype",  "lineStipple",
        "lineWidth",  "bEnableMensu", "bDrawExtremePoints", "mensuration", "labelPosition", "controlPoints",
        "attribPoints", "pieces",     "tangentLines"};
    // The equation's keys come between "equations" and "paintedDomains".
    std::vector<std::string> keys(top.begin(), top.begin() + 11);
    keys.insert(keys.end(), equation.begin(), equation.end());
    keys.insert(keys.end(), top.begin() + 11, top.end());
    size_t at = 0;
    for (const std::string& key : keys) {
        const size_t found = line.find("\"" + key + "\":", at);
        ASSERT_NE(found, std::string::npos) << key << " in " << line;
        at = found + 1;
    }
    const QJsonObject dump = Parsed(line);
    EXPECT_EQ(dump.size(), qsizetype(top.size()));
    EXPECT_EQ(Equation(dump, 0).size(), qsizetype(equation.size()));
    EXPECT_EQ(Equation(dump, 0)["mensuration"].toObject().keys(),
              (QStringList{"heightType", "nRects", "xmax", "xmin"}));
}

struct DumpRow {
    const char* name;
    std::string script;
    std::function<void(const QJsonObject&)> check;
};

void RunRows(const std::vector<DumpRow>& rows) {
    for (const DumpRow& row : rows) {
        SCOPED_TRACE(row.name);
        const RunResult result = RunCommand({}, row.script + "dump\n");
        ASSERT_EQ(result.status, 0) << result.err;
        ASSERT_FALSE(result.lines.empty());
        row.check(Parsed(result.lines.back()));
    }
}

TEST_F(ScriptCommandTest, TypedEquationsAndViewCommands) {
    RunRows({
        {"defaults", "", [](const QJsonObject& d) {
             EXPECT_EQ(d["mode"].toInt(-1), 0);
             EXPECT_DOUBLE_EQ(Num(d["scale"]), 1.3);
             EXPECT_EQ(d["graphRect"].toArray(), (QJsonArray{10, -10, -10, 10}));
             EXPECT_EQ(d["selected"].toInt(), -1);
             EXPECT_EQ(d["popup"].toString(), "");
             EXPECT_EQ(d["equations"].toArray().size(), 0);
         }},
        {"typed, with a comment and the shorthand",
         "# a lesson\n\ntype y = x^2 - 2   # parabola\n  type x^2/16 + y^2/4 - 1 = 0\r\ntype y = 2x\n",
         [](const QJsonObject& d) {
             ASSERT_EQ(d["equations"].toArray().size(), 3);
             EXPECT_EQ(Equation(d, 2)["text"].toString(), "y=2*x");
             EXPECT_EQ(Equation(d, 2)["type"].toInt(), 1);
             const QJsonObject p = Equation(d, 0);
             EXPECT_EQ(p["text"].toString(), "y=x^2-2");
             EXPECT_EQ(p["form"].toInt(), 0);
             EXPECT_EQ(p["type"].toInt(), 2);
             EXPECT_EQ(p["coeffs"].toArray(), (QJsonArray{1, 0, -2, 0, 0}));
             // Drawn over the whole view (1000 × 750 pixels at the default scale).
             EXPECT_EQ(p["plotBox"].toArray(), (QJsonArray{12.1875, -12.1875, -16.25, 16.25}));
             EXPECT_EQ(p["controlPoints"].toArray().size(), 3);
             EXPECT_EQ(p["pieces"].toInt(), 1);
             EXPECT_EQ(Equation(d, 1)["type"].toInt(), 11);
         }},
        {"colour and precision", "colour 1 0 0.5 1\nprecision 4\ntype y = 0.123456*x\n", [](const QJsonObject& d) {
             EXPECT_EQ(Equation(d, 0)["colour"].toArray(), (QJsonArray{1, 0, 0.5, 1}));
             EXPECT_EQ(Equation(d, 0)["text"].toString(), "y=0.1235*x");
         }},
        {"zoom rescales the plot boxes", "type y = x\nzoom 2 0.5\n", [](const QJsonObject& d) {
             EXPECT_DOUBLE_EQ(Num(d["xZoom"]), 2);
             EXPECT_EQ(d["graphRect"].toArray(), (QJsonArray{5, -5, -20, 20}));
             EXPECT_EQ(Equation(d, 0)["plotBox"].toArray(), (QJsonArray{6.09375, -6.09375, -32.5, 32.5}));
         }},
        {"wheel forward", "wheel 120 500 375\nwheel 120 500 375\n",
         [](const QJsonObject& d) { EXPECT_NEAR(Num(d["scale"]), 1.3 * 0.81, 1e-12); }},
        {"grid and axis toggle without changing the mode", "grid\naxis\ngrid\n",
         [](const QJsonObject& d) { EXPECT_EQ(d["mode"].toInt(-1), 0); }},
        {"the pointer's status text", "move 500 375\n",
         [](const QJsonObject& d) { EXPECT_EQ(d["status"].toString(), "x : 0.00000 y : 0.00000"); }},
        {"a smaller window keeps the scale", "size 400 300\n",
         [](const QJsonObject& d) { EXPECT_DOUBLE_EQ(Num(d["scale"]), 1.3); }},
        {"a curve in a small window still spans the graph's own box", "size 400 300\ntype y = x\n",
         [](const QJsonObject& d) { EXPECT_EQ(Equation(d, 0)["plotBox"].toArray(), (QJsonArray{9, -9, -9, 9})); }},
    });
}

TEST_F(ScriptCommandTest, ClicksSelectAndRightDragsPan) {
    const std::string two = "type y = x^2\ntype y = -x - 5\n";
    RunRows({
        {"a click on a curve selects it and puts it on top", two + Click(1, 1), [](const QJsonObject& d) {
             EXPECT_EQ(d["selected"].toInt(), 1);
             EXPECT_EQ(Equation(d, 1)["text"].toString(), "y=x^2");
             EXPECT_TRUE(Equation(d, 1)["selected"].toBool());
             EXPECT_EQ(d["hitCode"].toInt(-1), 0);
         }},
        {"a click on white space deselects", two + Click(1, 1) + Click(-4, 6),
         [](const QJsonObject& d) { EXPECT_EQ(d["selected"].toInt(), -1); }},
        // The graph's index and the equations' flags are one selection, seen twice.
        {"undoing another equation keeps the selection", "type y = x^2\n" + Click(1, 1) + "type y = x\nundo\n",
         [](const QJsonObject& d) {
             EXPECT_EQ(d["selected"].toInt(), 0);
             EXPECT_TRUE(Equation(d, 0)["selected"].toBool());
         }},
        {"undoing the selected equation clears the selection", "type y = x\ntype y = x^2\n" + Click(1, 1) + "undo\n",
         [](const QJsonObject& d) {
             EXPECT_EQ(d["selected"].toInt(), -1);
             ASSERT_EQ(d["equations"].toArray().size(), 1);
             EXPECT_FALSE(Equation(d, 0)["selected"].toBool());
         }},
        {"deleting the selection clears it", two + Click(1, 1) + "delete\n", [](const QJsonObject& d) {
             EXPECT_EQ(d["selected"].toInt(), -1);
             EXPECT_FALSE(Equation(d, 0)["selected"].toBool());
         }},
        {"a left drag moves the curve", two + Drag("down", "move", "up", 1, 1, 1, 3), [](const QJsonObject& d) {
             EXPECT_NEAR(At2(Equation(d, 1)["coeffs"], 2), 2, 0.05);
             EXPECT_EQ(d["mode"].toInt(-1), 0);
         }},
        {"a right drag over white space pans", two + Drag("rdown", "move", "rup", -4, 6, -2, 5),
         [](const QJsonObject& d) {
             EXPECT_NEAR(At2(d["pan"], 0), 2, 0.05);
             EXPECT_NEAR(At2(d["pan"], 1), -1, 0.05);
             EXPECT_EQ(d["mode"].toInt(-1), 0);
         }},
        {"a right drag over a curve does not pan", two + Drag("rdown", "move", "rup", 1, 1, 3, 2),
         [](const QJsonObject& d) { EXPECT_EQ(d["pan"].toArray(), (QJsonArray{0, 0})); }},
        {"a right click on a curve records its popup", two + RightClick(1, 1),
         [](const QJsonObject& d) { EXPECT_EQ(d["popup"].toString(), "right click on equation"); }},
    });
}

TEST_F(ScriptCommandTest, PenStrokesBecomeALine) {
    RunRows({
        {"strokes are collected", "pen\n" + Drag("down", "move", "up", -3, -1, 3, 5),
         [](const QJsonObject& d) {
             EXPECT_EQ(d["mode"].toInt(), 18);
             EXPECT_EQ(d["gestureStrokes"].toInt(), 1);
         }},
        {"a single-point stroke is ignored", "pen\n" + Click(2, 2),
         [](const QJsonObject& d) { EXPECT_EQ(d["gestureStrokes"].toInt(), 0); }},
        {"pen again finishes the sketch", "pen\n" + Drag("down", "move", "up", -3, -1, 3, 5) + "pen\n",
         [](const QJsonObject& d) {
             EXPECT_EQ(d["mode"].toInt(-1), 0);
             ASSERT_EQ(d["equations"].toArray().size(), 1);
             EXPECT_EQ(Equation(d, 0)["type"].toInt(), 1);
             EXPECT_NEAR(At2(Equation(d, 0)["coeffs"], 0), 1, 0.05);
             EXPECT_NEAR(At2(Equation(d, 0)["coeffs"], 1), 2, 0.1);
         }},
        {"a double click enters pen input and another finishes",
         "dblclick 0 0\n" + Drag("down", "move", "up", -3, -1, 3, 5) + "dblclick 0 0\n",
         [](const QJsonObject& d) { EXPECT_EQ(d["equations"].toArray().size(), 1); }},
    });
}

TEST_F(ScriptCommandTest, MensurationByPart) {
    const std::string select = "type y = x^2\n" + Click(1, 1) + "mensuration\n";
    struct Row {
        std::string steps;
        int mode;
        bool enabled;
    };
    const Row rows[] = {
        {"", 3, false},
        {"down " + At(-2, 6) + "\n", 8, false},
        {"down " + At(-2, 6) + "\nmove " + At(1, 6) + "\n", 11, false},
        {"down " + At(-2, 6) + "\nmove " + At(1, 6) + "\nup " + At(1, 6) + "\n", 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.steps);
        const QJsonObject d = LastDump(select + row.steps);
        EXPECT_EQ(d["mode"].toInt(-1), row.mode);
        const QJsonObject e = Equation(d, 0);
        EXPECT_EQ(e["bEnableMensu"].toBool(), row.enabled);
        if (row.mode != 3) {
            EXPECT_NEAR(Num(e["mensuration"].toObject()["xmin"]), -2, 0.05);
        }
        if (row.enabled) {
            EXPECT_NEAR(Num(e["mensuration"].toObject()["xmax"]), 1, 0.05);
        }
    }
}

TEST_F(ScriptCommandTest, UndoTakesDomainsThenActionsThenTheEquation) {
    const std::string scene = "type y = x^2\n" + RightClick(1, 1) + "xy-caption\npaint\ndown " + At(0, 4) + "\npaint\n";
    struct Row {
        int undos;
        int equations, attribPoints, domains;
    };
    const Row rows[] = {{0, 1, 1, 1}, {1, 1, 1, 0}, {2, 1, 0, 0}, {3, 0, 0, 0}, {4, 0, 0, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.undos);
        std::string script = scene;
        for (int i = 0; i < row.undos; ++i) script += "undo\n";
        const QJsonObject d = LastDump(script);
        const QJsonArray equations = d["equations"].toArray();
        EXPECT_EQ(equations.size(), row.equations);
        if (!equations.isEmpty()) {
            EXPECT_EQ(Equation(d, 0)["attribPoints"].toArray().size(), row.attribPoints);
        }
        EXPECT_EQ(d["paintedDomains"].toArray().size(), row.domains);
    }
}

TEST_F(ScriptCommandTest, PopupCommandsActWhereTheLastRightClickWas) {
    RunRows({
        {"attribute point with both captions", "type y = x^2\n" + RightClick(1, 1) + "xy-caption\n",
         [](const QJsonObject& d) {
             const QJsonObject ap = Equation(d, 0)["attribPoints"].toArray()[0].toObject();
             EXPECT_NEAR(Num(ap["x"]), 1, 0.05);
             EXPECT_EQ(ap.keys(), (QStringList{"pointType", "x", "xLineType", "xValueType", "y", "yLineType",
                                               "yValueType"}));
             EXPECT_EQ(ap["xValueType"].toInt(), 1);
             EXPECT_EQ(ap["yLineType"].toInt(), 2);
         }},
        {"tangent on a curve", "type y = x^2\n" + RightClick(1, 1) + "tangent\n", [](const QJsonObject& d) {
             ASSERT_EQ(d["equations"].toArray().size(), 2);
             EXPECT_EQ(Equation(d, 0)["tangentLines"].toArray(), (QJsonArray{1}));
             EXPECT_EQ(Equation(d, 1)["type"].toInt(), 1);
             EXPECT_NEAR(At2(Equation(d, 1)["coeffs"], 0), 2, 0.1);
             EXPECT_EQ(Equation(d, 1)["colour"].toArray(), (QJsonArray{0, 0, 1, 1}));
         }},
        {"tangents from a point in white space", "type y = x^2\n" + Click(1, 1) + RightClick(0, -1) + "tangent\n",
         [](const QJsonObject& d) {
             EXPECT_EQ(d["popup"].toString(), "right click on white space");
             ASSERT_EQ(d["equations"].toArray().size(), 3);
             std::vector<double> slopes = {At2(Equation(d, 1)["coeffs"], 0), At2(Equation(d, 2)["coeffs"], 0)};
             std::sort(slopes.begin(), slopes.end());
             EXPECT_NEAR(slopes[0], -2, 0.05);
             EXPECT_NEAR(slopes[1], 2, 0.05);
         }},
        {"no popup, no popup commands", "type y = x^2\n" + RightClick(1, 1) + RightClick(-4, 6) + "tangent\nattrib\n",
         [](const QJsonObject& d) {
             EXPECT_EQ(d["equations"].toArray().size(), 1);
             EXPECT_EQ(Equation(d, 0)["attribPoints"].toArray().size(), 0);
         }},
        {"display equation acts on the right-clicked curve", "type y = x^2\n" + RightClick(1, 1) + "display-equation\n",
         [](const QJsonObject& d) { EXPECT_TRUE(Equation(d, 0)["displayText"].toBool()); }},
        {"delete removes the selection", "type y = x^2\ntype y = x\n" + Click(1, 1) + "delete\n",
         [](const QJsonObject& d) {
             ASSERT_EQ(d["equations"].toArray().size(), 1);
             EXPECT_EQ(Equation(d, 0)["text"].toString(), "y=x");
             EXPECT_EQ(d["selected"].toInt(), -1);
         }},
    });
}

TEST_F(ScriptCommandTest, IntersectionsAndPainting) {
    RunRows({
        {"two quadratics", "type y = x^2\ntype y = 2 - x^2\nintersections\n", [](const QJsonObject& d) {
             const QJsonArray points = d["intersections"].toArray();
             ASSERT_EQ(points.size(), 2);
             EXPECT_NEAR(std::fabs(At2(points[0], 0)), 1, 1e-6);
             EXPECT_NEAR(At2(points[0], 1), 1, 1e-6);
         }},
        {"parallel lines", "type y = x\ntype y = x + 1\nintersections\n",
         [](const QJsonObject& d) { EXPECT_EQ(d["intersections"].toArray().size(), 0); }},
        // x² + (x + 1)² = 25: x = −4 and 3.
        {"a line and a circle", "type y = x + 1\ntype x^2 + y^2 = 25\nintersections\n", [](const QJsonObject& d) {
             const QJsonArray points = d["intersections"].toArray();
             ASSERT_EQ(points.size(), 2);
             EXPECT_EQ(At2(points[0], 0), -4);
             EXPECT_EQ(At2(points[0], 1), -3);
             EXPECT_EQ(At2(points[1], 0), 3);
             EXPECT_EQ(At2(points[1], 1), 4);
         }},
        {"switched off again", "type y = x^2\ntype y = 2 - x^2\nintersections\nintersections\n",
         [](const QJsonObject& d) { EXPECT_EQ(d["intersections"].toArray().size(), 0); }},
        {"painting refuses the same region", "type y = x^2\ncolour 0 1 0 1\npaint\ndown " + At(0, 4) + "\nup " +
                                                 At(0, 4) + "\ndown " + At(0.5, 6) + "\ndown " + At(5, 3) + "\n",
         [](const QJsonObject& d) {
             EXPECT_EQ(d["mode"].toInt(), 5);
             const QJsonArray domains = d["paintedDomains"].toArray();
             ASSERT_EQ(domains.size(), 2);
             EXPECT_EQ(domains[0].toObject()["colour"].toArray(), (QJsonArray{0, 1, 0, 1}));
             EXPECT_NEAR(At2(domains[1].toObject()["seed"], 0), 5, 0.05);
         }},
    });
}

TEST_F(ScriptCommandTest, ErrorsNameTheLineAndStopTheRun) {
    struct Row {
        std::string line;
        const char* message;
    };
    const Row rows[] = {
        {"frob", "unknown command 'frob'"},
        {"Dump", "unknown command 'Dump'"},
        {"size 0 10", "'size' needs W H"},
        {"size 10", "'size' needs W H"},
        {"down 1.5 2", "'down' needs PX PY"},
        {"up 1 2 3", "'up' needs PX PY"},
        {"move 99999999999 0", "'move' needs PX PY"},
        {"rdown x y", "'rdown' needs PX PY"},
        {"dblclick", "'dblclick' needs PX PY"},
        {"wheel 120 1", "'wheel' needs DELTA PX PY"},
        {"colour 1 0 0 2", "'colour' needs R G B A"},
        {"colour 1 0 0", "'colour' needs R G B A"},
        {"zoom 0 1", "'zoom' needs XZ YZ"},
        {"zoom nan 1", "'zoom' needs XZ YZ"},
        {"zoom 1 inf", "'zoom' needs XZ YZ"},
        {"zoom 0.05 1", "'zoom' needs XZ YZ"},
        {"zoom 1 10.5", "'zoom' needs XZ YZ"},
        {"precision -1", "'precision' needs N"},
        {"precision 2.5", "'precision' needs N"},
        {"type", "'type' needs the equation text"},
        {"type   # only a comment", "'type' needs the equation text"},
        {"type y = 2x +", "'type' cannot read the equation: expected a number, a name or '(' after '+' (column 9)"},
        {"type y = (x", "'type' cannot read the equation: missing ')' for the '(' at column 5 (column 7)"},
        {"grid on", "'grid' needs no arguments"},
        {"dump now", "'dump' needs no arguments"},
        {"tangent 1", "'tangent' needs no arguments"},
        {"export-ps", "'export-ps' needs FILE"},
        {"export-png", "'export-png' needs FILE [W H]"},
        {"export-png a.png 100", "'export-png' needs FILE [W H]"},
        {"export-png a.png 0 100", "'export-png' needs FILE [W H]"},
        {"export-png a.png 100 9000", "'export-png' needs FILE [W H]"},
        {"export-png a.png --label", "'export-png' needs FILE [W H] [--labels]"},
        {"export-eps", "'export-eps' needs FILE"},
        {"paper", "'paper' needs a4 or letter"},
        {"paper a5", "'paper' needs a4 or letter"},
        {"paper a4 letter", "'paper' needs a4 or letter"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        const RunResult result = RunCommand({}, "type y = x\ndump\n" + row.line + "\ntype y = x^2\ndump\n");
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.lines.size(), 1u);  // the dump before the error, nothing after it
        EXPECT_EQ(result.err.rfind("kvr script: line 3: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(row.message), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
}

TEST_F(ScriptCommandTest, ExportWritesAPageGhostscriptReads) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // The file name is the rest of the line, spaces included.
    const std::string plain = dir.filePath(QStringLiteral("lesson 1.ps")).toStdString();
    const std::string script = "type y = x^2 - 2\n" + RightClick(1, -1) + "display-equation\nxy-caption\n" +
                               "type x^2 - y^2/4 - 1 = 0\n" + Click(1, 0) + "type y = x\n" + Click(2, 2) +
                               "mensuration\n" + Drag("down", "move", "up", -1, 7, 2, 7) + "intersections\n" +
                               "paint\ndown " + At(-6, 2) + "\npaint\n" + Click(1, 0) + "export-ps " + plain + "\ndump\n";
    const RunResult result = RunCommand({}, script);
    ASSERT_EQ(result.status, 0) << result.err;
    const QJsonObject d = Parsed(result.lines.back());
    EXPECT_GE(d["selected"].toInt(), 0);
    EXPECT_EQ(Equation(d, d["selected"].toInt())["type"].toInt(), 12);  // the hyperbola
    EXPECT_FALSE(d["intersections"].toArray().isEmpty());
    EXPECT_EQ(d["paintedDomains"].toArray().size(), 1);
    ASSERT_TRUE(std::filesystem::exists(plain));
    if (!ghostscript::Available()) GTEST_SKIP() << "ghostscript is not installed";
    EXPECT_EQ(ghostscript::Errors(plain), "");
}

TEST_F(ScriptCommandTest, AFailedExportStopsTheRun) {
    const RunResult result = RunCommand({}, "type y = x\nexport-ps /no/such/folder/graph.ps\ndump\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.lines.empty());
    EXPECT_EQ(result.err, "kvr script: line 2: cannot write '/no/such/folder/graph.ps'\n");
}

// The vector pages: an SVG a browser reads and a PDF; both refuse a path they cannot write.
TEST_F(ScriptCommandTest, ExportsSvgAndPdfPages) {
    QTemporaryDir dir;
    const std::string svg = dir.filePath("graph.svg").toStdString(), pdf = dir.filePath("graph.pdf").toStdString();
    const RunResult result = RunCommand({}, "type y = x^2\nexport-svg " + svg + "\nexport-pdf " + pdf + "\n");
    ASSERT_EQ(result.status, 0) << result.err;
    QFile svgFile(QString::fromStdString(svg)), pdfFile(QString::fromStdString(pdf));
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    const QByteArray page = svgFile.readAll();
    EXPECT_TRUE(page.startsWith("<?xml")) << page.left(40).toStdString();
    EXPECT_TRUE(page.contains("<svg"));
    EXPECT_TRUE(page.contains("<path") || page.contains("<polyline"));
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdfFile.read(5) == "%PDF-");

    for (const char* command : {"export-svg", "export-pdf"}) {
        const RunResult bad = RunCommand({}, std::string("type y = x\n") + command + " /no/such/folder/graph\n");
        EXPECT_EQ(bad.status, 1) << command;
        EXPECT_EQ(bad.err, "kvr script: line 2: cannot write '/no/such/folder/graph'\n");
    }
}

// The pages a teacher prints or puts in a worksheet, read back by Ghostscript:
// the page fills its sheet (A4 or Letter, turned to landscape for a wide
// graph) inside 15 mm margins, with the structuring comments a spooler reads;
// the encapsulated picture's bounding box is within 2 points of its ink.
TEST_F(ScriptCommandTest, PagesFillTheirSheetAndPicturesAreTight) {
    if (!ghostscript::Available()) GTEST_SKIP() << "ghostscript is not installed";
    QTemporaryDir dir;
    const std::string a4 = dir.filePath("a4.ps").toStdString(), letter = dir.filePath("letter.ps").toStdString();
    const std::string eps = dir.filePath("picture.eps").toStdString(), named = dir.filePath("named.EPS").toStdString();
    const RunResult result =
        RunCommand({}, "size 800 600\ntype y = x^2 - 2\ntype y = sin(x)\npaper a4\nexport-ps " + a4 +
                           "\npaper Letter\nexport-ps " + letter + "\nexport-eps " + eps + "\nexport-ps " + named + "\n");
    ASSERT_EQ(result.status, 0) << result.err;
    struct Page {
        std::string path;
        double width, height;  // the landscape sheet
    };
    for (const Page& page : {Page{a4, 841.89, 595.276}, Page{letter, 792, 612}}) {
        SCOPED_TRACE(page.path);
        const std::string text = ghostscript::Slurp(page.path);
        for (const char* comment : {"%!PS-Adobe-3.0\r\n", "%%BoundingBox: ", "%%Pages: 1\r\n", "%%EndComments\r\n",
                                    "%%Page: 1 1\r\n", "%%EOF\r\n"})
            EXPECT_NE(text.find(comment), std::string::npos) << comment;
        const ghostscript::Box ink = ghostscript::InkBox(page.path);
        ASSERT_TRUE(ink.valid());
        // The ink on the turned sheet: at least 80 % of the room between the margins, on one axis.
        const double roomX = page.width - 2 * 42.52, roomY = page.height - 2 * 42.52;
        EXPECT_TRUE((ink.right - ink.left) >= 0.8 * roomX || (ink.top - ink.bottom) >= 0.8 * roomY)
            << ink.left << " " << ink.bottom << " " << ink.right << " " << ink.top;
        EXPECT_GE(ink.left, 42.52 - 2);
        EXPECT_LE(ink.right, page.width - 42.52 + 2);
    }
    for (const std::string& picture : {eps, named}) {
        SCOPED_TRACE(picture);
        const std::string text = ghostscript::Slurp(picture);
        EXPECT_EQ(text.rfind("%!PS-Adobe-3.0 EPSF-3.0\r\n", 0), 0u);
        const size_t at = text.find("%%BoundingBox: ");
        ASSERT_NE(at, std::string::npos);
        double l = 0, b = 0, r = 0, t = 0;
        ASSERT_EQ(std::sscanf(text.c_str() + at, "%%%%BoundingBox: %lf %lf %lf %lf", &l, &b, &r, &t), 4);
        const ghostscript::Box ink = ghostscript::InkBox(picture);
        ASSERT_TRUE(ink.valid());
        EXPECT_NEAR(ink.left, l, 2);
        EXPECT_NEAR(ink.bottom, b, 2);
        EXPECT_NEAR(ink.right, r, 2);
        EXPECT_NEAR(ink.top, t, 2);
        EXPECT_EQ(ghostscript::Errors(picture), "");
    }
}

// The picture of the scripted graph: the script's size unless W H are given,
// a clean picture (the grid left out), and an unwritable file stops the run.
TEST_F(ScriptCommandTest, ExportsPng) {
    QTemporaryDir dir;
    const std::string sized = dir.filePath(QStringLiteral("a.png")).toStdString();
    const std::string given = dir.filePath(QStringLiteral("b.png")).toStdString();
    const RunResult result = RunCommand({}, "size 320 200\ntype y = x^2 - 2\ndisplay-equation\nexport-png " + sized +
                                                "\nexport-png " + given + " 64 48\ndump\n");
    if (result.status == 1 && result.err.find("no headless OpenGL context") != std::string::npos)
        GTEST_SKIP() << result.err;
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(QImage(QString::fromStdString(sized)).size(), QSize(320, 200));
    EXPECT_EQ(QImage(QString::fromStdString(given)).size(), QSize(64, 48));
    EXPECT_EQ(result.lines.size(), 1u);

    // With --labels the label is in the picture; the clean picture has none.
    const std::string clean = dir.filePath(QStringLiteral("c.png")).toStdString();
    const std::string labelled = dir.filePath(QStringLiteral("d.png")).toStdString();
    const RunResult labels = RunCommand({}, "type y = x^2 - 2\n" + RightClick(1, -1) + "display-equation\nexport-png " + clean + "\nexport-png " +
                                                labelled + " --labels\n");
    ASSERT_EQ(labels.status, 0) << labels.err;
    const QImage a(QString::fromStdString(clean)), b(QString::fromStdString(labelled));
    ASSERT_EQ(a.size(), b.size());
    int darker = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) darker += qGray(b.pixel(x, y)) + 60 < qGray(a.pixel(x, y));
    EXPECT_GT(darker, 30) << "the label's ink";

    const RunResult failed = RunCommand({}, "type y = x\nexport-png /no/such/folder/graph.png\ndump\n");
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.lines.empty());
    EXPECT_EQ(failed.err, "kvr script: line 2: cannot write '/no/such/folder/graph.png'\n");
}

TEST_F(ScriptCommandTest, ReadsFilesAndRefusesBadArguments) {
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    file.write("type y = x\ndump\n");
    file.close();
    const RunResult fromFile = RunCommand({file.fileName()});
    EXPECT_EQ(fromFile.status, 0);
    EXPECT_EQ(fromFile.lines.size(), 1u);

    ExpectRefused(&RunScript, {
                                  {{QStringLiteral("/no/such/script.txt")}, 2, "cannot open"},
                                  {{QStringLiteral("/")}, 2, "cannot open"},
                                  {{QStringLiteral("a.txt"), QStringLiteral("b.txt")}, 2, "expected one input"},
                                  {{QStringLiteral("--frobnicate")}, 2, "unknown option '--frobnicate'"},
                              });
    const RunResult help = RunCommand({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_FALSE(help.lines.empty());
}

TEST_F(ScriptCommandTest, PrecisionLastsForTheRunOnly) {
    MathEx::SetDisplayPrecision(3);
    EXPECT_EQ(RunCommand({}, "precision 6\n").status, 0);
    EXPECT_EQ(MathEx::DisplayPrecision(), 3);
}

// As for `kvr analyse --precision`: digits only, and above 17 acts as 17.
TEST_F(ScriptCommandTest, PrecisionAboveTheMostActsAsTheMost) {
    const std::string equation = "type y = 0.1234567890123456789*x\n";
    const QJsonObject most = LastDump(equation + "precision 17\n");
    for (const char* n : {"18", "2147483648", "99999999999999999999999"}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(Equation(LastDump(equation + "precision " + n + "\n"), 0)["text"], Equation(most, 0)["text"]);
    }
    for (const char* n : {"-1", "2.5", "x", "1 2"}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(RunCommand({}, std::string("precision ") + n + "\n").status, 2);
    }
}

}  // namespace
