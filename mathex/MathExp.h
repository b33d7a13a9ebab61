// SPDX-License-Identifier: MIT
#pragma once
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/RectF.h"
#include "mathex/ExpNode.h"
#include "mathex/ExtremePoint.h"
#include "mathex/Parser.h"
#include "mathex/Program.h"

namespace MathEx {

class CurveKind;

// How the equation is written.
enum EquationForm : int {
    FORM_EXPLICIT = 0,      // y = f(x) or f(x) = y; main is f
    FORM_IMPLICIT = 1,      // L = R in x and y, read as L − (R) = 0; main is L (the line y = a·x + b when linear)
    FORM_CONSTANT = 2,      // no "=" and no names; main is the whole tree
    FORM_NONE = 3,          // none of these; no main expression
    FORM_SYNTAX_ERROR = 4   // never parsed successfully
};

// Which curve the equation is. The meaning of the coefficients c0…c4 per type:
// vertical line (0, k); line (a, b); quadratic … quartic highest power first;
// sine … log (a, b, c, d) of a·f(b·x + c) + d; exp (B, h, k) of B^(x + h) + k;
// ellipse and hyperbola (a, b, centre x, centre y, θ); parabola (p, vertex x,
// vertex y, θ).
enum PrimitiveType : int {
    PT_VERTICAL_LINE = 0,
    PT_LINE = 1,
    PT_QUADRATIC = 2,
    PT_CUBIC = 3,
    PT_QUARTIC = 4,
    PT_POLYNOMIAL = 5,
    PT_SINE = 6,
    PT_COSINE = 7,
    PT_TANGENT = 8,
    PT_LOG = 9,
    PT_EXP = 10,
    PT_ELLIPSE = 11,
    PT_HYPERBOLA = 12,
    PT_PARABOLA = 13,
    PT_COMPLEX = 15
};

class NotSupportedException : public std::exception {
public:
    explicit NotSupportedException(const char* what) : what_(what) {}
    const char* what() const noexcept override { return what_; }

private:
    const char* what_;
};

// One parsed equation: its tree, how it is written, which curve it is and the
// numbers that define that curve.
class MathExp {
public:
    MathExp() = default;
    // A copy holds a copy of the source's tree and all its analysis, exactly.
    MathExp(const MathExp& other);
    MathExp& operator=(const MathExp& other);
    ~MathExp() = default;

    // Parses and analyses text. On failure the previous tree, form, type and
    // coefficients all stay as they were, the result is false and LastError
    // says why and where.
    bool Parse(std::string text);
    // Why the last Parse failed (status Ok after a success or before any parse).
    const ParseError& LastError() const { return lastError_; }
    const ParseError& lastError() const { return lastError_; }

    // Rewrites the equation from its type and coefficients (after Translate or
    // a fitted shape) and parses that text; type and coefficients are kept, the
    // form is the text's. A text that does not parse, or that reads back as
    // another type, fails and changes nothing.
    bool Rebuild();
    // Whether Rebuild would succeed, without changing anything.
    bool CanRebuild() const;
    // The text Rebuild parses; empty for PT_POLYNOMIAL and PT_COMPLEX.
    std::string CanonicalText() const;

    std::string ToText(int mode) const;
    // Plain text whose numbers read back bit for bit.
    std::string ToExactText() const;

    // f(x) of the main expression; throws NotSupportedException without one.
    double Evaluate(double x) const;
    // f at n points at once (the plotting hot path); same results as Evaluate.
    void Evaluate(const double* xs, double* ys, size_t n) const;
    // F(x, y) of the equation read as F(x, y) = 0; 0 when it has no such reading.
    double Value(double x, double y) const;
    // F along a row: out[i] = Value(xs[i], y) for i < n.
    void Value(const double* xs, double y, double* out, size_t n) const;
    // dF/dx with the same selection as Value.
    double Slope(double x, double y) const;

    // Moves the curve by (dx, dy) through its coefficients only; Rebuild follows.
    void Translate(double dx, double dy);

    // Local minima and maxima of quadratics, cubics and quartics.
    std::vector<ExtremePoint> ExtremePoints() const;

    // The kind of curve the type names, which answers for the coefficients.
    const CurveKind& kind() const;

    ExpNode* GetRoot() const { return root_.get(); }
    // Nodes of the tree: what one evaluation costs, for budgets of plotting work.
    size_t NodeCount() const;
    const ExpNode* Main() const { return main_; }

    EquationForm form = FORM_SYNTAX_ERROR;
    double coeffs[5] = {0, 0, 0, 0, 0};      // c0 … c4
    double conic[6] = {0, 0, 0, 0, 0, 0};    // A … F of Ax² + Bxy + Cy² + Dx + Ey + F
    PrimitiveType type = PT_COMPLEX;
    RectF labelBox;                           // where the typeset label was placed

private:
    void Analyze();
    bool ParseCanonical(MathExp& rebuilt) const;
    void ClassifyExplicit(const struct SubtreeFacts& facts);
    void SetMain(const ExpNode* main);
    void CompilePrograms();

    std::unique_ptr<ExpNode> root_;
    const ExpNode* main_ = nullptr;
    // y = a·x + b of an implicit linear equation ("2x + 3y = 6"), which main
    // points to: the tree itself has no node that gives y.
    std::unique_ptr<ExpNode> lineMain_;
    ParseError lastError_;
    Program mainProgram_;       // one-variable program of main
    Program valueProgram_;      // two-variable program of F
    bool valueIsZero_ = true;   // Value has no meaning for this tree
};

}  // namespace MathEx
