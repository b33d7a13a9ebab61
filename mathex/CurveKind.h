// SPDX-License-Identifier: MIT
#pragma once
// What a family of curves knows about itself. Every recognised kind (the
// vertical line, the line, the quadratic, cubic and quartic, sine, cosine,
// tangent, logarithm, exponential, ellipse, hyperbola, parabola) is one class
// that reads its own coefficients (MathExp::coeffs, laid out as PrimitiveType
// describes, into a struct of its own that names them) and answers for them; the polynomial of higher degree and the
// general curve are kinds too, with nothing of their own to say. KindOf is the
// registry: the number stored in documents and shown in the dialogs stays the
// PrimitiveType, and the registry maps it to its kind. A new kind is one file
// in kinds/ and one line in CurveKinds.cpp.
#include <optional>
#include <string>
#include <vector>

#include "core/PointF.h"
#include "core/RectF.h"
#include "mathex/ControlPoint.h"

namespace MathEx {

class MathExp;

// Where a kind that draws its own curve puts its samples: runs of points
// joined by lines, each run closed where the curve breaks.
class PieceSink {
public:
    virtual void add(double x, double y) = 0;
    virtual void close() = 0;

protected:
    ~PieceSink() = default;
};

// What a curve is sampled over: the plot box, and the domain of x when from
// and to differ.
struct SampleFrame {
    RectF plotBox;
    double from = 0, to = 0;
};

// A line from (x0, y0) to (x1, y1).
struct GuideLine {
    double x0, y0, x1, y1;
};

// A curve of degree at most two, A·x² + B·xy + C·y² + D·x + E·y + F = 0: a
// straight line when A, B and C are zero (upright when E is zero too).
struct Quadric {
    double A = 0, B = 0, C = 0, D = 0, E = 0, F = 0;
    bool linear() const { return A == 0 && B == 0 && C == 0; }
};

// How the coefficients are listed on the options page.
enum class CoefficientListing {
    None,       // no coefficients of their own
    Lettered,   // a, b, c, … (listedCount of them)
    Central,    // centre, a, b, θ of an ellipse or hyperbola
    Focal       // vertex, p, θ of a parabola
};

// How two signature elements of this kind are compared.
enum class SignatureRule {
    Polynomial,  // term by term when their orders agree
    Ellipse,     // by intercepts and extreme points, weighted for closed curves
    General      // by intercepts and extreme points alone
};

class CurveKind {
public:
    virtual ~CurveKind() = default;

    // The English name shown in the options page (translated there); empty
    // for a kind with no coefficients to show.
    virtual const char* displayName() const { return ""; }
    virtual CoefficientListing listing() const { return CoefficientListing::None; }
    virtual int listedCount() const { return 0; }

    // Degree of a closed polynomial (line 1 … quartic 4), whose coefficients
    // are its terms highest power first; 0 for every other kind.
    virtual int degree() const { return 0; }
    // A conic is drawn and reshaped in its own frame, has two branches of y
    // over x and is never cut by a domain of x.
    virtual bool isConic() const { return false; }
    // Whether the kind samples its curve itself (from its coefficients,
    // however the equation was written) rather than as y = f(x) or a zero set.
    virtual bool samplesItself() const { return false; }
    // Whether the coefficients describe the curve, so that its canonical text
    // can be written and the curve moved and rebuilt from them.
    virtual bool hasCoefficients() const { return false; }

    // The equation text the coefficients are rewritten to; it parses and
    // analyses back into this kind with the same coefficients. Empty when
    // there is none. The coefficients are finite.
    virtual std::string canonical(const double* /*c*/) const { return {}; }
    // Moves the curve by (dx, dy) through its coefficients.
    virtual void translate(double* /*c*/, double /*dx*/, double /*dy*/) const {}

    // The curve's ordinates at x worked out from the coefficients (y1 ≥ y2 on
    // the two branches of a conic, the same value twice for a polynomial); false
    // when the equation itself is to be evaluated.
    virtual bool ordinates(const double* /*c*/, double /*x*/, double& /*y1*/, double& /*y2*/) const {
        return false;
    }
    // The point of the curve nearest in kind to p; false when the kind has no
    // rule of its own.
    virtual bool nearest(const double* /*c*/, PointF /*p*/, PointF& /*on*/) const { return false; }
    // Samples the curve into out when samplesItself().
    virtual void sample(const double* /*c*/, const SampleFrame& /*frame*/, PieceSink& /*out*/) const {}

    // Abscissas of the local extrema, and for each whether it is a minimum.
    virtual std::vector<double> criticalAbscissas(const MathExp& /*e*/, std::vector<bool>& minimum) const {
        minimum.clear();
        return {};
    }
    // Abscissas where a tangent to the curve passes through (g, h).
    virtual std::vector<double> touchingAbscissas(const double* /*c*/, double /*g*/, double /*h*/) const {
        return {};
    }

    // The curve as an equation of degree one or two in x and y, for the
    // crossings that have a closed form (mathex/ExactCrossings): a line from
    // its coefficients, written so that they read back exactly (y = m·x + b as
    // −m·x + y − b = 0, x = k as x − k = 0); a conic as its equation's terms.
    // Nothing when the curve is no such equation or the kind cannot say.
    virtual std::optional<Quadric> quadric(const MathExp& /*e*/) const { return std::nullopt; }

    // The points a user drags to reshape the curve.
    virtual std::vector<ControlPoint> controlPoints(const double* /*c*/) const { return {}; }
    // Whether the curve rises or falls throughout (for a cubic, whose control
    // points then sit at even steps); nothing for kinds that do not say.
    virtual std::optional<bool> monotonic(const double* /*c*/) const { return std::nullopt; }
    // Control point i moved by d: moves the points as the kind's rules say and
    // works out the coefficients again. False when the points cannot describe
    // the curve; the caller then puts everything back.
    virtual bool reshape(double* /*c*/, std::vector<ControlPoint>& /*points*/, int /*i*/, PointF /*d*/) const {
        return false;
    }
    // Lines across the plot box the selected curve shows beside it (a
    // hyperbola's asymptotes).
    virtual std::vector<GuideLine> guideLines(const double* /*c*/, const RectF& /*plotBox*/) const { return {}; }

    // The shape signature's view of the curve: its order, how many times it
    // meets each axis, and how two of its elements compare.
    virtual int signatureOrder() const { return degree(); }
    virtual int xIntercepts(const double* c) const;
    virtual int yIntercepts(const double* /*c*/) const { return 1; }
    virtual SignatureRule signatureRule() const { return SignatureRule::General; }
};

// The kind of a primitive type; the general curve for a number no kind has
// (a document may hold any number).
const CurveKind& KindOf(int type);

}  // namespace MathEx
