// SPDX-License-Identifier: MIT
#include "graph/ZeroSet.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

constexpr double kFinestCell = 0.05;  // no finer than the sampling of functions
// Node evaluations one trace may cost (about 0.1 s): a long equation gets a
// coarser grid instead of freezing the window (a typed sum of 500 sines took
// 20 s at the full grid).
constexpr double kWorkBudget = 8.0e6;
constexpr int kFewestCells = 8;

struct Grid {
    int nx, ny;  // cells
    double x0, y0, hx, hy;
    std::vector<double> f;  // (nx + 1) × (ny + 1) corner values, row by row
    double at(int i, int j) const { return f[size_t(j) * (nx + 1) + i]; }
    // Corner coordinates from their indices, so that two cells sharing an edge
    // compute the very same crossing on it.
    double X(int i) const { return x0 + i * hx; }
    double Y(int j) const { return y0 + j * hy; }
};

// Edges are numbered: horizontal ones (i, j)–(i+1, j) first, then vertical ones.
struct Segment {
    int a, b;          // edge ids
    PointF pa, pb;     // crossing points
};

class Tracer {
public:
    explicit Tracer(const Grid& g) : g_(g) {}

    void crossCells();
    std::vector<Stroke> chain();

private:
    int horizontal(int i, int j) const { return j * g_.nx + i; }
    int vertical(int i, int j) const { return (g_.ny + 1) * g_.nx + j * (g_.nx + 1) + i; }
    // Where F changes sign between corners (ia, ja) and (ib, jb).
    PointF crossing(int ia, int ja, int ib, int jb) const {
        const double fa = g_.at(ia, ja), fb = g_.at(ib, jb);
        const double t = fa / (fa - fb);
        return PointF(float(g_.X(ia) + t * (g_.X(ib) - g_.X(ia))), float(g_.Y(ja) + t * (g_.Y(jb) - g_.Y(ja))));
    }
    void cell(int i, int j);

    const Grid& g_;
    std::vector<Segment> segments_;
};

void Tracer::cell(int i, int j) {
    const double f00 = g_.at(i, j), f10 = g_.at(i + 1, j), f01 = g_.at(i, j + 1), f11 = g_.at(i + 1, j + 1);
    if (!std::isfinite(f00) || !std::isfinite(f10) || !std::isfinite(f01) || !std::isfinite(f11)) return;
    // Crossings on the four edges: bottom, right, top, left.
    struct Cross {
        int edge;
        PointF p;
    };
    Cross found[4];
    int n = 0;
    if ((f00 > 0) != (f10 > 0)) found[n++] = {horizontal(i, j), crossing(i, j, i + 1, j)};
    if ((f10 > 0) != (f11 > 0)) found[n++] = {vertical(i + 1, j), crossing(i + 1, j, i + 1, j + 1)};
    if ((f01 > 0) != (f11 > 0)) found[n++] = {horizontal(i, j + 1), crossing(i, j + 1, i + 1, j + 1)};
    if ((f00 > 0) != (f01 > 0)) found[n++] = {vertical(i, j), crossing(i, j, i, j + 1)};
    if (n == 2) {
        segments_.push_back({found[0].edge, found[1].edge, found[0].p, found[1].p});
    } else if (n == 4) {
        // A saddle: the centre's sign decides which corners are joined.
        const bool centre = (f00 + f10 + f01 + f11) / 4 > 0;
        if (centre == (f00 > 0)) {
            segments_.push_back({found[0].edge, found[1].edge, found[0].p, found[1].p});
            segments_.push_back({found[2].edge, found[3].edge, found[2].p, found[3].p});
        } else {
            segments_.push_back({found[0].edge, found[3].edge, found[0].p, found[3].p});
            segments_.push_back({found[1].edge, found[2].edge, found[1].p, found[2].p});
        }
    }
}

void Tracer::crossCells() {
    for (int j = 0; j < g_.ny; ++j)
        for (int i = 0; i < g_.nx; ++i) cell(i, j);
}

// Joins segments that share an edge crossing into polylines: open chains from
// their loose ends first, then the closed loops that remain.
std::vector<Stroke> Tracer::chain() {
    std::unordered_map<int, std::vector<int>> byEdge;
    for (int s = 0; s < int(segments_.size()); ++s) {
        byEdge[segments_[s].a].push_back(s);
        byEdge[segments_[s].b].push_back(s);
    }
    std::vector<bool> used(segments_.size(), false);
    std::vector<Stroke> strokes;
    auto walk = [&](int s, int fromEdge) {
        Stroke line;
        int edge = fromEdge;
        line.push_back(segments_[s].a == edge ? segments_[s].pa : segments_[s].pb);
        while (s >= 0 && !used[s]) {
            used[s] = true;
            const Segment& seg = segments_[s];
            const bool forward = seg.a == edge;
            line.push_back(forward ? seg.pb : seg.pa);
            edge = forward ? seg.b : seg.a;
            s = -1;
            for (int next : byEdge[edge])
                if (!used[next]) s = next;
        }
        strokes.push_back(std::move(line));
    };
    for (const auto& [edge, list] : byEdge)
        if (list.size() == 1 && !used[list[0]]) walk(list[0], edge);
    for (int s = 0; s < int(segments_.size()); ++s)
        if (!used[s]) walk(s, segments_[s].a);
    return strokes;
}

}  // namespace

std::vector<Stroke> TraceZeroSet(const MathEx::MathExp& equation, const RectF& box) {
    const double width = double(box.right) - box.left, height = double(box.top) - box.bottom;
    if (!(width > 0 && height > 0) || !std::isfinite(width) || !std::isfinite(height)) return {};
    Grid g;
    g.nx = int(std::clamp(std::ceil(width / kFinestCell), 1.0, double(kZeroSetMaxCells)));
    g.ny = int(std::clamp(std::ceil(height / kFinestCell), 1.0, double(kZeroSetMaxCells)));
    const double work = double(g.nx + 1) * (g.ny + 1) * double(std::max<size_t>(1, equation.NodeCount()));
    if (work > kWorkBudget) {
        const double shrink = std::sqrt(kWorkBudget / work);
        g.nx = std::max(std::min(g.nx, kFewestCells), int(g.nx * shrink));
        g.ny = std::max(std::min(g.ny, kFewestCells), int(g.ny * shrink));
    }
    g.x0 = box.left;
    g.y0 = box.bottom;
    g.hx = width / g.nx;
    g.hy = height / g.ny;
    g.f.resize(size_t(g.nx + 1) * (g.ny + 1));
    std::vector<double> xs(size_t(g.nx) + 1);
    for (int i = 0; i <= g.nx; ++i) xs[i] = g.X(i);
    for (int j = 0; j <= g.ny; ++j) equation.Value(xs.data(), g.Y(j), &g.f[size_t(j) * (g.nx + 1)], xs.size());
    Tracer tracer(g);
    tracer.crossCells();
    return tracer.chain();
}
