#include "cli/play.h"

#include <vector>

#include "cli/commands.h"
#include "cli/output_file.h"
#include "files/record_file.h"
#include "notation/record_io.h"
#include "notation/record_text.h"

namespace fudo::cli {

namespace {

constexpr std::string_view kContinue = "続けますか？";
constexpr std::string_view kWins = "の勝ちです";
constexpr std::string_view kDraw = "500手に達したので引き分けです";
constexpr std::string_view kPromote = "マウスの右をクリックして下さい";
constexpr std::string_view kYourTurn = "MANの番です";
constexpr std::string_view kUnreadable = "手の書き方が違います（例: 7g7f, 8h2b+, P*5e）";
constexpr std::string_view kRefusedAnyway = "その手は指せません";
constexpr std::string_view kYou = "あなた";
// The board's promotion box speaks of the mouse; a terminal's player adds "+".
constexpr std::string_view kAddPlus = "成らないと行き所がありません（手の後に '+' を付けて下さい。例: 7b7a+）";
constexpr std::string_view kCannotPromote = "その駒はそこでは成れません";

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// Twips of the centre of cell (x, y).
double centreX(int x) { return BAN_X0 + MASU_W * (x + 0.5); }
double centreY(int y) { return BAN_Y0 + MASU_H * (y + 0.5); }

// The hand kind of a USI drop letter, or 0.
int dropKind(char c) {
    switch (c) {
    case 'P': return 1;
    case 'L': return 2;
    case 'N': return 3;
    case 'S': return 4;
    case 'G': return 5;
    case 'B': return 6;
    case 'R': return 7;
    default: return 0;
    }
}

bool square(char file, char rank, int& x, int& y) {
    if (file < '1' || file > '9' || rank < 'a' || rank > 'i') return false;
    x = 10 - (file - '0');
    y = rank - 'a' + 1;
    return true;
}

// One short name per piece, so that every square is as wide as the others; the kings'
// pre-game codes read as kings.
std::string_view pieceName(int code) {
    const int a = code < 0 ? -code : code;
    if (a == SITA_OU_MAE || a == UE_OU_MAE) return "玉";
    return 一字駒名(code);
}

std::string kanjiNumber(int n) {
    static const char* const kDigits[10] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
    if (n <= 0) return "〇";
    std::string s;
    if (n >= 20) s += kDigits[(n / 10) % 10];
    if (n >= 10) s += "十";
    s += kDigits[n % 10];
    return s;
}

std::string handText(const std::array<int, 8>& hand) {
    static const char* const kKinds[8] = {"", "歩", "香", "桂", "銀", "金", "角", "飛"};
    std::string s;
    for (int kind = 7; kind >= 1; --kind) {
        if (hand[kind] <= 0) continue;
        if (!s.empty()) s += "　";
        s += kKinds[kind];
        if (hand[kind] > 1) s += kanjiNumber(hand[kind]);
    }
    return s.empty() ? "なし" : s;
}

}  // namespace

std::optional<UsiClicks> parseUsiClicks(std::string_view usi) {
    UsiClicks m;
    if (usi.size() == 4 && usi[1] == '*') {
        const int kind = dropKind(usi[0]);
        if (kind == 0 || !square(usi[2], usi[3], m.tx, m.ty)) return std::nullopt;
        // The lower stand holds kind k on row k + 2 of column 11.
        m.fx = 11;
        m.fy = kind + 2;
        return m;
    }
    if (usi.size() == 5 && usi[4] == '+') {
        m.promote = true;
        usi.remove_suffix(1);
    }
    if (usi.size() != 4 || !square(usi[0], usi[1], m.fx, m.fy) || !square(usi[2], usi[3], m.tx, m.ty))
        return std::nullopt;
    return m;
}

std::string usiOfEntry(const Game& g, int n) {
    const 候補手 m{g.KIFU_MOTO_X[n], g.KIFU_MOTO_Y[n], g.KIFU_SAKI_X[n], g.KIFU_SAKI_Y[n],
                  g.KIFU_KOMA[n], g.KIFU_KOMA_ATO[n]};
    return usiMove(m);
}

Position positionOf(const Game& g) {
    Position p;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) p.ban[x][y] = g.BAN(x, y);
    p.sitaMochi = g.SITA_MOCHI;
    p.ueMochi = g.UE_MOCHI;
    p.sitaOuX = g.SITA_OU_X;
    p.sitaOuY = g.SITA_OU_Y;
    p.ueOuX = g.UE_OU_X;
    p.ueOuY = g.UE_OU_Y;
    return p;
}

Position positionBefore(const Position& after, const Game& g, int n) {
    Position p = after;
    const int fx = g.KIFU_MOTO_X[n], fy = g.KIFU_MOTO_Y[n];
    const int tx = g.KIFU_SAKI_X[n], ty = g.KIFU_SAKI_Y[n];
    const int koma = g.KIFU_KOMA[n], taken = g.KIFU_TORI[n];
    p.ban[tx][ty] = taken;
    if (fx >= 1 && fx <= 9) {
        p.ban[fx][fy] = koma;
    } else if (const int kind = 駒種類(koma)) {
        (koma < 0 ? p.sitaMochi : p.ueMochi)[kind] += 1;
    }
    if (const int kind = 駒種類(taken)) (taken > 0 ? p.sitaMochi : p.ueMochi)[kind] -= 1;
    if (koma == -OU) {
        p.sitaOuX = fx;
        p.sitaOuY = fy;
    } else if (koma == OU) {
        p.ueOuX = fx;
        p.ueOuY = fy;
    }
    return p;
}

std::string boardDiagram(const Position& pos) {
    static const char* const kFiles = "  ９ ８ ７ ６ ５ ４ ３ ２ １\n";
    static const char* const kRanks[10] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
    std::string s = "コンピュータの持駒：" + handText(pos.ueMochi) + "\n";
    s += kFiles;
    s += "+---------------------------+\n";
    for (int y = 1; y <= 9; ++y) {
        s += '|';
        for (int x = 1; x <= 9; ++x) {
            const int c = pos.ban[x][y];
            s += c >= HU || c == UE_OU_MAE ? 'v' : ' ';
            s += pieceName(c);
        }
        s += '|';
        s += kRanks[y];
        s += '\n';
    }
    s += "+---------------------------+\n";
    s += "あなたの持駒：" + handText(pos.sitaMochi) + "\n\n";
    return s;
}

// ------------------------------------------------------------------ the session's ports

namespace {

// Message boxes in a terminal: the end of the game is noted and "続けますか？" answered
// No, so the game ends and its last position stays; the board's promotion box is a
// refusal; other notes are kept for printing.
class PlayDialogs : public Dialogs {
public:
    std::string winner;
    bool draw = false;
    bool asked = false;  // "続けますか？": the game is over
    std::string refusal;
    std::vector<std::string> notes;

    void clearMove() {
        refusal.clear();
        notes.clear();
    }
    Answer message(std::string_view text, std::string_view, Buttons buttons, Icon) override {
        if (buttons == Buttons::YesNo) {
            if (text == kContinue) asked = true;
            return Answer::No;
        }
        if (text.ends_with(kWins)) {
            winner.assign(text.substr(0, text.size() - kWins.size()));
        } else if (text == kDraw) {
            draw = true;
        } else if (text == kPromote) {
            refusal.assign(kAddPlus);
        } else if (text != kYourTurn && !trimmed(text).empty()) {
            notes.emplace_back(trimmed(text));
        }
        return Answer::OK;
    }
};

// Keeps the first reason the board gave on its status line during a move's clicks: the
// clicks after it only follow from it (the first click on an opponent's piece picks
// nothing, so the second is refused as a click on an empty square).
class PlayHost : public NullHost {
public:
    std::string status;
    void setStatusLine(std::string_view utf8) override {
        if (status.empty() && !utf8.empty()) status.assign(utf8);
    }
};

}  // namespace

struct PlaySession::Ports {
    NullCanvas canvas;
    PlayDialogs dialogs;
    PlayHost host;
    Game game{canvas, dialogs, host, nullptr};

    bool ended() const { return dialogs.asked || host.quitRequested || game.終了要求; }
};

PlaySession::PlaySession(const PlayOptions& options, std::ostream& out)
    : options_(options), out_(out), ports_(std::make_unique<Ports>()) {}

PlaySession::~PlaySession() = default;

Game& PlaySession::game() { return ports_->game; }

bool PlaySession::start() {
    Game& g = game();
    g.初期設定();
    // The handicap is set before the game starts, one press of △ or ▽ per grade.
    for (int i = 0; i < options_.handicap; ++i) g.LBEL_UP_Click();
    for (int i = 0; i > options_.handicap; --i) g.LEBEL_DOWN_Click();
    g.レベル_設定(options_.level);
    if (g.COM_LEVEL != options_.level) return false;
    g.COM_STEP = options_.step;
    if (options_.scores) g.観察者 = &scorePrinter_;

    const int before = g.KIFU_NOW;
    ports_->dialogs.clearMove();
    scoreLines_.clear();
    if (options_.second) {
        g.GOTE_Click();
    } else {
        g.SENTE_Click();
        if (options_.board) printBoard(positionOf(g));
    }
    report(before);
    out_.flush();
    return true;
}

void PlaySession::playClicks(const UsiClicks& m) {
    Game& g = game();
    g.Form_MouseDown(左ボタン, 0, centreX(m.fx), centreY(m.fy));
    if (ports_->ended()) return;
    g.Form_MouseDown(m.promote ? 右ボタン : 左ボタン, 0, centreX(m.tx), centreY(m.ty));
}

// A refused move may leave a piece picked (the promotion box keeps it, and a click on one's
// own piece picks that one instead). A person would click a square the pick cannot reach;
// so does this, and the board drops the pick as it does for any refused destination.
void PlaySession::dropPick() {
    Game& g = game();
    for (int y = 1; y <= 9 && g.SENTAKU == 1; ++y)
        for (int x = 1; x <= 9 && g.SENTAKU == 1; ++x) {
            const int c = g.BAN(x, y);
            const bool mine = (g.TEBAN == g.MAN_SENGO && c <= -HU) || (g.TEBAN == g.COM_SENGO && c >= HU);
            if (mine || g.移動チェック(g.SENTAKU_X, g.SENTAKU_Y, x, y, g.SENTAKU_KOMA) == 1) continue;
            g.Form_MouseDown(左ボタン, 0, centreX(x), centreY(y));
        }
}

void PlaySession::printBoard(const Position& pos) { out_ << boardDiagram(pos); }

bool PlaySession::feed(std::string_view line) {
    line = trimmed(line);
    if (over_) return false;
    if (line.empty() || line.front() == '#') return true;
    if (line == "quit") {
        over_ = true;
        return false;
    }
    if (line == "resign") {
        // The game records its end, so that a record written of it says 投了.
        Game& g = game();
        if (g.TEBAN != 0 && !g.終局.終わった()) g.終局 = {終局理由::投了, g.COM_SENGO};
        out_ << "result: computer wins (resignation)\n" << std::flush;
        over_ = true;
        return false;
    }
    const std::optional<UsiClicks> m = parseUsiClicks(line);
    if (!m) {
        out_ << "refused: " << kUnreadable << '\n' << std::flush;
        return true;
    }

    Game& g = game();
    // The board makes a plain move of a right click where the piece cannot promote; a
    // typed "+" asks for a promotion, so it is refused there instead.
    if (m->promote && m->fx >= 1 && m->fx <= 9 && g.BAN(m->fx, m->fy) <= -HU) {
        const int kept = g.NARI_KOMA;
        const bool may = g.調査_駒成(m->fx, m->fy, m->tx, m->ty, g.BAN(m->fx, m->fy)) == 1;
        g.NARI_KOMA = kept;
        if (!may) {
            out_ << "refused: " << kCannotPromote << '\n' << std::flush;
            return true;
        }
    }
    const int before = g.KIFU_NOW;
    ports_->dialogs.clearMove();
    ports_->host.status.clear();
    scoreLines_.clear();
    playClicks(*m);
    if (!ports_->ended() && g.KIFU_NOW == before) {
        // The box's text when the board showed one, else the board's status line.
        std::string reason = ports_->dialogs.refusal;
        if (reason.empty()) reason = ports_->host.status;
        if (reason.empty()) reason = kRefusedAnyway;
        dropPick();
        out_ << "refused: " << reason << '\n' << std::flush;
        return true;
    }
    report(before);
    out_ << std::flush;
    return !over_;
}

// Prints the moves played since entry `before` (with the board after each when asked),
// the notes of the message boxes and, at the end of the game, the result.
void PlaySession::report(int before) {
    Game& g = game();
    const int after = g.KIFU_NOW;
    std::vector<Position> positions(static_cast<size_t>(after - before + 1));
    positions.back() = positionOf(g);
    for (int n = after; n > before; --n)
        positions[static_cast<size_t>(n - before - 1)] = positionBefore(positions[static_cast<size_t>(n - before)], g, n);
    for (int n = before + 1; n <= after; ++n) {
        if (g.KIFU_KOMA[n] > 0) {
            out_ << scoreLines_ << "bestmove " << usiOfEntry(g, n) << '\n';
            scoreLines_.clear();
        }
        if (options_.board) printBoard(positions[static_cast<size_t>(n - before)]);
    }
    for (const std::string& note : ports_->dialogs.notes) out_ << "message: " << note << '\n';
    if (!ports_->ended()) return;
    over_ = true;
    const PlayDialogs& d = ports_->dialogs;
    if (d.draw) {
        out_ << "result: draw (500 moves)\n";
    } else if (d.winner == kYou) {
        const std::string reason = endReason();
        if (reason == "the computer has no move") out_ << scoreLines_ << "bestmove none\n";
        out_ << "result: you win (" << reason << ")\n";
    } else if (!d.winner.empty()) {
        out_ << "result: computer wins (" << endReason() << ")\n";
    } else {
        out_ << "result: game over\n";
    }
}

// Why the game ended, in the words of the result line.
std::string PlaySession::endReason() {
    switch (game().終局.理由) {
    case 終局理由::王を動かした: return "king move";
    case 終局理由::王を取った: return "king capture";
    case 終局理由::詰み: return "mate";
    case 終局理由::投了: return "the computer has no move";
    case 終局理由::手数上限: return "500 moves";
    case 終局理由::時間切れ: return "time";
    case 終局理由::なし: break;
    }
    return "unknown";
}

int runPlay(const PlayOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
    // The record's file is checked before the game, not after it.
    Output record;
    if (!options.record.empty() && !openRecordOutput(record, options.record, err, true)) return kExitBadInput;
    PlaySession session(options, out);
    if (!session.start()) {
        err << "fudo-cli: level " << options.level << " is not available\n";
        return kExitBadInput;
    }
    std::string line;
    while (!session.over() && std::getline(in, line))
        if (!session.feed(line)) break;

    if (options.record.empty()) return 0;
    const Game& g = session.game();
    if (g.KIFU_NOW < 1) {
        err << "fudo-cli: no moves were played, so no record was written\n";
        return 0;
    }
    const std::string computer = "ｺﾝﾋﾟｭｰﾀ レベル" + std::to_string(options.level) +
                                 (options.step ? "-" + std::to_string(options.step) : std::string());
    const 棋譜データ data = options.second
                                ? 作成_棋譜データ(g, g.KIFU_NOW, "端末対局", computer, std::string(kYou))
                                : 作成_棋譜データ(g, g.KIFU_NOW, "端末対局", std::string(kYou), computer);
    std::string reason;
    std::optional<std::string> bytes;
    if (record.format() != RecordFormat::Native) {
        // A KIF or CSA name gets that format, which holds the end of the game too.
        対局記録 r = 作成_対局記録(g, g.KIFU_NOW);
        r.棋譜 = data;
        if (r.開始日時.empty()) r.開始日時 = 現在日時();  // played just now
        bytes = 書式_記録(r, exchangeFormat(record.format()), &reason);
    } else {
        bytes = 書式_棋譜(data, &reason);
    }
    if (!bytes) {
        err << "fudo-cli: cannot write " << options.record << ": " << reason << '\n';
        return kExitBadInput;
    }
    return record.write(*bytes, out, err) ? 0 : kExitBadInput;
}

}  // namespace fudo::cli
