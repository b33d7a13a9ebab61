// SPDX-License-Identifier: MIT
#pragma once
// The pieces canonical equation texts are made of. Whatever a kind writes with
// them must parse and analyse back into the same kind and coefficients: a
// coefficient keeps five decimals, or all its digits when five would round it
// away, and the general form of a rotated conic carries every digit, so that
// a slightly tilted parabola stays a parabola.
#include <string>

namespace MathEx::Canonical {

// Shortest text that reads back as exactly v ("8e-67").
std::string Shortest(double v);
// A coefficient with five decimals; one so small that they would round it
// away (and change the curve's type) keeps all its digits.
std::string Num(double v);
// Coefficient v of the power literal p after the leading term ("" for 0).
std::string SignedTerm(double v, const char* p, bool quadratic = false);
// " + v", "-v" or "" for 0.
std::string ConstantTerm(double v);
// The first term v·p of a polynomial.
std::string LeadingTerm(double v, const char* p);
// sin θ and cos θ, exact for an angle within a billionth (relative) of a
// multiple of π/2 (the literal π of the rules is such an angle): the general
// form then has exact zeros instead of residues that read back as another conic.
void SinCos(double theta, double& s, double& c);
// "(x - 1.00000)", "(x + 2.00000)" or "x".
std::string Shifted(const char* var, double centre);
// Shifted(var, centre)², over the denominator unless it is 1.
std::string Square(const char* var, double centre, double denominator);
// A·x² + B·xy + C·y² + D·x + E·y + F = 0 with every coefficient written so
// that it reads back exactly: a conic a few millionths of a radian off an
// axis has cross and square terms far smaller than the rest, which fixed
// decimals would round into another curve.
std::string GeneralForm(const double k[6]);

}  // namespace MathEx::Canonical
