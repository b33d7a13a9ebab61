#pragma once
// Every field a document keeps, compared between two graphs; and graphs made
// at random from a seed. All model field access of the document tests is here.
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <random>
#include <sstream>
#include <string>

#include "graph/GraphManager.h"

namespace io_test {

// Bit-for-bit equality, so that -0.0 and 0.0 differ.
template <typename T>
bool Same(T a, T b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

class Differences {
public:
    template <typename T>
    void field(const std::string& where, const T& a, const T& b) {
        if constexpr (std::is_floating_point_v<T>) {
            if (Same(a, b)) return;
        } else {
            if (a == b) return;
        }
        std::ostringstream s;
        s.precision(17);
        s << where << ": " << a << " vs " << b << "\n";
        text += s.str();
    }
    void colour(const std::string& where, const ColorF& a, const ColorF& b) {
        field(where + ".r", a.r, b.r);
        field(where + ".g", a.g, b.g);
        field(where + ".b", a.b, b.b);
        field(where + ".a", a.a, b.a);
    }
    void point(const std::string& where, const PointF& a, const PointF& b) {
        field(where + ".x", a.x, b.x);
        field(where + ".y", a.y, b.y);
    }
    void expression(const std::string& where, const MathEx::MathExp& a, const MathEx::MathExp& b) {
        field(where + ".text", a.ToExactText(), b.ToExactText());
        field(where + ".form", int(a.form), int(b.form));
        field(where + ".type", int(a.type), int(b.type));
        for (int i = 0; i < 5; ++i) field(where + ".coeffs[" + std::to_string(i) + "]", a.coeffs[i], b.coeffs[i]);
        for (int i = 0; i < 6; ++i) field(where + ".conic[" + std::to_string(i) + "]", a.conic[i], b.conic[i]);
    }
    std::string text;
};

inline void CompareAttribPoint(Differences& d, const std::string& w, const AttribPoint& a, const AttribPoint& b) {
    d.colour(w + ".color", a.color, b.color);
    d.field(w + ".pointType", a.pointType, b.pointType);
    d.point(w, a, b);
    d.field(w + ".xValueType", a.xValueType, b.xValueType);
    d.field(w + ".yValueType", a.yValueType, b.yValueType);
    if (a.xValueType == AttribPoint::LABEL_TEXT) d.expression(w + ".xValueTypeString", a.xValueTypeString, b.xValueTypeString);
    if (a.yValueType == AttribPoint::LABEL_TEXT) d.expression(w + ".yValueTypeString", a.yValueTypeString, b.yValueTypeString);
    d.field(w + ".xGuideType", a.xGuideType, b.xGuideType);
    d.field(w + ".yGuideType", a.yGuideType, b.yGuideType);
    d.field(w + ".xGuideWidth", a.xGuideWidth, b.xGuideWidth);
    d.field(w + ".yGuideWidth", a.yGuideWidth, b.yGuideWidth);
    d.field(w + ".xLineType", a.xLineType, b.xLineType);
    d.field(w + ".yLineType", a.yLineType, b.yLineType);
    d.field(w + ".xLineWidth", a.xLineWidth, b.xLineWidth);
    d.field(w + ".yLineWidth", a.yLineWidth, b.yLineWidth);
    d.colour(w + ".xValueColor", a.xValueColor, b.xValueColor);
    d.colour(w + ".yValueColor", a.yValueColor, b.yValueColor);
    d.colour(w + ".xLengthColor", a.xLengthColor, b.xLengthColor);
    d.colour(w + ".yLengthColor", a.yLengthColor, b.yLengthColor);
    d.colour(w + ".xLengthTextColor", a.xLengthTextColor, b.xLengthTextColor);
    d.colour(w + ".yLengthTextColor", a.yLengthTextColor, b.yLengthTextColor);
    d.field(w + ".xLengthType", a.xLengthType, b.xLengthType);
    d.field(w + ".yLengthType", a.yLengthType, b.yLengthType);
    if (a.xLengthType == AttribPoint::LABEL_TEXT) d.expression(w + ".xLengthText", a.xLengthText, b.xLengthText);
    if (a.yLengthType == AttribPoint::LABEL_TEXT) d.expression(w + ".yLengthText", a.yLengthText, b.yLengthText);
}

inline void CompareMensuration(Differences& d, const std::string& w, const Mensuration& a, const Mensuration& b) {
    d.field(w + ".xmin", a.xmin, b.xmin);
    d.field(w + ".xmax", a.xmax, b.xmax);
    d.field(w + ".nRects", a.nRects, b.nRects);
    d.field(w + ".fillPattern", a.fillPattern, b.fillPattern);
    d.colour(w + ".outline", a.outlineColour, b.outlineColour);
    d.colour(w + ".fill", a.fillColour, b.fillColour);
    d.colour(w + ".label", a.labelColour, b.labelColour);
    d.field(w + ".tickType", a.tickType, b.tickType);
    d.field(w + ".startTickNumber", a.startTickNumber, b.startTickNumber);
    d.field(w + ".heightType", a.heightType, b.heightType);
}

// "" when the two graphs hold the same document; otherwise one line per difference.
inline std::string GraphDifference(const GraphManager& a, const GraphManager& b) {
    Differences d;
    d.field("numeqns", a.equations.size(), b.equations.size());
    for (size_t i = 0; i < a.equations.size() && i < b.equations.size(); ++i) {
        const EquationObject& p = *a.equations[i];
        const EquationObject& q = *b.equations[i];
        const std::string w = "equation[" + std::to_string(i) + "]";
        d.expression(w, *p.expression, *q.expression);
        d.colour(w + ".colour", p.colour, q.colour);
        d.point(w + ".labelPosition", p.labelPosition, q.labelPosition);
        d.field(w + ".displayText", p.displayText, q.displayText);
        d.field(w + ".bDrawExtremePoints", p.bDrawExtremePoints, q.bDrawExtremePoints);
        d.field(w + ".bEnableDomainSetup", p.bEnableDomainSetup, q.bEnableDomainSetup);
        d.field(w + ".bEnableMensu", p.bEnableMensu, q.bEnableMensu);
        d.field(w + ".bMonotonic", p.bMonotonic, q.bMonotonic);
        d.field(w + ".from", p.from, q.from);
        d.field(w + ".to", p.to, q.to);
        d.field(w + ".lineStipple", p.lineStipple, q.lineStipple);
        d.field(w + ".lineWidth", p.lineWidth, q.lineWidth);
        d.field(w + ".stippletype", p.stippletype, q.stippletype);
        d.field(w + ".displayTextType", p.displayTextType, q.displayTextType);
        d.field(w + ".displayTextTypeString", p.displayTextTypeString, q.displayTextTypeString);
        d.field(w + ".attribute_points", p.attribute_points.size(), q.attribute_points.size());
        for (size_t k = 0; k < p.attribute_points.size() && k < q.attribute_points.size(); ++k)
            CompareAttribPoint(d, w + ".ap[" + std::to_string(k) + "]", p.attribute_points[k], q.attribute_points[k]);
        CompareMensuration(d, w + ".mensuration", p.mensuration, q.mensuration);
        d.field(w + ".tangentLines", p.tangentLines.size(), q.tangentLines.size());
        for (size_t k = 0; k < p.tangentLines.size() && k < q.tangentLines.size(); ++k)
            d.field(w + ".tangentLine", a.indexOf(p.tangentLines[k]), b.indexOf(q.tangentLines[k]));
    }
    d.field("numdomain", a.paintedDomains.size(), b.paintedDomains.size());
    for (size_t i = 0; i < a.paintedDomains.size() && i < b.paintedDomains.size(); ++i) {
        d.colour("domain[" + std::to_string(i) + "].colour", a.paintedDomains[i].colour, b.paintedDomains[i].colour);
        d.point("domain[" + std::to_string(i) + "].seed", a.paintedDomains[i].seed, b.paintedDomains[i].seed);
    }
    return d.text;
}

// Random values for the property test: full-mantissa reals, not just round ones.
class RandomGraph {
public:
    explicit RandomGraph(uint64_t seed) : rng_(seed) {}

    double real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
    float unit() { return std::uniform_real_distribution<float>(0.0f, 1.0f)(rng_); }
    int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    ColorF colour() { return ColorF(unit(), unit(), unit(), unit()); }
    PointF point() { return PointF(float(real(-20, 20)), float(real(-20, 20))); }

    std::string number(double lo, double hi) {
        char buffer[64];
        const double v = real(lo, hi);
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
        return "(" + std::string(buffer, end) + ")";
    }

    std::string equationText() {
        switch (integer(0, 9)) {
            case 0: return "x - " + number(-5, 5) + " = 0";
            case 1: return "y = " + number(-3, 3) + "*x + " + number(-5, 5);
            case 2: return "y = " + number(-2, 2) + "*x^2 + " + number(-2, 2) + "*x + " + number(-3, 3);
            case 3: return "y = " + number(-1, 1) + "*x^3 + " + number(-2, 2) + "*x";
            case 4: return "y = " + number(-1, 1) + "*x^4 - " + number(0, 3) + "*x^2 + " + number(-1, 1);
            case 5: return "y = " + number(0.5, 3) + "*sin(" + number(0.5, 2) + "*x + " + number(-1, 1) + ") + " + number(-2, 2);
            case 6: return "y = " + number(0.5, 3) + "*cos(" + number(0.5, 2) + "*x)";
            case 7: return "x^2/" + number(1, 9) + " + y^2/" + number(1, 9) + " - 1 = 0";
            case 8: return "x^2/" + number(1, 9) + " - y^2/" + number(1, 9) + " - 1 = 0";
            default: return "y = " + number(1.1, 3) + "^x";
        }
    }

    std::string userText() {
        static const char* const kTexts[] = {"area ", "a < b & c", "Fläche ∫ f(x) dx", "  two  spaces  ", "x_1", "", "\"quoted\" 'text'", "line\r\nbreak"};
        return kTexts[integer(0, 7)];
    }

    AttribPoint attribPoint(EquationObject* owner) {
        static const char* const kLabels[] = {"a", "f(b)", "2.5", "x_1", "3*pi"};
        AttribPoint p(owner);
        p.color = colour();
        p.pointType = integer(0, 6);
        p.setPosition(float(real(-10, 10)), float(real(-10, 10)));
        p.xValueType = integer(0, 2);
        p.yValueType = integer(0, 2);
        if (p.xValueType == 2) p.setXValueTypeString(kLabels[integer(0, 4)]);
        if (p.yValueType == 2) p.setYValueTypeString(kLabels[integer(0, 4)]);
        p.xGuideType = integer(0, 2);
        p.yGuideType = integer(0, 2);
        p.xGuideWidth = integer(1, 3);
        p.yGuideWidth = integer(1, 3);
        p.xLineType = integer(0, 2);
        p.yLineType = integer(0, 2);
        p.xLineWidth = integer(1, 3);
        p.yLineWidth = integer(1, 3);
        p.xValueColor = colour();
        p.yValueColor = colour();
        p.xLengthColor = colour();
        p.yLengthColor = colour();
        p.xLengthTextColor = colour();
        p.yLengthTextColor = colour();
        p.xLengthType = integer(0, 2);
        p.yLengthType = integer(0, 2);
        if (p.xLengthType == 2) p.setXLengthText(kLabels[integer(0, 4)]);
        if (p.yLengthType == 2) p.setYLengthText(kLabels[integer(0, 4)]);
        return p;
    }

    void fill(GraphManager& graph) {
        graph.reset();
        const int n = integer(0, 6);
        for (int i = 0; i < n; ++i) {
            EquationObject* e = graph.addEquationFromText(equationText());
            if (!e) continue;
            e->colour = colour();
            e->labelPosition = point();
            e->displayText = integer(0, 1);
            e->bDrawExtremePoints = integer(0, 1);
            e->bEnableDomainSetup = integer(0, 1);
            e->bEnableMensu = integer(0, 1);
            e->bMonotonic = integer(0, 1);
            e->from = real(-10, 0);
            e->to = real(0, 10);
            e->lineStipple = integer(0, 1) ? 0xFFFF : 0xCCCC;
            e->lineWidth = float(integer(1, 3));
            e->stippletype = integer(0, 3);
            e->displayTextType = integer(0, 1);
            e->displayTextTypeString = userText();
            const int points = integer(0, 3);
            for (int k = 0; k < points; ++k) e->attribute_points.push_back(attribPoint(e));
            Mensuration& m = e->mensuration;
            m.xmin = real(-5, 0);
            m.xmax = real(0, 5);
            m.nRects = integer(1, 40);
            m.fillPattern = integer(0, 1);
            m.outlineColour = colour();
            m.fillColour = colour();
            m.labelColour = colour();
            m.tickType = integer(0, 2);
            m.startTickNumber = integer(0, 5);
            m.heightType = integer(0, 2);
        }
        if (graph.equations.size() >= 2 && integer(0, 1))
            graph.equations[0]->tangentLines.push_back(graph.equations[1].get());
        const int domains = integer(0, 3);
        for (int i = 0; i < domains; ++i) graph.paintedDomains.push_back(PaintedDomain{colour(), point()});
    }

private:
    std::mt19937_64 rng_;
};

}  // namespace io_test
