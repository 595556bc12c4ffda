#include "cli/bench_corpus.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "cli/headless.h"

namespace fudo::cli {

#ifndef FUDO_CORPUS_FROM_BIN
#define FUDO_CORPUS_FROM_BIN "../share/games/fudo-shogi/positions.sfen"
#endif

std::string defaultCorpusPath() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path installed = (exe.parent_path() / FUDO_CORPUS_FROM_BIN).lexically_normal();
        if (fs::is_regular_file(installed, ec)) return installed.string();
    }
    return FUDO_DEFAULT_CORPUS;
}

bool loadCorpus(const std::string& path, std::vector<Position>& out, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        std::string_view text(line);
        text.remove_prefix(first);
        if (text.starts_with("position ")) text.remove_prefix(9);
        Position p;
        std::string why;
        if (!parseSfen(text, p, why)) {
            error = path + ":" + std::to_string(number) + ": " + why;
            return false;
        }
        out.push_back(p);
    }
    if (out.empty()) {
        error = path + " holds no position";
        return false;
    }
    return true;
}

double BenchResult::median() const {
    if (micros.empty()) return 0;
    std::vector<double> v = micros;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double BenchResult::percentile(double p) const {
    if (micros.empty()) return 0;
    std::vector<double> v = micros;
    std::sort(v.begin(), v.end());
    // Nearest rank.
    const auto rank = static_cast<size_t>(std::ceil(p / 100.0 * static_cast<double>(v.size())));
    return v[std::clamp<size_t>(rank, 1, v.size()) - 1];
}

BenchResult runBench(const std::vector<Position>& corpus, int level, int repeat) {
    BenchResult result;
    Signature first;
    for (int rep = 0; rep < repeat; ++rep) {
        for (const Position& pos : corpus) {
            auto h = headlessAt(pos, level);
            Game& g = h->game;
            Signature sig;
            Signature& s = rep == 0 ? first : sig;
            g.観察者 = &s;
            // What the board input does before the computer's turn is not timed.
            g.勢力調査();
            (void)g.詰めかCOM();
            const std::uint64_t before = s.evaluations;
            const auto t0 = std::chrono::steady_clock::now();
            g.com_ban_開始();
            const 探索結果 r = g.com_ban_探索();
            const auto t1 = std::chrono::steady_clock::now();
            s.chosen(r);
            g.観察者 = nullptr;
            const double us = std::chrono::duration<double, std::micro>(t1 - t0).count();
            result.micros.push_back(us);
            result.seconds += us / 1e6;
            result.candidates += s.evaluations - before;
        }
    }
    result.signature = first.value;
    return result;
}

std::uint64_t corpusSignature(const std::vector<Position>& corpus, int level) {
    Signature sig;
    for (const Position& pos : corpus) {
        auto h = headlessAt(pos, level);
        h->game.観察者 = &sig;
        const 探索結果 r = searchPosition(h->game);
        h->game.観察者 = nullptr;
        sig.chosen(r);
    }
    return sig.value;
}

}  // namespace fudo::cli
