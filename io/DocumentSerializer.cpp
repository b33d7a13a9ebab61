#include "io/DocumentSerializer.h"

#include <algorithm>
#include <cmath>

#include "graph/GraphManager.h"
#include "io/CXMLArchive.h"
#include "io/DocumentLimits.h"

using MathEx::MathExp;

namespace {

// Closes the element it opened, also when reading throws.
class Element {
public:
    Element(CXMLArchive& archive, const std::string& name) : archive_(archive), node_(archive.OpenElement(name)) {}
    ~Element() {
        if (node_) archive_.CloseElement();
    }
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    // Null when the element's parent was not in the file.
    CXMLArchiveNode* operator->() const { return node_; }
    CXMLArchiveNode& operator*() const { return *node_; }
    explicit operator bool() const { return node_ != nullptr; }
    // Loading: whether the file has this element.
    bool present() const { return node_ && node_->hasElement(); }

private:
    CXMLArchive& archive_;
    CXMLArchiveNode* node_;
};

// Booleans are integers 0 or 1; any non-zero integer reads as true.
void ExchangeBool(CXMLArchiveNode& node, const std::string& name, bool& value) {
    int v = value ? 1 : 0;
    node.ExchangeInteger(name, v);
    value = v != 0;
}

void ExchangeClamped(CXMLArchiveNode& node, const std::string& name, int& value, int lo, int hi) {
    node.ExchangeInteger(name, value);
    value = std::clamp(value, lo, hi);
}

// A user text held parsed, as the expression engine prints it back.
void ExchangeExpression(CXMLArchiveNode& node, const std::string& name, MathExp& expression, bool loading) {
    std::string text = loading ? std::string() : expression.ToExactText();
    node.ExchangeText(name, text);
    if (loading) {
        if (text.size() > size_t(kMaxEquationTextLength)) throw DocumentFormatError("a label text is too long");
        expression.Parse(text);
    }
}

float Unit(float v) { return std::clamp(v, 0.0f, 1.0f); }

// A count read from the file bounds the loop; the elements present end it.
bool More(Element& element, CXMLArchive& archive) { return archive.isStoring() || element.present(); }

}  // namespace

void SerializeColor(CXMLArchive& archive, ColorF& colour, const std::string& name) {
    Element e(archive, name);
    if (!e) return;
    e->ExchangeFloat("r", colour.r);
    e->ExchangeFloat("g", colour.g);
    e->ExchangeFloat("b", colour.b);
    e->ExchangeFloat("a", colour.a);
    if (archive.isLoading()) colour = ColorF(Unit(colour.r), Unit(colour.g), Unit(colour.b), Unit(colour.a));
}

void SerializePoint(CXMLArchive& archive, PointF& point) {
    Element e(archive, "point");
    if (!e) return;
    e->ExchangeFloat("x", point.x);
    e->ExchangeFloat("y", point.y);
}

void SerializeMensuration(CXMLArchive& archive, Mensuration& m) {
    Element e(archive, "mensuration");
    if (!e) return;
    e->ExchangeReal("xmin", m.xmin);
    e->ExchangeReal("xmax", m.xmax);
    ExchangeClamped(*e, "nRects", m.nRects, 0, kMaxRects);
    e->ExchangeInteger("fillPattern", m.fillPattern);
    SerializeColor(archive, m.outlineColour);
    SerializeColor(archive, m.fillColour);
    SerializeColor(archive, m.labelColour);
    e->ExchangeInteger("tickType", m.tickType);
    e->ExchangeInteger("startTickNumber", m.startTickNumber);
    ExchangeClamped(*e, "heightType", m.heightType, Mensuration::HEIGHT_LEFT, Mensuration::HEIGHT_SHORT);
}

bool SerializeAttribPoint(CXMLArchive& archive, AttribPoint& p) {
    Element e(archive, "attibute_point");
    if (!More(e, archive)) return false;
    const bool loading = archive.isLoading();
    SerializeColor(archive, p.color);
    e->ExchangeInteger("pointType", p.pointType);
    e->ExchangeFloat("x", p.x);
    e->ExchangeFloat("y", p.y);
    ExchangeClamped(*e, "xValueType", p.xValueType, AttribPoint::LABEL_NONE, AttribPoint::LABEL_TEXT);
    if (p.xValueType == AttribPoint::LABEL_TEXT) ExchangeExpression(*e, "xValueTypeString", p.xValueTypeString, loading);
    ExchangeClamped(*e, "xGuideType", p.xGuideType, AttribPoint::LINE_NONE, AttribPoint::LINE_DASHED);
    ExchangeClamped(*e, "xGuideWidth", p.xGuideWidth, 0, kMaxLineWidth);
    ExchangeClamped(*e, "xLineType", p.xLineType, AttribPoint::LINE_NONE, AttribPoint::LINE_DASHED);
    ExchangeClamped(*e, "xLineWidth", p.xLineWidth, 0, kMaxLineWidth);
    ExchangeClamped(*e, "yValueType", p.yValueType, AttribPoint::LABEL_NONE, AttribPoint::LABEL_TEXT);
    if (p.yValueType == AttribPoint::LABEL_TEXT) ExchangeExpression(*e, "yValueTypeString", p.yValueTypeString, loading);
    ExchangeClamped(*e, "yGuideType", p.yGuideType, AttribPoint::LINE_NONE, AttribPoint::LINE_DASHED);
    ExchangeClamped(*e, "yGuideWidth", p.yGuideWidth, 0, kMaxLineWidth);
    ExchangeClamped(*e, "yLineType", p.yLineType, AttribPoint::LINE_NONE, AttribPoint::LINE_DASHED);
    ExchangeClamped(*e, "yLineWidth", p.yLineWidth, 0, kMaxLineWidth);

    // Kept after the listed keys, so that older readers pass them by: the value
    // and length colours and the length labels. Files without them leave the
    // defaults (optional reads).
    SerializeColor(archive, p.xValueColor, "xValueColor");
    SerializeColor(archive, p.yValueColor, "yValueColor");
    SerializeColor(archive, p.xLengthColor, "xLengthColor");
    SerializeColor(archive, p.yLengthColor, "yLengthColor");
    SerializeColor(archive, p.xLengthTextColor, "xLengthTextColor");
    SerializeColor(archive, p.yLengthTextColor, "yLengthTextColor");
    e->ExchangeOptionalInteger("xLengthType", p.xLengthType);
    p.xLengthType = std::clamp(p.xLengthType, int(AttribPoint::LABEL_NONE), int(AttribPoint::LABEL_TEXT));
    if (p.xLengthType == AttribPoint::LABEL_TEXT) ExchangeExpression(*e, "xLengthText", p.xLengthText, loading);
    e->ExchangeOptionalInteger("yLengthType", p.yLengthType);
    p.yLengthType = std::clamp(p.yLengthType, int(AttribPoint::LABEL_NONE), int(AttribPoint::LABEL_TEXT));
    if (p.yLengthType == AttribPoint::LABEL_TEXT) ExchangeExpression(*e, "yLengthText", p.yLengthText, loading);

    // The labels follow the position read.
    if (loading) p.setPosition(p.x, p.y);
    return true;
}

bool SerializeEquation(CXMLArchive& archive, EquationObject& q, std::vector<int>& tangentLines) {
    Element e(archive, "equation");
    if (!More(e, archive)) return false;
    const bool loading = archive.isLoading();

    // The engine's exact text: numbers in full, so that the coefficients read
    // back to the last bit.
    std::string text = loading ? std::string() : q.expression ? q.expression->ToExactText() : std::string();
    e->ExchangeText("string", text);
    if (loading) {
        if (text.size() > size_t(kMaxEquationTextLength))
            throw DocumentFormatError("an equation text is longer than " + std::to_string(kMaxEquationTextLength) +
                                      " characters");
        if (!q.setEquation(text)) throw DocumentFormatError("the equation \"" + text + "\" does not parse");
    }

    SerializeColor(archive, q.colour);
    SerializePoint(archive, q.labelPosition);
    ExchangeBool(*e, "bDisplayText", q.displayText);
    ExchangeBool(*e, "bDrawExtremePoints", q.bDrawExtremePoints);
    ExchangeBool(*e, "bEnableDomainSetup", q.bEnableDomainSetup);
    ExchangeBool(*e, "bEnableMensu", q.bEnableMensu);
    ExchangeBool(*e, "bMonotonic", q.bMonotonic);
    e->ExchangeReal("from", q.from);
    e->ExchangeReal("to", q.to);
    e->ExchangeInteger("lineStipple", q.lineStipple);
    q.lineStipple &= 0xFFFF;  // a 16-bit pattern
    e->ExchangeFloat("lineWidth", q.lineWidth);
    q.lineWidth = std::clamp(q.lineWidth, 0.0f, float(kMaxLineWidth));
    ExchangeClamped(*e, "stippletype", q.stippletype, EquationObject::STIPPLE_NONE, EquationObject::STIPPLE_BOTH);
    ExchangeClamped(*e, "displayTextType", q.displayTextType, 0, 1);
    if (q.displayTextType == 1) e->ExchangeText("displayTextTypeString", q.displayTextTypeString);

    {
        Element points(archive, "attribute_points");
        if (points) {
            int size = int(q.attribute_points.size());
            points->ExchangeInteger("size", size);
            for (int i = 0; i < size; ++i) {
                if (!loading) {
                    SerializeAttribPoint(archive, q.attribute_points[size_t(i)]);
                    continue;
                }
                AttribPoint fresh(&q);
                if (!SerializeAttribPoint(archive, fresh)) break;  // the count said more than there is
                q.attribute_points.push_back(fresh);
            }
        }
    }
    SerializeMensuration(archive, q.mensuration);

    // After the listed keys: what older readers would drop.
    // The user label text while the label shows the equation itself.
    if (q.displayTextType != 1 && (loading || !q.displayTextTypeString.empty()))
        e->ExchangeText("userLabelText", q.displayTextTypeString);
    // The tangent lines made from this curve, as indices into the graph's list.
    int count = int(tangentLines.size());
    e->ExchangeOptionalInteger("tangentLineCount", count);
    if (loading) tangentLines.clear();
    for (int i = 0; i < count; ++i) {
        Element line(archive, "tangentLine");
        if (!More(line, archive)) break;
        int index = loading ? -1 : tangentLines[size_t(i)];
        line->ExchangeInteger("index", index);
        if (loading) tangentLines.push_back(index);
    }
    if (loading) q.displayExpression.Parse(q.displayTextTypeString);
    return true;
}

namespace {

void SerializeDomain(CXMLArchive& archive, PaintedDomain& domain) {
    SerializeColor(archive, domain.colour);
    SerializePoint(archive, domain.seed);
}

}  // namespace

void StoreGraph(CXMLArchive& archive, CXMLArchiveNode& root, GraphManager& graph) {
    int numeqns = int(graph.equations.size());
    root.ExchangeInteger("numeqns", numeqns);
    for (auto& equation : graph.equations) {
        std::vector<int> tangentLines;
        for (const EquationObject* line : equation->tangentLines) {
            const int index = graph.indexOf(line);
            if (index >= 0) tangentLines.push_back(index);
        }
        SerializeEquation(archive, *equation, tangentLines);
    }
    int numdomain = int(graph.paintedDomains.size());
    root.ExchangeInteger("numdomain", numdomain);
    for (PaintedDomain& domain : graph.paintedDomains) {
        Element e(archive, "domain_info");
        SerializeDomain(archive, domain);
    }
    // TODO(showAxisNumbers): the graph's axis-numbers toggle is not in GraphManager
    // yet; when it is, store it here as an extra setting:
    //   int numbers = graph.showAxisNumbers ? 1 : 0;
    //   root.ExchangeOptionalInteger("showAxisNumbers", numbers);
}

void LoadGraph(CXMLArchive& archive, CXMLArchiveNode& root, LoadedGraph& loaded) {
    int numeqns = 0;
    root.ExchangeInteger("numeqns", numeqns);
    for (int i = 0; i < numeqns; ++i) {
        auto equation = std::make_unique<EquationObject>();
        std::vector<int> tangentLines;
        if (!SerializeEquation(archive, *equation, tangentLines)) break;  // the count said more than there is
        loaded.equations.push_back(std::move(equation));
        loaded.tangentLines.push_back(std::move(tangentLines));
    }
    int numdomain = 0;
    root.ExchangeInteger("numdomain", numdomain);
    for (int i = 0; i < numdomain; ++i) {
        Element e(archive, "domain_info");
        if (!e.present()) break;
        PaintedDomain domain;
        SerializeDomain(archive, domain);
        loaded.paintedDomains.push_back(domain);
    }
    root.ExchangeOptionalInteger("showAxisNumbers", loaded.showAxisNumbers);
}

void CommitGraph(GraphManager& graph, LoadedGraph&& loaded) {
    graph.reset();
    for (auto& equation : loaded.equations) graph.addEquationObject(std::move(equation));
    const size_t n = graph.equations.size();
    for (size_t i = 0; i < n && i < loaded.tangentLines.size(); ++i) {
        for (int index : loaded.tangentLines[i]) {
            // A tangent line of itself or a repeated one would move twice with its curve.
            if (index < 0 || size_t(index) >= n || size_t(index) == i) continue;
            EquationObject* line = graph.equations[size_t(index)].get();
            auto& lines = graph.equations[i]->tangentLines;
            if (std::find(lines.begin(), lines.end(), line) == lines.end()) lines.push_back(line);
        }
    }
    graph.paintedDomains = std::move(loaded.paintedDomains);
    // TODO(showAxisNumbers): graph.showAxisNumbers = loaded.showAxisNumbers != 0;
}
