// SPDX-License-Identifier: MIT
#pragma once
#include <memory>
#include <vector>

#include "graph/EquationObject.h"

// The graph's equations in drawing order (the last is drawn on top); the graph owns them.
using EquationList = std::vector<std::unique_ptr<EquationObject>>;
