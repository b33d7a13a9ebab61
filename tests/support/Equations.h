// SPDX-License-Identifier: MIT
#pragma once
// Equation objects for the graph tests, set from text on the view's default plot box.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graph/EquationList.h"

namespace testing_support {

inline std::unique_ptr<EquationObject> MakeEquation(const std::string& text, float half = 9) {
    auto e = std::make_unique<EquationObject>();
    e->setPlotBox(-half, half, half, -half);
    EXPECT_TRUE(e->setEquation(text)) << text;
    return e;
}

inline EquationList MakeEquations(const std::vector<std::string>& texts) {
    EquationList list;
    for (const std::string& text : texts) list.push_back(MakeEquation(text));
    return list;
}

}  // namespace testing_support
