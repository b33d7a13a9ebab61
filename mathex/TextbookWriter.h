// SPDX-License-Identifier: MIT
#pragma once
// The label's LaTeX: an equation as a textbook prints it. Products are
// juxtaposed wherever the classroom grammar reads them back the same (2x,
// 2 sin x, 3(x + 1), x²y) and keep a "·" only where it would not (2 · 3,
// 2 · 3ˣ, a · (x + 1)); numbers move to the front of a product; terms whose
// coefficient reads 0 at the display precision are left out, a coefficient
// of 1 is not written and signs are gathered in front of their term. The
// stored and plain texts never go through here: this text only feeds the
// label typesetter, in the dialect it reads (\frac, {}^{}, {}_{}, \sqrt,
// \abs, \sin and the other words, \cdot, \pi).
#include <string>

namespace MathEx {

class ExpNode;

class TextbookWriter {
public:
    // Walks the tree without recursion: trees can be very deep.
    static std::string Write(const ExpNode& root);
};

}  // namespace MathEx
