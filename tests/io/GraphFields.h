// SPDX-License-Identifier: MIT
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
#include <tuple>

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
    d.point(w, a.position, b.position);
    for (const AttribPoint::AxisIndex i : {AttribPoint::X, AttribPoint::Y}) {
        const AttribPoint::Axis &p = a.axis[i], &q = b.axis[i];
        const std::string v = w + ".axis[" + "xy"[i] + "]";
        d.field(v + ".valueType", p.valueType, q.valueType);
        if (p.valueType == AttribPoint::LABEL_TEXT)
            d.expression(v + ".valueTypeString", p.valueTypeString, q.valueTypeString);
        d.field(v + ".guideType", p.guideType, q.guideType);
        d.field(v + ".guideWidth", p.guideWidth, q.guideWidth);
        d.field(v + ".lineType", p.lineType, q.lineType);
        d.field(v + ".lineWidth", p.lineWidth, q.lineWidth);
        d.colour(v + ".valueColor", p.valueColor, q.valueColor);
        d.colour(v + ".lengthColor", p.lengthColor, q.lengthColor);
        d.colour(v + ".lengthTextColor", p.lengthTextColor, q.lengthTextColor);
        d.field(v + ".lengthType", p.lengthType, q.lengthType);
        if (p.lengthType == AttribPoint::LABEL_TEXT) d.expression(v + ".lengthText", p.lengthText, q.lengthText);
    }
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
    d.field("numeqns", a.equationCount(), b.equationCount());
    d.field("showAxisNumbers", a.showAxisNumbers(), b.showAxisNumbers());
    for (int i = 0; i < a.equationCount() && i < b.equationCount(); ++i) {
        const EquationObject& p = *a.equations()[size_t(i)];
        const EquationObject& q = *b.equations()[size_t(i)];
        const std::string w = "equation[" + std::to_string(i) + "]";
        d.expression(w, *p.expression(), *q.expression());
        d.colour(w + ".colour", p.colour(), q.colour());
        for (auto [name, x, y] : {std::tuple{"top", p.plotBox().top, q.plotBox().top},
                                  {"bottom", p.plotBox().bottom, q.plotBox().bottom},
                                  {"left", p.plotBox().left, q.plotBox().left},
                                  {"right", p.plotBox().right, q.plotBox().right}})
            d.field(w + ".plotBox." + name, x, y);
        d.point(w + ".labelPosition", p.labelPosition(), q.labelPosition());
        d.field(w + ".labelPinned", p.labelPinned(), q.labelPinned());
        d.field(w + ".displayText", p.displayText(), q.displayText());
        d.field(w + ".extremePointsShown", p.extremePointsShown(), q.extremePointsShown());
        d.field(w + ".domainSetupEnabled", p.domainSetupEnabled(), q.domainSetupEnabled());
        d.field(w + ".mensurationEnabled", p.mensurationEnabled(), q.mensurationEnabled());
        d.field(w + ".isMonotonic", p.isMonotonic(), q.isMonotonic());
        d.field(w + ".from", p.domainFrom(), q.domainFrom());
        d.field(w + ".to", p.domainTo(), q.domainTo());
        d.field(w + ".lineStipple", p.lineStipple(), q.lineStipple());
        d.field(w + ".lineWidth", p.lineWidth(), q.lineWidth());
        d.field(w + ".stippleType", p.stippleType(), q.stippleType());
        d.field(w + ".labelKind", p.labelKind(), q.labelKind());
        d.field(w + ".userText", p.userText(), q.userText());
        d.field(w + ".attribPoints", p.attribPoints().size(), q.attribPoints().size());
        for (size_t k = 0; k < p.attribPoints().size() && k < q.attribPoints().size(); ++k)
            CompareAttribPoint(d, w + ".ap[" + std::to_string(k) + "]", p.attribPoints()[k], q.attribPoints()[k]);
        CompareMensuration(d, w + ".mensuration", p.mensuration(), q.mensuration());
        d.field(w + ".controlPoints", p.controlPoints().size(), q.controlPoints().size());
        for (size_t k = 0; k < p.controlPoints().size() && k < q.controlPoints().size(); ++k)
            d.field(w + ".pinned", p.controlPoints()[k].pinned, q.controlPoints()[k].pinned);
        d.field(w + ".tangentLines", p.tangentLines().size(), q.tangentLines().size());
        for (size_t k = 0; k < p.tangentLines().size() && k < q.tangentLines().size(); ++k)
            d.field(w + ".tangentLine", a.indexOf(p.tangentLines()[k]), b.indexOf(q.tangentLines()[k]));
    }
    const auto& da = a.paintedDomains();
    const auto& db = b.paintedDomains();
    d.field("numdomain", da.size(), db.size());
    for (size_t i = 0; i < da.size() && i < db.size(); ++i) {
        d.colour("domain[" + std::to_string(i) + "].colour", da[i].colour, db[i].colour);
        d.point("domain[" + std::to_string(i) + "].seed", da[i].seed, db[i].seed);
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
        buffer[0] = '(';
        char* end = std::to_chars(buffer + 1, buffer + sizeof buffer - 1, v).ptr;
        *end++ = ')';
        return std::string(buffer, end);
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

    // Any text for a label that shows the equation; one the engine reads for a label that shows it.
    std::string userText(bool shown) {
        static const char* const kAny[] = {"area ", "a < b & c", "Fläche ∫ f(x) dx", "  two  spaces  ", "", "\"quoted\" 'text'", "line\r\nbreak", "marker_TRSP#@"};
        static const char* const kReadable[] = {"A = 2.5", "x_1 ", "f(b)", "S_n "};
        return shown ? kReadable[integer(0, 3)] : kAny[integer(0, 7)];
    }

    AttribPoint attribPoint(EquationObject* owner) {
        static const char* const kLabels[] = {"a", "f(b)", "2.5", "x_1", "3*pi"};
        AttribPoint p(owner);
        p.color = colour();
        p.pointType = integer(0, 6);
        p.setPosition(float(real(-10, 10)), float(real(-10, 10)));
        p.axis[AttribPoint::X].valueType = integer(0, 2);
        p.axis[AttribPoint::Y].valueType = integer(0, 2);
        if (p.axis[AttribPoint::X].valueType == 2) p.setXValueTypeString(kLabels[integer(0, 4)]);
        if (p.axis[AttribPoint::Y].valueType == 2) p.setYValueTypeString(kLabels[integer(0, 4)]);
        p.axis[AttribPoint::X].guideType = integer(0, 2);
        p.axis[AttribPoint::Y].guideType = integer(0, 2);
        p.axis[AttribPoint::X].guideWidth = integer(1, 3);
        p.axis[AttribPoint::Y].guideWidth = integer(1, 3);
        p.axis[AttribPoint::X].lineType = integer(0, 2);
        p.axis[AttribPoint::Y].lineType = integer(0, 2);
        p.axis[AttribPoint::X].lineWidth = integer(1, 3);
        p.axis[AttribPoint::Y].lineWidth = integer(1, 3);
        p.axis[AttribPoint::X].valueColor = colour();
        p.axis[AttribPoint::Y].valueColor = colour();
        p.axis[AttribPoint::X].lengthColor = colour();
        p.axis[AttribPoint::Y].lengthColor = colour();
        p.axis[AttribPoint::X].lengthTextColor = colour();
        p.axis[AttribPoint::Y].lengthTextColor = colour();
        p.axis[AttribPoint::X].lengthType = integer(0, 2);
        p.axis[AttribPoint::Y].lengthType = integer(0, 2);
        if (p.axis[AttribPoint::X].lengthType == 2) p.setXLengthText(kLabels[integer(0, 4)]);
        if (p.axis[AttribPoint::Y].lengthType == 2) p.setYLengthText(kLabels[integer(0, 4)]);
        return p;
    }

    void fill(GraphManager& graph) {
        graph.reset();
        graph.setShowAxisNumbers(integer(0, 1));
        const int n = integer(0, 6);
        for (int i = 0; i < n; ++i) {
            EquationObject* e = graph.addEquationFromText(equationText());
            if (!e) continue;
            e->setColour(colour());
            e->setLabelPosition(point());
            e->setLabelPinned(e->labelPosition().x > 0);  // drawn from no random number: later draws stay as they were
            if (integer(0, 3) == 0 && !e->isTextOnly())
                e->setPlotBox(float(real(-9, -1)), float(real(1, 9)), float(real(1, 9)), float(real(-9, -1)));
            e->setDisplayText(integer(0, 1));
            e->setExtremePointsShown(integer(0, 1));
            e->setDomainSetupEnabled(integer(0, 1));
            e->setMensurationEnabled(integer(0, 1));
            e->setDomain(real(-10, 0), real(0, 10));
            e->setLineStipple(integer(0, 1) ? 0xFFFF : 0xCCCC);
            e->setLineWidth(float(integer(1, 3)));
            e->setStippleType(integer(0, 3));
            const int kind = integer(0, 1);
            EXPECT_TRUE(e->setLabel(kind, userText(kind == 1)));
            for (size_t k = 0; k < e->controlPoints().size(); ++k) e->setControlPointPinned(int(k), integer(0, 1));
            const int points = integer(0, 3);
            for (int k = 0; k < points; ++k) e->addAttribPoint(attribPoint(e));
            Mensuration m;
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
            e->setMensuration(m);
        }
        if (graph.equationCount() >= 2 && integer(0, 1)) graph.equation(0)->addTangentLine(graph.equation(1));
        const int domains = integer(0, 3);
        for (int i = 0; i < domains; ++i) graph.addPaintedDomain(PaintedDomain{colour(), point()});
    }

private:
    std::mt19937_64 rng_;
};

}  // namespace io_test
