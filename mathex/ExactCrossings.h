// SPDX-License-Identifier: MIT
#pragma once
// Where two curves meet, worked out in closed form from what their kinds say
// they are (CurveKind::quadric) rather than searched for on their samples.
#include <optional>
#include <vector>

namespace MathEx {

class MathExp;

struct Crossing {
    double x, y;
};

// The points where a and b meet, when the pair has a closed form: a line or
// the vertical line x = k against a line or a conic (the quadratic along the
// line, solved without cancellation; a tangent gives its touching point once),
// or x = k against a curve y = f(x) (the one point (k, f(k)) where f is
// defined and finite). Lines that are parallel or equal meet nowhere, as do
// curves that share a stretch. Ordered by x, then y; anywhere in the plane
// (which of them are on show is the graph's question). Nothing when the pair
// has no closed form and must be searched for.
std::optional<std::vector<Crossing>> ExactCrossings(const MathExp& a, const MathExp& b);

}  // namespace MathEx
