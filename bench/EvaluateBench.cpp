// SPDX-License-Identifier: MIT
// Evaluation speed of MathEx against muparser, and the cost of parsing an equation.
//
// Every equation is evaluated at one million points from -10 to 10, and at two
// thousand (about what one curve of the view samples): by MathEx's batch call (the
// plotting hot path), by its scalar call in a loop, by walking the tree, and by
// muparser in a loop and in its bulk mode. Before anything is timed, each
// equation's batch and scalar results are checked to be bit-identical to the tree
// walk, and muparser's to agree within rounding; a case that fails is reported as
// an error instead of a time. A table of speed ratios for each count of points
// follows the results.

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <muParser.h>

#include "mathex/MathExp.h"

namespace {

struct Case {
    const char* name;
    const char* equation;  // MathEx input
    const char* muparser;  // the right-hand side in muparser's syntax (ln is its natural log)
};

constexpr Case kCases[] = {
    {"sine", "y = 2*sin(3*x+1)-4", "2*sin(3*x+1)-4"},
    {"quartic", "y = x^4-3*x^3+x-7", "x^4-3*x^3+x-7"},
    {"sqrt_log", "y = sqrt(abs(x))*log(x^2+1)", "sqrt(abs(x))*ln(x^2+1)"},
    {"rational", "y = (x+1)^5/(x^2+1)", "(x+1)^5/(x^2+1)"},
    {"exp", "y = 2^(x+1)+3", "2^(x+1)+3"},
};

constexpr size_t kPoints = 1'000'000;
constexpr size_t kCurvePoints = 2'000;
constexpr size_t kPointCounts[] = {kPoints, kCurvePoints};

// n points evenly from -10 to 10.
const std::vector<double>& Points(size_t n) {
    static std::map<size_t, std::vector<double>> cache;
    std::vector<double>& v = cache[n];
    if (v.empty()) {
        v.resize(n);
        for (size_t i = 0; i < n; ++i) v[i] = -10.0 + 20.0 * double(i) / double(n - 1);
    }
    return v;
}

// One equation, parsed and checked outside the timed loops.
struct Prepared {
    const Case* source = nullptr;
    MathEx::MathExp equation;
    std::string error;  // non-empty: the case is skipped with this message
};

bool SameBits(double a, double b) {
    if (std::isnan(a) && std::isnan(b)) return true;
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string At(const char* what, double x, double got, double want) {
    char text[160];
    std::snprintf(text, sizeof text, "%s at x = %.17g: %.17g instead of %.17g", what, x, got, want);
    return text;
}

std::string Check(Prepared& p) {
    if (!p.equation.Parse(p.source->equation)) return "does not parse";
    if (p.equation.form != MathEx::FORM_EXPLICIT) return "is not explicit";
    const std::vector<double>& xs = Points(kPoints);
    std::vector<double> batch(kPoints);
    p.equation.Evaluate(xs.data(), batch.data(), kPoints);
    const MathEx::ExpNode* rhs = p.equation.GetRoot()->Child(1);

    double x = 0.0;
    mu::Parser parser;
    try {
        parser.DefineVar("x", &x);
        parser.SetExpr(p.source->muparser);
        parser.Eval();
    } catch (const mu::Parser::exception_type& e) {
        return "muparser: " + e.GetMsg();
    }
    for (size_t i = 0; i < kPoints; ++i) {
        x = xs[i];
        const double tree = rhs->EvaluateAt(x);
        if (!SameBits(batch[i], tree)) return At("batch differs from the tree walk", x, batch[i], tree);
        const double scalar = p.equation.Evaluate(x);
        if (!SameBits(scalar, tree)) return At("scalar differs from the tree walk", x, scalar, tree);
        const double mu = parser.Eval();
        if (!(std::fabs(mu - tree) <= 1e-9 * std::max(1.0, std::fabs(tree))))
            return At("muparser disagrees", x, mu, tree);
    }
    return {};
}

bool Skip(benchmark::State& state, const Prepared& p) {
    if (p.error.empty()) return false;
    state.SkipWithError(p.error.c_str());
    return true;
}

// The evaluation benchmarks take the count of points as their argument.
void Finish(benchmark::State& state, const Prepared& p) {
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
    state.SetLabel(p.source->equation);
}

void BM_MathExBatch(benchmark::State& state, const Prepared* p) {
    if (Skip(state, *p)) return;
    const size_t n = size_t(state.range(0));
    const std::vector<double>& xs = Points(n);
    std::vector<double> ys(n);
    for (auto _ : state) {
        p->equation.Evaluate(xs.data(), ys.data(), n);
        benchmark::ClobberMemory();
    }
    Finish(state, *p);
}

void BM_MathExScalar(benchmark::State& state, const Prepared* p) {
    if (Skip(state, *p)) return;
    const size_t n = size_t(state.range(0));
    const std::vector<double>& xs = Points(n);
    std::vector<double> ys(n);
    for (auto _ : state) {
        for (size_t i = 0; i < n; ++i) ys[i] = p->equation.Evaluate(xs[i]);
        benchmark::ClobberMemory();
    }
    Finish(state, *p);
}

void BM_TreeWalk(benchmark::State& state, const Prepared* p) {
    if (Skip(state, *p)) return;
    const size_t n = size_t(state.range(0));
    const std::vector<double>& xs = Points(n);
    std::vector<double> ys(n);
    const MathEx::ExpNode* rhs = p->equation.GetRoot()->Child(1);
    for (auto _ : state) {
        for (size_t i = 0; i < n; ++i) ys[i] = rhs->EvaluateAt(xs[i]);
        benchmark::ClobberMemory();
    }
    Finish(state, *p);
}

void BM_MuParser(benchmark::State& state, const Prepared* p) {
    if (Skip(state, *p)) return;
    const size_t n = size_t(state.range(0));
    const std::vector<double>& xs = Points(n);
    std::vector<double> ys(n);
    double x = 0.0;
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.SetExpr(p->source->muparser);
    parser.Eval();  // the first call parses; later calls run the byte code
    for (auto _ : state) {
        for (size_t i = 0; i < n; ++i) {
            x = xs[i];
            ys[i] = parser.Eval();
        }
        benchmark::ClobberMemory();
    }
    Finish(state, *p);
}

void BM_MuParserBulk(benchmark::State& state, const Prepared* p) {
    if (Skip(state, *p)) return;
    const size_t n = size_t(state.range(0));
    std::vector<double> xs = Points(n);
    std::vector<double> ys(n);
    mu::Parser parser;
    parser.DefineVar("x", xs.data());  // bulk mode reads x[i] for result i
    parser.SetExpr(p->source->muparser);
    for (auto _ : state) {
        parser.Eval(ys.data(), int(n));
        benchmark::ClobberMemory();
    }
    Finish(state, *p);
}

void BM_AnalyseParse(benchmark::State& state, const Prepared* p) {
    MathEx::MathExp equation;
    for (auto _ : state) {
        const bool ok = equation.Parse(p->source->equation);
        benchmark::DoNotOptimize(ok);
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
    state.SetLabel(p->source->equation);
}

// The console output, then how many times faster than muparser each MathEx route is.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(OutputOptions options) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // With --benchmark_repetitions the median stands for the benchmark.
        for (const Run& run : runs) {
            const auto rate = run.counters.find("items_per_second");
            if (run.error_occurred || rate == run.counters.end()) continue;
            const std::string name = run.run_name.function_name + "/" + run.run_name.args;
            if (run.run_type == Run::RT_Iteration && !medians_.count(name)) rates_[name] = rate->second.value;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_[name] = rates_[name] = rate->second.value;
        }
    }

    void PrintRatios() const {
        for (size_t points : kPointCounts) {
            bool header = false;
            for (const Case& c : kCases) {
                const double mu = Rate("BM_MuParser/", c, points), bulk = Rate("BM_MuParserBulk/", c, points);
                if (mu <= 0) continue;
                if (!header) {
                    std::printf("\nSpeed relative to muparser's loop at %zu points (items/s ratio; above 1 is faster):\n",
                                points);
                    std::printf("%-10s %8s %8s %10s %14s\n", "case", "batch", "scalar", "tree walk", "batch vs bulk");
                    header = true;
                }
                const double batch = Rate("BM_MathExBatch/", c, points);
                std::printf("%-10s %8.2f %8.2f %10.2f %14.2f\n", c.name, batch / mu,
                            Rate("BM_MathExScalar/", c, points) / mu, Rate("BM_TreeWalk/", c, points) / mu,
                            bulk > 0 ? batch / bulk : 0.0);
            }
        }
    }

private:
    double Rate(const char* prefix, const Case& c, size_t points) const {
        const auto it = rates_.find(std::string(prefix) + c.name + "/" + std::to_string(points));
        return it == rates_.end() ? 0.0 : it->second;
    }
    std::map<std::string, double> rates_;
    std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    // muparser's bulk mode runs on OpenMP threads; the comparison is one core against
    // one core. The OpenMP runtime reads its environment when it loads, so start again.
    const char* threads = std::getenv("OMP_NUM_THREADS");
    if (threads == nullptr || std::strcmp(threads, "1") != 0) {
        setenv("OMP_NUM_THREADS", "1", 1);
        execv("/proc/self/exe", argv);
        std::fprintf(stderr, "kvr_bench: could not restart with OMP_NUM_THREADS=1; muparser bulk may use threads\n");
    }

    std::vector<std::unique_ptr<Prepared>> prepared;
    for (const Case& c : kCases) {
        auto p = std::make_unique<Prepared>();
        p->source = &c;
        p->error = Check(*p);
        if (!p->error.empty()) std::fprintf(stderr, "kvr_bench: %s: %s\n", c.equation, p->error.c_str());
        prepared.push_back(std::move(p));
    }

    using Fn = void (*)(benchmark::State&, const Prepared*);
    // The batch and muparser's bulk mode one after the other, so that their ratio
    // sees the same machine.
    const std::pair<const char*, Fn> evaluators[] = {
        {"BM_MathExBatch/", BM_MathExBatch}, {"BM_MuParserBulk/", BM_MuParserBulk}, {"BM_MathExScalar/", BM_MathExScalar},
        {"BM_TreeWalk/", BM_TreeWalk},       {"BM_MuParser/", BM_MuParser},
    };
    for (size_t points : kPointCounts)
        for (const auto& p : prepared)
            for (const auto& [prefix, fn] : evaluators)
                benchmark::RegisterBenchmark((prefix + std::string(p->source->name)).c_str(), fn, p.get())
                    ->Arg(int64_t(points))
                    ->Unit(points >= 100'000 ? benchmark::kMillisecond : benchmark::kMicrosecond);
    for (const auto& p : prepared)
        benchmark::RegisterBenchmark(("BM_AnalyseParse/" + std::string(p->source->name)).c_str(), BM_AnalyseParse,
                                     p.get());

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter(isatty(STDOUT_FILENO) ? RatioReporter::OO_Color : RatioReporter::OO_None);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();

    for (const auto& p : prepared)
        if (!p->error.empty()) return 1;
    return 0;
}
