// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <functional>
#include <string>

#include "io/CXMLArchive.h"
#include "io/NumberText.h"

namespace {

// Storing then loading through the same serialise steps.
QByteArray Store(const std::function<void(CXMLArchive&)>& write) {
    CXMLArchive archive(std::string(), CXMLArchive::kStore);
    write(archive);
    return archive.toBytes();
}

TEST(NumberText, RealsAreShortestWithAtLeastTwoDecimals) {
    const struct {
        double value;
        const char* text;
    } rows[] = {{1.0, "1.00"},         {0.5, "0.50"},          {-0.0, "-0.00"},      {0.1, "0.10"},
                {2.345, "2.345"},      {1.0 / 3, "0.3333333333333333"}, {-12.25, "-12.25"},
                {1e21, "1e+21"},       {1e-7, "1e-07"},         {123456789.0, "123456789.00"},
                {std::nan(""), "nan"}, {-std::numeric_limits<double>::infinity(), "-inf"}};
    for (const auto& row : rows) EXPECT_EQ(FormatReal(row.value), row.text) << row.text;
    EXPECT_EQ(FormatFloat(0.1f), "0.10");
    EXPECT_EQ(FormatFloat(1.0f / 3), "0.33333334");
}

TEST(NumberText, ReadsLikeAtofAndAtoi) {
    const struct {
        const char* text;
        bool ok;
        double value;
    } reals[] = {{"1.00", true, 1.0},   {"  -2.5xyz", true, -2.5}, {"+3", true, 3.0}, {"abc", true, 0.0},
                 {"", true, 0.0},       {"nan", false, 7.0},       {"inf", false, 7.0}, {"1e400", false, 7.0},
                 {"1e308", true, 1e308}, {"-0.00", true, -0.0}};
    for (const auto& row : reals) {
        double v = 7.0;
        EXPECT_EQ(ReadLeadingReal(row.text, v), row.ok) << row.text;
        EXPECT_EQ(std::signbit(v), std::signbit(row.value)) << row.text;
        EXPECT_EQ(v, row.value) << row.text;
    }
    float f = 7.0f;
    EXPECT_FALSE(ReadLeadingFloat("1e308", f));  // does not fit a float: kept
    EXPECT_EQ(f, 7.0f);
    const struct {
        const char* text;
        int value;
    } ints[] = {{"42", 42},  {" -17abc", -17}, {"x", 0}, {"", 0}, {"99999999999999999999", INT32_MAX},
                {"-99999999999999999999", INT32_MIN}, {"+5", 5}, {"2.9", 2}};
    for (const auto& row : ints) EXPECT_EQ(ReadLeadingInteger(row.text), row.value) << row.text;
}

TEST(Archive, TrailingSpaceMarker) {
    const QByteArray bytes = Store([](CXMLArchive& a) {
        CXMLArchiveNode* n = a.OpenElement("KVR");
        std::string spaced = "area ", plain = "area", empty;
        n->ExchangeText("spaced", spaced);
        n->ExchangeText("plain", plain);
        n->ExchangeText("empty", empty);
        a.CloseElement();
    });
    EXPECT_NE(bytes.indexOf("<spaced>area _TRSP#@</spaced>"), -1) << bytes.toStdString();
    EXPECT_NE(bytes.indexOf("<plain>area</plain>"), -1);
    EXPECT_NE(bytes.indexOf("<empty/>"), -1);
    CXMLArchive in(bytes);
    CXMLArchiveNode* n = in.OpenElement("KVR");
    std::string spaced, plain, empty = "kept?";
    n->ExchangeText("spaced", spaced);
    n->ExchangeText("plain", plain);
    n->ExchangeText("empty", empty);
    EXPECT_EQ(spaced, "area ");
    EXPECT_EQ(plain, "area");
    EXPECT_EQ(empty, "");
}

TEST(Archive, SameNamedElementsTakeTheirTurnAndValuesTheFirstMatch) {
    CXMLArchive in(QByteArray("<KVR><m><color><r>0.10</r></color><deep><color><r>0.20</r></color></deep>"
                              "<color><r>0.30</r></color><r>0.90</r></m></KVR>"));
    CXMLArchiveNode* root = in.OpenElement("KVR");
    ASSERT_TRUE(root->hasElement());
    in.OpenElement("m");
    double r[4] = {-1, -1, -1, -1};
    for (double& v : r) {
        CXMLArchiveNode* c = in.OpenElement("color");
        ASSERT_NE(c, nullptr);
        c->ExchangeReal("r", v);  // the fourth has no element: kept
        in.CloseElement();
    }
    EXPECT_EQ(r[0], 0.1);
    EXPECT_EQ(r[1], 0.2);  // descendants at any depth, in document order
    EXPECT_EQ(r[2], 0.3);
    EXPECT_EQ(r[3], -1);
    // A value read under "m" takes the first "r" below it, inside the first colour.
    double first = 0;
    in.nodeForTest()->ExchangeReal("r", first);
    EXPECT_EQ(first, 0.1);
}

TEST(Archive, MissingElementsLeaveValuesAndNullBelow) {
    CXMLArchive in(QByteArray("<Other><version>2.00</version><n>5</n></Other>"));
    CXMLArchiveNode* root = in.OpenElement("KVR");
    ASSERT_NE(root, nullptr);
    EXPECT_FALSE(root->hasElement());
    int n = 7;
    double version = 1.0;
    std::string text = "kept";
    root->ExchangeInteger("n", n);
    root->ExchangeReal("version", version);
    root->ExchangeText("text", text);
    EXPECT_EQ(n, 7);  // no element at all: even integers stay
    EXPECT_EQ(version, 1.0);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(in.OpenElement("equation"), nullptr);

    // An element that exists without the value: reals and texts stay, integers become 0.
    CXMLArchive partial(QByteArray("<KVR><other>1</other></KVR>"));
    CXMLArchiveNode* node = partial.OpenElement("KVR");
    node->ExchangeInteger("n", n);
    node->ExchangeReal("version", version);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(version, 1.0);
}

TEST(Archive, StoringNestsInTheOrderWritten) {
    const QByteArray bytes = Store([](CXMLArchive& a) {
        CXMLArchiveNode* root = a.OpenElement("KVR");
        double v = 1.0;
        root->ExchangeReal("version", v);
        CXMLArchiveNode* c = a.OpenElement("color");
        float r = 0.25f;
        c->ExchangeFloat("r", r);
        EXPECT_EQ(a.CloseElement(), 1);
        int n = 3;
        root->ExchangeInteger("numeqns", n);
        EXPECT_EQ(a.CloseElement(), 0);
    });
    EXPECT_TRUE(bytes.endsWith("<KVR><version>1.00</version><color><r>0.25</r></color><numeqns>3</numeqns></KVR>"))
        << bytes.toStdString();
}

TEST(Archive, CharactersXmlCannotHoldAreLeftOut) {
    const QByteArray bytes = Store([](CXMLArchive& a) {
        std::string text = std::string("a\x01") + "b\tc <&> é";
        a.OpenElement("KVR")->ExchangeText("t", text);
        a.CloseElement();
    });
    CXMLArchive in(bytes);
    ASSERT_EQ(in.loadError(), "");
    std::string text;
    in.OpenElement("KVR")->ExchangeText("t", text);
    EXPECT_EQ(text, "ab\tc <&> é");
}

}  // namespace
