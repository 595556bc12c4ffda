#include "files/record_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "engine/game.h"
#include "files/file_io.h"
#include "files/sjis.h"

namespace fudo {

namespace {

constexpr std::string_view 読込不可 = "棋譜ﾌｧｲﾙを読み込めません";
constexpr std::string_view 書込不可 = "棋譜を書き込めませんでした";

// Field columns of a move line: start (0-based) and width.
struct 欄 { int start, width; };
constexpr std::array<欄, 11> 欄一覧{{
    {0, 2}, {2, 1}, {3, 1}, {4, 1},       // MOTO_X, MOTO_Y, SAKI_X, SAKI_Y
    {5, 4}, {9, 4}, {13, 4},              // KOMA_ATO, KOMA, TORI
    {17, 5}, {22, 5}, {27, 5}, {32, 5},   // MAN before/after, COM before/after
}};

int* 欄の値(棋譜手& m, int i) {
    int* p[11] = {&m.MOTO_X, &m.MOTO_Y, &m.SAKI_X, &m.SAKI_Y, &m.KOMA_ATO, &m.KOMA, &m.TORI,
                  &m.MAN_JIKAN_MAE, &m.MAN_JIKAN, &m.COM_JIKAN_MAE, &m.COM_JIKAN};
    return p[i];
}

// A field: blanks, an optional minus sign, at least one digit, blanks.
bool 解析_欄(std::string_view f, int& value) {
    std::size_t i = 0;
    while (i < f.size() && f[i] == ' ') ++i;
    bool negative = false;
    if (i < f.size() && f[i] == '-') {
        negative = true;
        ++i;
    }
    const std::size_t digits = i;
    int v = 0;
    while (i < f.size() && f[i] >= '0' && f[i] <= '9') v = v * 10 + (f[i++] - '0');
    if (i == digits) return false;
    while (i < f.size() && f[i] == ' ') ++i;
    if (i != f.size()) return false;
    value = negative ? -v : v;
    return true;
}

bool 成れる駒(int code) {
    switch (code < 0 ? -code : code) {
    case HU: case KYOU: case KEI: case GIN: case KAKU: case SYA: return true;
    default: return false;
    }
}

int 側(int code) { return code > 0 ? 1 : (code < 0 ? -1 : 0); }

// A header line may hold any text but no control characters: those mean a binary file.
bool 制御文字あり(std::string_view bytes) {
    for (unsigned char c : bytes)
        if ((c < 0x20 && c != '\t') || c == 0x7F) return true;
    return false;
}

std::string 行目(int line, std::string_view reason) {
    return std::string(読込不可) + "\n\n" + std::to_string(line) + "行目: " + std::string(reason);
}

int 時間欄(double seconds) {
    if (!(seconds >= 0)) return 0;  // also NaN
    const double whole = std::floor(seconds);
    return whole > 棋譜時間最大 ? 棋譜時間最大 : static_cast<int>(whole);
}

// Trims ASCII blanks and the full-width blank "　" from both ends.
std::string_view 空白除去(std::string_view s) {
    constexpr std::string_view 全角空白 = "\u3000";
    for (;;) {
        if (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
        else if (s.starts_with(全角空白)) s.remove_prefix(全角空白.size());
        else break;
    }
    for (;;) {
        if (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
        else if (s.ends_with(全角空白)) s.remove_suffix(全角空白.size());
        else break;
    }
    return s;
}

}  // namespace

int 棋譜行読取::読込_棋譜ファイル(std::string& line) {
    if (rest_.empty()) return 0;
    const std::size_t nl = rest_.find('\n');
    std::string_view l = rest_.substr(0, nl);
    rest_.remove_prefix(nl == std::string_view::npos ? rest_.size() : nl + 1);
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    line.assign(l);
    return 1;
}

std::string 書式_棋譜行(const 棋譜手& m) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%2d%1d%1d%1d%4d%4d%4d%5d%5d%5d%5d", m.MOTO_X, m.MOTO_Y,
                  m.SAKI_X, m.SAKI_Y, m.KOMA_ATO, m.KOMA, m.TORI,
                  std::clamp(m.MAN_JIKAN_MAE, 0, 棋譜時間最大), std::clamp(m.MAN_JIKAN, 0, 棋譜時間最大),
                  std::clamp(m.COM_JIKAN_MAE, 0, 棋譜時間最大), std::clamp(m.COM_JIKAN, 0, 棋譜時間最大));
    return buf;
}

bool 解析_棋譜行(std::string_view line, 棋譜手& m, std::string& reason) {
    for (unsigned char c : line)
        if (c < 0x20 || c > 0x7E) {
            reason = "指し手の行に半角の数字と空白以外の文字があります";
            return false;
        }
    if (line.size() != 棋譜行長) {
        reason = "指し手の行は37文字でなければなりません(" + std::to_string(line.size()) + "文字)";
        return false;
    }
    棋譜手 v;
    for (int i = 0; i < 11; ++i) {
        const 欄 f = 欄一覧[i];
        if (!解析_欄(line.substr(f.start, f.width), *欄の値(v, i))) {
            reason = std::to_string(f.start + 1) + "桁目からの欄が数値ではありません";
            return false;
        }
    }

    const bool 打 = v.MOTO_X == 11 || v.MOTO_X == -1;
    if (!(打 || (v.MOTO_X >= 1 && v.MOTO_X <= 9)) || v.MOTO_Y < 1 || v.MOTO_Y > 9 ||
        (v.MOTO_X == 11 && v.MOTO_Y < 3) || (v.MOTO_X == -1 && v.MOTO_Y > 7)) {
        reason = "移動元が盤の外です";
        return false;
    }
    if (v.SAKI_X < 1 || v.SAKI_X > 9 || v.SAKI_Y < 1 || v.SAKI_Y > 9) {
        reason = "移動先が盤の外です";
        return false;
    }
    if (!打 && v.MOTO_X == v.SAKI_X && v.MOTO_Y == v.SAKI_Y) {
        reason = "移動元と移動先が同じです";
        return false;
    }
    if (!正しい駒コード(v.KOMA)) {
        reason = "動かした駒のコード " + std::to_string(v.KOMA) + " は駒ではありません";
        return false;
    }
    const int 成り = v.KOMA + 側(v.KOMA);
    if (!(v.KOMA_ATO == v.KOMA || (成れる駒(v.KOMA) && !打 && v.KOMA_ATO == 成り))) {
        reason = "移動後の駒のコード " + std::to_string(v.KOMA_ATO) + " が動かした駒と合いません";
        return false;
    }
    if (v.KOMA_ATO != v.KOMA) {
        // Promotion only on entering the zone (pawn, lance, knight) or on entering or
        // leaving it (silver, bishop, rook): rows 1..3 for the lower side, 7..9 for the upper.
        const bool 下 = v.KOMA < 0;
        auto 敵陣 = [&](int y) { return 下 ? y <= 3 : y >= 7; };
        const int a = std::abs(v.KOMA);
        const bool 出入 = a == GIN || a == KAKU || a == SYA;
        if (!(敵陣(v.SAKI_Y) || (出入 && 敵陣(v.MOTO_Y)))) {
            reason = "成れない位置で成っています";
            return false;
        }
    }
    if (v.TORI != 0 && (!正しい駒コード(v.TORI) || 側(v.TORI) == 側(v.KOMA))) {
        reason = "取った駒のコード " + std::to_string(v.TORI) + " が正しくありません";
        return false;
    }
    if (打) {
        const int kind = 駒種類(v.KOMA);
        const bool 下手 = v.MOTO_X == 11;
        // A drop takes an unpromoted piece of the dropping side from the hand. The upper
        // hand's value is the kind; files of earlier versions may hold the stand row (a
        // second person's drop): both read as the kind.
        const bool 合う = 成れる駒(v.KOMA) || std::abs(v.KOMA) == KIN;
        if (!合う || (下手 ? v.KOMA > 0 : v.KOMA < 0) ||
            (下手 ? kind != v.MOTO_Y - 2 : (kind != v.MOTO_Y && kind != 8 - v.MOTO_Y))) {
            reason = "打った駒が持駒台の位置と合いません";
            return false;
        }
        if (v.TORI != 0) {
            reason = "駒を打った升に駒があります";
            return false;
        }
        if (!下手) v.MOTO_Y = kind;
    }
    for (int t : {v.MAN_JIKAN_MAE, v.MAN_JIKAN, v.COM_JIKAN_MAE, v.COM_JIKAN})
        if (t < 0) {
            reason = "時間が負の値です";
            return false;
        }
    m = v;
    return true;
}

std::string 検査_棋譜手順(const std::vector<棋譜手>& moves) {
    // The opening position, with the kings as they stand during a game.
    int ban[10][10] = {};
    const int 後列[10] = {0, KYOU, KEI, GIN, KIN, OU, KIN, GIN, KEI, KYOU};
    for (int x = 1; x <= 9; ++x) {
        ban[x][1] = 後列[x];
        ban[x][3] = HU;
        ban[x][7] = -HU;
        ban[x][9] = -後列[x];
    }
    ban[8][2] = KAKU;
    ban[2][2] = SYA;
    ban[2][8] = -KAKU;
    ban[8][8] = -SYA;
    int hand[2][8] = {};  // [0] lower, [1] upper

    int previous = 0;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const 棋譜手& m = moves[i];
        const std::string at = std::to_string(i + 1) + "手目: ";
        const bool 打 = m.MOTO_X == 11 || m.MOTO_X == -1;
        const bool 盤上 = [](int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; }(
            m.SAKI_X, m.SAKI_Y);
        if (!盤上 || (!打 && (m.MOTO_X < 1 || m.MOTO_X > 9 || m.MOTO_Y < 1 || m.MOTO_Y > 9)) ||
            (打 && 駒種類(m.KOMA) == 0))
            return at + "座標か駒が正しくありません";
        const int side = 側(m.KOMA);
        int* h = hand[side > 0 ? 1 : 0];
        if (side == previous) return at + "同じ側が続けて指しています";
        previous = side;
        if (ban[m.SAKI_X][m.SAKI_Y] != m.TORI) return at + "移動先にある駒が記録と違います";
        if (m.MOTO_X == 11 || m.MOTO_X == -1) {
            const int kind = 駒種類(m.KOMA);
            if (h[kind] < 1) return at + "持駒にない駒を打っています";
            --h[kind];
        } else {
            if (ban[m.MOTO_X][m.MOTO_Y] != m.KOMA) return at + "移動元に動かした駒がありません";
            ban[m.MOTO_X][m.MOTO_Y] = 0;
        }
        if (m.TORI != 0) ++h[駒種類(m.TORI)];  // a king has kind 0: counted nowhere
        ban[m.SAKI_X][m.SAKI_Y] = m.KOMA_ATO;
    }
    return {};
}

棋譜読込結果 解析_棋譜(std::string_view bytes) {
    棋譜読込結果 r;
    if (bytes.size() > 棋譜ファイル最大) {
        r.error = std::string(読込不可) + "\n\nﾌｧｲﾙが大きすぎます";
        return r;
    }
    棋譜行読取 reader(bytes);
    std::string line;
    std::string* headers[3] = {&r.data.対局名, &r.data.上手名, &r.data.下手名};
    int lineNo = 0;
    for (std::string* h : headers) {
        if (!reader.読込_棋譜ファイル(line)) {
            r.error = std::string(棋譜データなし);
            return r;
        }
        ++lineNo;
        if (制御文字あり(line)) {
            r.error = 行目(lineNo, "文字でないﾃﾞｰﾀがあります");
            return r;
        }
        auto text = 変換_SJISからUTF8(line);
        if (!text) {
            r.error = 行目(lineNo, "Shift_JIS の文字ではありません");
            return r;
        }
        *h = std::move(*text);
    }
    while (reader.読込_棋譜ファイル(line)) {
        ++lineNo;
        if (r.data.手.size() == KIFU_MAX) {
            r.error = std::string(読込不可) + "\n\n指し手が" + std::to_string(KIFU_MAX) +
                      "手を超えています";
            return r;
        }
        棋譜手 m;
        std::string reason;
        if (!解析_棋譜行(line, m, reason)) {
            r.error = 行目(lineNo, reason);
            return r;
        }
        r.data.手.push_back(m);
    }
    if (r.data.手.empty()) {
        r.error = std::string(棋譜データなし);
        return r;
    }
    if (std::string reason = 検査_棋譜手順(r.data.手); !reason.empty()) {
        r.error = std::string(読込不可) + "\n\n" + reason;
        return r;
    }
    r.ok = true;
    return r;
}

std::optional<std::string> 書式_棋譜(const 棋譜データ& data, std::string* reason) {
    // A record file without a move line does not read back.
    if (data.手.empty()) {
        if (reason) *reason = "保存するデータがありません";
        return std::nullopt;
    }
    std::string out;
    const std::pair<const std::string*, std::string_view> headers[3] = {
        {&data.対局名, "対局名"}, {&data.上手名, "上手の名前"}, {&data.下手名, "下手の名前"}};
    for (auto [text, what] : headers) {
        if (制御文字あり(*text)) {
            if (reason) *reason = std::string(what) + "に改行などの制御文字があります";
            return std::nullopt;
        }
        auto sjis = 変換_UTF8からSJIS(*text);
        if (!sjis) {
            if (reason) *reason = std::string(what) + "に Shift_JIS で書けない文字があります";
            return std::nullopt;
        }
        out += *sjis;
        out += "\r\n";
    }
    for (const 棋譜手& m : data.手) {
        out += 書式_棋譜行(m);
        out += "\r\n";
    }
    return out;
}

棋譜読込結果 読込_棋譜(const std::filesystem::path& path) {
    ファイル内容 f = 読込_ファイル(path, 棋譜ファイル最大);
    if (!f.ok) {
        棋譜読込結果 r;
        r.error = std::string(読込不可) + "\n\n" + f.error;
        return r;
    }
    return 解析_棋譜(f.bytes);
}

std::optional<std::string> 書込_棋譜(const std::filesystem::path& path, const 棋譜データ& data) {
    std::string reason;
    auto bytes = 書式_棋譜(data, &reason);
    if (!bytes) return reason;
    return 書込_ファイル置換(path, *bytes);
}

棋譜データ 作成_棋譜データ(const Game& g, int count, std::string 対局名, std::string 先手名,
                           std::string 後手名) {
    棋譜データ d;
    d.対局名 = std::move(対局名);
    // The lower player moved first: the second player sat at the top.
    if (g.TE_SENTE == g.MAN_SENGO) {
        d.上手名 = std::move(後手名);
        d.下手名 = std::move(先手名);
    } else {
        d.上手名 = std::move(先手名);
        d.下手名 = std::move(後手名);
    }
    count = std::clamp(count, 0, KIFU_MAX);
    d.手.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i) {
        棋譜手 m;
        m.MOTO_X = g.KIFU_MOTO_X[i];
        m.MOTO_Y = g.KIFU_MOTO_Y[i];
        m.SAKI_X = g.KIFU_SAKI_X[i];
        m.SAKI_Y = g.KIFU_SAKI_Y[i];
        m.KOMA_ATO = g.KIFU_KOMA_ATO[i];
        m.KOMA = g.KIFU_KOMA[i];
        m.TORI = g.KIFU_TORI[i];
        m.MAN_JIKAN_MAE = 時間欄(g.KIFU_MAN_JIKAN_MAE[i]);
        m.MAN_JIKAN = 時間欄(g.KIFU_MAN_JIKAN[i]);
        m.COM_JIKAN_MAE = 時間欄(g.KIFU_COM_JIKAN_MAE[i]);
        m.COM_JIKAN = 時間欄(g.KIFU_COM_JIKAN[i]);
        d.手.push_back(m);
    }
    return d;
}

void 設定_棋譜データ(Game& g, const 棋譜データ& data) {
    const int n = static_cast<int>(std::min<std::size_t>(data.手.size(), KIFU_MAX));
    for (int i = 1; i <= n; ++i) {
        const 棋譜手& m = data.手[static_cast<std::size_t>(i - 1)];
        g.KIFU_MOTO_X[i] = m.MOTO_X;
        g.KIFU_MOTO_Y[i] = m.MOTO_Y;
        g.KIFU_SAKI_X[i] = m.SAKI_X;
        g.KIFU_SAKI_Y[i] = m.SAKI_Y;
        g.KIFU_KOMA_ATO[i] = m.KOMA_ATO;
        g.KIFU_KOMA[i] = m.KOMA;
        g.KIFU_TORI[i] = m.TORI;
        g.KIFU_MAN_JIKAN_MAE[i] = m.MAN_JIKAN_MAE;
        g.KIFU_MAN_JIKAN[i] = m.MAN_JIKAN;
        g.KIFU_COM_JIKAN_MAE[i] = m.COM_JIKAN_MAE;
        g.KIFU_COM_JIKAN[i] = m.COM_JIKAN;
    }
    g.KIFU_LAST = n;
}

std::optional<std::string> 検査_ファイル名(std::string_view typed, std::string* reason) {
    const std::string_view name = 空白除去(typed);
    auto refuse = [&](std::string_view why) -> std::optional<std::string> {
        if (reason) *reason = std::string(why);
        return std::nullopt;
    };
    if (name.empty()) return refuse("ﾌｧｲﾙ名が入力されていません");
    // The file list leaves hidden files out: such a record could never be opened again.
    if (name.front() == '.') return refuse("ﾌｧｲﾙ名の先頭に「.」は使えません");
    // Only a separator could lead out of the folder; dots are ordinary characters, but a
    // name of dots alone would look like a folder.
    if (name.find('/') != std::string_view::npos || name.find('\\') != std::string_view::npos ||
        name == ".." || name == ".")
        return refuse("ﾌｧｲﾙ名に「/」「\\」は使えません");
    if (制御文字あり(name) || name.find('\t') != std::string_view::npos)
        return refuse("ﾌｧｲﾙ名に制御文字は使えません");
    return std::string(name);
}

}  // namespace fudo

// ==================================================================== the window's commands

namespace fudo {

void Game::描画_可視(bool drive, bool folder, bool file) {
    host().setListsVisible(drive, folder, file);
}

void Game::描画_棋譜_IO(int mode) {
    if (mode == 0) {
        host().setSaveControlsVisible(true);
        return;
    }
    for (int i = 1; i <= 4; ++i) host().setTextBox(i, "");
    host().setSaveControlsVisible(false);
}

void Game::KIFU_READ_Click() {
    描画_可視(true, true, true);
    描画_棋譜_IO(1);
}

namespace {
// Why the game shown cannot be saved: its record, replayed from the opening position,
// would not give the board shown. A handicap taken back to grade 0 before the first move
// leaves the opening position, so that game can be saved.
std::string_view 書込拒否理由(const Game& g) {
    if (g.HANTEN_FLAG == 1) return "反転後は書き込みできません";
    if (g.HANDE_FLAG == 1 && g.HANDE_LEVEL != 0) return "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません";
    return {};
}
}  // namespace

void Game::KIFU_WRITE_Click() {
    if (const std::string_view why = 書込拒否理由(*this); !why.empty()) {
        dialogs().message(why, "棋譜書込", Buttons::OK);
        return;
    }
    描画_可視(true, true, false);
    描画_棋譜_IO(0);
}

void Game::Command1_Click() {
    // The form may have been opened before the board was reversed or handicapped.
    if (const std::string_view why = 書込拒否理由(*this); !why.empty()) {
        dialogs().message(why, "棋譜書込", Buttons::OK);
        描画_可視(false, false, false);
        描画_棋譜_IO(1);
        return;
    }
    std::string reason;
    const std::optional<std::string> name = 検査_ファイル名(host().textBox(1), &reason);
    if (!name) {
        dialogs().message(reason, "  ", Buttons::OK);
        return;
    }
    if (KIFU_NOW < 1) {
        dialogs().message("保存するデータがありません", "棋譜保存", Buttons::OK);
        return;
    }
    const 棋譜データ data =
        作成_棋譜データ(*this, KIFU_NOW, host().textBox(2), host().textBox(3), host().textBox(4));
    const std::filesystem::path path =
        host().fileListFolder() / パス_UTF8(*name + std::string(棋譜拡張子));
    // A record of that name is only replaced when the player says so; No leaves the
    // controls open for another name.
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        dialogs().confirm("同じ名前の棋譜があります。上書きしますか？", "棋譜保存") != Answer::Yes)
        return;
    // Nothing changes until the file is safely in place; a failure leaves the controls
    // open so that another name or folder can be tried.
    if (auto failure = 書込_棋譜(path, data)) {
        dialogs().message(std::string(書込不可) + "\n\n" + *failure, "棋譜保存", Buttons::OK,
                          Icon::Exclamation);
        return;
    }
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
    host().refreshFileList();
    お知らせ("棋譜を書き込みました", "  ");
}

namespace {
// A name the file list can show: one name inside its folder, whatever dots it holds.
bool 一つの名前(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}
}  // namespace

void Game::File1_Click(const std::string& fileName) {
    // The whole file is read and checked before anything is reset: a refused file leaves
    // the game in progress and the open lists as they were.
    棋譜読込結果 r;
    if (!一つの名前(fileName)) {
        r.error = std::string(読込不可) + "\n\nﾌｧｲﾙ名が正しくありません";
    } else {
        r = 読込_棋譜(host().fileListFolder() / パス_UTF8(fileName));
    }
    if (!r.ok) {
        dialogs().message(r.error, "棋譜", Buttons::OK);
        return;
    }

    開始_棋譜モード(*this, r.data);
}

void Game::描画_棋譜見出し() {
    // Header texts are placed in twips; the canvas speaks cells.
    auto 見出し = [&](const std::string& text, double X, double Y, int colour) {
        canvas_.text((X - BAN_X0) / MASU_W, (Y - BAN_Y0) / MASU_H, text, colour, 12, FONT_BOLD);
    };
    const std::string& 対局名 = 棋譜見出し[0];
    // Turned, the upper player sits at the bottom.
    const std::string& 上 = 視点反転 ? 棋譜見出し[2] : 棋譜見出し[1];
    const std::string& 下 = 視点反転 ? 棋譜見出し[1] : 棋譜見出し[2];
    見出し(対局名, 取得_棋譜のX座標(対局名) - 3000, 6350, 色_明赤);
    見出し(上, 取得_棋譜のX座標(上), 100, 色_白);
    見出し(下, 取得_棋譜のX座標(下), 6350, 色_白);
}

void 開始_棋譜モード(Game& g, const 棋譜データ& data, const IntMap* 開始盤, int 手合) {
    g.描画_可視(false, false, false);
    g.初期設定();
    if (開始盤) {
        g.BAN = *開始盤;
        g.HANDE_LEVEL = 手合;
        g.HANDE_FLAG = 1;
        g.描画_盤();
        g.描画_ハンデレベル(手合);
    }
    g.KIFU_MODE = 1;
    g.棋譜見出し = {data.対局名, data.上手名, data.下手名};
    g.棋譜開始日時.clear();
    g.棋譜終局語.clear();
    g.棋譜勝者 = 0;

    g.描画_棋譜見出し();

    設定_棋譜データ(g, data);
    g.KIFU_NOW = 0;
    g.TESU = 0;

    if (g.補助.案内) {
        g.host().setStatusLine("読み込みました。「進」で進めて下さい");
    } else {
        g.dialogs().message(" 読み込みました", "棋譜", Buttons::OK);
        g.dialogs().message("棋譜を '進 'で進めて下さい", "棋譜", Buttons::OK);
    }

    // An upper piece moving first means the computer moved first.
    if (g.KIFU_KOMA[1] >= 10) {
        g.TAIKYOKU_MODE = MODE_COM;
        g.TE_SENTE = g.COM_SENGO;
        g.TE_GOTE = g.MAN_SENGO;
    } else {
        g.TAIKYOKU_MODE = MODE_MAN;
        g.TE_SENTE = g.MAN_SENGO;
        g.TE_GOTE = g.COM_SENGO;
    }
    g.TEBAN = g.TE_SENTE;
}

double Game::取得_棋譜のX座標(std::string_view utf8) {
    const double L = 文字数_UTF8(utf8);
    return BAN_X0 + ((13.0 - L) / 5.0 + 3.0) * MASU_W;
}

void Game::描画_棋譜読込み部分消去() {
    描画_桝_数値();
    for (int x = -1; x <= 9; ++x) 描画_絵(HAIKEI_NOW, x, 10);
    for (int x = 1; x <= 9; ++x) 描画_桝輪郭(色_緑, x, 9);
}

}  // namespace fudo
