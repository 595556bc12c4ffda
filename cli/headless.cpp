#include "cli/headless.h"

namespace fudo::cli {

std::unique_ptr<Headless> newHeadless() { return std::make_unique<Headless>(); }

std::unique_ptr<Headless> headlessAt(const Position& pos, int level) {
    auto h = newHeadless();
    Game& g = h->game;
    setPosition(g, pos);
    g.COM_LEVEL = level;
    g.TAIKYOKU_MODE = MODE_COM;
    g.TEBAN = g.COM_SENGO;
    return h;
}

探索結果 searchPosition(Game& g) {
    g.勢力調査();
    (void)g.詰めかCOM();
    g.com_ban_開始();
    return g.com_ban_探索();
}

void ScoreLines::evaluated(const 候補手& m, Score s) {
    out_ += usiMove(m);
    out_ += ' ';
    out_ += s.str();
    out_ += '\n';
}

std::string bestmoveOutput(const Position& pos, int level, bool scores) {
    std::string out;
    auto h = headlessAt(pos, level);
    ScoreLines lines(out);
    if (scores) h->game.観察者 = &lines;
    const 探索結果 r = searchPosition(h->game);
    h->game.観察者 = nullptr;
    out += "bestmove ";
    out += r.found ? usiMove(r.best) : std::string("none");
    out += '\n';
    return out;
}

void Signature::mix(std::int64_t v) {
    auto u = static_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) {
        value ^= (u >> (8 * i)) & 0xff;
        value *= 1099511628211ull;
    }
}

void Signature::evaluated(const 候補手& m, Score s) {
    ++evaluations;
    mix(m.fx);
    mix(m.fy);
    mix(m.tx);
    mix(m.ty);
    mix(m.placed);
    mix(s.tenths());
}

void Signature::chosen(const 探索結果& r) {
    mix(r.found ? 1 : 0);
    if (!r.found) return;
    mix(r.best.fx);
    mix(r.best.fy);
    mix(r.best.tx);
    mix(r.best.ty);
    mix(r.best.placed);
    mix(r.score.tenths());
}

}  // namespace fudo::cli
