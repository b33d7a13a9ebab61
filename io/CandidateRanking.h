// SPDX-License-Identifier: MIT
#pragma once
// Ranking the library against the graph on screen: a pure function over
// signatures, so that the window, `kvr search` and the tests rank alike.
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "sketch/CFeature.h"

// The candidates shown at most.
constexpr std::size_t kCandidateCount = 5;

struct LibraryEntry;

struct RankedCandidate {
    double score;      // CFeature::distance, library entry to graph; lower is closer
    std::string name;  // the entry's file name
};

// The `keep` entries closest to `graph`, ascending by score; among equal scores
// the earlier name (byte-wise) comes first. Each score is the entry's
// signature (the receiver) measured against the graph's (the argument). A
// score that is not a number ranks last.
std::vector<RankedCandidate> RankCandidates(const std::map<std::string, LibraryEntry>& entries, const CFeature& graph,
                                            std::size_t keep = kCandidateCount);
