// SPDX-License-Identifier: MIT
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

void CheckLabel(const std::string& text) {
    if (text.size() > size_t(kMaxLabelTextLength))
        throw DocumentFormatError({KVR_TRANSLATE_NOOP("Reason", "a label text is longer than %1 characters"), {std::to_string(kMaxLabelTextLength)}});
}

// A user text held parsed, as the expression engine prints it back.
void ExchangeExpression(CXMLArchiveNode& node, const std::string& name, MathExp& expression, bool loading) {
    std::string text = loading ? std::string() : expression.ToExactText();
    node.ExchangeText(name, text);
    if (loading) {
        CheckLabel(text);
        expression.Parse(text);
    }
}

// The box the graph gives a new curve at zoom 1 (a little inside the ±10 graph rectangle).
RectF DefaultPlotBox() {
    Viewport view;
    const RectF& g = view.graphRect;
    return RectF(0.9f * g.top, 0.9f * g.bottom, 0.9f * g.left, 0.9f * g.right);
}

bool SameBox(const RectF& a, const RectF& b) {
    return a.top == b.top && a.bottom == b.bottom && a.left == b.left && a.right == b.right;
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
    e->ExchangeFloat("x", p.position.x);
    e->ExchangeFloat("y", p.position.y);
    // The x side's keys, then the y side's, each named by its axis letter.
    const auto key = [](char axis, const char* name) { return axis + std::string(name); };
    for (const AttribPoint::AxisIndex i : {AttribPoint::X, AttribPoint::Y}) {
        AttribPoint::Axis& a = p.axis[i];
        const char n = "xy"[i];
        ExchangeClamped(*e, key(n, "ValueType"), a.valueType, AttribPoint::LABEL_NONE, AttribPoint::LABEL_TEXT);
        if (a.valueType == AttribPoint::LABEL_TEXT)
            ExchangeExpression(*e, key(n, "ValueTypeString"), a.valueTypeString, loading);
        ExchangeClamped(*e, key(n, "GuideType"), a.guideType, AttribPoint::LINE_NONE, AttribPoint::LINE_DASHED);
        ExchangeClamped(*e, key(n, "GuideWidth"), a.guideWidth, 0, kMaxLineWidth);
        ExchangeClamped(*e, key(n, "LineType"), a.lineType, AttribPoint::LINE_NONE, AttribPoint::LINE_DASHED);
        ExchangeClamped(*e, key(n, "LineWidth"), a.lineWidth, 0, kMaxLineWidth);
    }

    // Kept after the listed keys, so that older readers pass them by: the value
    // and length colours and the length labels. Files without them leave the
    // defaults (optional reads).
    const struct {
        ColorF AttribPoint::Axis::*colour;
        const char* name;
    } colours[] = {{&AttribPoint::Axis::valueColor, "ValueColor"},
                   {&AttribPoint::Axis::lengthColor, "LengthColor"},
                   {&AttribPoint::Axis::lengthTextColor, "LengthTextColor"}};
    for (const auto& c : colours)
        for (const AttribPoint::AxisIndex i : {AttribPoint::X, AttribPoint::Y})
            SerializeColor(archive, p.axis[i].*c.colour, key("xy"[i], c.name));
    for (const AttribPoint::AxisIndex i : {AttribPoint::X, AttribPoint::Y}) {
        AttribPoint::Axis& a = p.axis[i];
        const char n = "xy"[i];
        e->ExchangeOptionalInteger(key(n, "LengthType"), a.lengthType);
        a.lengthType = std::clamp(a.lengthType, int(AttribPoint::LABEL_NONE), int(AttribPoint::LABEL_TEXT));
        if (a.lengthType == AttribPoint::LABEL_TEXT)
            ExchangeExpression(*e, key(n, "LengthText"), a.lengthText, loading);
    }

    // The labels follow the position read.
    if (loading) p.setPosition(p.position.x, p.position.y);
    return true;
}

namespace {

// An equation's text as messages quote it: the start of a long one.
std::string Quoted(const std::string& text) {
    return "\"" + (text.size() > 60 ? text.substr(0, 60) + "…" : text) + "\"";
}

void CheckEquationText(const std::string& text, EquationContext& context) {
    if (text.size() > size_t(kMaxEquationTextLength))
        throw DocumentFormatError(
            {KVR_TRANSLATE_NOOP("Reason", "an equation text is longer than %1 characters"), {std::to_string(kMaxEquationTextLength)}});
    // Judged on a parse of its own, before the equation is set (and plotted).
    MathExp probe;
    if (probe.Parse(text)) context.work += EquationWork(probe);
    if (context.work > kMaxEquationWork)
        throw DocumentFormatError({KVR_TRANSLATE_NOOP("Reason", "the equations are too large to plot (%1 goes over the limit)"), {Quoted(text)}});
}

// An equation's settings, read into these first and set on the equation at
// the end, so that its curve is sampled once, with every setting in place.
struct EquationFields {
    explicit EquationFields(const EquationObject& q)
        : colour(q.colour()), labelPosition(q.labelPosition()), displayText(q.displayText()),
          extremePoints(q.extremePointsShown()), domainSetup(q.domainSetupEnabled()),
          mensurationShown(q.mensurationEnabled()), monotonic(q.isMonotonic()), from(q.domainFrom()),
          to(q.domainTo()), lineStipple(q.lineStipple()), stippleType(q.stippleType()), labelKind(q.labelKind()),
          lineWidth(q.lineWidth()), userText(q.userText()), mensuration(q.mensuration()),
          labelPinned(q.labelPinned() ? 1 : 0) {}

    ColorF colour;
    PointF labelPosition;
    bool displayText, extremePoints, domainSetup, mensurationShown;
    bool monotonic;  // derived from the curve; written for older readers only
    double from, to;
    int lineStipple, stippleType, labelKind;
    float lineWidth;
    std::string userText;
    Mensuration mensuration;
    std::vector<int> pins;  // control points the user pinned
    int labelPinned;        // 1: the teacher put the label where it stands
    // The curve's shape as a drag left it: type, exact coefficients, control points.
    int shapeType = -1;
    double coeffs[5] = {0, 0, 0, 0, 0};
    std::vector<PointF> controlPoints;
};

void ExchangeAttribPoints(CXMLArchive& archive, EquationObject& q) {
    Element points(archive, "attribute_points");
    if (!points) return;
    const bool loading = archive.isLoading();
    int size = int(q.attribPoints().size());
    points->ExchangeInteger("size", size);
    for (int i = 0; i < size; ++i) {
        if (loading && i >= kMaxAttribPoints)
            throw DocumentFormatError(
                {KVR_TRANSLATE_NOOP("Reason", "an equation has more than %1 attribute points"), {std::to_string(kMaxAttribPoints)}});
        AttribPoint p = loading ? AttribPoint() : q.attribPoints()[size_t(i)];
        if (!SerializeAttribPoint(archive, p)) break;  // the count said more than there is
        if (loading) q.addAttribPoint(p);
    }
}

// Indices, as `countName` followed by that many `name` elements each with an "index".
void ExchangeIndices(CXMLArchive& archive, CXMLArchiveNode& node, const std::string& countName,
                     const std::string& name, std::vector<int>& indices) {
    const bool loading = archive.isLoading();
    int count = int(indices.size());
    node.ExchangeOptionalInteger(countName, count);
    if (loading) indices.clear();
    for (int i = 0; i < count; ++i) {
        Element e(archive, name);
        if (!More(e, archive)) break;
        int index = loading ? -1 : indices[size_t(i)];
        e->ExchangeInteger("index", index);
        if (loading) indices.push_back(index);
    }
}

// After the listed keys, so that older readers pass them by: what they would drop.
void ExchangeExtras(CXMLArchive& archive, CXMLArchiveNode& node, EquationFields& f, EquationContext& context) {
    // The user label text while the label shows the equation itself.
    if (f.labelKind != EquationObject::LABEL_USER_TEXT && (archive.isLoading() || !f.userText.empty()))
        node.ExchangeText("userLabelText", f.userText);
    // A label the teacher dragged stays where they put it; one nobody placed
    // follows its curve. Written only when dragged, so older files read as before.
    if (archive.isLoading() || f.labelPinned) node.ExchangeOptionalInteger("labelPinned", f.labelPinned);
    // The tangent lines made from this curve, as indices into the graph's list.
    ExchangeIndices(archive, node, "tangentLineCount", "tangentLine", context.tangentLines);
    // The plot box the user gave the curve.
    int hasBox = context.hasPlotBox ? 1 : 0;
    node.ExchangeOptionalInteger("hasPlotBox", hasBox);
    context.hasPlotBox = hasBox != 0;
    if (context.hasPlotBox) {
        Element box(archive, "plotBox");
        if (box) {
            box->ExchangeFloat("top", context.plotBox.top);
            box->ExchangeFloat("bottom", context.plotBox.bottom);
            box->ExchangeFloat("left", context.plotBox.left);
            box->ExchangeFloat("right", context.plotBox.right);
        }
    }
    // The pinned control points, as indices (the points follow from the equation).
    ExchangeIndices(archive, node, "pinnedCount", "pinned", f.pins);
    // The shape: the text holds a reshaped curve's coefficients to five
    // decimals, the expression holds them exactly, and the control points stay
    // where the drag put them; without this a reopened curve moves by up to
    // 1e-5 and its handles jump.
    Element shape(archive, "shape");
    if (!shape || (archive.isLoading() && !shape.present())) return;
    shape->ExchangeInteger("type", f.shapeType);
    static const char* const kCoefficients[5] = {"c0", "c1", "c2", "c3", "c4"};
    for (int i = 0; i < 5; ++i) shape->ExchangeReal(kCoefficients[i], f.coeffs[i]);
    int count = int(f.controlPoints.size());
    shape->ExchangeInteger("numpoints", count);
    for (int i = 0; i < count; ++i) {
        Element point(archive, "controlPoint");
        if (!point || (archive.isLoading() && !point.present())) break;
        PointF p = archive.isLoading() ? PointF() : f.controlPoints[size_t(i)];
        point->ExchangeFloat("x", p.x);
        point->ExchangeFloat("y", p.y);
        if (archive.isLoading()) {
            if (f.controlPoints.size() >= 64) break;  // no curve has more: the rest is not trusted
            f.controlPoints.push_back(p);
        }
    }
}

void Apply(EquationObject& q, const std::string& text, const EquationFields& f) {
    CheckLabel(f.userText);
    q.setColour(f.colour);
    q.setLabelPosition(f.labelPosition);
    q.setLabelPinned(f.labelPinned != 0);
    q.setExtremePointsShown(f.extremePoints);
    q.setDomainSetupEnabled(f.domainSetup);
    q.setMensurationEnabled(f.mensurationShown);
    q.setLineStipple(f.lineStipple & 0xFFFF);  // a 16-bit pattern
    q.setLineWidth(std::clamp(f.lineWidth, 0.0f, float(kMaxLineWidth)));
    q.setMensuration(f.mensuration);
    // Before the equation is set these do not sample anything.
    q.setStippleType(f.stippleType);
    q.setDomain(f.from, f.to);
    // The graph gives the curve its plot box when the document is committed,
    // and samples it then; until then a box of one step keeps setEquation's
    // sampling to nothing. A text-only equation keeps its own box.
    const RectF box = q.plotBox();
    q.setPlotBox(0.0f, 0.05f, 0.05f, 0.0f);
    if (!q.setEquation(text)) throw DocumentFormatError({KVR_TRANSLATE_NOOP("Reason", "the equation %1 does not parse"), {Quoted(text)}});
    if (q.isTextOnly()) q.setPlotBox(box);
    // After setEquation, which shows the label of a text-only equation and rebuilds the control points.
    q.setDisplayText(f.displayText);
    if (f.shapeType >= 0) q.restoreShape(f.shapeType, f.coeffs, f.controlPoints);  // a shape that does not fit: the text's
    for (int index : f.pins) q.setControlPointPinned(index, true);  // out of range: nothing
    // Any user text is a label, maths or not; the kind was clamped to the known ones.
    q.setLabel(f.labelKind, f.userText);
}

}  // namespace

bool SerializeEquation(CXMLArchive& archive, EquationObject& q, EquationContext& context) {
    Element e(archive, "equation");
    if (!More(e, archive)) return false;
    const bool loading = archive.isLoading();

    // The engine's exact text: numbers in full, so that the coefficients read
    // back to the last bit.
    std::string text = loading || !q.expression() ? std::string() : q.expression()->ToExactText();
    e->ExchangeText("string", text);
    if (loading) CheckEquationText(text, context);

    EquationFields f(q);
    for (size_t i = 0; !loading && i < q.controlPoints().size(); ++i)
        if (q.controlPoints()[i].pinned) f.pins.push_back(int(i));
    if (!loading && q.expression()) {
        f.shapeType = int(q.expression()->type);
        for (int i = 0; i < 5; ++i) f.coeffs[i] = q.expression()->coeffs[i];
        for (const ControlPoint& c : q.controlPoints()) f.controlPoints.push_back(PointF(c.x, c.y));
    }
    SerializeColor(archive, f.colour);
    SerializePoint(archive, f.labelPosition);
    ExchangeBool(*e, "bDisplayText", f.displayText);
    ExchangeBool(*e, "bDrawExtremePoints", f.extremePoints);
    ExchangeBool(*e, "bEnableDomainSetup", f.domainSetup);
    ExchangeBool(*e, "bEnableMensu", f.mensurationShown);
    ExchangeBool(*e, "bMonotonic", f.monotonic);
    e->ExchangeReal("from", f.from);
    e->ExchangeReal("to", f.to);
    e->ExchangeInteger("lineStipple", f.lineStipple);
    e->ExchangeFloat("lineWidth", f.lineWidth);
    ExchangeClamped(*e, "stippletype", f.stippleType, EquationObject::STIPPLE_NONE, EquationObject::STIPPLE_BOTH);
    ExchangeClamped(*e, "displayTextType", f.labelKind, EquationObject::LABEL_EQUATION,
                    EquationObject::LABEL_USER_TEXT);
    if (f.labelKind == EquationObject::LABEL_USER_TEXT) e->ExchangeText("displayTextTypeString", f.userText);
    ExchangeAttribPoints(archive, q);
    SerializeMensuration(archive, f.mensuration);
    ExchangeExtras(archive, *e, f, context);
    if (loading) Apply(q, text, f);
    return true;
}

namespace {

void SerializeDomain(CXMLArchive& archive, PaintedDomain& domain) {
    SerializeColor(archive, domain.colour);
    SerializePoint(archive, domain.seed);
}

}  // namespace

void StoreGraph(CXMLArchive& archive, CXMLArchiveNode& root, GraphManager& graph) {
    int numeqns = graph.equationCount();
    root.ExchangeInteger("numeqns", numeqns);
    for (int i = 0; i < numeqns; ++i) {
        EquationObject& equation = *graph.equation(i);
        EquationContext context;
        for (const EquationObject* line : equation.tangentLines()) {
            const int index = graph.indexOf(line);
            if (index >= 0) context.tangentLines.push_back(index);
        }
        // Boxes are kept as at zoom 1: a document opens at zoom 1.
        const Viewport& view = graph.viewport();
        const RectF& b = equation.plotBox();
        const RectF box(float(b.top / view.yZoom), float(b.bottom / view.yZoom), float(b.left / view.xZoom),
                        float(b.right / view.xZoom));
        // A curve drawn over the whole view keeps no box: it gets the view's
        // wherever it opens.
        context.hasPlotBox = !equation.isTextOnly() && !equation.followsView() && !SameBox(box, DefaultPlotBox());
        context.plotBox = box;
        SerializeEquation(archive, equation, context);
    }
    int numdomain = int(graph.paintedDomains().size());
    root.ExchangeInteger("numdomain", numdomain);
    for (PaintedDomain domain : graph.paintedDomains()) {
        Element e(archive, "domain_info");
        SerializeDomain(archive, domain);
    }
    // After the listed keys: the graph's own settings that older readers do not know.
    int numbers = graph.showAxisNumbers() ? 1 : 0;
    root.ExchangeOptionalInteger("showAxisNumbers", numbers);
    int grid = graph.showGrid() ? 1 : 0, axis = graph.showAxis() ? 1 : 0;
    int intersections = graph.showIntersections() ? 1 : 0;
    root.ExchangeOptionalInteger("showGrid", grid);
    root.ExchangeOptionalInteger("showAxis", axis);
    root.ExchangeOptionalInteger("showIntersections", intersections);
    double xZoom = graph.viewport().xZoom, yZoom = graph.viewport().yZoom;
    root.ExchangeReal("xZoom", xZoom);
    root.ExchangeReal("yZoom", yZoom);
}

void LoadGraph(CXMLArchive& archive, CXMLArchiveNode& root, LoadedGraph& loaded) {
    int numeqns = 0;
    root.ExchangeInteger("numeqns", numeqns);
    size_t points = 0;
    EquationContext context;
    for (int i = 0; i < numeqns; ++i) {
        auto equation = std::make_unique<EquationObject>();
        context = EquationContext{{}, false, RectF(), context.work};
        if (!SerializeEquation(archive, *equation, context)) break;  // the count said more than there is
        if (loaded.equations.size() >= size_t(kMaxEquations))
            throw DocumentFormatError({KVR_TRANSLATE_NOOP("Reason", "the document has more than %1 equations"), {std::to_string(kMaxEquations)}});
        points += equation->attribPoints().size();
        if (points > size_t(kMaxAttribPoints))
            throw DocumentFormatError(
                {KVR_TRANSLATE_NOOP("Reason", "the document has more than %1 attribute points"), {std::to_string(kMaxAttribPoints)}});
        loaded.equations.push_back(std::move(equation));
        loaded.contexts.push_back(context);
    }
    int numdomain = 0;
    root.ExchangeInteger("numdomain", numdomain);
    for (int i = 0; i < numdomain; ++i) {
        Element e(archive, "domain_info");
        if (!e.present()) break;
        if (loaded.paintedDomains.size() >= size_t(kMaxPaintedDomains))
            throw DocumentFormatError(
                {KVR_TRANSLATE_NOOP("Reason", "the document has more than %1 painted regions"), {std::to_string(kMaxPaintedDomains)}});
        PaintedDomain domain;
        SerializeDomain(archive, domain);
        loaded.paintedDomains.push_back(domain);
    }
    root.ExchangeOptionalInteger("showAxisNumbers", loaded.showAxisNumbers);
    root.ExchangeOptionalInteger("showGrid", loaded.showGrid);
    root.ExchangeOptionalInteger("showAxis", loaded.showAxis);
    root.ExchangeOptionalInteger("showIntersections", loaded.showIntersections);
    root.ExchangeReal("xZoom", loaded.xZoom);  // a missing real keeps the 1 it has
    root.ExchangeReal("yZoom", loaded.yZoom);
}

void CommitGraph(GraphManager& graph, LoadedGraph&& loaded) {
    graph.reset();
    for (auto& equation : loaded.equations) graph.addEquationObject(std::move(equation));  // labels as saved
    const int n = graph.equationCount();
    for (int i = 0; i < n && i < int(loaded.contexts.size()); ++i) {
        EquationObject& curve = *graph.equation(i);
        const EquationContext& context = loaded.contexts[size_t(i)];
        for (int index : context.tangentLines) {
            // A tangent line of itself or a repeated one would move twice with its curve.
            if (index < 0 || index >= n || index == i) continue;
            EquationObject* line = graph.equation(index);
            const auto& lines = curve.tangentLines();
            if (std::find(lines.begin(), lines.end(), line) == lines.end()) curve.addTangentLine(line);
        }
        const RectF& b = context.plotBox;
        // A box with an end that is not finite, or inverted, is none the user could have made.
        const bool usable = std::isfinite(b.top) && std::isfinite(b.bottom) && std::isfinite(b.left) &&
                            std::isfinite(b.right) && b.left < b.right && b.bottom < b.top;
        if (context.hasPlotBox && usable && !curve.isTextOnly()) curve.setPlotBox(b);
    }
    for (const PaintedDomain& domain : loaded.paintedDomains) graph.addPaintedDomain(domain);
    graph.setShowAxisNumbers(loaded.showAxisNumbers != 0);  // on in files that do not say
    graph.setShowGrid(loaded.showGrid != 0);
    graph.setShowAxis(loaded.showAxis != 0);
    if ((loaded.showIntersections != 0) != graph.showIntersections()) graph.toggleIntersections();
    // The zoom the lesson was saved at, within the zoom bar's range; the boxes follow it.
    auto zoom = [](double z) { return std::isfinite(z) ? std::clamp(z, 0.1, 10.0) : 1.0; };
    graph.setZoom(zoom(loaded.xZoom), zoom(loaded.yZoom));
}
