// SPDX-License-Identifier: MIT
#pragma once
// Random equation texts from a small grammar that covers the classroom
// notation: every operator, functions with and without their parentheses,
// calls, subscripts, pairs, nested equations, implicit products, bars, ln and
// exp. Many of them do not parse; callers skip those.
#include <random>
#include <string>

namespace MathEx::testing {

class RandomExpression {
public:
    explicit RandomExpression(unsigned seed) : rng_(seed) {}

    std::string Make(int depth) {
        if (depth <= 0) return Leaf();
        switch (Pick(18)) {
            case 0: return Make(depth - 1) + "+" + Make(depth - 1);
            case 1: return Make(depth - 1) + "-" + Make(depth - 1);
            case 2: return Make(depth - 1) + "*" + Make(depth - 1);
            case 3: return Make(depth - 1) + "/" + Make(depth - 1);
            case 4: return Make(depth - 1) + "^" + Make(depth - 1);
            case 5: return "-" + Make(depth - 1);
            case 6: return "(" + Make(depth - 1) + ")";
            case 7: return kFunctions[Pick(6)] + std::string(" ") + Make(depth - 1);
            case 8: return "f(" + Make(depth - 1) + ")";
            case 9: return "x_" + Make(depth - 1);
            case 10: return "(" + Make(depth - 1) + "," + Make(depth - 1) + ")";
            case 11: return "(" + Make(depth - 1) + "=" + Make(depth - 1) + ")";
            // the shorthand: implicit products, bars, ln and exp, a function
            // with its group followed by a power
            case 12: return Leaf() + Name();
            case 13: return "(" + Make(depth - 1) + ")(" + Make(depth - 1) + ")";
            case 14: return "|" + Make(depth - 1) + "|";
            case 15: return std::string(Pick(2) ? "ln " : "exp ") + Make(depth - 1);
            case 16: return kFunctions[Pick(6)] + std::string("(") + Make(depth - 1) + ")^" + Leaf();
            default: return Make(depth - 1) + "^-" + Make(depth - 1);
        }
    }

private:
    static constexpr const char* kFunctions[] = {"sin", "cos", "tan", "log", "sqrt", "abs"};
    std::string Name() {
        static const char* kNames[] = {"x", "y", "e", "pi", "sin x", "(x+1)"};
        return kNames[Pick(6)];
    }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    std::string Leaf() {
        static const char* kLeaves[] = {"x", "y", "n", "2", "0", "17", "0.125", "3.14159", "PI", "E", "1e-7", "e", "2147483648"};
        return kLeaves[Pick(13)];
    }
    std::mt19937 rng_;
};

}  // namespace MathEx::testing
