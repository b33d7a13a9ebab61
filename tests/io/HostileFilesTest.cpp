// SPDX-License-Identifier: MIT
// Broken and hostile documents: each either opens with what makes sense or
// fails with the message, and leaves the graph as it was when it fails.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>
#include <string>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include "graph/GraphManager.h"
#include "io/CKVRDoc.h"
#include "io/CXMLArchive.h"
#include "io/DocumentLimits.h"
#include "io/FeatureArchive.h"
#include "support/DocumentMutator.h"

namespace {

QByteArray ReadSample(const std::string& name) {
    QFile f(QString::fromStdString(std::string(KVR_TEST_DATA) + "/" + name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

QByteArray Repeat(const QByteArray& s, int n) {
    QByteArray out;
    out.reserve(s.size() * n);
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

QByteArray Equation(const QByteArray& text, const QByteArray& inner = "") {
    return "<equation><string>" + text + "</string>" + inner + "</equation>";
}

struct Hostile {
    const char* name;
    std::function<QByteArray()> content;
    bool opens;          // true: opens (with what makes sense); false: fails with the message
    int equations = 0;   // when it opens
};

const Hostile kHostile[] = {
    {"billion laughs",
     [] {
         QByteArray dtd = "<!DOCTYPE KVR [<!ENTITY a0 \"ha\">";
         for (int i = 1; i < 10; ++i)
             dtd += "<!ENTITY a" + QByteArray::number(i) + " \"" +
                    Repeat("&a" + QByteArray::number(i - 1) + ";", 10) + "\">";
         return dtd + "]><KVR><numeqns>1</numeqns>" + Equation("y=x") + "<x>&a9;</x></KVR>";
     },
     false},
    {"external entity",
     [] { return QByteArray("<!DOCTYPE KVR [<!ENTITY e SYSTEM \"/etc/passwd\">]><KVR><x>&e;</x></KVR>"); }, false},
    {"100 000 nested elements", [] { return "<KVR>" + Repeat("<a>", 100000) + Repeat("</a>", 100000) + "</KVR>"; }, false},
    {"binary junk",
     [] {
         QByteArray junk;
         std::mt19937 rng(7);
         for (int i = 0; i < 100000; ++i) junk += char(rng());
         return junk;
     },
     false},
    {"empty file", [] { return QByteArray(); }, false},
    {"invalid UTF-8 in a text",
     [] { return "<KVR><numeqns>1</numeqns>" + Equation("y=x", "<displayTextType>1</displayTextType><displayTextTypeString>\xff\xfe\xc3</displayTextTypeString>") + "</KVR>"; },
     false},
    {"NaN and 1e308 in reals",
     [] {
         return "<KVR><numeqns>1</numeqns>" +
                Equation("y=x", "<color><r>nan</r><g>1e308</g><b>-inf</b><a>0.50</a></color><point><x>1e308</x><y>nan</y></point>"
                                "<from>nan</from><to>1e308</to><lineWidth>1e308</lineWidth>"
                                "<mensuration><xmin>-1e308</xmin><xmax>1e308</xmax></mensuration>") +
                "<numdomain>1</numdomain><domain_info><color><r>nan</r></color><point><x>1e39</x><y>-1e39</y></point></domain_info></KVR>";
     },
     true, 1},
    {"negative and huge integers",
     [] {
         return "<KVR><numeqns>2147483647</numeqns>" +
                Equation("y=x", "<lineStipple>-99999999999</lineStipple><stippletype>99999999999</stippletype>"
                                "<displayTextType>-7</displayTextType><attribute_points><size>2147483647</size>"
                                "<attibute_point><pointType>-2147483648</pointType><xValueType>99</xValueType>"
                                "<xGuideWidth>99999999</xGuideWidth></attibute_point></attribute_points>"
                                "<mensuration><nRects>2147483647</nRects><heightType>-5</heightType></mensuration>") +
                "<numdomain>-1</numdomain></KVR>";
     },
     true, 1},
    {"counts far beyond the elements", [] { return "<KVR><numeqns>99999999999</numeqns>" + Equation("y=x") + Equation("y=2*x") + "<numdomain>2147483647</numdomain></KVR>"; }, true, 2},
    {"equation text of 10 MB", [] { return "<KVR><numeqns>1</numeqns>" + Equation("y=" + Repeat("x+", 5 * 1024 * 1024) + "1") + "</KVR>"; }, false},
    {"deeply parenthesised equation", [] { return "<KVR><numeqns>1</numeqns>" + Equation("y=" + Repeat("(", 30000) + "x" + Repeat(")", 30000)) + "</KVR>"; }, false},
    {"more equations than any graph", [] { return "<KVR><numeqns>1001</numeqns>" + Repeat(Equation("y=x"), 1001) + "</KVR>"; }, false},
    {"a thousand equations", [] { return "<KVR><numeqns>1000</numeqns>" + Repeat(Equation("y=x"), 1000) + "</KVR>"; }, true, 1000},
    {"more painted regions than any graph",
     [] { return "<KVR><numdomain>1001</numdomain>" + Repeat("<domain_info><point><x>1</x></point></domain_info>", 1001) + "</KVR>"; },
     false},
    {"an implicit curve too large to trace", [] { return "<KVR><numeqns>1</numeqns>" + Equation("y+" + Repeat("sin(x*y)+", 300) + "1=0") + "</KVR>"; }, false},
    {"explicit equations too large to plot in all",
     [] { return "<KVR><numeqns>10</numeqns>" + Repeat(Equation("y=" + Repeat("sin(x)+", 1000) + "1"), 10) + "</KVR>"; }, false},
    {"a label text of a megabyte",
     [] { return "<KVR><numeqns>1</numeqns>" + Equation("y=x", "<displayTextType>1</displayTextType><displayTextTypeString>" + Repeat("ab ", 350000) + "</displayTextTypeString>") + "</KVR>"; },
     false},
    // Attributes make the XML reader quadratic; documents have none.
    {"60 000 attributes on the root",
     [] {
         QByteArray attributes;
         for (int i = 0; i < 60000; ++i) attributes += " a" + QByteArray::number(i) + "=\"1\"";
         return "<KVR" + attributes + "/>";
     },
     false},
    {"65 attributes on an element", [] { return "<KVR" + Repeat(" a=\"1\"", 65) + "><numeqns>0</numeqns></KVR>"; }, false},
    {"quoted '=' signs are no attributes",
     [] { return "<KVR note=\"" + Repeat("a=b ", 200) + "\"><numeqns>1</numeqns>" + Equation("y=x") + "</KVR>"; }, true, 1},
    // Elements are built as they are read: a bound stops a file of millions.
    {"eight million empty elements", [] { return "<KVR>" + Repeat("<z/>", 8000000) + "</KVR>"; }, false},
    {"thirty thousand copies of an equation",
     [] { return "<KVR><numeqns>2</numeqns>" + Repeat(Equation("y=x", "<from>0</from><to>0</to>"), 30000) + "</KVR>"; }, true, 2},
    {"an equation inside an equation",
     [] { return "<KVR><numeqns>3</numeqns>" + Equation("y=x", Equation("y=2*x")) + "</KVR>"; }, true, 2},
};

class HostileFile : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileFile, OpensWhatMakesSenseOrFailsWithTheMessage) {
    GraphManager graph;
    ASSERT_NE(graph.addEquationFromText("y = 7*x"), nullptr);
    CKVRDoc doc(graph);
    const Hostile& h = GetParam();
    const DocumentResult r = doc.openBytes(h.content(), "hostile.kvr");
    if (!h.opens) {
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, "Failed to open document.");
        EXPECT_EQ(r.reason.rfind("hostile.kvr: ", 0), 0u) << r.reason;
        ASSERT_EQ(graph.equationCount(), 1);  // the graph is as it was
        EXPECT_EQ(graph.equations()[0]->text(), "y=7*x");
        return;
    }
    ASSERT_TRUE(r.ok) << r.reason;
    ASSERT_EQ(graph.equationCount(), h.equations);
    for (const auto& e : graph.equations()) {
        // Whatever the file said, what the graph holds is finite and in range.
        EXPECT_TRUE(std::isfinite(e->colour().r) && std::isfinite(e->colour().g)) << h.name;
        EXPECT_TRUE(std::isfinite(e->labelPosition().x) && std::isfinite(e->labelPosition().y)) << h.name;
        EXPECT_TRUE(std::isfinite(e->domainFrom()) && std::isfinite(e->domainTo())) << h.name;
        EXPECT_LE(e->lineWidth(), float(kMaxLineWidth));
        EXPECT_LE(e->mensuration().nRects, kMaxRects);
        EXPECT_GE(e->stippleType(), 0);
        EXPECT_LE(e->stippleType(), 3);
        EXPECT_GE(e->lineStipple(), 0);
        EXPECT_LE(e->lineStipple(), 0xFFFF);
        for (const AttribPoint& p : e->attribPoints()) {
            EXPECT_GE(p.axis[AttribPoint::X].valueType, 0);
            EXPECT_LE(p.axis[AttribPoint::X].valueType, 2);
            EXPECT_LE(p.axis[AttribPoint::X].guideWidth, kMaxLineWidth);
        }
    }
    for (const PaintedDomain& d : graph.paintedDomains()) EXPECT_TRUE(std::isfinite(d.seed.x)) << h.name;
}

INSTANTIATE_TEST_SUITE_P(Files, HostileFile, ::testing::ValuesIn(kHostile),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// A shape refines the equation text of a reshaped curve; one that describes
// another curve than the text is ignored, and the text wins.
TEST(HostileInput, AShapeThatContradictsTheTextIsIgnored) {
    const struct {
        const char* text;
        const char* shape;
        double c0, c1, c2;  // the curve that opens
    } rows[] = {
        {"y=3*x^2", "<type>2</type><c0>1</c0><c1>0</c1><c2>-1</c2>", 3, 0, 0},
        {"y=x^2-1.00000", "<type>2</type><c0>1.000000004</c0><c1>0</c1><c2>-1.0000000031</c2>", 1.000000004, 0, -1.0000000031},
        {"y=2*x+1", "<type>1</type><c0>2.5</c0><c1>1</c1>", 2, 1, 0},
    };
    for (const auto& r : rows) {
        GraphManager graph;
        CKVRDoc doc(graph);
        const QByteArray file = "<KVR><numeqns>1</numeqns>" + Equation(r.text, QByteArray("<shape>") + r.shape + "</shape>") + "</KVR>";
        ASSERT_TRUE(doc.openBytes(file, "shape.kvr").ok) << r.text;
        const double* c = graph.equation(0)->expression()->coeffs;
        EXPECT_DOUBLE_EQ(c[0], r.c0) << r.text;
        EXPECT_DOUBLE_EQ(c[1], r.c1) << r.text;
        EXPECT_DOUBLE_EQ(c[2], r.c2) << r.text;
        if (r.c0 == 3) {
            EXPECT_EQ(graph.equation(0)->expression()->ExtremePoints().at(0).y, 0.0f);
        }
    }
}

TEST(HostileInput, AttributesAreCountedOutsideQuotes) {
    const struct {
        const char* xml;
        int most;
    } rows[] = {{"<KVR/>", 0},
                {"<KVR a=\"1\" b='2'><x c=\"3\"/></KVR>", 2},
                {"<KVR a=\"x=y=z\"/>", 1},
                {"<!-- a=1 b=2 --><KVR/>", 0},
                {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><KVR/>", 0},
                {"<KVR>1 = 2 = 3</KVR>", 0},
                {"</KVR a=1>", 0}};
    for (const auto& r : rows) EXPECT_EQ(CXMLArchive::MostAttributes(QByteArray(r.xml)), r.most) << r.xml;
}

TEST(HostileInput, PathsThatAreNoDocument) {
    QTemporaryDir dir;
    GraphManager graph;
    CKVRDoc doc(graph);
    // 1 GB, refused by its size before a byte is read (sparse: takes no disk).
    QFile big(dir.filePath("big.kvr"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(1LL << 30));
    big.close();
    const std::string paths[] = {dir.filePath("big.kvr").toStdString(), dir.path().toStdString(),
                                 dir.filePath("missing.kvr").toStdString(), "/dev/zero"};
    for (const std::string& path : paths) {
        const DocumentResult r = doc.open(path);
        EXPECT_FALSE(r.ok) << path;
        EXPECT_EQ(r.message, "Failed to open document.") << path;
        CFeature feature;
        EXPECT_FALSE(ReadDocumentFeature(path, feature)) << path;
    }
}

// Mutated copies of the sample documents: none may crash, hang or fail without the message.
TEST(HostileInput, MutatedSamplesNeverCrash) {
    const char* samples[] = {"primitives.kvr", "attribpoints.kvr", "mensuration.kvr", "painted.kvr", "trailing_space.kvr"};
    std::mt19937 rng(20261210);
    GraphManager graph;
    CKVRDoc doc(graph);
    int opened = 0;
    for (int round = 0; round < 300; ++round) {
        const QByteArray bytes = io_test::MutateDocument(ReadSample(samples[round % 5]), rng, 4, 200);
        const DocumentResult r = doc.openBytes(bytes, "mutant.kvr");
        if (r.ok) ++opened;
        else EXPECT_EQ(r.message, "Failed to open document.");
    }
    EXPECT_GT(opened, 0);  // some mutants are still documents
}

}  // namespace
