// SPDX-License-Identifier: MIT
#include "mathex/CubicThrough.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace MathEx {

bool CubicThrough(const double (&x)[4], const double (&y)[4], double (&coeffs)[4]) {
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            if (x[i] == x[j]) return false;
    double m[4][5];
    for (int r = 0; r < 4; ++r) {
        m[r][0] = x[r] * x[r] * x[r];
        m[r][1] = x[r] * x[r];
        m[r][2] = x[r];
        m[r][3] = 1;
        m[r][4] = y[r];
    }
    for (int col = 0; col < 4; ++col) {  // Gauss-Jordan with partial pivoting
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(m[r][col]) > std::fabs(m[pivot][col])) pivot = r;
        if (std::fabs(m[pivot][col]) < 1e-12) return false;
        std::swap(m[col], m[pivot]);
        for (int r = 0; r < 4; ++r) {
            if (r == col) continue;
            const double f = m[r][col] / m[col][col];
            for (int k = col; k < 5; ++k) m[r][k] -= f * m[col][k];
        }
    }
    for (int i = 0; i < 4; ++i) coeffs[i] = m[i][4] / m[i][i];
    return std::all_of(coeffs, coeffs + 4, [](double v) { return std::isfinite(v); });
}

}  // namespace MathEx
