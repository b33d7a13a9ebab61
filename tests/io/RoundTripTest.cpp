// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <QtCore/QTemporaryDir>

#include "io/CKVRDoc.h"
#include "io/GraphFields.h"

namespace {

using io_test::GraphDifference;

struct Case {
    const char* name;
    std::function<void(GraphManager&)> build;
};

EquationObject& Add(GraphManager& graph, const std::string& text) {
    EquationObject* e = graph.addEquationFromText(text);
    EXPECT_NE(e, nullptr) << text;
    return *e;
}

// Texts a teacher may give a label: words, maths, text that is neither,
// nothing, a long one, and the characters XML, LaTeX and shells treat specially.
std::vector<std::string> UserTexts() {
    std::string longText;
    while (longText.size() < 1000) longText += "Parabola P, y = x^2 ";
    return {"Parabola P", "Area = 1/2 b h", "y = 2 3", "(((", "", longText,
            "\\ { } % $ < & > \" ' ]]> <!-- --> \\text{x}", "Fläche ∫ f(x) dx — π", "  spaced  "};
}

const Case kCases[] = {
    {"empty", [](GraphManager&) {}},
    {"every primitive type and style",
     [](GraphManager& g) {
         const char* texts[] = {"x - 2 = 0",        "y = 2*x + 1",          "y = x^2 - 1",     "y = x^3 - 2*x",
                                "y = x^4 - 3*x^2",  "y = x^5 - x",          "y = 2*sin(x + 1)", "y = cos(2*x)",
                                "y = tan(x)",       "y = log(x)",           "y = 2^x",         "x^2/9 + y^2/4 - 1 = 0",
                                "x^2/4 - y^2 - 1 = 0", "y^2 - 4*x = 0",     "y = x*sin(x)",    "2 + 3"};
         int i = 0;
         for (const char* t : texts) {
             EquationObject& e = Add(g, t);
             e.setColour(ColorF(0.1f * float(i % 10), 0.3f, 1.0f / 3.0f, 0.75f));
             e.setLineStipple(i % 2 ? 0xCCCC : 0xFFFF);
             e.setLineWidth(float(1 + i % 3));
             e.setStippleType(i % 4);
             e.setDomainSetupEnabled(i % 2);
             e.setDomain(-1.005 - i, 0.1 + 0.2 * i);
             e.setExtremePointsShown(i % 3 == 0);
             e.setDisplayText(i % 2 == 0);
             e.setLabelPosition(PointF(0.1f * float(i), -1.0f / 7.0f));
             e.setLabelPinned(i % 3 == 1);
             ++i;
         }
     }},
    {"user texts: trailing space, markup characters, non-ASCII",
     [](GraphManager& g) {
         EXPECT_TRUE(Add(g, "y = x").setLabel(EquationObject::LABEL_USER_TEXT, "S_n "));
         // The label shows the equation; the user's text is kept all the same.
         EXPECT_TRUE(Add(g, "y = 2*x").setLabel(EquationObject::LABEL_EQUATION, "a < b && c > \"d\" "));
         EXPECT_TRUE(Add(g, "y = 3*x").setLabel(EquationObject::LABEL_EQUATION, "Fläche ∫ f(x) dx — π"));
         EXPECT_TRUE(Add(g, "y = 4*x").setLabel(EquationObject::LABEL_EQUATION, "ends in the marker_TRSP#@"));
         EXPECT_TRUE(Add(g, "y = 5*x").setLabel(EquationObject::LABEL_USER_TEXT, "A = 2.5"));
     }},
    {"user labels of any text, maths or not",
     [](GraphManager& g) {
         int k = 1;
         for (const std::string& text : UserTexts())
             EXPECT_TRUE(Add(g, "y = " + std::to_string(k++) + "*x^2").setLabel(EquationObject::LABEL_USER_TEXT, text));
     }},
    {"reals that two decimals would change",
     [](GraphManager& g) {
         EquationObject& e = Add(g, "y = 0.1234567890123*x^2 + (-1e-7)*x + 12345678.875");
         e.setDomain(-0.0, 1e22);
         e.setLineWidth(1.0f / 3);
         Mensuration m;
         m.xmin = 5e-324;
         m.xmax = std::numeric_limits<double>::max();
         e.setMensuration(m);
         e.setLabelPosition(PointF(std::numeric_limits<float>::denorm_min(), -std::numeric_limits<float>::max()));
     }},
    {"attribute points of every kind, mensuration, painted regions, tangent",
     [](GraphManager& g) {
         EquationObject& e = Add(g, "y = x^2 - 4");
         for (int kind = 0; kind < 3; ++kind) {
             AttribPoint p;
             p.pointType = kind * 3;
             p.setPosition(float(kind) - 0.3f, float(kind * kind) - 4.3f);
             p.axis[AttribPoint::X].valueType = kind;
             p.axis[AttribPoint::Y].valueType = 2 - kind;
             p.setXValueTypeString("a_" + std::to_string(kind));
             p.setYValueTypeString("f(b)");
             p.axis[AttribPoint::X].lengthType = kind;
             p.axis[AttribPoint::Y].lengthType = (kind + 1) % 3;
             p.setXLengthText("h");
             p.setYLengthText("2.75");
             p.axis[AttribPoint::X].valueColor = ColorF(0.2f, 0.4f, 0.6f, 0.8f);
             p.axis[AttribPoint::Y].lengthTextColor = ColorF(1, 0.5f, 0.25f, 0.125f);
             p.axis[AttribPoint::X].guideType = kind;
             p.axis[AttribPoint::Y].lineType = 2 - kind;
             p.axis[AttribPoint::X].lineWidth = 3;
             e.addAttribPoint(p);
         }
         e.setMensurationEnabled(true);
         Mensuration m;
         m.xmin = -1.5;
         m.xmax = 2.25;
         m.nRects = 7;
         m.fillPattern = 0;
         m.outlineColour = ColorF(0, 0.5f, 0, 1);
         m.fillColour = ColorF(0.25f, 0.25f, 1, 0.5f);
         m.labelColour = ColorF(0.2f, 0.4f, 0.6f, 1);
         m.tickType = 0;
         m.startTickNumber = 3;
         m.heightType = 2;
         e.setMensuration(m);
         EquationObject& line = Add(g, "y = 2*x - 5");
         e.addTangentLine(&line);
         g.addPaintedDomain(PaintedDomain{ColorF(1, 0, 0, 1), PointF(0.5f, -1)});
         g.addPaintedDomain(PaintedDomain{ColorF(0, 0, 1, 1), PointF(3, 2)});
     }},
};

class RoundTrip : public ::testing::TestWithParam<Case> {};

std::string SaveAndOpen(GraphManager& original, GraphManager& reopened, const QString& path) {
    CKVRDoc out(original), in(reopened);
    const DocumentResult saved = out.save(path.toStdString(), QByteArray("\x89PNG fake", 9));
    if (!saved.ok) return "save: " + saved.reason;
    const DocumentResult opened = in.open(path.toStdString());
    if (!opened.ok) return "open: " + opened.reason;
    return GraphDifference(original, reopened);
}

TEST_P(RoundTrip, EveryFieldComesBackBitForBit) {
    QTemporaryDir dir;
    GraphManager original, reopened;
    GetParam().build(original);
    EXPECT_EQ(SaveAndOpen(original, reopened, dir.filePath("doc.kvr")), "");
    // And a second generation is the same file.
    GraphManager third;
    EXPECT_EQ(SaveAndOpen(reopened, third, dir.filePath("doc2.kvr")), "");
}

INSTANTIATE_TEST_SUITE_P(Graphs, RoundTrip, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// In memory: the file path is the same code, and the disk's sync would only slow this down.
TEST(RoundTripProperty, ThousandRandomGraphs) {
    io_test::RandomGraph random(20261210);
    GraphManager original, reopened;
    CKVRDoc out(original), in(reopened);
    for (int i = 0; i < 1000; ++i) {
        random.fill(original);
        const QByteArray bytes = out.toBytes(QByteArray());
        const DocumentResult opened = in.openBytes(bytes, "random.kvr");
        ASSERT_TRUE(opened.ok) << opened.reason;
        ASSERT_EQ(GraphDifference(original, reopened), "") << "graph " << i << "\n" << bytes.toStdString();
    }
}

}  // namespace

namespace {

// A document opens at zoom 1: plot boxes are kept as they would be at zoom 1.
// The graph's switches come back as the lesson was saved; a file that does not
// name them opens as a new graph would (grid and axes on, no intersections).
TEST(RoundTripSwitches, GridAxisAndIntersections) {
    GraphManager graph, reopened;
    ASSERT_NE(graph.addEquationFromText("y = x^2"), nullptr);
    ASSERT_NE(graph.addEquationFromText("y = x"), nullptr);
    graph.toggleGrid();
    graph.toggleAxis();
    graph.toggleIntersections();
    CKVRDoc out(graph), in(reopened);
    ASSERT_TRUE(in.openBytes(out.toBytes(QByteArray()), "switches.kvr").ok);
    EXPECT_FALSE(reopened.showGrid());
    EXPECT_FALSE(reopened.showAxis());
    EXPECT_TRUE(reopened.showIntersections());
    EXPECT_EQ(reopened.intersections().size(), 2u) << "computed for the opened curves";

    GraphManager older;
    CKVRDoc legacy(older);
    ASSERT_TRUE(legacy.openBytes("<KVR><numeqns>0</numeqns><numdomain>0</numdomain></KVR>", "older.kvr").ok);
    EXPECT_TRUE(older.showGrid());
    EXPECT_TRUE(older.showAxis());
    EXPECT_FALSE(older.showIntersections());
}

// The zoom is saved and boxes are kept as at zoom 1, so a lesson reopens as it was shown.
TEST(RoundTripPlotBox, BoxesAndZoomComeBackAsSaved) {
    GraphManager graph, reopened;
    ASSERT_NE(graph.addEquationFromText("y = x"), nullptr);
    ASSERT_NE(graph.addEquationFromText("y = 2*x"), nullptr);
    graph.setZoom(2, 4);
    graph.equation(0)->setPlotBox(-4, 6, 8, -4);  // resized by the user at this zoom
    CKVRDoc out(graph), in(reopened);
    ASSERT_TRUE(in.openBytes(out.toBytes(QByteArray()), "zoomed.kvr").ok);
    EXPECT_EQ(reopened.viewport().xZoom, 2.0);
    EXPECT_EQ(reopened.viewport().yZoom, 4.0);
    const RectF& resized = reopened.equations()[0]->plotBox();
    EXPECT_EQ(resized.left, -4.0f);
    EXPECT_EQ(resized.right, 6.0f);
    EXPECT_EQ(resized.top, 8.0f);
    EXPECT_EQ(resized.bottom, -4.0f);
    // The other keeps no box: it covers the view it opens in (larger, at that
    // zoom, than the graph's own box of ±18 × ±36).
    const EquationObject& plain = *reopened.equations()[1];
    EXPECT_TRUE(plain.followsView());
    EXPECT_FALSE(reopened.equations()[0]->followsView());
    EXPECT_EQ(plain.plotBox(), reopened.viewport().visibleRect());
}

}  // namespace
