// SPDX-License-Identifier: MIT
#include "mathex/Analysis.h"

#include <algorithm>
#include <cmath>

#include "mathex/Operator.h"
#include <limits>

#include "mathex/MathExp.h"

namespace MathEx {

namespace {

constexpr int64_t kDegreeCap = int64_t(1) << 40;

int64_t SaturatingMultiply(int64_t a, int64_t b) {
    if (a == 0 || b == 0) return 0;
    return a > kDegreeCap / b ? kDegreeCap : std::min(a * b, kDegreeCap);
}

Polynomial Constant(double v) {
    Polynomial p;
    p.ok = true;
    p.c[0] = v;
    return p;
}

// Product truncated after x^4; exact in the kept terms, which are all that
// matter while the degree stays at most 4.
Polynomial Multiply(const Polynomial& u, const Polynomial& v) {
    Polynomial r;
    r.ok = true;
    r.degree = std::min(u.degree + v.degree, kDegreeCap);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; i + j < 5; ++j) r.c[i + j] += u.c[i] * v.c[j];
    return r;
}

Polynomial PowerOf(const Polynomial& base, double exponent) {
    const double whole = std::floor(exponent);
    if (!(exponent >= 0) || whole != exponent) return {};
    if (exponent == 0) return Constant(1.0);
    if (base.degree == 0 && exponent > 64) return Constant(Power(base.c[0], exponent));
    const int64_t n = exponent >= double(kDegreeCap) ? kDegreeCap : int64_t(exponent);
    Polynomial r = Constant(1.0);
    if (base.degree > 0 && n > 4) {
        r.degree = SaturatingMultiply(base.degree, n);  // coefficients are not needed
        return r;
    }
    for (int64_t i = 0; i < n; ++i) r = Multiply(r, base);
    return r;
}

Polynomial PolynomialFacts(const ExpNode& n, const SubtreeFacts* c) {
    Polynomial r;
    switch (n.Type()) {
        case TT_NUMBER: return Constant(n.NumberValue());
        case TT_IDENT:
            if (n.Name() != "x") return r;
            r.ok = true;
            r.degree = 1;
            r.c[1] = 1.0;
            return r;
        case TT_PLUS:
        case TT_MINUS: {
            if (!c[0].poly.ok || !c[1].poly.ok) return r;
            r.ok = true;
            r.degree = std::max(c[0].poly.degree, c[1].poly.degree);  // even if leading terms cancel
            for (int i = 0; i < 5; ++i) r.c[i] = ApplyOperator(n.Type(), c[0].poly.c[i], c[1].poly.c[i]);
            return r;
        }
        case TT_NEGATE:
            if (!c[0].poly.ok) return r;
            r = c[0].poly;
            for (double& v : r.c) v = -v;
            return r;
        case TT_TIMES:
            if (!c[0].poly.ok || !c[1].poly.ok) return r;
            return Multiply(c[0].poly, c[1].poly);
        case TT_DIVIDE:
            if (!c[0].poly.ok || !c[1].constant) return r;
            r = c[0].poly;
            for (double& v : r.c) v = v / c[1].value0;
            return r;
        case TT_POWER:
            if (!c[0].poly.ok || !c[1].poly.ok || c[1].poly.degree != 0) return r;
            return PowerOf(c[0].poly, c[1].poly.c[0]);
        default: return r;
    }
}

bool IsDegreeOne(const Polynomial& p) { return p.ok && p.degree == 1; }

TrigMatch TrigFacts(const ExpNode& n, const SubtreeFacts* c) {
    TrigMatch r;
    if (const Function* f = FunctionOfNode(n.Type()); f && f->curve >= 0) {
        if (IsDegreeOne(c[0].poly)) r = TrigMatch{true, f->curve, 1.0, c[0].poly.c[1], c[0].poly.c[0], 0.0};
        return r;
    }
    switch (n.Type()) {
        case TT_PLUS:
            if (c[0].constant && c[1].trig.ok) { r = c[1].trig; r.d += c[0].value0; }
            else if (c[1].constant && c[0].trig.ok) { r = c[0].trig; r.d += c[1].value0; }
            return r;
        case TT_MINUS:
            if (c[1].constant && c[0].trig.ok) {
                r = c[0].trig;
                r.d -= c[1].value0;
            } else if (c[0].constant && c[1].trig.ok) {  // K − f: the curve turned over
                r = c[1].trig;
                r.a = -r.a;
                r.d = c[0].value0 - r.d;
            }
            return r;
        case TT_NEGATE:
            if (c[0].trig.ok) { r = c[0].trig; r.a = -r.a; r.d = -r.d; }
            return r;
        case TT_TIMES: {
            const SubtreeFacts* k = c[0].constant ? &c[0] : c[1].constant ? &c[1] : nullptr;
            const SubtreeFacts* f = k == &c[0] ? &c[1] : &c[0];
            if (k && f->trig.ok) { r = f->trig; r.a *= k->value0; r.d *= k->value0; }
            return r;
        }
        case TT_DIVIDE:
            if (c[1].constant && c[0].trig.ok) { r = c[0].trig; r.a /= c[1].value0; r.d /= c[1].value0; }
            return r;
        default: return r;
    }
}

ExpMatch ExpFacts(const ExpNode& n, const SubtreeFacts* c) {
    ExpMatch r;
    switch (n.Type()) {
        case TT_POWER:
            if (c[0].constant && IsDegreeOne(c[1].poly) && c[1].poly.c[1] == 1.0)
                r = ExpMatch{true, c[0].value0, c[1].poly.c[0], 0.0};
            return r;
        case TT_PLUS:
            if (c[0].constant && c[1].exp.ok) { r = c[1].exp; r.k += c[0].value0; }
            else if (c[1].constant && c[0].exp.ok) { r = c[0].exp; r.k += c[1].value0; }
            return r;
        case TT_MINUS:
            if (c[1].constant && c[0].exp.ok) { r = c[0].exp; r.k -= c[1].value0; }
            return r;
        default: return r;
    }
}

// Monomials of the conic vector: powers of x and y at each index.
constexpr int kPowX[6] = {0, 0, 1, 0, 1, 2};
constexpr int kPowY[6] = {0, 1, 0, 2, 1, 0};

int MonomialIndex(int px, int py) {
    for (int i = 0; i < 6; ++i)
        if (kPowX[i] == px && kPowY[i] == py) return i;
    return -1;
}

bool ConicProduct(const double* u, const double* v, double* out) {
    double r[6] = {0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j) {
            const double p = u[i] * v[j];
            const int index = MonomialIndex(kPowX[i] + kPowX[j], kPowY[i] + kPowY[j]);
            if (index < 0) {
                if (p != 0) return false;  // a term of degree three or more
                continue;
            }
            r[index] += p;
        }
    std::copy(r, r + 6, out);
    return true;
}

bool ConicFacts(const ExpNode& n, const SubtreeFacts& self, const SubtreeFacts* c, double* out) {
    std::fill(out, out + 6, 0.0);
    if (self.constant) {
        out[0] = self.value0;
        return true;
    }
    switch (n.Type()) {
        case TT_IDENT:
            if (n.Name() == "x") out[2] = 1.0;
            else if (n.Name() == "y") out[1] = 1.0;
            else return false;
            return true;
        case TT_PLUS:
        case TT_MINUS:
            if (!c[0].conicOk || !c[1].conicOk) return false;
            for (int i = 0; i < 6; ++i) out[i] = ApplyOperator(n.Type(), c[0].conic[i], c[1].conic[i]);
            return true;
        case TT_NEGATE:
            if (!c[0].conicOk) return false;
            for (int i = 0; i < 6; ++i) out[i] = -c[0].conic[i];
            return true;
        case TT_TIMES:
            return c[0].conicOk && c[1].conicOk && ConicProduct(c[0].conic, c[1].conic, out);
        case TT_DIVIDE:
            if (!c[0].conicOk || !c[1].constant) return false;
            for (int i = 0; i < 6; ++i) out[i] = c[0].conic[i] / c[1].value0;
            return true;
        case TT_POWER:
            if (!c[0].conicOk || !c[1].constant) return false;
            if (c[1].value0 == 1.0) {
                std::copy(c[0].conic, c[0].conic + 6, out);
                return true;
            }
            return c[1].value0 == 2.0 && ConicProduct(c[0].conic, c[0].conic, out);
        default: return false;
    }
}

SubtreeFacts Combine(const ExpNode& n, const SubtreeFacts* c, int count) {
    SubtreeFacts f;
    const TokenType t = n.Type();
    const bool banned = t == TT_INTEGRAL || t == TT_SIGMA || t == TT_LIMIT;
    const bool isName = t == TT_IDENT;
    f.constant = !banned && !isName;
    f.xOnly = !banned && (!isName || n.Name() == "x");
    f.xyOnly = !banned && (!isName || n.Name() == "x" || n.Name() == "y");
    double values[2] = {0, 0};
    for (int i = 0; i < count; ++i) {
        f.constant = f.constant && c[i].constant;
        f.xOnly = f.xOnly && c[i].xOnly;
        f.xyOnly = f.xyOnly && c[i].xyOnly;
        if (i < 2) values[i] = c[i].value0;
    }
    // The same arithmetic as one-variable evaluation at x = 0 (names read 0).
    if (t == TT_NUMBER) f.value0 = n.NumberValue();
    else if (IsOperator(t)) f.value0 = ApplyOperator(t, values[0], values[1]);
    // Every slot has a result (empty slots a default one), so binary rules may read c[1].
    f.poly = PolynomialFacts(n, c);
    f.trig = TrigFacts(n, c);
    f.exp = ExpFacts(n, c);
    f.conicOk = ConicFacts(n, f, c, f.conic);
    return f;
}

}  // namespace

SubtreeFacts AnalyzeSubtree(const ExpNode* node) { return FoldTree<SubtreeFacts>(node, Combine); }

void StoreConic(const SubtreeFacts& facts, double conic[6]) {
    static constexpr int kByMonomial[6] = {5, 4, 3, 2, 1, 0};  // x², xy, y², x, y, 1
    for (int i = 0; i < 6; ++i) conic[i] = facts.conicOk ? facts.conic[kByMonomial[i]] : 0.0;
}

namespace {
bool AllFinite(const double* v, int n) {
    return std::all_of(v, v + n, [](double x) { return IsFinite(x); });
}

// y = a·x + b as a tree.
std::unique_ptr<ExpNode> LineTree(double a, double b) {
    auto number = [](double v) {
        Token t;
        t.type = TT_NUMBER;
        t.number.value = v;
        return new ExpNode(t);
    };
    auto x = new ExpNode(TT_IDENT, 0);
    x->token.name = "x";
    auto times = new ExpNode(TT_TIMES, 2);
    times->SetChild(0, number(a));
    times->SetChild(1, x);
    auto plus = std::make_unique<ExpNode>(TT_PLUS, 2);
    plus->SetChild(0, times);
    plus->SetChild(1, number(b));
    return plus;
}
}  // namespace

void MathExp::ClassifyExplicit(const SubtreeFacts& r) {
    Polynomial poly = r.poly;
    // The true degree: a leading coefficient that is zero ("0*x^4") does not count.
    while (poly.ok && poly.degree > 0 && poly.degree <= 4 && poly.c[poly.degree] == 0) --poly.degree;
    if (poly.ok && poly.degree <= 4) {
        const int degree = int(poly.degree);
        static constexpr PrimitiveType kTypes[] = {PT_LINE, PT_LINE, PT_QUADRATIC, PT_CUBIC, PT_QUARTIC};
        type = kTypes[degree];
        // Highest power first; a constant is the line with slope 0.
        const int top = std::max(degree, 1);
        for (int i = 0; i <= top; ++i) coeffs[i] = poly.c[top - i];
    } else if (poly.ok) {
        type = PT_POLYNOMIAL;
    } else if (r.trig.ok) {
        type = PrimitiveType(r.trig.type);
        coeffs[0] = r.trig.a;
        coeffs[1] = r.trig.b;
        coeffs[2] = r.trig.c;
        coeffs[3] = r.trig.d;
    } else if (r.exp.ok) {
        type = PT_EXP;
        coeffs[0] = r.exp.base;
        coeffs[1] = r.exp.h;
        coeffs[2] = r.exp.k;
    }
}

void MathExp::Analyze() {
    form = FORM_NONE;
    SetMain(nullptr);
    lineMain_.reset();
    type = PT_COMPLEX;
    std::fill(std::begin(coeffs), std::end(coeffs), 0.0);
    std::fill(std::begin(conic), std::end(conic), 0.0);
    const ExpNode* root = root_.get();
    if (!root) return;
    if (root->Type() != TT_EQUAL) {
        if (AnalyzeSubtree(root).constant) {
            form = FORM_CONSTANT;
            SetMain(root);
        }
        CompilePrograms();
        return;
    }
    const ExpNode* left = root->Child(0);
    const ExpNode* right = root->Child(1);
    const auto isY = [](const ExpNode* n) { return n->Type() == TT_IDENT && n->ChildCount() == 0 && n->Name() == "y"; };
    const SubtreeFacts l = AnalyzeSubtree(left);
    const SubtreeFacts r = AnalyzeSubtree(right);
    if ((isY(left) && r.xOnly) || (isY(right) && l.xOnly && !isY(left))) {
        // y = f(x), or f(x) = y.
        const bool onRight = isY(left);
        form = FORM_EXPLICIT;
        SetMain(onRight ? right : left);
        ClassifyExplicit(onRight ? r : l);
    } else if (l.xyOnly && r.xyOnly) {
        // F(x, y) = 0, or L = R read as L − (R) = 0.
        form = FORM_IMPLICIT;
        SetMain(left);
        if (l.conicOk && r.conicOk) {
            SubtreeFacts difference = l;
            for (int i = 0; i < 6; ++i) difference.conic[i] = l.conic[i] - r.conic[i];
            StoreConic(difference, conic);
            if (AllFinite(conic, 6)) ClassifyConic(*this);
            if (type == PT_LINE) {
                lineMain_ = LineTree(coeffs[0], coeffs[1]);
                SetMain(lineMain_.get());
            }
        }
    }
    // Coefficients that are not finite describe no curve, nor does a conic
    // whose arithmetic overflows before its equation can be written.
    const bool conicType = type == PT_ELLIPSE || type == PT_HYPERBOLA || type == PT_PARABOLA;
    if (!AllFinite(coeffs, 5) || (conicType && CanonicalText().empty())) {
        type = PT_COMPLEX;
        std::fill(std::begin(coeffs), std::end(coeffs), 0.0);
        if (lineMain_) {
            SetMain(left);
            lineMain_.reset();
        }
    }
    CompilePrograms();
}

}  // namespace MathEx
