// SPDX-License-Identifier: MIT
// A longer fuzz run over documents than the test run makes: mutated copies of
// the sample documents opened one after another. Not part of the tests.
//
//   kvr_fuzz_documents [ROUNDS [SEED]]     (defaults: 100000 rounds, seed 1)
//
// Prints how many mutants opened and how many failed with the message; a
// crash, a hang or a failure without the message is the finding.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include <QtCore/QDir>
#include <QtCore/QFile>

#include "graph/GraphManager.h"
#include "io/CKVRDoc.h"
#include "support/DocumentMutator.h"

int main(int argc, char** argv) {
    const long rounds = argc > 1 ? std::atol(argv[1]) : 100000;
    const unsigned seed = argc > 2 ? unsigned(std::atol(argv[2])) : 1u;
    QDir data(QStringLiteral(KVR_TEST_DATA));
    std::vector<QByteArray> samples;
    for (const QString& name : data.entryList({QStringLiteral("*.kvr")}, QDir::Files)) {
        QFile f(data.filePath(name));
        if (f.open(QIODevice::ReadOnly)) samples.push_back(f.readAll());
    }
    if (samples.empty()) {
        std::fprintf(stderr, "kvr_fuzz_documents: no samples in %s\n", KVR_TEST_DATA);
        return 2;
    }
    std::mt19937 rng(seed);
    GraphManager graph;
    CKVRDoc doc(graph);
    long opened = 0, failed = 0, wrong = 0;
    double slowest = 0;
    for (long round = 0; round < rounds; ++round) {
        const QByteArray bytes = io_test::MutateDocument(samples[rng() % samples.size()], rng, 8, 400);
        const auto start = std::chrono::steady_clock::now();
        const DocumentResult r = doc.openBytes(bytes, "mutant.kvr");
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (seconds > slowest) slowest = seconds;
        if (r.ok) ++opened;
        else if (r.message == "Failed to open document.") ++failed;
        else ++wrong;
    }
    std::printf("%ld rounds: %ld opened, %ld failed with the message, %ld otherwise; slowest open %.1f ms\n", rounds,
                opened, failed, wrong, slowest * 1000);
    return wrong == 0 ? 0 : 1;
}
