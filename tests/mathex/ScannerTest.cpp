// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mathex/Scanner.h"

namespace MathEx {
namespace {

// Token stream as text: named tokens by name (numbers with their value), plain characters quoted.
std::string Scan(const std::string& text) {
    static const char* kNames[] = {"PI", "E", "IDENT", "INTEGER", "ZERO", "ONE", "TWO", "THREE", "FOUR",
                                   "FLOAT", "END", "SIN", "COS", "TAN", "SQRT", "LOG", "ABS",
                                   "INTEGRAL", "SIGMA", "LIMIT", "NEG", "LN", "EXP", "UNKNOWN"};
    Scanner scanner(text);
    std::string out;
    for (int guard = 0; guard < 100; ++guard) {
        const int t = scanner.Next();
        if (!out.empty()) out += ' ';
        if (t < 256) {
            out += '\'';
            out += char(t);
            out += '\'';
            continue;
        }
        out += kNames[t - LEX_PI];
        if (t == LEX_IDENT) out += ":" + scanner.Identifier();
        if (t == LEX_INTEGER || t == LEX_FLOAT) {
            char buf[64];
            std::snprintf(buf, sizeof buf, ":%g", scanner.Value());
            out += buf;
        }
        if (t == LEX_END) break;
    }
    return out;
}

struct ScanCase {
    std::string text;
    const char* tokens;
};

class ScannerTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScannerTest, TokenStream) { EXPECT_EQ(Scan(GetParam().text), GetParam().tokens) << GetParam().text.substr(0, 40); }

INSTANTIATE_TEST_SUITE_P(
    Rules, ScannerTest,
    ::testing::Values(
        ScanCase{"y=sin(x)", "IDENT:y '=' SIN '(' IDENT:x ')' END"},
        ScanCase{"y = 2*x^2 + 3.5", "IDENT:y '=' TWO '*' IDENT:x '^' TWO '+' FLOAT:3.5 END"},
        ScanCase{"", "END"},
        ScanCase{" \t\r\n", "END"},
        // keywords are case sensitive; identifiers are one letter
        ScanCase{"PIE", "PI E END"},
        ScanCase{"Ex", "E IDENT:x END"},
        ScanCase{"pi", "PI END"},
        ScanCase{"Pi pix", "PI PI IDENT:x END"},
        ScanCase{"e", "E END"},
        ScanCase{"e' exp ln", "IDENT:e' EXP LN END"},
        ScanCase{"SIN", "IDENT:S IDENT:I IDENT:N END"},
        ScanCase{"sinx", "SIN IDENT:x END"},
        ScanCase{"cosh", "COS IDENT:h END"},
        ScanCase{"integrals", "INTEGRAL IDENT:s END"},
        ScanCase{"sigma limit abs sqrt log tan", "SIGMA LIMIT ABS SQRT LOG TAN END"},
        ScanCase{"f' f\" f''", "IDENT:f' IDENT:f\" IDENT:f' ''' END"},
        // numbers
        ScanCase{"0 1 2 3 4 5", "ZERO ONE TWO THREE FOUR INTEGER:5 END"},
        ScanCase{"012", "INTEGER:12 END"},
        ScanCase{"00", "ZERO END"},
        ScanCase{"1.2.3", "FLOAT:1.2 FLOAT:0.3 END"},
        ScanCase{"0.0e0", "FLOAT:0 END"},
        ScanCase{".e5", "FLOAT:0 END"},
        ScanCase{"00.5", "FLOAT:0.5 END"},
        ScanCase{"3.14e-2", "FLOAT:0.0314 END"},
        ScanCase{"12.e3", "FLOAT:12000 END"},
        ScanCase{".5e1", "FLOAT:5 END"},
        ScanCase{"1e5", "FLOAT:100000 END"},
        ScanCase{"11e+2", "FLOAT:1100 END"},
        ScanCase{"2E5", "FLOAT:200000 END"},
        ScanCase{".5", "FLOAT:0.5 END"},
        ScanCase{"5.", "FLOAT:5 END"},
        ScanCase{". x", "'.' IDENT:x END"},
        ScanCase{"1e", "ONE E END"},
        ScanCase{"1.5e+", "FLOAT:1.5 E '+' END"},
        ScanCase{"10e5", "FLOAT:1e+06 END"},
        ScanCase{"1.5E-3", "FLOAT:0.0015 END"},
        ScanCase{"-5", "'-' INTEGER:5 END"},
        ScanCase{"99999999999", "INTEGER:1e+11 END"},
        ScanCase{"2147483648", "INTEGER:2.14748e+09 END"},
        // a decimal too small for a double is zero or the nearest subnormal, never infinity
        ScanCase{"0." + std::string(329, '0') + "1", "FLOAT:0 END"},
        ScanCase{"4.9e-324", "FLOAT:4.94066e-324 END"},
        ScanCase{"1e999", "FLOAT:inf END"},
        // every other character is itself
        ScanCase{"(),_=^/*+-", "'(' ')' ',' '_' '=' '^' '/' '*' '+' '-' END"},
        ScanCase{"x$", "IDENT:x '$' END"},
        // the notation characters teachers paste
        ScanCase{"\xcf\x80", "PI END"},
        ScanCase{"x\xc2\xb2+x\xc2\xb3", "IDENT:x '^' TWO '+' IDENT:x '^' THREE END"},
        ScanCase{"2\xc2\xb7x\xc3\x97y\xe2\x88\x92" "1", "TWO '*' IDENT:x '*' IDENT:y '-' ONE END"}));

TEST(ScannerBytes, AnUnknownCharacterIsOneTokenWithItsColumn) {
    Scanner scanner("\xcf\x80 \xc3\xa9x");
    EXPECT_EQ(scanner.Next(), LEX_PI);
    EXPECT_EQ(scanner.Column(), 1);
    EXPECT_EQ(scanner.Next(), LEX_UNKNOWN);
    EXPECT_EQ(scanner.Lexeme(), "\xc3\xa9");
    EXPECT_EQ(scanner.Column(), 3);
    EXPECT_EQ(scanner.Next(), LEX_IDENT);
    EXPECT_EQ(scanner.Column(), 4);
    EXPECT_EQ(scanner.Next(), LEX_END);
    EXPECT_EQ(scanner.Column(), 5);
}

}  // namespace
}  // namespace MathEx
