// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "TreeDump.h"
#include "mathex/Functions.h"
#include "mathex/MathExp.h"
#include "mathex/Power.h"
#include "mathex/Scanner.h"

namespace MathEx {
namespace {

using testing::Dump;
using testing::ParseAndDump;

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Every row of the function table, by name.
class FunctionRowTest : public ::testing::TestWithParam<const Function*> {};

std::vector<const Function*> AllRows() {
    std::vector<const Function*> rows;
    for (const Function& f : Functions()) rows.push_back(&f);
    return rows;
}

std::string RowName(const ::testing::TestParamInfo<const Function*>& info) { return info.param->name; }

// The function a row's node computes: its own row, or the row it spells.
const Function* Computed(const Function& f) { return f.build ? nullptr : FunctionOfNode(f.node); }

TEST_P(FunctionRowTest, ScannerReadsTheNameAsItsCode) {
    const Function& f = *GetParam();
    Scanner scanner(f.name);
    EXPECT_EQ(scanner.Next(), f.lex);
    EXPECT_EQ(scanner.Lexeme(), f.name);
    EXPECT_EQ(scanner.Next(), LEX_END);
    EXPECT_EQ(FunctionOfLex(f.lex), &f);
}

TEST_P(FunctionRowTest, GroupAndBareArgumentMakeTheSameTree) {
    const std::string name = GetParam()->name;
    const std::string grouped = ParseAndDump("y = " + name + "(x^2)");
    ASSERT_NE(grouped, "error");
    EXPECT_EQ(ParseAndDump("y = " + name + " x^2"), grouped);
    EXPECT_EQ(ParseAndDump("y = 2" + name + " x"), ParseAndDump("y = 2*" + name + "(x)"));
    // The argument stops before another function: two factors.
    EXPECT_EQ(ParseAndDump("y = " + name + " x " + name + " x"),
              ParseAndDump("y = " + name + "(x)*" + name + "(x)"));
}

TEST_P(FunctionRowTest, NodeKindsAndLookupsAgree) {
    const Function& f = *GetParam();
    if (f.build) {
        EXPECT_FALSE(f.value.one) << "a shorthand computes through what it builds";
        return;
    }
    const Function* computed = FunctionOfNode(f.node);
    ASSERT_NE(computed, nullptr);
    // A row with a value is complete; a row without one spells another row's node.
    if (f.value.one) {
        EXPECT_EQ(computed, &f);
        EXPECT_NE(f.value.many, nullptr);
        EXPECT_NE(f.slope, nullptr);
        EXPECT_NE(f.latex, nullptr);
        EXPECT_STREQ(OperatorText(f.node), f.name);
    } else {
        EXPECT_NE(computed, &f);
        EXPECT_EQ(ParseAndDump(std::string("y = ") + f.name + " x"),
                  ParseAndDump(std::string("y = ") + computed->name + " x"));
    }
    if (f.curve >= 0) {
        EXPECT_EQ(FunctionOfCurve(f.curve), &f);
    }
}

TEST_P(FunctionRowTest, PlainTextReadsBackAsTheSameTree) {
    const Function& f = *GetParam();
    for (const char* argument : {"x", "x+1", "2x", "(x-1)^2", "-x"}) {
        const std::string text = "y = " + std::string(f.name) + "(" + argument + ")";
        MathExp m;
        ASSERT_TRUE(m.Parse(text)) << text;
        const std::string plain = m.ToText(TEXT_PLAIN);
        MathExp back;
        ASSERT_TRUE(back.Parse(plain)) << text << " -> " << plain;
        EXPECT_EQ(Dump(back), Dump(m)) << text << " -> " << plain;
        if (const Function* g = Computed(f)) {
            EXPECT_EQ(plain.rfind(std::string("y=") + g->name + "(", 0), 0u) << plain;
            const std::string latex = m.ToText(TEXT_LATEX);
            EXPECT_EQ(latex.rfind(std::string("y=") + g->latex + "{", 0), 0u) << latex;
        }
    }
}

TEST_P(FunctionRowTest, EveryEvaluatorGivesTheRowsValue) {
    const Function& f = *GetParam();
    const Function* g = Computed(f);
    if (!g) return;  // exp is a power: the power tests cover it
    MathExp m;
    ASSERT_TRUE(m.Parse(std::string("y = ") + f.name + "(x)"));
    const std::vector<double> xs = {-2.5, -1.0, -0.0, 0.0, 0.3, 1.0, 2.0, 1e10, HUGE_VAL, std::nan("")};
    std::vector<double> batch(xs.size());
    m.Evaluate(xs.data(), batch.data(), xs.size());
    for (size_t i = 0; i < xs.size(); ++i) {
        const double want = g->value.one(xs[i]);
        const auto same = [&](double got) { return SameBits(got, want) || (std::isnan(got) && std::isnan(want)); };
        EXPECT_TRUE(same(m.Evaluate(xs[i]))) << f.name << " at " << xs[i];
        EXPECT_TRUE(same(batch[i])) << f.name << " at " << xs[i];
        EXPECT_TRUE(same(m.Main()->EvaluateAt(xs[i]))) << f.name << " at " << xs[i];
    }
}

// The slope rule against a central difference, at points inside every
// function's domain and away from its kinks.
TEST_P(FunctionRowTest, SlopeMatchesANumericDerivative) {
    const Function& f = *GetParam();
    MathExp m;
    ASSERT_TRUE(m.Parse(std::string("y = ") + f.name + "(0.5x+0.25)"));
    for (double x : {0.1, 0.6, 1.3, 2.2}) {
        const double h = 1e-6;
        const double numeric = (m.Evaluate(x + h) - m.Evaluate(x - h)) / (2 * h);
        EXPECT_NEAR(m.Slope(x, 0), numeric, 1e-6 * std::max(1.0, std::fabs(numeric))) << f.name << " at " << x;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, FunctionRowTest, ::testing::ValuesIn(AllRows()), RowName);

// x^2 … x^8 over awkward values: the tree walk, the compiled program and its
// batch give the very same bits, and stay within the chain's rounding of pow.
class SmallPowerTest : public ::testing::TestWithParam<double> {};

TEST_P(SmallPowerTest, TreeScalarAndBatchAgreeToTheBit) {
    const double x = GetParam();
    for (int n = 2; n <= 8; ++n) {
        for (const std::string& text : {"y = x^" + std::to_string(n), "y = 3*x^" + std::to_string(n) + "-x"}) {
            MathExp m;
            ASSERT_TRUE(m.Parse(text));
            // The batch's last point and a block of its own, with x in the middle.
            std::vector<double> xs(130, 1.5);
            xs[64] = x;
            xs.back() = x;
            std::vector<double> batch(xs.size());
            m.Evaluate(xs.data(), batch.data(), xs.size());
            const double tree = m.Main()->EvaluateAt(x);
            EXPECT_TRUE(SameBits(m.Evaluate(x), tree)) << text << " at " << x;
            EXPECT_TRUE(SameBits(batch[64], tree)) << text << " at " << x;
            EXPECT_TRUE(SameBits(batch.back(), tree)) << text << " at " << x;
        }
    }
}

TEST_P(SmallPowerTest, WithinTheChainsRoundingOfPow) {
    const double x = GetParam();
    for (int n = 2; n <= 8; ++n) {
        const double fast = Power(x, n), libm = std::pow(x, double(n));
        if (std::isnan(libm)) {
            EXPECT_TRUE(std::isnan(fast)) << x << "^" << n;
        } else if (!std::isfinite(libm) || libm == 0) {
            EXPECT_TRUE(SameBits(fast, libm)) << x << "^" << n << ": " << fast;  // signs of zero and infinity too
        } else {
            // The chain's n − 1 roundings, pow's own half unit, and subnormal spacing.
            EXPECT_LE(std::fabs(fast - libm), (n + 1) * 0x1p-53 * std::fabs(libm) + n * 0x1p-1074) << x << "^" << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Values, SmallPowerTest,
                         ::testing::Values(0.0, -0.0, 1.0, -1.0, 2.0, -3.0, 0.1, -0.7, 1.0000001, 3.3, -10.0, 1e10,
                                           -1e-10, 1e38, -1e77, 1e300, -1e300, 1e-300, 4.9e-324, 1.4e-154,
                                           1.7976931348623157e308, HUGE_VAL, -HUGE_VAL,
                                           std::numeric_limits<double>::quiet_NaN()));

}  // namespace
}  // namespace MathEx
