// SPDX-License-Identifier: MIT
// Documents as older versions of KVR wrote them: two-decimal reals, only the
// listed elements, the thumbnail in CR LF lines.
#include <gtest/gtest.h>

#include <string>

#include "graph/GraphManager.h"
#include "io/CKVRDoc.h"
#include "io/FeatureArchive.h"

namespace {

std::string Sample(const std::string& name) { return std::string(KVR_TEST_DATA) + "/" + name; }

class LegacyFile : public ::testing::Test {
protected:
    DocumentResult Open(const std::string& name) { return doc.open(Sample(name)); }

    GraphManager graph;
    CKVRDoc doc{graph};
};

TEST_F(LegacyFile, EmptyGraph) {
    graph.setShowAxisNumbers(false);
    ASSERT_TRUE(Open("empty.kvr").ok);
    EXPECT_TRUE(graph.showAxisNumbers());  // not in older files: on
    EXPECT_EQ(graph.equationCount(), 0);
    EXPECT_TRUE(graph.paintedDomains().empty());
    EXPECT_FALSE(doc.isModified());
}

TEST_F(LegacyFile, OneOfEveryPrimitiveType) {
    ASSERT_TRUE(Open("primitives.kvr").ok);
    const int expected[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15};
    ASSERT_EQ(graph.equationCount(), 15);
    for (int i = 0; i < 15; ++i) {
        const EquationObject& e = *graph.equations()[size_t(i)];
        EXPECT_EQ(e.expression()->type, expected[i]) << i;
        EXPECT_FLOAT_EQ(e.colour().b, float(int(i / 14.0 * 100 + 0.5)) / 100) << i;
        EXPECT_FLOAT_EQ(e.labelPosition().x, float(i - 7) + (i < 7 ? -0.5f : 0.5f)) << i;  // written "-2.50"
        EXPECT_EQ(e.displayText(), i % 2 == 1) << i;
        EXPECT_EQ(e.lineWidth(), float(1 + i % 3)) << i;
        EXPECT_EQ(e.lineStipple(), i % 2 == 0 ? 65535 : 52428) << i;
    }
    EXPECT_DOUBLE_EQ(graph.equations()[1]->expression()->coeffs[0], 2.0);
}

TEST_F(LegacyFile, AttributePointsWithUserTexts) {
    ASSERT_TRUE(Open("attribpoints.kvr").ok);
    ASSERT_EQ(graph.equationCount(), 1);
    const auto& points = graph.equations()[0]->attribPoints();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].color, ColorF(0, 0, 1, 1));
    EXPECT_EQ(points[0].pointType, 2);
    EXPECT_EQ(points[0].position.x, 1.0f);
    EXPECT_EQ(points[0].axis[AttribPoint::X].valueType, 2);
    EXPECT_EQ(points[0].axis[AttribPoint::X].valueTypeString.ToText(0), "a");
    EXPECT_EQ(points[0].axis[AttribPoint::X].guideType, 1);
    EXPECT_EQ(points[0].axis[AttribPoint::X].guideWidth, 2);
    EXPECT_EQ(points[0].axis[AttribPoint::X].lineType, 2);
    EXPECT_EQ(points[0].axis[AttribPoint::Y].valueType, 1);
    EXPECT_EQ(points[0].axis[AttribPoint::Y].lineWidth, 3);
    EXPECT_EQ(points[1].axis[AttribPoint::Y].valueType, 2);
    EXPECT_EQ(points[1].axis[AttribPoint::Y].valueTypeString.ToText(0), "f(b)");
    EXPECT_EQ(points[1].position.x, -2.0f);
    EXPECT_EQ(points[2].axis[AttribPoint::X].valueType, 0);
    EXPECT_EQ(points[2].position.y, -0.75f);
    // Not in older files: the defaults.
    EXPECT_EQ(points[0].axis[AttribPoint::X].valueColor, ColorF(0, 0, 0, 1));
    EXPECT_EQ(points[0].axis[AttribPoint::X].lengthType, 0);
    // The value labels follow the position read.
    EXPECT_EQ(points[1].axis[AttribPoint::X].valueExpr.ToText(0), "-2");
    EXPECT_EQ(points[0].owner, graph.equations()[0].get());
}

TEST_F(LegacyFile, MensurationWithItsThreeColours) {
    ASSERT_TRUE(Open("mensuration.kvr").ok);
    const EquationObject& e = *graph.equations()[0];
    EXPECT_TRUE(e.mensurationEnabled());
    const Mensuration& m = e.mensuration();
    EXPECT_EQ(m.xmin, -2.0);
    EXPECT_EQ(m.xmax, 3.0);
    EXPECT_EQ(m.nRects, 6);
    EXPECT_EQ(m.fillPattern, 0);
    EXPECT_EQ(m.outlineColour, ColorF(0, 0.5f, 0, 1));
    EXPECT_EQ(m.fillColour, ColorF(0.25f, 0.25f, 1, 0.5f));
    EXPECT_EQ(m.labelColour, ColorF(0.2f, 0.4f, 0.6f, 1));
    EXPECT_EQ(m.tickType, 0);
    EXPECT_EQ(m.startTickNumber, 1);
    EXPECT_EQ(m.heightType, 2);
}

TEST_F(LegacyFile, TwoPaintedRegions) {
    ASSERT_TRUE(Open("painted.kvr").ok);
    const auto& d = graph.paintedDomains();
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].colour, ColorF(1, 0, 0, 1));
    EXPECT_EQ(d[0].seed, PointF(0.5f, -1));
    EXPECT_EQ(d[1].colour, ColorF(0, 0, 1, 1));
    EXPECT_EQ(d[1].seed, PointF(3, 2));
}

TEST_F(LegacyFile, CountOfTwoWithThreeEquationsLoadsTwo) {
    ASSERT_TRUE(Open("numeqns_short.kvr").ok);
    ASSERT_EQ(graph.equationCount(), 2);
    EXPECT_EQ(graph.equations()[1]->text(), "y=2*x");
}

TEST_F(LegacyFile, WithoutKvrElementOpensEmpty) {
    GraphManager before;
    ASSERT_NE(graph.addEquationFromText("y = x"), nullptr);
    ASSERT_TRUE(Open("no_kvr.kvr").ok);
    EXPECT_EQ(graph.equationCount(), 0);
}

TEST_F(LegacyFile, MissingValuesKeepDefaultsAndIntegersBecomeZero) {
    ASSERT_TRUE(Open("missing_values.kvr").ok);
    ASSERT_EQ(graph.equationCount(), 1);
    const EquationObject& e = *graph.equations()[0];
    // Colour: r and g read, b and a keep black opaque.
    EXPECT_EQ(e.colour(), ColorF(0, 1, 0, 1));
    EXPECT_TRUE(e.displayText());
    EXPECT_EQ(e.domainFrom(), -1.5);
    EXPECT_EQ(e.domainTo(), 0.0);
    EXPECT_EQ(e.lineWidth(), 1.0f);     // a missing real keeps its value
    EXPECT_EQ(e.lineStipple(), 0);      // a missing integer becomes 0
    EXPECT_EQ(e.labelPosition(), PointF(0, 0));
    ASSERT_EQ(e.attribPoints().size(), 1u);
    EXPECT_EQ(e.attribPoints()[0].position.x, 1.0f);
    EXPECT_EQ(e.attribPoints()[0].color, ColorF(0, 0, 0, 1));
    const Mensuration& m = e.mensuration();
    EXPECT_EQ(m.xmax, 2.0);
    EXPECT_EQ(m.nRects, 0);
    EXPECT_EQ(m.outlineColour, ColorF(1, 0, 0, 1));
    EXPECT_EQ(m.labelColour, ColorF(0, 0, 0, 1));
}

TEST_F(LegacyFile, TextEndingInASpace) {
    ASSERT_TRUE(Open("trailing_space.kvr").ok);
    const EquationObject& e = *graph.equations()[0];
    EXPECT_EQ(e.labelKind(), EquationObject::LABEL_USER_TEXT);
    EXPECT_EQ(e.userText(), "S_n ");
}

TEST_F(LegacyFile, EquationThatDoesNotParseFailsAndLeavesTheGraph) {
    ASSERT_NE(graph.addEquationFromText("y = 7*x"), nullptr);
    const DocumentResult r = Open("bad_equation.kvr");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Failed to open document.");
    EXPECT_NE(r.reason.find("bad_equation.kvr"), std::string::npos) << r.reason;
    EXPECT_NE(r.reason.find("y=(x+"), std::string::npos) << r.reason;
    ASSERT_EQ(graph.equationCount(), 1);
    EXPECT_EQ(graph.equations()[0]->text(), "y=7*x");
}

TEST(LegacyFeature, StreamedReadGivesTheStoredSignature) {
    CFeature feature;
    ASSERT_TRUE(ReadDocumentFeature(Sample("primitives.kvr"), feature));
    ASSERT_EQ(feature.elements.size(), 15u);
    EXPECT_EQ(feature.elements[4].type, 4);
    EXPECT_EQ(feature.elements[4].order, 4);
    EXPECT_EQ(feature.elements[4].xintercepts, 3);
    EXPECT_EQ(feature.elements[11].yintercepts, 2);
    EXPECT_EQ(feature.elements[14].type, 15);
    // A document without the element: nothing, and says so.
    std::string why;
    EXPECT_FALSE(ReadDocumentFeature(Sample("missing_values.kvr"), feature, &why));
    EXPECT_TRUE(feature.elements.empty());
    EXPECT_FALSE(why.empty());
}

}  // namespace
