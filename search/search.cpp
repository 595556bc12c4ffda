#include "search/search.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "search/evaluate.h"
#include "search/movegen.h"
#include "search/tt.h"

namespace fudo::search {

namespace {

double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Ordering bands.
constexpr int HashBand = 1 << 30;
constexpr int CaptureBand = 1 << 28;
constexpr int KillerBand = 1 << 27;

int victimValue(Piece p) {
    const MaterialValues& mv = materialValues();
    return mv.board[typeOf(p)] + mv.hand[unpromoted(typeOf(p))];
}

struct Reductions {
    int table[64][64];
    Reductions() {
        for (int d = 0; d < 64; ++d)
            for (int m = 0; m < 64; ++m)
                table[d][m] = d == 0 || m == 0 ? 0 : int(0.3 + std::log(double(d)) * std::log(double(m)) / 2.2);
    }
};
const Reductions kReductions;

}  // namespace

struct Engine::Searcher {
    TranspositionTable& tt;
    Position pos;
    Options options;
    Clock clock = steadySeconds;

    // Per ply, allocated once with the engine.
    Move moves[MaxPly + 1][MaxMoves];
    int scores[MaxPly + 1][MaxMoves];
    Move pv[MaxPly + 1][MaxPly + 1];
    int pvLength[MaxPly + 1];
    Move killers[MaxPly + 1][2];
    std::uint64_t keys[MaxPly + 2];
    bool nullAt[MaxPly + 2];
    int history[2][TypeCount][SquareCount];

    // The current search.
    const std::atomic<bool>* stop = nullptr;
    const std::atomic<bool>* halt = nullptr;  // set when the main thread has finished
    std::atomic<std::uint64_t> published{0};  // nodes as last seen by poll (for the sum)
    int id = 0;                               // 0: the main thread
    Result result;                            // a helper's own outcome
    std::uint64_t nodes = 0;
    std::uint64_t nodeLimit = 0;
    double start = 0, hardLimit = 0;
    bool aborted = false;
    bool upperMateRule = true;
    int seldepth = 0;
    int rootDepth = 0;

    explicit Searcher(TranspositionTable& table) : tt(table) { clearTables(); }

    void clearTables() {
        std::fill(&killers[0][0], &killers[0][0] + (MaxPly + 1) * 2, NoMove);
        std::fill(&history[0][0][0], &history[0][0][0] + 2 * TypeCount * SquareCount, 0);
    }

    double elapsed() const { return clock() - start; }

    void poll() {
        published.store(nodes, std::memory_order_relaxed);
        if (stop->load(std::memory_order_relaxed) || halt->load(std::memory_order_relaxed)) aborted = true;
        if (hardLimit > 0 && elapsed() >= hardLimit) aborted = true;
        if (nodeLimit && nodes >= nodeLimit) aborted = true;
    }

    void countNode() {
        if (++nodes % std::uint64_t(options.pollEvery) == 0) poll();
    }

    bool repeated(int ply) const {
        for (int i = ply - 4; i >= 0; i -= 2)
            if (keys[i] == keys[ply]) return true;
        return false;
    }

    // Orders moves[ply][0..n): hash move, captures by victim then attacker, killers,
    // promotions, then quiet moves and drops by history.
    void scoreMoves(int ply, int n, Move hashMove) {
        const Color us = pos.sideToMove();
        for (int i = 0; i < n; ++i) {
            const Move m = moves[ply][i];
            int s;
            if (m == hashMove) {
                s = HashBand;
            } else if (!isDrop(m) && pos.at(toOf(m)) != Empty) {
                s = CaptureBand + victimValue(pos.at(toOf(m))) * 16 - typeOf(pos.at(fromOf(m))) + (isPromotion(m) ? 8 : 0);
            } else if (m == killers[ply][0]) {
                s = KillerBand + 2;
            } else if (m == killers[ply][1]) {
                s = KillerBand + 1;
            } else {
                const int type = isDrop(m) ? dropTypeOf(m) : typeOf(pos.at(fromOf(m)));
                s = history[us][type][toOf(m)] + (isPromotion(m) ? 4000 : 0);
            }
            scores[ply][i] = s;
        }
    }

    // Brings the best remaining move to index i.
    Move pick(int ply, int i, int n) {
        int best = i;
        for (int j = i + 1; j < n; ++j)
            if (scores[ply][j] > scores[ply][best]) best = j;
        std::swap(moves[ply][i], moves[ply][best]);
        std::swap(scores[ply][i], scores[ply][best]);
        return moves[ply][i];
    }

    // In check, drops that the game's mate test would not count as blocks are left out for
    // the upper army: the game would already have ended.
    bool dropsBarred(bool inCheck) const {
        return inCheck && upperMateRule && pos.sideToMove() == Upper && dropsCannotBlock(pos, Upper);
    }

    bool quiet(Move m) const { return isDrop(m) || (pos.at(toOf(m)) == Empty && !isPromotion(m)); }

    void rewardQuiet(int ply, Move m, int depth) {
        if (killers[ply][0] != m) {
            killers[ply][1] = killers[ply][0];
            killers[ply][0] = m;
        }
        const int type = isDrop(m) ? dropTypeOf(m) : typeOf(pos.at(fromOf(m)));
        int& h = history[pos.sideToMove()][type][toOf(m)];
        h += depth * depth;
        if (h > (1 << 20)) {
            for (auto& side : history)
                for (auto& row : side)
                    for (int& v : row) v /= 2;
        }
    }

    void punishQuiet(Move m, int depth) {
        const int type = isDrop(m) ? dropTypeOf(m) : typeOf(pos.at(fromOf(m)));
        int& h = history[pos.sideToMove()][type][toOf(m)];
        h = std::max(h - depth * depth, -(1 << 20));
    }

    int qsearch(int alpha, int beta, int ply, bool inCheck) {
        countNode();
        if (aborted) return 0;
        if (ply > seldepth) seldepth = ply;
        if (pos.movesPlayed() >= 500) return 0;
        if (ply >= MaxPly) return evaluate(pos, options.weights);

        if (!inCheck && options.mateByDrop && dropMates(pos)) return MateScore - ply - 1;
        int best = -Infinite;
        int n;
        if (inCheck) {
            n = generateMoves(pos, moves[ply], GenMode::Search);
        } else {
            best = evaluate(pos, options.weights);
            if (best >= beta) return best;
            if (best > alpha) alpha = best;
            n = generateCaptures(pos, moves[ply]);
        }
        scoreMoves(ply, n, NoMove);
        const bool noDrops = dropsBarred(inCheck);
        int legal = 0;
        const MaterialValues& mv = materialValues();
        for (int i = 0; i < n; ++i) {
            const Move m = pick(ply, i, n);
            if ((noDrops && isDrop(m)) || !isLegal(pos, m, inCheck)) continue;
            ++legal;
            if (!inCheck && options.qsearchPruning && !isPromotion(m)) {
                const Piece victim = pos.at(toOf(m));
                // Even winning the piece for nothing would not reach alpha.
                if (best + victimValue(victim) + 200 <= alpha) continue;
                // A bigger piece takes a smaller one on a guarded square: it is lost back.
                if (mv.board[typeOf(pos.at(fromOf(m)))] > mv.board[typeOf(victim)] + 50 &&
                    pos.attacked(toOf(m), ~pos.sideToMove()))
                    continue;
            }
            Undo u;
            pos.make(m, u);
            keys[ply + 1] = pos.key();
            const int v = -qsearch(-beta, -alpha, ply + 1, pos.inCheck());
            pos.unmake(m, u);
            if (aborted) return 0;
            if (v > best) {
                best = v;
                if (v > alpha) {
                    if (v >= beta) return v;
                    alpha = v;
                }
            }
        }
        if (inCheck && legal == 0) return -MateScore + ply;
        return best;
    }

    int search(int alpha, int beta, int depth, int ply, bool inCheck, bool pvNode) {
        pvLength[ply] = ply;
        if (pos.movesPlayed() >= 500) return 0;
        if (ply > 0 && repeated(ply)) return 0;
        // Mate distance: nothing here can beat a mate already found nearer the root.
        alpha = std::max(alpha, -MateScore + ply);
        beta = std::min(beta, MateScore - ply - 1);
        if (alpha >= beta) return alpha;

        // A king in check must be answered; look one ply further.
        if (inCheck && ply < 2 * rootDepth + 8) ++depth;
        if (depth <= 0) return qsearch(alpha, beta, ply, inCheck);
        if (ply >= MaxPly) return evaluate(pos, options.weights);

        countNode();
        if (aborted) return 0;
        if (ply > seldepth) seldepth = ply;
        if (!inCheck && options.mateByDrop && dropMates(pos)) return std::min(beta, MateScore - ply - 1);

        Move hashMove = NoMove;
        TTEntry e;
        if (tt.probe(pos.key(), e)) {
            hashMove = e.move;
            const int s = scoreFromTT(e.score, ply);
            if (!pvNode && e.depth >= depth &&
                (e.bound == BoundExact || (e.bound == BoundLower && s >= beta) || (e.bound == BoundUpper && s <= alpha)))
                return s;
        }
        if (hashMove != NoMove && !isPseudoLegal(pos, hashMove)) hashMove = NoMove;

        const int staticEval = inCheck ? -Infinite : evaluate(pos, options.weights);
        if (options.pruning && !pvNode && !inCheck && std::abs(beta) < MateBound) {
            // So far above beta that a shallow search would not come back under it.
            if (depth <= 6 && staticEval - 100 * depth >= beta) return staticEval;
            // So far below alpha that only a capture could help.
            if (depth <= 2 && staticEval + 250 + 200 * depth <= alpha) {
                const int v = qsearch(alpha, alpha + 1, ply, false);
                if (aborted) return 0;
                if (v <= alpha) return v;
            }
        }

        // Null move: pass, and if a reduced search still fails high the node is cut. Not in
        // check, not twice in a row, and only with something to move besides pawns (a king
        // cannot move, so zugzwang is real).
        if (options.nullMove && !pvNode && !inCheck && depth >= 3 && ply > 0 && !nullAt[ply] &&
            std::abs(beta) < MateBound && hasMaterialToPass()) {
            if (staticEval >= beta) {
                const int r = 3 + depth / 4;
                pos.flipSide();
                keys[ply + 1] = pos.key();
                nullAt[ply + 1] = true;
                const int v = -search(-beta, -beta + 1, depth - 1 - r, ply + 1, false, false);
                nullAt[ply + 1] = false;
                pos.flipSide();
                if (aborted) return 0;
                if (v >= beta) return v >= MateBound ? beta : v;
            }
        }

        const int n = generateMoves(pos, moves[ply], GenMode::Search);
        scoreMoves(ply, n, hashMove);
        const int alphaOrig = alpha;
        const bool noDrops = dropsBarred(inCheck);
        int best = -Infinite;
        Move bestMove = NoMove;
        int legal = 0;
        Move quietsTried[64];
        int quietCount = 0;
        // Quiet moves late in the list or far below alpha are not searched near the leaves.
        const bool mayPrune = options.pruning && !pvNode && !inCheck && std::abs(alpha) < MateBound;
        const int moveCountLimit = 3 + depth * depth;
        const bool futile = depth <= 4 && staticEval + 120 + 100 * depth <= alpha;
        for (int i = 0; i < n; ++i) {
            const Move m = pick(ply, i, n);
            if ((noDrops && isDrop(m)) || !isLegal(pos, m, inCheck)) continue;
            ++legal;
            const bool isQuiet = quiet(m);
            const bool killer = m == killers[ply][0] || m == killers[ply][1];
            Undo u;
            pos.make(m, u);
            keys[ply + 1] = pos.key();
            const bool givesCheck = pos.inCheck();
            if (mayPrune && isQuiet && !givesCheck && !killer && best > -MateBound &&
                ((depth <= 5 && legal > moveCountLimit) || futile)) {
                pos.unmake(m, u);
                continue;
            }
            if (isQuiet && quietCount < 64) quietsTried[quietCount++] = m;
            int v;
            if (legal == 1) {
                v = -search(-beta, -alpha, depth - 1, ply + 1, givesCheck, pvNode);
            } else {
                int r = 0;
                if (options.lateMoveReductions && depth >= 3 && isQuiet && !inCheck && !givesCheck && !killer)
                    r = std::clamp(kReductions.table[std::min(depth, 63)][std::min(legal, 63)] - (pvNode ? 1 : 0), 0,
                                   depth - 2);
                v = -search(-alpha - 1, -alpha, depth - 1 - r, ply + 1, givesCheck, false);
                if (v > alpha && r > 0) v = -search(-alpha - 1, -alpha, depth - 1, ply + 1, givesCheck, false);
                if (v > alpha && v < beta && pvNode) v = -search(-beta, -alpha, depth - 1, ply + 1, givesCheck, true);
            }
            pos.unmake(m, u);
            if (aborted) return 0;
            if (v > best) {
                best = v;
                bestMove = m;
                if (v > alpha) {
                    alpha = v;
                    if (pvNode) {
                        pv[ply][ply] = m;
                        for (int j = ply + 1; j < pvLength[ply + 1]; ++j) pv[ply][j] = pv[ply + 1][j];
                        pvLength[ply] = std::max(pvLength[ply + 1], ply + 1);
                    }
                    if (v >= beta) {
                        if (isQuiet) {
                            rewardQuiet(ply, m, depth);
                            // The quiet moves tried before it did not cut.
                            if (options.pruning)
                                for (int k = 0; k + 1 < quietCount; ++k) punishQuiet(quietsTried[k], depth);
                        }
                        break;
                    }
                }
            }
        }
        // No move keeps the king: it will be taken (also when nothing but the king could move).
        if (legal == 0) return -MateScore + ply;
        const Bound bound = best >= beta ? BoundLower : best > alphaOrig ? BoundExact : BoundUpper;
        tt.store(pos.key(), bestMove, scoreToTT(best, ply), depth, bound);
        return best;
    }

    // Iterative deepening over the root moves in moves[0][0..n), filling `result`. The
    // main thread (id 0) reports to the sink and keeps to the budget; helpers skip some
    // depths so that the threads spread over several, and run until the main one halts
    // them.
    void think(int n, int maxDepth, const TimeBudget& budget, const Limits& limits, const InfoSink& sink,
               const std::function<std::uint64_t()>& totalNodes) {
        static constexpr int SkipSize[20] = {1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 4, 4};
        static constexpr int SkipPhase[20] = {0, 1, 0, 1, 2, 3, 0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5, 6, 7};
        Move* root = moves[0];
        Move best = root[0];
        int lastScore = 0;
        result.best = best;
        keys[0] = pos.key();
        for (int depth = 1; depth <= maxDepth; ++depth) {
            if (id > 0) {
                const int i = (id - 1) % 20;
                if (((depth + pos.movesPlayed() + SkipPhase[i]) / SkipSize[i]) % 2 && depth < maxDepth) continue;
            }
            rootDepth = depth;
            // Aspiration: a window round the last score, widened on the side it fails.
            int window = 40;
            int lo = -Infinite, hi = Infinite;
            if (options.aspiration && depth >= 5 && std::abs(lastScore) < MateBound) {
                lo = lastScore - window;
                hi = lastScore + window;
            }
            Move iterBest = NoMove;
            int iterScore = -Infinite;
            std::vector<Result::RootScore> near;
            while (true) {
                int alpha = lo;
                const int beta = hi;
                iterBest = NoMove;
                iterScore = -Infinite;
                pvLength[0] = 0;
                near.clear();
                bool failHigh = false;
                for (int i = 0; i < n; ++i) {
                    const Move m = root[i];
                    Undo u;
                    pos.make(m, u);
                    keys[1] = pos.key();
                    const bool givesCheck = pos.inCheck();
                    int v;
                    // With a margin, moves nearly as good as the best are searched exactly too.
                    const int floor =
                        options.rootMargin > 0 && i > 0 ? std::max(-Infinite + 1, alpha - options.rootMargin) : alpha;
                    if (i == 0) {
                        v = -search(-beta, -alpha, depth - 1, 1, givesCheck, true);
                    } else {
                        v = -search(-floor - 1, -floor, depth - 1, 1, givesCheck, false);
                        if (!aborted && v > floor) v = -search(-beta, -floor, depth - 1, 1, givesCheck, true);
                    }
                    pos.unmake(m, u);
                    if (aborted) break;
                    if (options.rootMargin > 0 && (i == 0 || v > floor)) near.push_back({m, v});
                    if (v > iterScore) {
                        iterScore = v;
                        iterBest = m;
                        alpha = std::max(alpha, v);
                        pv[0][0] = m;
                        for (int j = 1; j < pvLength[1]; ++j) pv[0][j] = pv[1][j];
                        pvLength[0] = std::max(pvLength[1], 1);
                        // Keep the best first for the next iteration.
                        std::rotate(root, root + i, root + i + 1);
                        if (v >= beta) {
                            failHigh = true;
                            break;
                        }
                    }
                }
                if (aborted) {
                    // Below the window nothing is known of the moves: keep the last best.
                    if (iterScore <= lo) iterBest = NoMove;
                    break;
                }
                if (iterScore <= lo && lo > -Infinite) {
                    window *= 4;
                    lo = std::max(-Infinite, lastScore - window);
                    if (window > 1000) lo = -Infinite;
                } else if (failHigh && hi < Infinite) {
                    window *= 4;
                    hi = std::min(Infinite, lastScore + window);
                    if (window > 1000) hi = Infinite;
                } else {
                    break;
                }
            }
            if (iterBest != NoMove && !aborted) lastScore = iterScore;
            if (iterBest != NoMove) {
                // A move searched to the end in an interrupted iteration still counts if it
                // beat the previous best.
                best = iterBest;
                result.best = best;
                result.info.depth = aborted ? depth - 1 : depth;
                result.info.score = iterScore;
                result.info.pvLength = pvLength[0];
                std::copy(pv[0], pv[0] + pvLength[0], result.info.pv);
            }
            if (!aborted && options.rootMargin > 0) {
                std::erase_if(near, [&](const Result::RootScore& r) { return r.score <= iterScore - options.rootMargin; });
                std::stable_sort(near.begin(), near.end(),
                                 [](const Result::RootScore& a, const Result::RootScore& b) { return a.score > b.score; });
                result.nearBest = std::move(near);
            }
            result.info.seldepth = seldepth;
            result.info.nodes = id == 0 ? totalNodes() : nodes;  // helpers never read the main thread's count
            result.info.seconds = elapsed();
            if (aborted) break;
            if (id == 0 && sink) sink(result.info);
            // Stop early: a single move, a mate found, or half the time gone (the next
            // iteration would not finish).
            if (n == 1 && depth >= 1) break;
            // Every move is the 500th, a draw whatever is played: deeper looks see nothing more.
            if (pos.movesPlayed() + 1 >= 500) break;
            if (std::abs(iterScore) >= MateBound && depth >= MateScore - std::abs(iterScore)) break;
            if (id == 0 && budget.soft > 0 && elapsed() > budget.soft) break;
            if (limits.nodes && nodes >= limits.nodes) break;
        }
        result.stopped = aborted;
    }

    // Ready for a search of the snapshot; false when it cannot be searched.
    bool prepare(const Snapshot& snapshot, const Limits& limits, const TimeBudget& budget,
                 const std::atomic<bool>& stopFlag, const std::atomic<bool>& haltFlag) {
        result = Result{};
        if (!pos.set(snapshot) || pos.movesPlayed() >= 500) return false;
        stop = &stopFlag;
        halt = &haltFlag;
        nodes = 0;
        published.store(0, std::memory_order_relaxed);
        nodeLimit = id == 0 ? limits.nodes : 0;
        start = clock();
        hardLimit = budget.hard;
        aborted = false;
        upperMateRule = snapshot.upperMateEndsGame;
        seldepth = 0;
        std::fill(&killers[0][0], &killers[0][0] + (MaxPly + 1) * 2, NoMove);
        std::fill(std::begin(nullAt), std::end(nullAt), false);
        return true;
    }

    bool hasMaterialToPass() const {
        const Color us = pos.sideToMove();
        for (int t = Pawn; t <= Rook; ++t)
            if (pos.hand(us, t) > 0) return true;
        int pieces = 0;
        for (int y = 1; y <= 9; ++y)
            for (int x = 1; x <= 9; ++x) {
                const Piece p = pos.at(square(x, y));
                if (p != Empty && colorOf(p) == us && typeOf(p) != Pawn && typeOf(p) != King) ++pieces;
            }
        return pieces >= 3;
    }
};

struct Engine::Shared {
    TranspositionTable tt;
    std::vector<std::unique_ptr<Searcher>> threads;
    std::atomic<bool> halt{false};
    explicit Shared(std::size_t mb) : tt(mb) { threads.push_back(std::make_unique<Searcher>(tt)); }
};

Engine::Engine(std::size_t hashMegabytes) : s_(std::make_unique<Shared>(hashMegabytes)) {}
Engine::~Engine() = default;

void Engine::setClock(Clock clock) {
    for (auto& t : s_->threads) t->clock = clock ? clock : Clock(steadySeconds);
}
Options& Engine::options() { return s_->threads[0]->options; }

void Engine::setThreads(int threads) {
    threads = std::clamp(threads, 1, 256);
    auto& v = s_->threads;
    while (int(v.size()) > threads) v.pop_back();
    while (int(v.size()) < threads) {
        v.push_back(std::make_unique<Searcher>(s_->tt));
        v.back()->id = int(v.size()) - 1;
        v.back()->clock = v[0]->clock;
    }
}
int Engine::threads() const { return int(s_->threads.size()); }

void Engine::clear() {
    s_->tt.clear();
    for (auto& t : s_->threads) t->clearTables();
}

TimeBudget timeBudget(const Limits& limits) {
    TimeBudget b;
    if (limits.seconds > 0) {
        b.soft = limits.seconds * 0.5;
        b.hard = limits.seconds;
    } else if (limits.clockTime > 0 || limits.byoyomi > 0 || limits.increment > 0) {
        // A share of what is left plus what comes back, never more than the clock holds
        // (less a margin for the reply to reach the other side).
        const double margin = 0.05;
        const double available = std::max(0.01, limits.clockTime + limits.byoyomi - margin);
        const double target = std::min(available, limits.clockTime / 30 + limits.increment * 0.8 + limits.byoyomi);
        b.hard = std::min(available, std::max(target * 3, limits.byoyomi - margin));
        b.soft = target * 0.5;
    }
    return b;
}

Result Engine::bestMove(const Snapshot& snapshot, const Limits& limits, const std::atomic<bool>& stop,
                        const InfoSink& sink) {
    Searcher& S = *s_->threads[0];
    const TimeBudget budget = timeBudget(limits);
    s_->halt.store(false);
    if (!S.prepare(snapshot, limits, budget, stop, s_->halt)) return Result{};
    Result& result = S.result;
    Position& pos = S.pos;
    S.tt.newSearch();

    // Root moves: a king that can be taken is taken at once.
    Move* root = S.moves[0];
    int n = generateMoves(pos, root, GenMode::Search);
    const bool inCheck = pos.inCheck();
    if (pos.canTakeKing()) {
        for (int i = 0; i < n; ++i)
            if (!isDrop(root[i]) && typeOf(pos.at(toOf(root[i]))) == King) {
                result.best = root[i];
                result.info.depth = 1;
                result.info.score = MateScore - 1;
                result.info.pvLength = 1;
                result.info.pv[0] = root[i];
                return result;
            }
    }
    int legal = 0;
    const bool noDrops = S.dropsBarred(inCheck);
    for (int i = 0; i < n; ++i)
        if (!(noDrops && isDrop(root[i])) && isLegal(pos, root[i], inCheck)) root[legal++] = root[i];
    if (legal == 0) {
        // Every move loses the king; play one anyway rather than move the king.
        n = generateMoves(pos, root, GenMode::Search);
        result.losing = true;
        if (n > 0) result.best = root[0];
        result.info.score = -MateScore + 1;
        return result;
    }
    n = legal;
    S.scoreMoves(0, n, NoMove);
    for (int i = 0; i < n; ++i) S.pick(0, i, n);
    const int maxDepth = limits.depth > 0 ? std::min(limits.depth, MaxPly - 10) : MaxPly - 10;

    auto& threads = s_->threads;
    const auto totalNodes = [&threads] {
        std::uint64_t sum = threads[0]->nodes;
        for (size_t i = 1; i < threads.size(); ++i) sum += threads[i]->published.load(std::memory_order_relaxed);
        return sum;
    };
    std::vector<std::thread> helpers;
    for (size_t k = 1; k < threads.size(); ++k) {
        Searcher& H = *threads[k];
        H.options = S.options;
        if (!H.prepare(snapshot, limits, budget, stop, s_->halt)) continue;
        std::copy(root, root + n, H.moves[0]);
        helpers.emplace_back([&H, n, maxDepth, &budget, &limits, &totalNodes] {
            H.think(n, maxDepth, budget, limits, InfoSink{}, totalNodes);
        });
    }
    S.think(n, maxDepth, budget, limits, sink, totalNodes);
    s_->halt.store(true);
    for (std::thread& t : helpers) t.join();
    // A helper that completed a deeper iteration knows better.
    for (size_t k = 1; k < threads.size(); ++k) {
        const Result& h = threads[k]->result;
        if (h.best != NoMove && h.info.depth > result.info.depth) {
            result.best = h.best;
            result.info.depth = h.info.depth;
            result.info.score = h.info.score;
            result.info.pvLength = h.info.pvLength;
            std::copy(h.info.pv, h.info.pv + h.info.pvLength, result.info.pv);
        }
    }
    result.info.nodes = threads.size() > 1 ? [&threads] {
        std::uint64_t sum = 0;
        for (auto& t : threads) sum += t->nodes;
        return sum;
    }() : S.nodes;
    result.info.seconds = S.elapsed();
    return result;
}

std::string usiScore(int score) {
    if (score >= MateBound) return "mate " + std::to_string(MateScore - score);
    if (score <= -MateBound) return "mate -" + std::to_string(MateScore + score);
    return "cp " + std::to_string(score);
}

}  // namespace fudo::search
