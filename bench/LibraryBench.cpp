// SPDX-License-Identifier: MIT
// The library at the size of a teacher's career: the first scan of a folder,
// the floor it is measured against (reading every file's bytes once), the
// periodic tick over an unchanged folder (listed, and watched), and ranking
// every signature.
//
// The folders are made once per run in a temporary folder, or kept in
// $KVR_BENCH_LIBRARY_DIR between runs. Files are read from the page cache in
// both the scan and the floor, so the ratio compares work, not the disk.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include "BenchLibrary.h"
#include "graph/GraphManager.h"
#include "io/FolderWatch.h"
#include "io/Library.h"
#include "io/LibraryReaders.h"

namespace {

std::string BaseFolder()
{
    if (const char* kept = std::getenv("KVR_BENCH_LIBRARY_DIR"); kept && *kept) return kept;
    static const std::string made = [] {
        char pattern[] = "/tmp/kvr-bench-library-XXXXXX";
        const char* dir = mkdtemp(pattern);
        return std::string(dir ? dir : "/tmp");
    }();
    return made;
}

// Removes the folders this run made (not kept ones) when the program ends.
struct Cleanup {
    ~Cleanup()
    {
        const char* kept = std::getenv("KVR_BENCH_LIBRARY_DIR");
        if (made && !(kept && *kept)) std::filesystem::remove_all(BaseFolder());
    }
    bool made = false;
} cleanup;

const std::string& Folder(int count)
{
    static std::map<int, std::string> folders;
    auto it = folders.find(count);
    if (it != folders.end()) return it->second;
    const std::string folder = BaseFolder() + "/library-" + std::to_string(count);
    const std::string done = folder + "/.complete";
    if (!std::filesystem::exists(done)) {
        cleanup.made = true;
        if (!MakeBenchLibrary(folder, count)) std::abort();
        std::FILE* mark = std::fopen(done.c_str(), "w");
        if (mark) std::fclose(mark);
    }
    return folders.emplace(count, folder).first->second;
}

// The floor: every document's bytes read once, nothing made of them.
void BM_ReadEveryByte(benchmark::State& state)
{
    const std::string& folder = Folder(int(state.range(0)));
    std::vector<char> buffer(1 << 16);
    std::int64_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        const std::optional<std::vector<LibraryFile>> files = ListLibraryFolder(folder);
        for (const LibraryFile& f : *files) {
            const int fd = open(LibraryPath(folder, f.name).c_str(), O_RDONLY);
            for (ssize_t n; (n = read(fd, buffer.data(), buffer.size())) > 0;) bytes += n;
            close(fd);
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["MB"] = double(bytes) / 1e6;
}

// The first scan: list, read each document's signature, build the map.
void BM_FirstScan(benchmark::State& state)
{
    const std::string& folder = Folder(int(state.range(0)));
    const FeatureReader reader = DocumentFeatureReader();
    for (auto _ : state) {
        // As the window's first scan runs: listed, then read on the worker's threads.
        Library library;
        std::optional<ScanPlan> plan = library.plan(folder);
        library.apply(*plan, ReadLibraryFiles(plan->folder, plan->toRead, reader, {}, nullptr, LibraryReadThreads()));
        if (library.entries().size() != std::size_t(state.range(0))) state.SkipWithError("documents were skipped");
    }
}

// The 1500 ms tick over a folder where nothing changed: list and compare stamps.
void BM_UnchangedTick(benchmark::State& state)
{
    const std::string& folder = Folder(int(state.range(0)));
    Library library;
    library.loadLibrary(folder, DocumentFeatureReader());
    for (auto _ : state) {
        std::optional<ScanPlan> plan = library.plan(folder);
        if (!plan || !plan->empty()) state.SkipWithError("the folder changed");
    }
}

// The tick as the window runs it over a quiet folder: the watch has no events.
void BM_WatchedQuietTick(benchmark::State& state)
{
    const std::string& folder = Folder(int(state.range(0)));
    FolderWatch watch(1 << 30);
    watch.needsListing(folder);
    for (auto _ : state)
        if (watch.needsListing(folder)) state.SkipWithError("the folder changed");
}

// Ranking every signature against a graph of three curves and keeping five.
void BM_RankAndKeepFive(benchmark::State& state)
{
    const std::string& folder = Folder(int(state.range(0)));
    Library library;
    library.loadLibrary(folder, DocumentFeatureReader());
    GraphManager graph;
    for (const char* text : {"y = x^2 - 2*x - 3", "y = 2*sin(x)", "x^2/9 + y^2/4 - 1 = 0"}) graph.addEquationFromText(text);
    CFeature signature;
    graph.computeFeature(signature);
    for (auto _ : state) benchmark::DoNotOptimize(RankCandidates(library.entries(), signature));
}

BENCHMARK(BM_ReadEveryByte)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FirstScan)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UnchangedTick)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WatchedQuietTick)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RankAndKeepFive)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
