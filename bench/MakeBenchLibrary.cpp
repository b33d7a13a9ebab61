// SPDX-License-Identifier: MIT
// kvr_make_library N FOLDER [SEED]: a library of N varied documents for the benchmarks.
#include <cstdlib>
#include <iostream>
#include <string>

#include "BenchLibrary.h"

int main(int argc, char** argv)
{
    if (argc < 3 || std::atoi(argv[1]) <= 0) {
        std::cerr << "usage: kvr_make_library N FOLDER [SEED]\n";
        return 2;
    }
    const unsigned seed = argc > 3 ? unsigned(std::strtoul(argv[3], nullptr, 10)) : 1u;
    return MakeBenchLibrary(argv[2], std::atoi(argv[1]), seed) ? 0 : 1;
}
