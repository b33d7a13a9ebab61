// SPDX-License-Identifier: MIT
#include "mathex/MathExp.h"

#include <algorithm>
#include <vector>

#include "mathex/CurveKind.h"
#include "mathex/Parser.h"

namespace MathEx {

namespace {
// The node of `copy` at the place `node` has in the tree under `root`.
const ExpNode* SamePlace(const ExpNode* root, const ExpNode* node, const ExpNode* copy) {
    std::vector<int> path;
    for (const ExpNode* n = node; n != root; n = n->Parent()) {
        if (!n) return nullptr;
        const ExpNode* p = n->Parent();
        if (!p) return nullptr;
        int i = 0;
        while (i < p->ChildCount() && p->Child(i) != n) ++i;
        path.push_back(i);
    }
    for (auto it = path.rbegin(); it != path.rend() && copy; ++it) copy = copy->Child(*it);
    return copy;
}
}  // namespace

MathExp::MathExp(const MathExp& other)
    : form(other.form), type(other.type), labelBox(other.labelBox), lastError_(other.lastError_) {
    std::copy(std::begin(other.coeffs), std::end(other.coeffs), coeffs);
    std::copy(std::begin(other.conic), std::end(other.conic), conic);
    if (other.root_) {
        root_ = other.root_->Clone();
        root_->Layout();
    }
    if (other.lineMain_) lineMain_ = other.lineMain_->Clone();
    if (other.main_ && other.main_ == other.lineMain_.get()) SetMain(lineMain_.get());
    else if (other.main_) SetMain(SamePlace(other.root_.get(), other.main_, root_.get()));
    CompilePrograms();
}

MathExp& MathExp::operator=(const MathExp& other) {
    if (this != &other) {
        MathExp copy(other);
        root_ = std::move(copy.root_);
        lineMain_ = std::move(copy.lineMain_);
        form = copy.form;
        type = copy.type;
        std::copy(std::begin(copy.coeffs), std::end(copy.coeffs), coeffs);
        std::copy(std::begin(copy.conic), std::end(copy.conic), conic);
        labelBox = copy.labelBox;
        lastError_ = copy.lastError_;
        SetMain(copy.main_);
        CompilePrograms();
    }
    return *this;
}

bool MathExp::Parse(std::string text) {
    ParseResult parsed = ParseExpression(text);
    if (parsed.status != ParseStatus::Ok) {
        lastError_ = parsed.error;
        // A tree that is still in place keeps the form that describes it.
        if (!root_) form = FORM_SYNTAX_ERROR;
        return false;
    }
    lastError_ = ParseError{};
    root_ = std::move(parsed.root);
    Analyze();
    root_->Layout();
    return true;
}

std::string MathExp::ToText(int mode) const { return root_ ? root_->ToText(mode) : std::string(); }

std::string MathExp::ToExactText() const { return root_ ? root_->ToExactText() : std::string(); }

void MathExp::SetMain(const ExpNode* main) { main_ = main; }

void MathExp::CompilePrograms() {
    mainProgram_.Compile(main_, Program::Mode::OneVariable);
    valueProgram_.Clear();
    valueIsZero_ = true;
    if (!root_ || form == FORM_SYNTAX_ERROR) return;
    const ExpNode* root = root_.get();
    using Mode = Program::Mode;
    switch (form) {
        case FORM_EXPLICIT: valueProgram_.Compile(main_, Mode::TwoVariables); break;
        case FORM_IMPLICIT:
            valueProgram_.CompileDifference(root->Child(0), root->Child(1), Mode::TwoVariables);
            break;
        default: {
            bool hasEquation = false;
            ForEachNode(root_.get(), [&](ExpNode& n) { hasEquation = hasEquation || n.Type() == TT_EQUAL; });
            if (form == FORM_NONE && hasEquation) return;
            valueProgram_.Compile(root, Mode::TwoVariables);
        }
    }
    valueIsZero_ = false;
}

double MathExp::Evaluate(double x) const {
    if (!main_) throw NotSupportedException("MathEx::MathExp::Evaluate");
    return mainProgram_.Run(x);
}

void MathExp::Evaluate(const double* xs, double* ys, size_t n) const {
    if (!main_) throw NotSupportedException("MathEx::MathExp::Evaluate");
    mainProgram_.RunMany(xs, ys, n);
}

double MathExp::Value(double x, double y) const { return valueIsZero_ ? 0.0 : valueProgram_.Run(x, y); }

void MathExp::Value(const double* xs, double y, double* out, size_t n) const {
    if (valueIsZero_) std::fill(out, out + n, 0.0);
    else valueProgram_.RunMany(xs, out, n, y);
}

double MathExp::Slope(double x, double y) const {
    if (valueIsZero_) return 0.0;
    const ExpNode* root = root_.get();
    switch (form) {
        case FORM_EXPLICIT: return main_->Derivative(x, y);
        case FORM_IMPLICIT: return root->Child(0)->Derivative(x, y) - root->Child(1)->Derivative(x, y);
        default: return root->Derivative(x, y);
    }
}

void MathExp::Translate(double dx, double dy) {
    kind().translate(coeffs, dx, dy);
    // A move that overflows leaves no curve to describe: complex, as typed
    // coefficients that are not finite are.
    if (kind().hasCoefficients() && CanonicalText().empty()) {
        type = PT_COMPLEX;
        std::fill(std::begin(coeffs), std::end(coeffs), 0.0);
    }
}

}  // namespace MathEx

namespace MathEx {

size_t MathExp::NodeCount() const {
    size_t nodes = 0;
    std::vector<const ExpNode*> pending;
    if (root_) pending.push_back(root_.get());
    while (!pending.empty()) {  // no recursion: trees may be 10 000 deep
        const ExpNode* n = pending.back();
        pending.pop_back();
        ++nodes;
        for (int i = 0; i < n->ChildCount(); ++i)
            if (const ExpNode* c = n->Child(i)) pending.push_back(c);
    }
    return nodes;
}

}  // namespace MathEx
