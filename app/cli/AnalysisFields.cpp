// SPDX-License-Identifier: MIT
#include "app/cli/AnalysisFields.h"

#include <array>

#include "mathex/MathExp.h"

void WriteClassification(JsonLine& json, const MathEx::MathExp* equation) {
    json.Field("form", equation ? equation->form : MathEx::FORM_SYNTAX_ERROR);
    json.Field("type", equation ? equation->type : -1);
    json.Key("coeffs");
    if (equation) json.Numbers(equation->coeffs);
    else json.Numbers(std::array<double, 0>{});
}
