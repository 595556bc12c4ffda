// The match runner: the outside engine as a child process, the referee and the score.
#include "cli/match.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>
#include <utility>

#include "cli/headless.h"
#include "notation/sfen.h"
#include "search/movegen.h"
#include "search/strength.h"

namespace fudo::cli {

// ---- the outside engine's process ----

UsiProcess::~UsiProcess() { stop(); }

bool UsiProcess::start(const std::string& command) {
    int toChild[2], fromChild[2];
    if (pipe(toChild) != 0) return false;
    if (pipe(fromChild) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return false;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) close(fd);
        return false;
    }
    if (pid == 0) {
        dup2(toChild[0], 0);
        dup2(fromChild[1], 1);
        for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) close(fd);
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    fcntl(toChild[1], F_SETFD, FD_CLOEXEC);
    fcntl(fromChild[0], F_SETFD, FD_CLOEXEC);
    pid_ = pid;
    in_ = toChild[1];
    out_ = fromChild[0];
    ended_ = false;
    buffer_.clear();
    return true;
}

bool UsiProcess::send(const std::string& line) {
    if (in_ < 0) return false;
    const std::string text = line + '\n';
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(in_, text.data() + done, text.size() - done);
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

bool UsiProcess::readLine(std::string& line, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (true) {
        const size_t nl = buffer_.find('\n');
        if (nl != std::string::npos) {
            line = buffer_.substr(0, nl);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            buffer_.erase(0, nl + 1);
            return true;
        }
        if (out_ < 0) return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd p{out_, POLLIN, 0};
        const int r = poll(&p, 1, int(std::min<long long>(left.count(), 1000000)));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        char chunk[4096];
        const ssize_t n = read(out_, chunk, sizeof chunk);
        if (n <= 0) {
            ended_ = true;
            return false;
        }
        buffer_.append(chunk, size_t(n));
    }
}

bool UsiProcess::waitFor(const std::string& prefix, double seconds, std::string& line) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (true) {
        const double left = std::chrono::duration<double>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0 || !readLine(line, left)) return false;
        if (line.rfind(prefix, 0) == 0) return true;
    }
}

void UsiProcess::stop() {
    if (pid_ < 0) return;
    send("quit");
    close(in_);
    in_ = -1;
    // A polite second to leave, then the end.
    int status = 0;
    for (int i = 0; i < 20 && waitpid(pid_, &status, WNOHANG) == 0; ++i) usleep(50000);
    if (waitpid(pid_, &status, WNOHANG) == 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
    }
    close(out_);
    out_ = -1;
    pid_ = -1;
}

// ---- the score ----

double MatchScore::score() const { return games() ? (wins + 0.5 * draws) / games() : 0.5; }

namespace {

double eloOf(double p) {
    p = std::clamp(p, 0.001, 0.999);
    return -400.0 * std::log10(1.0 / p - 1.0);
}

}  // namespace

double MatchScore::elo() const { return eloOf(score()); }

double MatchScore::eloError() const {
    const int n = games();
    if (n < 2) return 0;
    const double p = score();
    const double var = (wins * (1 - p) * (1 - p) + draws * (0.5 - p) * (0.5 - p) + losses * p * p) / n;
    const double se = std::sqrt(var / n);
    return (eloOf(p + 1.96 * se) - eloOf(p - 1.96 * se)) / 2;
}

std::string scoreLine(const MatchScore& s) {
    char buf[200];
    const int n = s.games();
    int used = std::snprintf(buf, sizeof buf, "%d wins, %d draws, %d losses in %d games (score %.1f%%), ", s.wins,
                             s.draws, s.losses, n, 100 * s.score());
    if (n > 0 && (s.wins == n || s.losses == n)) {
        // Every game alike: no finite estimate, only the bound that a 95% interval reaches
        // (the score at which so clean a run still has a 2.5% chance).
        const double bound = eloOf(std::pow(0.025, 1.0 / n));
        std::snprintf(buf + used, sizeof buf - used, s.wins == n ? "Elo at least %+.0f" : "Elo at most %+.0f",
                      s.wins == n ? bound : -bound);
        return buf;
    }
    const double elo = std::abs(s.elo()) < 0.5 ? 0.0 : s.elo();  // no "-0"
    std::snprintf(buf + used, sizeof buf - used, "Elo %+.0f ± %.0f", elo, s.eloError());
    return buf;
}

namespace {

// ---- the referee: the game's own checks on its board ----

struct Referee {
    std::unique_ptr<Headless> h = newHeadless();
    Game& g = h->game;
    int plies = 0;
    bool lowerFirst = true;
    std::string start = "startpos";  // as the engines are given it

    // The usual start, or an SFEN already checked by startOf().
    explicit Referee(const std::string& sfen = {}) {
        g.初期設定();
        g.BAN(5, 9) = -OU;
        g.BAN(5, 1) = OU;
        g.SITA_OU_X = 5, g.SITA_OU_Y = 9, g.UE_OU_X = 5, g.UE_OU_Y = 1;
        if (sfen.empty()) return;
        Position p;
        std::string error;
        if (!parseSfen(sfen, p, error)) return;
        setPosition(g, p);
        lowerFirst = sideOf(sfen) != 'w';
        start = "sfen " + toSfen(g, lowerFirst ? 'b' : 'w', 1);
    }

    // The side letter of an SFEN ("b" when it names none).
    static char sideOf(const std::string& sfen) {
        std::istringstream in(sfen);
        std::string word;
        in >> word;
        if (word == "sfen") in >> word;
        return in >> word && word == "w" ? 'w' : 'b';
    }

    search::Color toMove() const { return (plies % 2 == 0) == lowerFirst ? search::Lower : search::Upper; }

    search::Snapshot snapshot() const {
        search::Snapshot s = search::snapshotOf(g, toMove());
        s.movesPlayed = plies;
        s.upperMateEndsGame = false;
        return s;
    }

    enum class Verdict { Playing, MoverWins, MoverLoses, Draw };

    // Plays the mover's USI move if the game's checks accept it.
    Verdict play(const std::string& text, std::string& reason) {
        const bool lower = toMove() == search::Lower;
        const int sign = lower ? -1 : 1;
        auto sq = [](char f, char r, int& x, int& y) {
            if (f < '1' || f > '9' || r < 'a' || r > 'i') return false;
            x = 10 - (f - '0');
            y = r - 'a' + 1;
            return true;
        };
        int fx, fy, tx, ty, koma;
        bool promote = false;
        if (text.size() == 4 && text[1] == '*') {
            static const std::string kinds = "?PLNSGBR";
            const size_t kind = kinds.find(text[0]);
            if (kind == std::string::npos || kind == 0 || !sq(text[2], text[3], tx, ty)) return refuse(text, reason);
            if ((lower ? g.SITA_MOCHI : g.UE_MOCHI)[kind] <= 0) return refuse(text, reason);
            fx = lower ? 11 : -1;
            fy = lower ? int(kind) + 2 : int(kind);
            koma = sign * 持駒コード[kind];
        } else if ((text.size() == 4 || (text.size() == 5 && text[4] == '+')) && sq(text[0], text[1], fx, fy) &&
                   sq(text[2], text[3], tx, ty)) {
            promote = text.size() == 5;
            koma = g.BAN(fx, fy);
            if (koma * sign < 10) return refuse(text, reason);
            if (koma == sign * OU) {
                reason = "moved {own} king (" + text + ")";
                return Verdict::MoverLoses;
            }
        } else {
            return refuse(text, reason);
        }
        g.調査_2歩フラグ設定();
        if (g.移動チェック(fx, fy, tx, ty, koma) != 1) return refuse(text, reason);
        int placed = koma;
        if (promote) {
            if (fx == 11 || fx == -1 || g.調査_駒成(fx, fy, tx, ty, koma) != 1) return refuse(text, reason);
            placed = g.NARI_KOMA;
        } else if (Game::移動後チェック(ty, koma) != 1) {
            return refuse(text, reason);
        }
        const int captured = g.BAN(tx, ty);
        if (captured == -sign * OU) {
            reason = "took {other} king";
            return Verdict::MoverWins;
        }
        g.駒移動(fx, fy, tx, ty, placed);
        ++plies;
        search::Position pos;
        if (!pos.set(snapshot())) {
            reason = "the position broke";
            return Verdict::Draw;
        }
        if (pos.canTakeKing()) {
            reason = "left {own} king to be taken";
            return Verdict::MoverLoses;
        }
        search::Move moves[search::MaxMoves];
        const int n = search::generateMoves(pos, moves, search::GenMode::Search);
        const bool check = pos.inCheck();
        bool any = false;
        for (int i = 0; i < n && !any; ++i) any = search::isLegal(pos, moves[i], check);
        if (!any) {
            reason = "mated";
            return Verdict::MoverWins;
        }
        if (plies >= KIFU_MAX) {
            reason = "500 moves";
            return Verdict::Draw;
        }
        return Verdict::Playing;
    }

    Verdict refuse(const std::string& text, std::string& reason) const {
        reason = "played an illegal move " + text;
        return Verdict::MoverLoses;
    }

    // A random move among those that keep the king, for the opening.
    std::string randomMove(std::mt19937_64& rng) const {
        search::Position pos;
        if (!pos.set(snapshot())) return {};
        search::Move moves[search::MaxMoves];
        const int n = search::generateMoves(pos, moves, search::GenMode::Search);
        const bool check = pos.inCheck();
        std::vector<search::Move> legal;
        for (int i = 0; i < n; ++i)
            if (search::isLegal(pos, moves[i], check)) legal.push_back(moves[i]);
        if (legal.empty()) return {};
        return search::usi(legal[rng() % legal.size()]);
    }
};

// The position the engines are given: the opening position and every move since.
std::string positionCommand(const std::string& start, const std::vector<std::string>& moves) {
    std::string s = "position " + start;
    if (!moves.empty()) s += " moves";
    for (const std::string& m : moves) s += ' ' + m;
    return s;
}

// Our side: the strong engine, or levels 1 to 3 as the game plays them (upper army; the
// lower army's position is turned by 180° and the move turned back).
class OurSide {
public:
    explicit OurSide(const MatchOptions& o) : o_(o) {
        if (o.level == 4) {
            engine_ = std::make_unique<search::Engine>(o.hashMegabytes);
            engine_->setThreads(o.threads);
        }
    }
    void newGame() {
        if (engine_) engine_->clear();
        ++games_;
    }
    std::string move(const Referee& r) {
        if (engine_) {
            search::Limits limits = o_.limits;
            if (!limits.depth && !limits.nodes && limits.seconds <= 0) limits.seconds = o_.movetimeMs / 1000.0;
            std::atomic<bool> stop{false};
            const search::Result res =
                o_.step ? search::bestMoveAtStep(*engine_, r.snapshot(), o_.step, limits, o_.seed * 7919u + games_, stop)
                        : engine_->bestMove(r.snapshot(), limits, stop);
            return res.best == search::NoMove || res.losing ? "resign" : search::usi(res.best);
        }
        const bool lower = r.toMove() == search::Lower;
        Position p;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) p.ban[x][y] = lower ? -r.g.BAN(10 - x, 10 - y) : r.g.BAN(x, y);
        p.sitaMochi = lower ? r.g.UE_MOCHI : r.g.SITA_MOCHI;
        p.ueMochi = lower ? r.g.SITA_MOCHI : r.g.UE_MOCHI;
        if (lower) {
            p.ueOuX = 10 - r.g.SITA_OU_X, p.ueOuY = 10 - r.g.SITA_OU_Y;
            p.sitaOuX = 10 - r.g.UE_OU_X, p.sitaOuY = 10 - r.g.UE_OU_Y;
        } else {
            p.ueOuX = r.g.UE_OU_X, p.ueOuY = r.g.UE_OU_Y, p.sitaOuX = r.g.SITA_OU_X, p.sitaOuY = r.g.SITA_OU_Y;
        }
        auto h = headlessAt(p, o_.level);
        const 探索結果 res = searchPosition(h->game);
        if (!res.found) return "resign";
        候補手 m = res.best;
        if (lower) {
            if (m.fx == -1) {
                m.fx = 11;
                m.fy += 2;
            } else {
                m.fx = 10 - m.fx;
                m.fy = 10 - m.fy;
            }
            m.tx = 10 - m.tx;
            m.ty = 10 - m.ty;
            m.koma = -m.koma;
            m.placed = -m.placed;
        }
        return usiMove(m);
    }

private:
    const MatchOptions& o_;
    std::unique_ptr<search::Engine> engine_;
    std::uint64_t games_ = 0;
};

GameResult playGame(const MatchOptions& o, OurSide& ours, UsiProcess& engine, const std::vector<std::string>& opening,
                    bool weAreLower) {
    GameResult result;
    result.weAreLower = weAreLower;
    Referee ref(o.sfen);
    ours.newGame();
    engine.send("usinewgame");
    auto end = [&](bool moverWins, bool draw, bool oursMoved, std::string reason) {
        result.outcome = draw ? GameResult::Outcome::Draw
                         : moverWins == oursMoved ? GameResult::Outcome::Win
                                                  : GameResult::Outcome::Loss;
        for (const auto& [word, whose] : {std::pair{"{own}", oursMoved}, std::pair{"{other}", !oursMoved}})
            if (const size_t at = reason.find(word); at != std::string::npos)
                reason.replace(at, std::string(word).size(), whose ? "our" : "their");
        result.reason = (draw ? "" : oursMoved ? "we " : "they ") + reason;
    };
    for (size_t i = 0;; ++i) {
        const bool oursToMove = (ref.toMove() == search::Lower) == weAreLower;
        std::string move;
        if (i < opening.size()) {
            move = opening[i];
        } else if (oursToMove) {
            move = ours.move(ref);
        } else {
            engine.send(positionCommand(ref.start, result.moves));
            engine.send("go movetime " + std::to_string(o.movetimeMs));
            std::string line;
            // Its time and the margin, no more: a later answer is a loss on time.
            const int allowedMs = o.movetimeMs + o.marginMs;
            if (!engine.waitFor("bestmove", allowedMs / 1000.0, line)) {
                if (engine.ended()) {
                    end(false, false, false, "stopped answering");
                } else {
                    engine.send("stop");
                    end(false, false, false, "lost on time (no move within " + std::to_string(allowedMs) + " ms)");
                }
                break;
            }
            const size_t a = line.find_first_not_of(' ', 8);
            if (a != std::string::npos) move = line.substr(a, line.find(' ', a) - a);
        }
        if (move == "resign") {
            end(false, false, oursToMove, "resigned");
            break;
        }
        std::string reason;
        const Referee::Verdict v = ref.play(move, reason);
        if (v != Referee::Verdict::MoverLoses || reason.rfind("refused", 0) != 0) result.moves.push_back(move);
        if (v != Referee::Verdict::Playing) {
            end(v == Referee::Verdict::MoverWins, v == Referee::Verdict::Draw, oursToMove, reason);
            break;
        }
    }
    result.plies = ref.plies;
    engine.send(std::string("gameover ") + (result.outcome == GameResult::Outcome::Draw ? "draw"
                                            : result.outcome == GameResult::Outcome::Win ? "lose"
                                                                                         : "win"));
    return result;
}

// Starts the engine and waits for its usiok and readyok.
bool startEngine(UsiProcess& engine, const std::string& command, std::ostream& err) {
    std::string line;
    if (!engine.start(command) || !engine.send("usi") || !engine.waitFor("usiok", 60, line)) {
        err << "fudo-cli: the engine \"" << command << "\" did not answer usi\n";
        return false;
    }
    engine.send("isready");
    if (!engine.waitFor("readyok", 120, line)) {
        err << "fudo-cli: the engine \"" << command << "\" did not answer isready\n";
        return false;
    }
    return true;
}

// Before the next game: isready, reading past anything a cut-off search still printed; an
// engine that ended or does not answer is started again.
bool resync(UsiProcess& engine, const std::string& command, int game, std::ostream& err) {
    std::string line;
    if (!engine.ended() && engine.send("isready") && engine.waitFor("readyok", 10, line)) return true;
    engine.stop();
    err << "fudo-cli: the engine was not ready after game " << game << "; started again\n";
    return startEngine(engine, command, err);
}

}  // namespace

bool runMatch(const MatchOptions& o, std::ostream& out, std::ostream& err, MatchScore& score) {
    signal(SIGPIPE, SIG_IGN);
    {
        // A start the referee cannot play from is refused before any engine runs.
        std::string error;
        Position p;
        search::Position pos;
        if (!o.sfen.empty() && !parseSfen(o.sfen, p, error)) {
            err << "fudo-cli: --sfen: " << error << '\n';
            return false;
        }
        if (!pos.set(Referee(o.sfen).snapshot())) {
            err << "fudo-cli: --sfen: not a position to play from\n";
            return false;
        }
    }
    UsiProcess engine;
    if (!startEngine(engine, o.engine, err)) return false;
    OurSide ours(o);
    std::vector<std::string> opening;
    for (int game = 0; game < o.games; ++game) {
        const int pair = game / 2, side = game % 2;
        if (side == 0) {
            std::mt19937_64 rng(o.seed * 1000003u + std::uint64_t(pair));
            // The opening: random moves that keep the king, played by both games of the pair.
            opening.clear();
            Referee ref(o.sfen);
            for (int i = 0; i < o.openingPlies; ++i) {
                const std::string m = ref.randomMove(rng);
                std::string reason;
                if (m.empty() || ref.play(m, reason) != Referee::Verdict::Playing) break;
                opening.push_back(m);
            }
        }
        if (game > 0 && !resync(engine, o.engine, game, err)) return false;
        {
            const bool weAreLower = side == 0;
            const GameResult r = playGame(o, ours, engine, opening, weAreLower);
            (r.outcome == GameResult::Outcome::Win    ? score.wins
             : r.outcome == GameResult::Outcome::Loss ? score.losses
                                                      : score.draws)++;
            std::string openingText;
            for (const std::string& m : opening) openingText += (openingText.empty() ? "" : " ") + m;
            if (openingText.empty()) openingText = "none";
            out << "game " << score.games() << " (opening " << openingText << "; we play "
                << (weAreLower == (Referee::sideOf(o.sfen) != 'w') ? "first" : "second") << "): "
                << (r.outcome == GameResult::Outcome::Win    ? "win"
                    : r.outcome == GameResult::Outcome::Loss ? "loss"
                                                             : "draw")
                << ", " << r.reason << ", " << r.plies << " moves; " << scoreLine(score) << std::endl;
        }
    }
    return true;
}

}  // namespace fudo::cli
