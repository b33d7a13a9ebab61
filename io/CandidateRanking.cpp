// SPDX-License-Identifier: MIT
#include "io/CandidateRanking.h"

#include <cmath>
#include <limits>

#include "io/Library.h"

std::vector<RankedCandidate> RankCandidates(const std::map<std::string, LibraryEntry>& entries, const CFeature& graph,
                                            std::size_t keep) {
    // One pass keeping the best `keep` in a small sorted array: O(n·keep), no
    // list of every score. Entries come in name order and a later entry must
    // score strictly lower to pass an earlier one, so ties keep name order.
    std::vector<RankedCandidate> best;
    best.reserve(keep + 1);
    if (keep == 0) return best;
    for (const auto& [name, entry] : entries) {
        double score = entry.feature.distance(graph);
        if (std::isnan(score)) score = std::numeric_limits<double>::infinity();
        if (best.size() == keep && !(score < best.back().score)) continue;
        auto at = best.end();
        while (at != best.begin() && score < (at - 1)->score) --at;
        best.insert(at, RankedCandidate{score, name});
        if (best.size() > keep) best.pop_back();
    }
    return best;
}
