// Timing the computer's search over a corpus of positions, and the signature of its
// behaviour over that corpus.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "notation/sfen.h"

namespace fudo::cli {

// Reads one SFEN per line; blank lines and lines starting with '#' are skipped, and a
// leading "position " or "sfen " is allowed. On failure the error names the line.
bool loadCorpus(const std::string& path, std::vector<Position>& out, std::string& error);

// The corpus bench reads by default: the installed one beside the program's data, else the
// one in the source tree the program was built from.
std::string defaultCorpusPath();

struct BenchResult {
    std::vector<double> micros;        // one per search, in run order
    std::uint64_t candidates = 0;      // evaluations over all searches
    double seconds = 0;                // time inside the searches
    std::uint64_t signature = 0;       // over one pass of the corpus
    double median() const;
    double percentile(double p) const;  // p in 0..100
};

// Searches every position `repeat` times at the level, timing the start of the turn and
// the search (the probes and every candidate's survey and evaluation).
BenchResult runBench(const std::vector<Position>& corpus, int level, int repeat);

// The behaviour signature of one pass over the corpus at the level.
std::uint64_t corpusSignature(const std::vector<Position>& corpus, int level);

}  // namespace fudo::cli
