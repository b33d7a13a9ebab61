// SPDX-License-Identifier: MIT
#pragma once
// The classification of an equation as every command reports it: the keys
// "form", "type" and "coeffs", in this order.
#include "app/cli/JsonLine.h"

namespace MathEx {
class MathExp;
}

// For no equation (an object without an expression): the syntax-error form,
// type -1 and no coefficients.
void WriteClassification(JsonLine& json, const MathEx::MathExp* equation);
