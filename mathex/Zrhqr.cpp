// SPDX-License-Identifier: MIT
// Complex roots of a real polynomial as the eigenvalues of its companion
// matrix: build the matrix, balance it, reduce it with Francis double-shift QR
// and sort the eigenvalues by real part. Everything stays in single precision
// because the graph callers compare imaginary parts against exactly zero and
// were tuned against single-precision results.

#include "mathex/Roots.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace MathEx {

namespace {

constexpr int kMaxDegree = 50;
constexpr float kRadix = 2.0f;
constexpr int kMaxQrIterations = 30;

// The float exponent spans fewer than 300 binary orders, so a scaling search
// that has not settled within this many steps has met an overflow and must stop.
constexpr int kMaxScalingSteps = 300;

// Balancing provably terminates in exact arithmetic; the cap only protects
// the caller from a rounding cycle, and is far beyond any sweep count seen.
constexpr int kMaxBalancingSweeps = 1000;

// Square matrix addressed 1..n in both indices so that the index arithmetic of
// the QR sweep reads exactly like the classical formulation.
class SquareMatrix {
public:
    explicit SquareMatrix(int n)
        : n_(n), cells_(static_cast<std::size_t>(n + 1) * static_cast<std::size_t>(n + 1), 0.0f) {}

    float& operator()(int row, int col) { return cells_[Index(row, col)]; }
    float operator()(int row, int col) const { return cells_[Index(row, col)]; }
    int Size() const { return n_; }

private:
    std::size_t Index(int row, int col) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(n_ + 1) +
               static_cast<std::size_t>(col);
    }

    int n_;
    std::vector<float> cells_;
};

// Magnitude widened to double: sums and products of magnitudes are then
// formed in double and rounded once when stored, as the classical C
// formulation of this method computes them. The convergence and negligibility
// tests are sensitive to that last bit.
double Mag(float v) {
    return std::fabs(static_cast<double>(v));
}

// Magnitude of the first argument with the sign of the second; a negative
// zero counts as positive, which decides the rounding-safe branch of the
// 2×2 eigenvalue formula.
float WithSignOf(float magnitude, float sign) {
    const float m = std::fabs(magnitude);
    return sign >= 0.0f ? m : -m;
}

// ---------------------------------------------------------------- balancing

struct Scaling {
    float factor = 1.0f;
    float scaledColumnSum = 0.0f;
    bool settled = false;
};

// Power of the radix that brings the column sum c·f and the row sum r/f
// closest. The column sum is scaled by the squared radix alongside.
Scaling FindScaling(float c, float r) {
    const float squaredRadix = kRadix * kRadix;
    Scaling s;
    int steps = 0;
    float g = r / kRadix;
    while (c < g && steps++ < kMaxScalingSteps) {
        s.factor *= kRadix;
        c *= squaredRadix;
    }
    g = r * kRadix;
    while (c >= g && steps++ < kMaxScalingSteps) {
        s.factor /= kRadix;
        c /= squaredRadix;
    }
    s.scaledColumnSum = c;
    s.settled = steps <= kMaxScalingSteps && std::isfinite(c) && std::isfinite(s.factor) &&
                s.factor != 0.0f;
    return s;
}

// Scales row and column i when that shrinks their combined norm by at least
// 5 %; returns whether it did.
bool BalanceIndex(SquareMatrix& a, int i) {
    const int n = a.Size();
    float c = 0.0f;
    float r = 0.0f;
    for (int j = 1; j <= n; ++j) {
        if (j != i) {
            c += Mag(a(j, i));
            r += Mag(a(i, j));
        }
    }
    if (c == 0.0f || r == 0.0f || !std::isfinite(c) || !std::isfinite(r)) return false;
    const float before = c + r;
    const Scaling s = FindScaling(c, r);
    if (!s.settled || !((s.scaledColumnSum + r) / s.factor < 0.95 * before)) return false;
    const float inverse = 1.0f / s.factor;
    for (int j = 1; j <= n; ++j) a(i, j) *= inverse;
    for (int j = 1; j <= n; ++j) a(j, i) *= s.factor;
    return true;
}

// Parlett–Reinsch balancing by powers of the radix: exact in binary floating
// point, and it evens out the wildly different row and column norms of a
// companion matrix, which the QR step's error is proportional to.
void Balance(SquareMatrix& a) {
    for (int sweep = 0; sweep < kMaxBalancingSweeps; ++sweep) {
        bool scaled = false;
        for (int i = 1; i <= a.Size(); ++i) scaled = BalanceIndex(a, i) || scaled;
        if (!scaled) return;
    }
}

// ------------------------------------------------------- Francis QR on Hessenberg

// Eigenvalues of an upper Hessenberg matrix by the double-shift QR algorithm,
// deflating from the bottom. The matrix is destroyed.
class FrancisQr {
public:
    explicit FrancisQr(SquareMatrix& a)
        : a_(a), n_(a.Size()), wr_(static_cast<std::size_t>(n_ + 1), 0.0f),
          wi_(static_cast<std::size_t>(n_ + 1), 0.0f) {}

    bool Run();
    const std::vector<float>& Real() const { return wr_; }
    const std::vector<float>& Imag() const { return wi_; }

private:
    struct Shift {
        float x, y, w;
    };
    struct Reflector {
        float p, q, r;
    };

    float Norm() const;
    int FindNegligibleSubdiagonal(int nn) const;
    void StoreTrailingPair(int nn, float x, float y, float w);
    void ApplyExceptionalShift(int nn, Shift& shift);
    int FindSweepStart(int l, int nn, const Shift& shift, Reflector& v) const;
    void Sweep(int l, int m, int nn, Reflector v);
    void ApplyReflector(int k, int l, int nn, Reflector v, float s);

    SquareMatrix& a_;
    int n_;
    std::vector<float> wr_, wi_;
    float anorm_ = 0.0f;
    float shiftSum_ = 0.0f;  // shifts absorbed into the diagonal so far
};

// Sum of magnitudes over the Hessenberg band: the fallback scale of the
// negligibility test when a diagonal neighbourhood is zero.
float FrancisQr::Norm() const {
    float norm = 0.0f;
    for (int i = 1; i <= n_; ++i)
        for (int j = std::max(i - 1, 1); j <= n_; ++j) norm += Mag(a_(i, j));
    return norm;
}

// Lowest row l such that the subdiagonal entry (l, l−1) is negligible (and set
// to zero); 1 when the active block does not split.
int FrancisQr::FindNegligibleSubdiagonal(int nn) const {
    int l = nn;
    for (; l >= 2; --l) {
        float s = Mag(a_(l - 1, l - 1)) + Mag(a_(l, l));
        if (s == 0.0f) s = anorm_;
        // Single-precision comparison on purpose: "negligible" means below the
        // resolution of the stored numbers.
        if (static_cast<float>(Mag(a_(l, l - 1)) + s) == s) {
            a_(l, l - 1) = 0.0f;
            break;
        }
    }
    return l;
}

// Eigenvalues of the trailing 2×2 block; x and y are its diagonal entries and
// w the product of its off-diagonal ones.
void FrancisQr::StoreTrailingPair(int nn, float x, float y, float w) {
    const float p = static_cast<float>(0.5 * (y - x));
    const float q = p * p + w;
    float z = std::sqrt(Mag(q));
    x += shiftSum_;
    if (q >= 0.0f) {
        // Adding z with the sign of p avoids cancellation in the larger root;
        // the smaller one follows from the product of the roots.
        z = p + WithSignOf(z, p);
        wr_[nn - 1] = wr_[nn] = x + z;
        if (z != 0.0f) wr_[nn] = x - w / z;
        wi_[nn - 1] = wi_[nn] = 0.0f;
    } else {
        wr_[nn - 1] = wr_[nn] = x + p;
        wi_[nn] = z;
        wi_[nn - 1] = -z;
    }
}

// Ad hoc shift that breaks the cycles in which the standard shift makes no
// progress (a permutation-like block, for instance).
void FrancisQr::ApplyExceptionalShift(int nn, Shift& shift) {
    shiftSum_ += shift.x;
    for (int i = 1; i <= nn; ++i) a_(i, i) -= shift.x;
    const float s = Mag(a_(nn, nn - 1)) + Mag(a_(nn - 1, nn - 2));
    shift.x = shift.y = static_cast<float>(0.75 * s);
    shift.w = static_cast<float>(-0.4375 * s * s);
}

// Row m at which to start the sweep: the lowest row whose first reflector
// column is negligible against its neighbourhood, so the sweep can start
// there without disturbing the matrix above. Leaves the normalised first
// column of the shifted product in v.
int FrancisQr::FindSweepStart(int l, int nn, const Shift& shift, Reflector& v) const {
    int m = nn - 2;
    for (; m >= l; --m) {
        const float z = a_(m, m);
        const float r = shift.x - z;
        const float s = shift.y - z;
        v.p = (r * s - shift.w) / a_(m + 1, m) + a_(m, m + 1);
        v.q = a_(m + 1, m + 1) - z - r - s;
        v.r = a_(m + 2, m + 1);
        const float scale = Mag(v.p) + Mag(v.q) + Mag(v.r);
        v.p /= scale;
        v.q /= scale;
        v.r /= scale;
        if (m == l) break;
        const float u = Mag(a_(m, m - 1)) * (Mag(v.q) + Mag(v.r));
        const float t = Mag(v.p) * (Mag(a_(m - 1, m - 1)) + Mag(z) + Mag(a_(m + 1, m + 1)));
        if (static_cast<float>(u + t) == t) break;
    }
    return m;
}

// Applies the Householder reflector of column k (normalised vector v, signed
// length s) from the left to rows k..k+2 and from the right to columns k..k+2.
void FrancisQr::ApplyReflector(int k, int l, int nn, Reflector v, float s) {
    v.p += s;
    const float x = v.p / s;
    const float y = v.q / s;
    const float z = v.r / s;
    v.q /= v.p;
    v.r /= v.p;
    for (int j = k; j <= nn; ++j) {
        float p = a_(k, j) + v.q * a_(k + 1, j);
        if (k != nn - 1) {
            p += v.r * a_(k + 2, j);
            a_(k + 2, j) -= p * z;
        }
        a_(k + 1, j) -= p * y;
        a_(k, j) -= p * x;
    }
    const int last = std::min(nn, k + 3);
    for (int i = l; i <= last; ++i) {
        float p = x * a_(i, k) + y * a_(i, k + 1);
        if (k != nn - 1) {
            p += z * a_(i, k + 2);
            a_(i, k + 2) -= p * v.r;
        }
        a_(i, k + 1) -= p * v.q;
        a_(i, k) -= p;
    }
}

// One implicit double-shift QR step on rows and columns m..nn, chasing the
// bulge down the subdiagonal.
void FrancisQr::Sweep(int l, int m, int nn, Reflector v) {
    for (int i = m + 2; i <= nn; ++i) {
        a_(i, i - 2) = 0.0f;
        if (i != m + 2) a_(i, i - 3) = 0.0f;
    }
    for (int k = m; k <= nn - 1; ++k) {
        float scale = 0.0f;
        if (k != m) {
            v.p = a_(k, k - 1);
            v.q = a_(k + 1, k - 1);
            v.r = (k != nn - 1) ? a_(k + 2, k - 1) : 0.0f;
            scale = Mag(v.p) + Mag(v.q) + Mag(v.r);
            if (scale != 0.0f) {
                v.p /= scale;
                v.q /= scale;
                v.r /= scale;
            }
        }
        const float s = WithSignOf(std::sqrt(v.p * v.p + v.q * v.q + v.r * v.r), v.p);
        if (s == 0.0f) continue;
        if (k == m) {
            if (l != m) a_(k, k - 1) = -a_(k, k - 1);
        } else {
            a_(k, k - 1) = -s * scale;
        }
        ApplyReflector(k, l, nn, v, s);
    }
}

bool FrancisQr::Run() {
    anorm_ = Norm();
    int nn = n_;
    while (nn >= 1) {
        int its = 0;
        int l = 0;
        do {
            l = FindNegligibleSubdiagonal(nn);
            const float x = a_(nn, nn);
            if (l == nn) {
                wr_[nn] = x + shiftSum_;
                wi_[nn] = 0.0f;
                nn -= 1;
                continue;
            }
            Shift shift{x, a_(nn - 1, nn - 1), a_(nn, nn - 1) * a_(nn - 1, nn)};
            if (l == nn - 1) {
                StoreTrailingPair(nn, shift.x, shift.y, shift.w);
                nn -= 2;
                continue;
            }
            if (its == kMaxQrIterations) return false;
            if (its == 10 || its == 20) ApplyExceptionalShift(nn, shift);
            ++its;
            Reflector v{};
            const int m = FindSweepStart(l, nn, shift, v);
            Sweep(l, m, nn, v);
        } while (l < nn - 1);
    }
    return true;
}

// Straight insertion by ascending real part: a root moves left only past
// strictly larger real parts, so conjugate pairs keep their −, + order.
void SortByRealPart(float* re, float* im, int m) {
    for (int j = 1; j < m; ++j) {
        const float xr = re[j];
        const float xi = im[j];
        int k = j - 1;
        for (; k >= 0; --k) {
            if (re[k] <= xr) break;
            re[k + 1] = re[k];
            im[k + 1] = im[k];
        }
        re[k + 1] = xr;
        im[k + 1] = xi;
    }
}

// Companion matrix of a[0..m]: the negated normalised coefficients in the
// first row and ones on the subdiagonal. Returns false when normalising
// overflowed, which the QR step could not recover from.
bool BuildCompanion(const float* a, int m, SquareMatrix& h) {
    for (int k = 1; k <= m; ++k) {
        h(1, k) = -a[m - k] / a[m];
        if (!std::isfinite(h(1, k))) return false;
        if (k != m) h(k + 1, k) = 1.0f;
    }
    return true;
}

}  // namespace

std::string RootStatusMessage(RootStatus status) {
    switch (status) {
        case RootStatus::BadArguments:
            return "bad args in zrhqr";
        case RootStatus::TooManyIterations:
            return "Too many iterations in hqr";
        case RootStatus::Ok:
            break;
    }
    return "";
}

RootStatus zrhqr(const float* a, int m, float* realParts, float* imagParts) {
    if (a == nullptr || realParts == nullptr || imagParts == nullptr) return RootStatus::BadArguments;
    if (m < 1 || m > kMaxDegree) return RootStatus::BadArguments;
    for (int k = 0; k <= m; ++k) {
        if (!std::isfinite(a[k])) return RootStatus::BadArguments;
    }
    if (a[m] == 0.0f) return RootStatus::BadArguments;

    SquareMatrix hess(m);
    if (!BuildCompanion(a, m, hess)) return RootStatus::BadArguments;
    Balance(hess);
    FrancisQr qr(hess);
    if (!qr.Run()) return RootStatus::TooManyIterations;

    // The solver numbers eigenvalues from 1; the caller's arrays start at 0.
    std::copy(qr.Real().begin() + 1, qr.Real().end(), realParts);
    std::copy(qr.Imag().begin() + 1, qr.Imag().end(), imagParts);
    SortByRealPart(realParts, imagParts, m);
    return RootStatus::Ok;
}

ComplexRoots PolynomialRoots(const std::vector<double>& ascending) {
    ComplexRoots result;
    std::vector<float> coefficients;
    coefficients.reserve(ascending.size());
    for (double v : ascending) {
        // Out-of-range doubles have no float value; refuse them rather than
        // let the conversion decide.
        if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) {
            result.status = RootStatus::BadArguments;
            return result;
        }
        coefficients.push_back(static_cast<float>(v));
    }
    // A vanished leading coefficient (also one too small for a float) means
    // the polynomial is of lower degree; solve it at its true degree.
    while (!coefficients.empty() && coefficients.back() == 0.0f) coefficients.pop_back();
    if (coefficients.empty()) {
        result.status = RootStatus::BadArguments;
        return result;
    }
    const int degree = static_cast<int>(coefficients.size()) - 1;
    if (degree == 0) return result;
    if (degree > kMaxDegree) {
        result.status = RootStatus::BadArguments;
        return result;
    }
    result.re.resize(static_cast<std::size_t>(degree));
    result.im.resize(static_cast<std::size_t>(degree));
    result.status = zrhqr(coefficients.data(), degree, result.re.data(), result.im.data());
    if (result.status != RootStatus::Ok) {
        result.re.clear();
        result.im.clear();
    }
    return result;
}

}  // namespace MathEx
