// SPDX-License-Identifier: MIT
// New labels land beside their own curve, in view, clear of each other —
// not all at the origin on top of one another and of the axes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "graph/GraphManager.h"
#include "graph/LabelPlacement.h"

namespace {

bool Overlap(const RectF& a, const RectF& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

TEST(LabelPlacement, EachLabelBesideItsCurveInViewAndClearOfTheOthers) {
    GraphManager graph;
    const char* const texts[] = {"y = x^2 - 2", "y = 0.5*x + 1", "y = sin(x)", "y = x^3/10", "y = -x + 3"};
    std::vector<RectF> boxes;
    for (const char* text : texts) {
        EquationObject* e = graph.addEquationFromText(text);
        ASSERT_NE(e, nullptr) << text;
        const PointF corner = e->labelPosition();
        const RectF box = EstimatedLabelBox(corner, LabelCharacters(e->text()), graph.viewport());
        SCOPED_TRACE(text);
        // In view.
        const PointF topLeft = graph.viewport().screenToGraph(0, 0);
        const PointF bottomRight = graph.viewport().screenToGraph(graph.viewport().width, graph.viewport().height);
        EXPECT_GE(box.left, topLeft.x);
        EXPECT_LE(box.right, bottomRight.x);
        EXPECT_LE(box.top, topLeft.y);
        EXPECT_GE(box.bottom, bottomRight.y);
        // Beside its curve: the curve passes within a label height of the box's right end.
        double y1, y2;
        e->ordinates(box.right, y1, y2);
        ASSERT_TRUE(std::isfinite(y1));
        const double height = box.top - box.bottom;
        EXPECT_LT(std::min(std::fabs(y1 - box.bottom), std::fabs(y1 - box.top)), height);
        // Clear of the labels before it; the first two (whose view has room
        // for it) clear of every curve too. Later ones in this crowded view
        // may only find room clear of the labels.
        for (const RectF& other : boxes) EXPECT_FALSE(Overlap(box, other));
        for (int k = 0; boxes.size() < 2 && k < graph.equationCount(); ++k)
            for (const Stroke& piece : graph.equation(k)->pieces())
                for (const PointF& p : piece.points())
                    EXPECT_FALSE(p.x > box.left && p.x < box.right && p.y > box.bottom && p.y < box.top)
                        << "curve " << k << " at (" << p.x << ", " << p.y << ")";
        boxes.push_back(box);
    }
}

TEST(LabelPlacement, ACurveWithNoPointInViewTakesTheTopRight) {
    GraphManager graph;
    EquationObject* line = graph.addEquationFromText("x - 3 = 0");  // a vertical line has no ordinates
    ASSERT_NE(line, nullptr);
    const PointF corner = line->labelPosition();
    EXPECT_GT(corner.x, 0);
    EXPECT_GT(corner.y, 0);
    EquationObject* far = graph.addEquationFromText("y = x + 1000");
    ASSERT_NE(far, nullptr);
    const RectF a = EstimatedLabelBox(line->labelPosition(), line->text().size(), graph.viewport());
    const RectF b = EstimatedLabelBox(far->labelPosition(), far->text().size(), graph.viewport());
    EXPECT_FALSE(Overlap(a, b)) << "stacked below the first";
}

}  // namespace
