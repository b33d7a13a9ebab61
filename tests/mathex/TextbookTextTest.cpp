// SPDX-License-Identifier: MIT
// The label's textbook LaTeX: what it writes for the equations teachers type
// and the sample lessons draw, and that what it shows reads back, in the
// classroom grammar, as the very function it came from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RandomExpression.h"
#include "ScopedPrecision.h"
#include "mathex/MathExp.h"

namespace MathEx {
namespace {

struct TextbookCase {
    const char* text;
    const char* textbook;
};

std::ostream& operator<<(std::ostream& os, const TextbookCase& c) { return os << c.text; }

std::string Textbook(const std::string& text) {
    MathExp m;
    return m.Parse(text) ? m.ToText(TEXT_TEXTBOOK) : "does not parse";
}

class TextbookText : public ::testing::TestWithParam<TextbookCase> {};

TEST_P(TextbookText, Writes) {
    const ScopedPrecision two(2);
    EXPECT_EQ(Textbook(GetParam().text), GetParam().textbook);
}

INSTANTIATE_TEST_SUITE_P(
    SideBySide, TextbookText,
    ::testing::Values(TextbookCase{"y = 2x + 1", "y=2x+1"}, TextbookCase{"y=2*x+1", "y=2x+1"},
                      TextbookCase{"y = 2*sin(x)", "y=2\\sin{x}"}, TextbookCase{"y = 3*(x+1)", "y=3(x+1)"},
                      TextbookCase{"y = (x-1)*(x+2)", "y=(x-1)(x+2)"}, TextbookCase{"y = x^2*y", "y={x}^{2}y"},
                      TextbookCase{"y = x*y", "y=xy"}, TextbookCase{"y = 2x(x-1)", "y=2x(x-1)"},
                      TextbookCase{"y = 3*e^x", "y=3{e}^{x}"}, TextbookCase{"y = 2*PI*x", "y=2\\pi x"},
                      TextbookCase{"y = sin(x)*cos(x)", "y=\\sin{x}\\cos{x}"},
                      TextbookCase{"y = x*sin(x)", "y=x\\sin{x}"},
                      TextbookCase{"y = sin(x)*sqrt(x)", "y=\\sin{x}\\sqrt{x}"},
                      // a number moves to the front
                      TextbookCase{"y = x*2", "y=2x"}, TextbookCase{"y = x*y*3", "y=3xy"},
                      TextbookCase{"y = 1/2*x", "y=\\frac{1}{2}x"},
                      // e right after digits would read as a number's exponent
                      TextbookCase{"y = 2*e + 1", "y=2 e+1"}));

INSTANTIATE_TEST_SUITE_P(
    DotWhereSideBySideReadsOtherwise, TextbookText,
    ::testing::Values(TextbookCase{"y = 2*3", "y=2 \\cdot 3"}, TextbookCase{"y = 2*3*x", "y=2 \\cdot 3x"},
                      TextbookCase{"y = 3*2^x", "y=3 \\cdot {2}^{x}"}, TextbookCase{"y = x*2^x", "y=x \\cdot {2}^{x}"},
                      TextbookCase{"y = 2*(1/2)", "y=2 \\cdot \\frac{1}{2}"},
                      TextbookCase{"y = 2*(x/3)", "y=2 \\cdot \\frac{x}{3}"},
                      // "a(x + 1)" would call a; "x(x + 1)" multiplies
                      TextbookCase{"y = a*(x+1)", "y=a \\cdot (x+1)"}, TextbookCase{"y = x*(x+1)", "y=x(x+1)"},
                      // "sin x y" would be the sine of xy
                      TextbookCase{"y = sin(x)*y", "y=\\sin{(x)}y"},
                      TextbookCase{"y = sin(x)*(x+1)", "y=\\sin{(x)}(x+1)"}));

INSTANTIATE_TEST_SUITE_P(
    Functions, TextbookText,
    ::testing::Values(TextbookCase{"y = sin(2*x+1)", "y=\\sin{(2x+1)}"}, TextbookCase{"y = cos(2*x)", "y=\\cos{(2x)}"},
                      TextbookCase{"y = log(x)", "y=\\log{x}"}, TextbookCase{"y = ln x", "y=\\log{x}"},
                      TextbookCase{"y = tan(2)", "y=\\tan{2}"}, TextbookCase{"y = sin(-x)", "y=\\sin{(-x)}"},
                      TextbookCase{"y = sin(x^2)", "y=\\sin{({x}^{2})}"},
                      TextbookCase{"y = (sin x)^2", "y={(\\sin{x})}^{2}"},
                      TextbookCase{"y = sqrt(x+1)", "y=\\sqrt{x+1}"}, TextbookCase{"y = |x - 2|", "y=\\abs{x-2}"},
                      TextbookCase{"f(x) = 2*x", "f(x)=2x"}));

INSTANTIATE_TEST_SUITE_P(
    ZeroTermsAndCoefficientsOfOne, TextbookText,
    ::testing::Values(TextbookCase{"y = 0.1963*x^3 + 0*x^2 - 1.9687*x - 0", "y=0.2{x}^{3}-1.97x"},
                      TextbookCase{"y = x + 0", "y=x"}, TextbookCase{"y = 0 - x", "y=-x"},
                      TextbookCase{"y = x^2*0 + 1", "y=1"}, TextbookCase{"y = 0*x^2 - 0", "y=0"},
                      TextbookCase{"0*x + y = 0", "y=0"}, TextbookCase{"y = 1*x^2 - 1*x", "y={x}^{2}-x"},
                      TextbookCase{"y = -1*x + 1", "y=-x+1"}, TextbookCase{"y = 1*sin(1*x)", "y=\\sin{x}"},
                      TextbookCase{"y = 1*1", "y=1 \\cdot 1"},
                      // what the display precision shows decides
                      TextbookCase{"y = 0.001*x^2 + 0.999*x + 1", "y=x+1"},
                      TextbookCase{"y = 0.01*x^2", "y=0.01{x}^{2}"}));

INSTANTIATE_TEST_SUITE_P(
    Signs, TextbookText,
    ::testing::Values(TextbookCase{"y = -x^2", "y=-{x}^{2}"}, TextbookCase{"y = x + -2", "y=x-2"},
                      TextbookCase{"y = x - -2", "y=x+2"}, TextbookCase{"y = x*-2", "y=-2x"},
                      TextbookCase{"y = -2*-x", "y=2x"}, TextbookCase{"y = -(x - 1)", "y=-(x-1)"},
                      TextbookCase{"y = a - (b + c)", "y=a-(b+c)"}, TextbookCase{"y = a + (b - c)", "y=a+b-c"},
                      TextbookCase{"y = -1/2*x", "y=-\\frac{1}{2}x"}, TextbookCase{"y = (-2)^x", "y={(-2)}^{x}"},
                      TextbookCase{"y = x^-2", "y={x}^{-2}"}));

INSTANTIATE_TEST_SUITE_P(
    PowersFractionsConstants, TextbookText,
    ::testing::Values(TextbookCase{"y = 2^x", "y={2}^{x}"}, TextbookCase{"y = e^x", "y={e}^{x}"},
                      TextbookCase{"y = E^x", "y={e}^{x}"}, TextbookCase{"y = exp(2x)", "y={e}^{2x}"},
                      TextbookCase{"x^2/4 + y^2/9 = 1", "\\frac{{x}^{2}}{4}+\\frac{{y}^{2}}{9}=1"},
                      TextbookCase{"y = (x + 1)/(2*x - 1)", "y=\\frac{x+1}{2x-1}"},
                      TextbookCase{"y = (x+1)^2", "y={(x+1)}^{2}"}, TextbookCase{"y = 2^(2^(x+1))", "y={2}^{{2}^{x+1}}"},
                      TextbookCase{"x = 3", "x=3"}, TextbookCase{"x_n = 2*n + 1", "{x}_{n}=2n+1"},
                      TextbookCase{"y = P*I", "y=P I"}));

// Every equation the sample lessons type, and what their sketches add.
constexpr TextbookCase kLessons[] = {
    {"y = 2*x + 1", "y=2x+1"},
    {"x - 3 = 0", "x-3=0"},
    {"y = x^2 - 2*x - 3", "y={x}^{2}-2x-3"},
    {"y = x^3 - 3*x", "y={x}^{3}-3x"},
    {"y = x^4 - 5*x^2 + 4", "y={x}^{4}-5{x}^{2}+4"},
    {"y = 2*sin(x)", "y=2\\sin{x}"},
    {"y = cos(2*x)", "y=\\cos{(2x)}"},
    {"y = tan(x)", "y=\\tan{x}"},
    {"y = log(x)", "y=\\log{x}"},
    {"y = 2^x", "y={2}^{x}"},
    {"x^2 + y^2 - 9 = 0", "{x}^{2}+{y}^{2}-9=0"},
    {"y^2 - 4*x = 0", "{y}^{2}-4x=0"},
    {"(x - 1)^2/9 + (y - 1)^2/4 - 1 = 0", "\\frac{{(x-1)}^{2}}{9}+\\frac{{(y-1)}^{2}}{4}-1=0"},
    {"(x - 1)^2/4 - (y - 1)^2 - 1 = 0", "\\frac{{(x-1)}^{2}}{4}-{(y-1)}^{2}-1=0"},
    {"y = 1", "y=1"},
    {"x - 1 = 0", "x-1=0"},
    {"y = x^2 - 1", "y={x}^{2}-1"},
    {"y = x + 1", "y=x+1"},
    {"y = x^2/4 + 1", "y=\\frac{{x}^{2}}{4}+1"},
    {"y = 4 - x^2", "y=4-{x}^{2}"},
    {"y = x^2 - 4", "y={x}^{2}-4"},
    {"y = 2*x - 1", "y=2x-1"},
    {"y = -x + 2", "y=-x+2"},
    {"3.78*x^2+4.41*x*y-3.84*y^2-1.19*x+4.45*y-20.56=0", "3.78{x}^{2}+4.41xy-3.84{y}^{2}-1.19x+4.45y-20.56=0"},
    {"5.09*x^2-6.59*x*y+12.96*y^2-8.42*x-7.12*y-47.99=0", "5.09{x}^{2}-6.59xy+12.96{y}^{2}-8.42x-7.12y-47.99=0"},
    {"y=2.02*x-2.02", "y=2.02x-2.02"},
};
INSTANTIATE_TEST_SUITE_P(Lessons, TextbookText, ::testing::ValuesIn(kLessons));

std::vector<std::string> LessonEquations() {
    std::vector<std::string> typed;
    const std::filesystem::path sources = std::filesystem::path(KVR_TEST_DATA) / ".." / ".." / "library" / "sources";
    for (const auto& entry : std::filesystem::directory_iterator(sources)) {
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line))
            if (line.rfind("type ", 0) == 0) typed.push_back(line.substr(5));
    }
    return typed;
}

TEST(TextbookLessons, EveryTypedEquationIsInTheTable) {
    const std::vector<std::string> typed = LessonEquations();
    ASSERT_FALSE(typed.empty());
    for (const std::string& text : typed)
        EXPECT_TRUE(std::any_of(std::begin(kLessons), std::end(kLessons), [&](const TextbookCase& c) { return text == c.text; }))
            << text;
}

// What the label shows, typed back as a teacher would read it: a raised
// exponent, a fraction, a subscript, a radical and bars group what they hold;
// a function word takes its argument as drawn, bare or in its parentheses;
// "·" is "*"; factors side by side stay side by side.
class ClassroomReading {
public:
    explicit ClassroomReading(std::string latex) : s_(std::move(latex)) {}
    std::string Read() { return Row(); }

private:
    bool More() const { return pos_ < s_.size(); }

    // Up to the brace that closes the group being read (consumed), or the end.
    std::string Row() {
        std::string out;
        while (More() && s_[pos_] != '}') Atom(out);
        if (More()) ++pos_;
        return out;
    }

    std::string Group() {
        if (!More() || s_[pos_] != '{') return {};
        ++pos_;
        return Row();
    }

    // Drawn between parentheses of its own, which the reading keeps.
    static bool Parenthesised(const std::string& s) {
        if (s.empty() || s.front() != '(' || s.back() != ')') return false;
        int depth = 0;
        for (size_t i = 0; i < s.size(); ++i) {
            depth += s[i] == '(' ? 1 : s[i] == ')' ? -1 : 0;
            if (depth == 0 && i + 1 < s.size()) return false;
        }
        return true;
    }

    static bool OneToken(const std::string& s) {
        const auto trimmed = s.substr(s.find_first_not_of(' '), s.find_last_not_of(' ') - s.find_first_not_of(' ') + 1);
        if (trimmed == "pi" || (trimmed.size() == 1 && std::isalpha(static_cast<unsigned char>(trimmed[0]))))
            return true;
        return trimmed.find_first_not_of("0123456789.") == std::string::npos;
    }

    // A group that the page draws without parentheses: it is a product with
    // what stands before it, even a name, which before "(" would be called.
    static void Grouped(std::string& out, const std::string& inner) {
        if (Parenthesised(inner)) {
            out += inner;
            return;
        }
        const size_t last = out.find_last_not_of(' ');
        if (last != std::string::npos && std::isalpha(static_cast<unsigned char>(out[last]))) out += '*';
        out += "(" + inner + ")";
    }

    void Atom(std::string& out) {
        const char c = s_[pos_];
        if (c == '{') {
            const std::string base = Group();
            const char script = More() ? s_[pos_] : '\0';
            if (script != '^' && script != '_') return Grouped(out, base);
            ++pos_;
            const std::string arg = Group();
            if (script == '_') {
                out += base + "_(" + arg + ")";
                return;
            }
            if (OneToken(base)) out += base;
            else Grouped(out, base);
            out += "^(" + arg + ")";
            return;
        }
        if (c != '\\') {
            out += c;
            ++pos_;
            return;
        }
        ++pos_;
        std::string word;
        while (More() && std::isalpha(static_cast<unsigned char>(s_[pos_]))) word += s_[pos_++];
        if (word == "cdot") {
            out += "*";
        } else if (word == "pi") {
            out += " pi ";
        } else if (word == "frac") {
            const std::string numerator = Group();
            Grouped(out, "(" + numerator + ")/(" + Group() + ")");
        } else if (word == "sqrt") {
            out += " sqrt(" + Group() + ")";
        } else if (word == "abs") {
            out += "|" + Group() + "|";
        } else {
            out += " " + word + " " + Group() + " ";
        }
    }

    std::string s_;
    size_t pos_ = 0;
};

bool Near(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b)); }

// The textbook text of `text` read back gives the same values as `text`
// wherever both have one that rounding cannot move (the label reorders
// products): not where the value is infinite or not a number (0·∞ leaves
// with its zero, and the sign of a zero divisor is not shown), nor where a
// nudge in the last digits of x and y changes it.
void ExpectReadsBack(const std::string& text) {
    MathExp m;
    if (!m.Parse(text)) return;
    const std::string textbook = m.ToText(TEXT_TEXTBOOK);
    const std::string typed = ClassroomReading(textbook).Read();
    MathExp back;
    ASSERT_TRUE(back.Parse(typed)) << text << " -> " << textbook << " -> " << typed;
    for (const auto& [x, y] : {std::pair{0.7, 1.3}, std::pair{-1.9, 0.4}, std::pair{2.3, -0.6}}) {
        const double want = m.GetRoot()->EvaluateAt(x, y);
        const double got = back.GetRoot()->EvaluateAt(x, y);
        if (!std::isfinite(want) || !std::isfinite(got)) continue;
        if (!Near(m.GetRoot()->EvaluateAt(x * (1 + 1e-13), y * (1 + 1e-13)), want)) continue;
        EXPECT_TRUE(Near(got, want)) << text << " -> " << textbook << " -> " << typed << " at " << x << ", " << y
                                     << ": " << got << " instead of " << want;
    }
}

TEST(TextbookReading, TheTablesEquationsReadBackAsTheyWere) {
    const ScopedPrecision all(17);
    for (const TextbookCase& c : kLessons) ExpectReadsBack(c.text);
    for (const char* text : {"y = 2*sin(x)*y", "y = sin(x)*cos(x)*x", "y = a*(x+1)^2", "y = x*2^x*3",
                             "y = 2*e + 1", "y = sin(x)*(x+1)", "y = 2*(x/3)*a", "y = -1/2*x*sin(2)"})
        ExpectReadsBack(text);
}

TEST(TextbookReading, RandomEquationsReadBackAsTheyWere) {
    const ScopedPrecision all(17);
    testing::RandomExpression gen(20240611);
    for (int i = 0; i < 3000; ++i) ExpectReadsBack(gen.Make(1 + i % 5));
}

}  // namespace
}  // namespace MathEx
