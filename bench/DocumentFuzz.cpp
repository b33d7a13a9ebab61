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
    const QByteArray values[] = {"nan", "-inf", "1e308", "-1e-320", "2147483648", "-2147483649", "0x1p3", "",
                                 "  7 ", "y=(", "y=x^", "99999999999999999999", "-0.00", "3abc", "é\xe2\x82"};
    const QByteArray tokens[] = {"<equation>", "</equation>", "<color>", "<!DOCTYPE x>", "&amp;", "&bogus;", "nan",
                                 "1e308", "-2147483649", "99999999999", "<attibute_point>", "]]>", "\xff", "<numeqns>"};
    std::mt19937 rng(seed);
    GraphManager graph;
    CKVRDoc doc(graph);
    long opened = 0, failed = 0, wrong = 0;
    double slowest = 0;
    for (long round = 0; round < rounds; ++round) {
        QByteArray bytes = samples[rng() % samples.size()];
        const int edits = 1 + int(rng() % 8);
        for (int k = 0; k < edits && !bytes.isEmpty(); ++k) {
            const qsizetype at = qsizetype(rng() % bytes.size());
            switch (rng() % 6) {
                case 0: bytes[at] = char(rng()); break;
                case 5: {
                    // A value replaced: the file stays well-formed and reaches the readers.
                    const qsizetype open = bytes.indexOf('>', at), close = bytes.indexOf('<', open + 1);
                    if (open >= 0 && close > open) bytes.replace(open + 1, close - open - 1, values[rng() % std::size(values)]);
                    break;
                }
                case 1: bytes.insert(at, tokens[rng() % std::size(tokens)]); break;
                case 2: bytes.truncate(at); break;
                case 3: bytes.remove(at, qsizetype(rng() % 64)); break;
                default: bytes.insert(at, bytes.mid(at, qsizetype(rng() % 400))); break;
            }
        }
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
