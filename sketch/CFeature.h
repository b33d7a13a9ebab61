// SPDX-License-Identifier: MIT
#pragma once
#include <vector>

#include "mathex/MathExp.h"

// The signature of one equation: its kind of curve and a few counts.
struct FeatureElement {
    int type = 0;              // PrimitiveType
    int order = 0;             // degree of a line, quadratic, cubic or quartic (1 to 4); else 0
    double highestCoeff = 0;   // that polynomial's leading coefficient; else 0
    int xintercepts = 0;       // real x-intercepts
    int yintercepts = 1;       // 2 for an ellipse that spans the y-axis, else 1
    int extremePts = 0;        // extreme points the engine reports

    bool operator==(const FeatureElement&) const = default;
};

// The shape signature of a whole graph: one element per equation, in the order
// of the graph's equation list. Library documents store it; the candidate
// search ranks them by `distance`.
class CFeature {
public:
    std::vector<FeatureElement> elements;

    CFeature() = default;
    CFeature(const CFeature&) = default;
    CFeature& operator=(const CFeature&) = default;
    ~CFeature() = default;

    static FeatureElement elementOf(const MathEx::MathExp& equation);
    void addEquation(const MathEx::MathExp& equation) { elements.push_back(elementOf(equation)); }

    // How far element `graph` is from element `library` (≥ 0, 0 when alike).
    static double elementDistance(const FeatureElement& graph, const FeatureElement& library);

    // The receiver is the library document's signature, `graph` the one on screen:
    // 0.1·(size difference)² plus the element distances of a greedy one-to-one
    // matching that takes the closest pairs first.
    double distance(const CFeature& graph) const;
};
