// The session file, read and written with nlohmann::json. One table names every field of
// the game it holds, with the values it may take, so that writing, checking and reading
// cannot drift apart.
#include "files/session_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <limits>
#include <system_error>
#include <vector>

#include <nlohmann/json.hpp>

#include "files/file_io.h"
#include "search/strength.h"

namespace fudo {
namespace {

using json = nlohmann::json;

constexpr std::string_view kFormat = "fudo-shogi-session";
constexpr int kVersion = 1;
constexpr std::uintmax_t kMaxFileSize = 4u << 20;
constexpr std::size_t kMaxHeading = 1u << 20;  // bytes of one heading of a record read

// What a value may be.
enum class 値 {
    駒,        // 0, a piece code or a pre-game king
    駒か番兵,  // the above, or the ±999 the survey starts its defender maps with
    座標,      // 0..9
    数,        // 0..99
    符号,      // -1, 0 or 1
};

bool 値の範囲内(値 kind, long long v) {
    switch (kind) {
    case 値::駒: return v == KARA || v == SITA_OU_MAE || v == UE_OU_MAE || 正しい駒コード(int(v));
    case 値::駒か番兵: return v == 999 || v == -999 || 値の範囲内(値::駒, v);
    case 値::座標: return v >= 0 && v <= 9;
    case 値::数: return v >= 0 && v <= 99;
    case 値::符号: return v >= -1 && v <= 1;
    }
    return false;
}

struct 整数欄 {
    const char* name;
    int Game::*field;
    int lo, hi;
};

const 整数欄 kInts[] = {
    {"SITA_MOCHI_SU", &Game::SITA_MOCHI_SU, 0, 40},
    {"UE_MOCHI_SU", &Game::UE_MOCHI_SU, 0, 40},
    {"SITA_OU_X", &Game::SITA_OU_X, 0, 9},
    {"SITA_OU_Y", &Game::SITA_OU_Y, 0, 9},
    {"UE_OU_X", &Game::UE_OU_X, 0, 9},
    {"UE_OU_Y", &Game::UE_OU_Y, 0, 9},
    {"NARI_KOMA", &Game::NARI_KOMA, -OU, OU},
    {"TE_SENTE", &Game::TE_SENTE, -1, 1},
    {"TE_GOTE", &Game::TE_GOTE, -1, 1},
    {"MAN_SENGO", &Game::MAN_SENGO, -1, 1},
    {"COM_SENGO", &Game::COM_SENGO, -1, 1},
    {"TEBAN", &Game::TEBAN, -1, 1},
    {"SYOUSYA", &Game::SYOUSYA, -1, 1},
    {"TAIKYOKU_MODE", &Game::TAIKYOKU_MODE, MODE_MAN, MODE_COM},
    {"TESU", &Game::TESU, 0, 1000000},
    {"SAIKAI_MATI", &Game::SAIKAI_MATI, 0, 1},
    {"KIFU_MODE", &Game::KIFU_MODE, 0, 1},
    {"HANTEN_FLAG", &Game::HANTEN_FLAG, 0, 1},
    {"HANDE_FLAG", &Game::HANDE_FLAG, 0, 1},
    {"HANDE_LEVEL", &Game::HANDE_LEVEL, -10, 10},
    {"COM_LEVEL", &Game::COM_LEVEL, 1, 4},
    {"TITLE_E", &Game::TITLE_E, DIRUVID, DORADAV2},
    {"KIFU_NOW", &Game::KIFU_NOW, 0, KIFU_MAX},
    {"KIFU_LAST", &Game::KIFU_LAST, 0, KIFU_MAX},
    {"HYOUJI_BYOU", &Game::HYOUJI_BYOU, 0, std::numeric_limits<int>::max()},
    {"SITA_OU_NIGE_SU", &Game::SITA_OU_NIGE_SU, 0, 8},
    {"UE_MOCHI_SU_MAE", &Game::UE_MOCHI_SU_MAE, 0, 40},
    {"SITA_MOCHI_SU_MAE", &Game::SITA_MOCHI_SU_MAE, 0, 40},
    {"UE_OU_X_MAE", &Game::UE_OU_X_MAE, 0, 9},
    {"UE_OU_Y_MAE", &Game::UE_OU_Y_MAE, 0, 9},
    {"IDOU_KOMA", &Game::IDOU_KOMA, -OU, OU},
    {"KYORI_MAE", &Game::KYORI_MAE, -99, 99},
};

struct 小数欄 {
    const char* name;
    double Game::*field;
};

const 小数欄 kDoubles[] = {
    {"MAN_JIKAN", &Game::MAN_JIKAN},
    {"COM_JIKAN", &Game::COM_JIKAN},
    {"KONKAI_JIKAN", &Game::KONKAI_JIKAN},
};
constexpr double kMaxSeconds = 1e9;

// Maps are kept whole, padding included: the computer reads some of them before it
// surveys again, and a few are never reset between surveys.
struct 盤欄 {
    const char* name;
    IntMap Game::*field;
    値 kind;
};

const 盤欄 kMaps[] = {
    {"BAN", &Game::BAN, 値::駒},
    {"SITA_SEIRYOKU", &Game::SITA_SEIRYOKU, 値::数},
    {"UE_SEIRYOKU", &Game::UE_SEIRYOKU, 値::数},
    {"SITA_MAMORI_KOMA", &Game::SITA_MAMORI_KOMA, 値::駒か番兵},
    {"UE_MAMORI_KOMA", &Game::UE_MAMORI_KOMA, 値::駒か番兵},
    {"UE_MAMORI_X", &Game::UE_MAMORI_X, 値::座標},
    {"UE_MAMORI_Y", &Game::UE_MAMORI_Y, 値::座標},
    {"SITA_KOUGEKI_KOMA", &Game::SITA_KOUGEKI_KOMA, 値::駒か番兵},
    {"SITA_KOUGEKI_X", &Game::SITA_KOUGEKI_X, 値::座標},
    {"SITA_KOUGEKI_Y", &Game::SITA_KOUGEKI_Y, 値::座標},
    {"UE_KOUGEKI_KOMA", &Game::UE_KOUGEKI_KOMA, 値::駒か番兵},
    {"UE_KOUGEKI_X", &Game::UE_KOUGEKI_X, 値::座標},
    {"UE_KOUGEKI_Y", &Game::UE_KOUGEKI_Y, 値::座標},
    {"SITA_OUTE", &Game::SITA_OUTE, 値::座標},
    {"UE_OUTE", &Game::UE_OUTE, 値::座標},
    {"BAN_MAE", &Game::BAN_MAE, 値::駒},
    {"OU_NIGE_MASU", &Game::OU_NIGE_MASU, 値::座標},
    {"SITA_SEIRYOKU_MAE", &Game::SITA_SEIRYOKU_MAE, 値::数},
    {"UE_SEIRYOKU_MAE", &Game::UE_SEIRYOKU_MAE, 値::数},
    {"UE_KOUGEKI_X_MAE", &Game::UE_KOUGEKI_X_MAE, 値::座標},
    {"UE_KOUGEKI_Y_MAE", &Game::UE_KOUGEKI_Y_MAE, 値::座標},
    {"SITA_IDOU_FUKA", &Game::SITA_IDOU_FUKA, 値::座標},
    {"SITA_KAKU_NERAI", &Game::SITA_KAKU_NERAI, 値::座標},
};

// Fixed-size rows: the hands (by kind 1..7) and the two-pawn flags (by column 1..9).
struct 列欄 {
    const char* name;
    int* (*at)(Game&);
    std::size_t size;
    int lo, hi;
};

const 列欄 kRows[] = {
    {"SITA_MOCHI", [](Game& g) { return g.SITA_MOCHI.data(); }, 8, 0, 18},
    {"UE_MOCHI", [](Game& g) { return g.UE_MOCHI.data(); }, 8, 0, 18},
    {"NIFU_SITA", [](Game& g) { return g.NIFU_SITA.data(); }, 10, 0, 1},
    {"NIFU_UE", [](Game& g) { return g.NIFU_UE.data(); }, 10, 0, 1},
};

// The move list, entries 0..KIFU_LAST.
using 棋譜整数 = std::array<int, KIFU_MAX + 1>;
using 棋譜小数 = std::array<double, KIFU_MAX + 1>;

struct 棋譜欄 {
    const char* name;
    棋譜整数 Game::*field;
    int lo, hi;
    bool code;
};

const 棋譜欄 kMoves[] = {
    {"KIFU_MOTO_X", &Game::KIFU_MOTO_X, -1, 11, false},
    {"KIFU_MOTO_Y", &Game::KIFU_MOTO_Y, 0, 10, false},
    {"KIFU_SAKI_X", &Game::KIFU_SAKI_X, 0, 9, false},
    {"KIFU_SAKI_Y", &Game::KIFU_SAKI_Y, 0, 9, false},
    {"KIFU_KOMA", &Game::KIFU_KOMA, 0, 0, true},
    {"KIFU_KOMA_ATO", &Game::KIFU_KOMA_ATO, 0, 0, true},
    {"KIFU_TORI", &Game::KIFU_TORI, 0, 0, true},
};

struct 棋譜時間欄 {
    const char* name;
    棋譜小数 Game::*field;
};

const 棋譜時間欄 kMoveTimes[] = {
    {"KIFU_MAN_JIKAN_MAE", &Game::KIFU_MAN_JIKAN_MAE},
    {"KIFU_MAN_JIKAN", &Game::KIFU_MAN_JIKAN},
    {"KIFU_COM_JIKAN_MAE", &Game::KIFU_COM_JIKAN_MAE},
    {"KIFU_COM_JIKAN", &Game::KIFU_COM_JIKAN},
};

json 盤をJSONに(const IntMap& m) {
    json a = json::array();
    for (int x = IntMap::kLow; x <= IntMap::kHigh; ++x)
        for (int y = IntMap::kLow; y <= IntMap::kHigh; ++y) a.push_back(m(x, y));
    return a;
}

// How the game ended, from a checked state. A file written before the end was kept reads
// as running, or as ended by a king taken when it names who took one.
終局状態 終局欄(const json& s) {
    auto r = s.find("END_REASON");
    if (r != s.end()) return {終局理由(r->get<int>()), s.at("END_WINNER").get<int>()};
    const int taker = s.value("SYOUSYA", 0);
    if (taker != 0) return {終局理由::王を取った, taker};
    return {};
}

// Checks, field by field, that the object holds a state; with `g`, also puts it there.
// The checking pass runs first and alone, so that a fault never leaves half a state.
bool 欄を通す(const json& s, Game* g, std::string& error) {
    auto fail = [&](const std::string& what) {
        error = what;
        return false;
    };
    auto integer = [&](const json& v, long long lo, long long hi, long long& out) {
        if (!v.is_number_integer()) return false;
        out = v.get<long long>();
        return out >= lo && out <= hi;
    };
    auto seconds = [&](const json& v, double& out) {
        if (!v.is_number()) return false;
        out = v.get<double>();
        return std::isfinite(out) && out >= 0 && out <= kMaxSeconds;
    };
    auto field = [&](const char* name) -> const json* {
        auto it = s.find(name);
        return it == s.end() ? nullptr : &*it;
    };

    for (const 整数欄& f : kInts) {
        const json* v = field(f.name);
        long long n = 0;
        if (!v || !integer(*v, f.lo, f.hi, n)) return fail(std::string("bad ") + f.name);
        if (g) g->*f.field = int(n);
    }
    for (const 小数欄& f : kDoubles) {
        const json* v = field(f.name);
        double d = 0;
        if (!v || !seconds(*v, d)) return fail(std::string("bad ") + f.name);
        if (g) g->*f.field = d;
    }
    {
        // Absent from files of before the steps: full strength.
        const json* v = field("COM_STEP");
        long long n = 0;
        if (v && !integer(*v, 0, search::StepCount, n)) return fail("bad COM_STEP");
        if (g) g->COM_STEP = int(n);
    }
    {
        const json* r = field("END_REASON");
        const json* w = field("END_WINNER");
        long long n = 0;
        if ((r || w) && (!r || !w || !integer(*r, 0, (long long)終局理由::時間切れ, n) || !integer(*w, -1, 1, n)))
            return fail("bad END_REASON");
        if (g) g->終局 = 終局欄(s);
    }
    {
        // The game's time control: kind, main time, byoyomi, increment. Older files lack it.
        const json* v = field("TIME_CONTROL");
        持ち時間 tc;
        if (v) {
            long long kind = 0;
            double t[3] = {0, 0, 0};
            if (!v->is_array() || v->size() != 4 || !integer((*v)[0], 0, (long long)持ち時間方式::切れ負け, kind) ||
                !seconds((*v)[1], t[0]) || !seconds((*v)[2], t[1]) || !seconds((*v)[3], t[2]))
                return fail("bad TIME_CONTROL");
            tc = {持ち時間方式(kind), t[0], t[1], t[2]};
        }
        if (g) g->対局時間 = tc;
    }
    {
        // Seconds of the current turn before the file was written; older files lack it.
        const json* v = field("TURN_ELAPSED");
        double d = 0;
        if (v && !seconds(*v, d)) return fail("bad TURN_ELAPSED");
    }
    {
        // The side whose turn runs on while the game is paused by stepping; older files lack it.
        const json* v = field("CLOCK_SIDE");
        long long n = 0;
        if (v && !integer(*v, -1, 1, n)) return fail("bad CLOCK_SIDE");
        if (g) g->走る時計 = int(n);
    }
    {
        const json* v = field("Timer1_Enabled");
        if (!v || !v->is_boolean()) return fail("bad Timer1_Enabled");
        if (g) g->Timer1_Enabled = v->get<bool>();
    }
    constexpr std::size_t span = std::size_t(IntMap::kSpan) * IntMap::kSpan;
    for (const 盤欄& f : kMaps) {
        const json* v = field(f.name);
        if (!v || !v->is_array() || v->size() != span) return fail(std::string("bad ") + f.name);
        std::size_t i = 0;
        for (int x = IntMap::kLow; x <= IntMap::kHigh; ++x)
            for (int y = IntMap::kLow; y <= IntMap::kHigh; ++y, ++i) {
                const json& e = (*v)[i];
                if (!e.is_number_integer() || !値の範囲内(f.kind, e.get<long long>()))
                    return fail(std::string("bad ") + f.name);
                if (g) (g->*f.field)(x, y) = int(e.get<long long>());
            }
    }
    for (const 列欄& f : kRows) {
        const json* v = field(f.name);
        if (!v || !v->is_array() || v->size() != f.size) return fail(std::string("bad ") + f.name);
        for (std::size_t i = 0; i < f.size; ++i) {
            long long n = 0;
            if (!integer((*v)[i], f.lo, i == 0 ? 0 : f.hi, n)) return fail(std::string("bad ") + f.name);
            if (g) f.at(*g)[i] = int(n);
        }
    }
    const std::size_t moves = std::size_t(s.value("KIFU_LAST", 0)) + 1;
    for (const 棋譜欄& f : kMoves) {
        const json* v = field(f.name);
        if (!v || !v->is_array() || v->size() != moves) return fail(std::string("bad ") + f.name);
        for (std::size_t i = 0; i < moves; ++i) {
            const json& e = (*v)[i];
            long long n = 0;
            const bool ok = f.code ? e.is_number_integer() && 値の範囲内(値::駒, n = e.get<long long>())
                                   : integer(e, f.lo, f.hi, n);
            if (!ok) return fail(std::string("bad ") + f.name);
            if (g) (g->*f.field)[i] = int(n);
        }
        if (g)
            for (std::size_t i = moves; i <= KIFU_MAX; ++i) (g->*f.field)[i] = 0;
    }
    // Upper drops by their kind; games kept by earlier versions may hold the stand row.
    if (g)
        for (std::size_t i = 1; i < moves; ++i)
            if (g->KIFU_MOTO_X[i] == -1 && 駒種類(g->KIFU_KOMA[i]) != 0) g->KIFU_MOTO_Y[i] = 駒種類(g->KIFU_KOMA[i]);
    // The headings, start time and end of a record read: sessions of earlier versions have none.
    if (const json* v = field("KIFU_HEADINGS")) {
        if (!v->is_array() || v->size() != 5) return fail("bad KIFU_HEADINGS");
        for (const json& e : *v)
            if (!e.is_string() || e.get_ref<const std::string&>().size() > kMaxHeading)
                return fail("bad KIFU_HEADINGS");
        if (g) {
            for (std::size_t i = 0; i < 3; ++i) g->棋譜見出し[i] = (*v)[i].get<std::string>();
            g->棋譜開始日時 = (*v)[3].get<std::string>();
            g->棋譜終局語 = (*v)[4].get<std::string>();
        }
    } else if (g) {
        g->棋譜見出し = {};
        g->棋譜開始日時.clear();
        g->棋譜終局語.clear();
    }
    {
        const json* v = field("KIFU_WINNER");
        long long n = 0;
        if (v && !integer(*v, -1, 1, n)) return fail("bad KIFU_WINNER");
        if (g) g->棋譜勝者 = int(n);
    }
    for (const 棋譜時間欄& f : kMoveTimes) {
        const json* v = field(f.name);
        if (!v || !v->is_array() || v->size() != moves) return fail(std::string("bad ") + f.name);
        for (std::size_t i = 0; i < moves; ++i) {
            double d = 0;
            if (!seconds((*v)[i], d)) return fail(std::string("bad ") + f.name);
            if (g) (g->*f.field)[i] = d;
        }
        if (g)
            for (std::size_t i = moves; i <= KIFU_MAX; ++i) (g->*f.field)[i] = 0;
    }
    return true;
}

// A position the game can play on: the sides are opposite, the place in the move list
// lies inside it, the hand totals add up, no more than 40 pieces (a handicap takes some
// away), and at most one king a side.
bool 筋が通る(const json& s, std::string& error) {
    auto n = [&](const char* name) { return s.at(name).get<long long>(); };
    if (n("TE_GOTE") != -n("TE_SENTE") || n("TE_SENTE") == 0) return error = "sides", false;
    if (n("COM_SENGO") != -n("MAN_SENGO") || n("MAN_SENGO") == 0) return error = "sides", false;
    if (n("KIFU_NOW") > n("KIFU_LAST")) return error = "move list", false;
    long long pieces = 0, lowerKings = 0, upperKings = 0;
    const json& ban = s.at("BAN");
    std::size_t i = 0;
    for (int x = IntMap::kLow; x <= IntMap::kHigh; ++x)
        for (int y = IntMap::kLow; y <= IntMap::kHigh; ++y, ++i) {
            const long long c = ban[i].get<long long>();
            const bool board = x >= 1 && x <= 9 && y >= 1 && y <= 9;
            if (!board) {
                if (c != KARA) return error = "board", false;
                continue;
            }
            if (c != KARA) ++pieces;
            if (c == -OU || c == SITA_OU_MAE) ++lowerKings;
            if (c == OU || c == UE_OU_MAE) ++upperKings;
        }
    for (const char* hand : {"SITA_MOCHI", "UE_MOCHI"}) {
        long long sum = 0;
        for (const json& k : s.at(hand)) sum += k.get<long long>();
        const long long total = n(hand == std::string_view("SITA_MOCHI") ? "SITA_MOCHI_SU" : "UE_MOCHI_SU");
        // A total one above the kinds holds a captured king.
        if (total != sum && total != sum + 1) return error = "hands", false;
        pieces += total;
    }
    if (pieces > 40 || lowerKings > 1 || upperKings > 1) return error = "pieces", false;
    return true;
}

bool 形式を確かめる(const json& doc, std::string& error) {
    if (!doc.is_object()) return error = "not a session", false;
    auto f = doc.find("format");
    if (f == doc.end() || !f->is_string() || f->get<std::string>() != kFormat) return error = "not a session", false;
    auto v = doc.find("version");
    if (v == doc.end() || !v->is_number_integer() || v->get<long long>() != kVersion) return error = "version", false;
    auto s = doc.find("state");
    if (s == doc.end() || !s->is_object()) return error = "no state", false;
    return true;
}

bool 解析(std::string_view text, json& doc, std::string& error) {
    doc = json::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/false);
    if (doc.is_discarded()) return error = "not JSON", false;
    if (!形式を確かめる(doc, error)) return false;
    const json& s = doc["state"];
    return 欄を通す(s, nullptr, error) && 筋が通る(s, error);
}

// Seconds since the current turn began, as the clock would count them now.
double 経過秒(const Game& g) {
    const double e = Game::調査_経過秒(g.JIKAN_START, const_cast<Game&>(g).host().now());
    return std::clamp(e, 0.0, kMaxSeconds);
}

bool 保存に値する(bool ended, int kifuMode, int kifuLast, int teban, int tesu) {
    // A record being replayed is no game to continue: its file keeps it.
    if (ended || kifuMode == 1) return false;
    return teban != 0 && (kifuLast > 0 || tesu > 0);
}

}  // namespace

bool 保存する対局か(const Game& g) {
    return 保存に値する(g.終局.終わった(), g.KIFU_MODE, g.KIFU_LAST, g.TEBAN, g.TESU);
}

std::string セッション文字列(const Game& g) {
    json s = json::object();
    for (const 整数欄& f : kInts) s[f.name] = g.*f.field;
    for (const 小数欄& f : kDoubles) s[f.name] = g.*f.field;
    s["Timer1_Enabled"] = g.Timer1_Enabled;
    s["CLOCK_SIDE"] = g.走る時計;
    s["TURN_ELAPSED"] = 経過秒(g);
    s["TIME_CONTROL"] = {int(g.対局時間.方式), g.対局時間.本体, g.対局時間.秒読み, g.対局時間.加算};
    s["COM_STEP"] = g.COM_STEP;
    s["END_REASON"] = int(g.終局.理由);
    s["END_WINNER"] = g.終局.勝者;
    for (const 盤欄& f : kMaps) s[f.name] = 盤をJSONに(g.*f.field);
    for (const 列欄& f : kRows) {
        const int* row = f.at(const_cast<Game&>(g));
        s[f.name] = std::vector<int>(row, row + f.size);
    }
    const int moves = std::clamp(g.KIFU_LAST, 0, KIFU_MAX) + 1;
    for (const 棋譜欄& f : kMoves) s[f.name] = std::vector<int>((g.*f.field).begin(), (g.*f.field).begin() + moves);
    for (const 棋譜時間欄& f : kMoveTimes)
        s[f.name] = std::vector<double>((g.*f.field).begin(), (g.*f.field).begin() + moves);
    s["KIFU_HEADINGS"] = {g.棋譜見出し[0], g.棋譜見出し[1], g.棋譜見出し[2], g.棋譜開始日時, g.棋譜終局語};
    s["KIFU_WINNER"] = g.棋譜勝者;
    json doc = {{"format", kFormat}, {"version", kVersion}, {"state", std::move(s)}};
    return doc.dump(-1, ' ', false, json::error_handler_t::replace);
}

bool 書込_セッション(const Game& g, const std::filesystem::path& file) {
    return !書込_ファイル置換(file, セッション文字列(g)).has_value();
}

bool 検査_セッション(std::string_view text, std::string& error, bool* unfinished) {
    json doc;
    if (!解析(text, doc, error)) return false;
    if (unfinished) {
        const json& s = doc["state"];
        *unfinished = 保存に値する(終局欄(s).終わった(), s["KIFU_MODE"].get<int>(), s["KIFU_LAST"].get<int>(), s["TEBAN"].get<int>(),
                                  s["TESU"].get<int>());
    }
    return true;
}

bool 読込_セッション(Game& g, std::string_view text, std::string& error) {
    json doc;
    if (!解析(text, doc, error)) return false;
    欄を通す(doc["state"], &g, error);
    // What belongs to the moment, not to the game: no pick, the clock counting on from now
    // with the turn's seconds before the break, so that the break itself does not count.
    g.SENTAKU = 0;
    g.SENTAKU_X = g.SENTAKU_Y = g.SENTAKU_KOMA = 0;
    g.JIKAN_START = g.host().now() - doc["state"].value("TURN_ELAPSED", 0.0);
    g.MENU.LEVEL1 = g.COM_LEVEL == 1;
    g.MENU.LEVEL2 = g.COM_LEVEL == 2;
    g.MENU.LEVEL3 = g.COM_LEVEL == 3;
    g.MENU.LEVEL4 = g.COM_LEVEL == 4;
    g.拒否 = 拒否理由::なし;
    return true;
}

bool 読込_セッションファイル(const std::filesystem::path& file, std::string& text) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec || size > kMaxFileSize) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    text.assign(std::size_t(size), '\0');
    in.read(text.data(), std::streamsize(size));
    return bool(in) || in.gcount() == std::streamsize(size);
}

void 再開_セッション(Game& g) {
    g.画面_再描画();
    // The full redraw leaves out the move number and the last moves' texts.
    g.描画_手数(g.TESU);
    for (int n = std::max(1, g.KIFU_NOW - 1); n <= g.KIFU_NOW; ++n) {
        const int c = g.KIFU_KOMA_ATO[n], x = g.KIFU_SAKI_X[n], y = g.KIFU_SAKI_Y[n];
        if (x >= 1 && x <= 9 && y >= 1 && y <= 9 && c != KARA)
            g.描画_移動結果(c > 0 ? g.COM_SENGO : g.MAN_SENGO, x, y, c, 色_白);
    }
    g.host().menuChanged();
    if (!g.終局.終わった() && g.TAIKYOKU_MODE == MODE_COM && g.KIFU_MODE == 0 && g.SAIKAI_MATI == 0 &&
        g.TEBAN != 0 && g.TEBAN == g.COM_SENGO)
        g.com_ban();
}

}  // namespace fudo
