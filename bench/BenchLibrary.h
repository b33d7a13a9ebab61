// SPDX-License-Identifier: MIT
#pragma once
// A library folder for the benchmarks: documents of one to four equations of
// every kind with random coefficients, each with a thumbnail of its own curves.
#include <string>

// Writes `count` documents "lesson00000.kvr" … into `folder` (made when
// missing). False, with the reason on standard error, when one cannot be written.
bool MakeBenchLibrary(const std::string& folder, int count, unsigned seed = 1);
