// SPDX-License-Identifier: MIT
// A new label is placed by the size it is expected to have before it has
// ever been typeset; a label wider than expected would reach into the curve
// it was placed beside. The expected box must hold the typeset label.
#include <gtest/gtest.h>

#include "graph/GraphManager.h"
#include "graph/LabelPlacement.h"
#include "mathex/MathExp.h"
#include "render/Typesetter.h"

namespace {

TEST(LabelEstimate, HoldsTheTypesetLabel) {
    if (!Typesetter::EnsureGuiApplication()) GTEST_SKIP() << "no fonts";
    const Viewport view;  // scale 1.3: 40 / 1.3 pixels a unit at zoom 1
    const char* const texts[] = {"y = 0.5x + 1", "y = x^2 - 2", "y = 2sin(x) - 5", "y = -x + 3", "y = x^3/10",
                                 "y = 3(x + 1)", "y = e^x", "y = ln(x)", "x^2/16 + y^2/4 = 1", "y = 0.25x^4 - 3x^2 + x - 7"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        MathEx::MathExp e;
        ASSERT_TRUE(e.Parse(text));
        const auto label = Typesetter::Typeset(e.ToText(MathEx::TEXT_TEXTBOOK));
        ASSERT_TRUE(label);
        const RectF box = EstimatedLabelBox(PointF(0, 0), LabelCharacters(e.ToText(MathEx::TEXT_PLAIN)), view);
        const double pixelsPerUnit = 40.0 / (view.scale * view.xZoom);
        EXPECT_GE((box.right - box.left) * pixelsPerUnit, label->width) << e.ToText(MathEx::TEXT_PLAIN);
    }
}

}  // namespace
