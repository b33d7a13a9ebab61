// SPDX-License-Identifier: MIT
// The file as written: the listed elements in their order, then the extras;
// reals with at least two decimals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QtCore/QTemporaryDir>
#include <QtXml/QDomDocument>

#include "graph/GraphManager.h"
#include "io/CKVRDoc.h"
#include "io/FeatureArchive.h"

namespace {

std::vector<std::string> Children(const QDomElement& e) {
    std::vector<std::string> tags;
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) tags.push_back(c.tagName().toStdString());
    return tags;
}

QDomDocument Written(GraphManager& graph) {
    QDomDocument dom;
    EXPECT_TRUE(dom.setContent(CKVRDoc(graph).toBytes(QByteArray("png"))));
    return dom;
}

TEST(WrittenFormat, EmptyGraph) {
    GraphManager graph;
    const QDomDocument dom = Written(graph);
    const QDomElement root = dom.documentElement();
    EXPECT_EQ(root.tagName(), "KVR");
    EXPECT_EQ(Children(root), (std::vector<std::string>{"version", "feature", "image", "numeqns", "numdomain",
                                                        "showAxisNumbers", "showGrid", "showAxis",
                                                        "showIntersections", "xZoom", "yZoom"}));
    EXPECT_EQ(root.firstChildElement("version").text(), "1.00");
    EXPECT_EQ(root.firstChildElement("feature").firstChildElement("size").text(), "0");
    EXPECT_EQ(root.firstChildElement("numeqns").text(), "0");
}

TEST(WrittenFormat, ElementsInTheListedOrderThenTheExtras) {
    GraphManager graph;
    EquationObject* e = graph.addEquationFromText("y = x^2 - 1");
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(e->setLabel(EquationObject::LABEL_USER_TEXT, "S_n "));
    AttribPoint p;
    p.setPosition(1, 0);
    p.axis[AttribPoint::X].valueType = AttribPoint::LABEL_TEXT;
    p.setXValueTypeString("a");
    e->addAttribPoint(p);
    graph.addPaintedDomain(PaintedDomain{ColorF(1, 0, 0, 1), PointF(0.5f, -1)});
    const QDomElement root = Written(graph).documentElement();
    EXPECT_EQ(Children(root), (std::vector<std::string>{"version", "feature", "image", "numeqns", "equation",
                                                        "numdomain", "domain_info", "showAxisNumbers", "showGrid",
                                                        "showAxis", "showIntersections", "xZoom", "yZoom"}));
    const QDomElement equation = root.firstChildElement("equation");
    EXPECT_EQ(Children(equation),
              (std::vector<std::string>{"string", "color", "point", "bDisplayText", "bDrawExtremePoints",
                                        "bEnableDomainSetup", "bEnableMensu", "bMonotonic", "from", "to",
                                        "lineStipple", "lineWidth", "stippletype", "displayTextType",
                                        "displayTextTypeString", "attribute_points", "mensuration",
                                        "tangentLineCount", "hasPlotBox", "pinnedCount", "shape"}));
    EXPECT_EQ(equation.firstChildElement("string").text(), "y=x^2-1");
    EXPECT_EQ(equation.firstChildElement("displayTextTypeString").text(), "S_n _TRSP#@");
    EXPECT_EQ(equation.firstChildElement("lineWidth").text(), "1.00");
    const QDomElement point = equation.firstChildElement("attribute_points").firstChildElement("attibute_point");
    const std::vector<std::string> listed{"color",       "pointType",   "x",          "y",
                                          "xValueType",  "xValueTypeString", "xGuideType", "xGuideWidth",
                                          "xLineType",   "xLineWidth",  "yValueType", "yGuideType",
                                          "yGuideWidth", "yLineType",   "yLineWidth"};
    const std::vector<std::string> tags = Children(point);
    ASSERT_GE(tags.size(), listed.size());
    EXPECT_EQ(std::vector<std::string>(tags.begin(), tags.begin() + long(listed.size())), listed);
    EXPECT_EQ(Children(equation.firstChildElement("mensuration")),
              (std::vector<std::string>{"xmin", "xmax", "nRects", "fillPattern", "color", "color", "color", "tickType",
                                        "startTickNumber", "heightType"}));
    EXPECT_EQ(Children(root.firstChildElement("domain_info")), (std::vector<std::string>{"color", "point"}));
    EXPECT_EQ(Children(root.firstChildElement("domain_info").firstChildElement("color")),
              (std::vector<std::string>{"r", "g", "b", "a"}));
    EXPECT_EQ(root.firstChildElement("domain_info").firstChildElement("point").firstChildElement("x").text(), "0.50");
}

// A user label is written as one, whatever its text: type 1 with the text, so
// that a reader that does not know the later elements keeps it too.
TEST(WrittenFormat, AnyUserLabelIsWrittenAsAUserLabel) {
    const std::string texts[] = {"Parabola P", "y = 2 3", "(((", "", "\\{%$<&\"", std::string(1000, 'w')};
    for (const std::string& text : texts) {
        GraphManager graph;
        EquationObject* e = graph.addEquationFromText("y = x^2");
        ASSERT_NE(e, nullptr);
        ASSERT_TRUE(e->setLabel(EquationObject::LABEL_USER_TEXT, text));
        const QDomElement equation = Written(graph).documentElement().firstChildElement("equation");
        EXPECT_EQ(equation.firstChildElement("displayTextType").text(), "1") << text;
        EXPECT_EQ(equation.firstChildElement("displayTextTypeString").text().toStdString(), text);
        EXPECT_TRUE(equation.firstChildElement("userLabelText").isNull()) << text;
    }
}

}  // namespace

namespace {

// What the library scan reads back is the signature the graph had when saved, bit for bit.
TEST(WrittenFormat, SignatureReadsBackAsSaved) {
    GraphManager graph;
    for (const char* text : {"y = 0.3*x^2 - 1.7", "y = x^3 - 2*x", "x^2/9 + y^2/4 - 1 = 0", "y = 2*sin(x)"})
        ASSERT_NE(graph.addEquationFromText(text), nullptr);
    QTemporaryDir dir;
    const std::string path = dir.filePath("signature.kvr").toStdString();
    ASSERT_TRUE(CKVRDoc(graph).save(path, QByteArray()).ok);
    CFeature saved, read;
    graph.computeFeature(saved);
    ASSERT_TRUE(ReadDocumentFeature(path, read));
    EXPECT_EQ(read.elements, saved.elements);
    EXPECT_EQ(read.distance(saved), 0.0);
}

}  // namespace
