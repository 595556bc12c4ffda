// Texts on the window: coordinate labels, move number, last moves, level and handicap
// captions, and the handicap refusal message. Most texts get a black shadow: printed in
// black 0.1 cell lower right, then in their colour.
#include <algorithm>
#include <cstdio>
#include <string>

#include "engine/game.h"

namespace fudo {

std::string_view Game::文字列変換(int v) {
    static constexpr std::string_view digits[] = {"１", "２", "３", "４", "５", "６", "７", "８", "９"};
    static constexpr std::string_view numerals[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九"};
    if (v >= 1 && v <= 9) return digits[v - 1];
    if (v >= 1001 && v <= 1009) return numerals[v - 1001];
    switch (v < 0 ? -v : v) {
    case HU: return "歩";
    case HU_NARI: return "と";
    case KYOU: return "香";
    case KYOU_NARI: return "香成";
    case KEI: return "桂";
    case KEI_NARI: return "桂成";
    case GIN: return "銀";
    case GIN_NARI: return "銀成";
    case KIN: return "金";
    case KAKU: return "角";
    case KAKU_NARI: return "角成";
    case SYA: return "飛";
    case SYA_NARI: return "飛成";
    case OU: return "王";
    default: return {};
    }
}

void Game::描画_数値(double x, double y, int value, int colour, int mode, int size) {
    if (mode != 0) {
        if (value >= 1 && value <= 9) canvas_.text(x, y, 文字列変換(1000 + value), colour, size, FONT_BOLD);
        return;
    }
    // A number is printed with a blank for its sign (or the minus) and a trailing blank.
    char buf[16];
    std::snprintf(buf, sizeof buf, value < 0 ? "%d " : " %d ", value);
    canvas_.text(x, y, buf, colour, size, FONT_BOLD);
}

void Game::描画_数値(double x, double y, std::string_view text, int colour, int mode, int size) {
    if (mode != 0) return;  // numerals are only made from numbers
    canvas_.text(x, y, text, colour, size, FONT_BOLD);
}

namespace {
constexpr std::string_view handeText[21] = {
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級"};
}  // namespace

void Game::描画_文字列(double x, double y, int code, int colour, int size) {
    if (code >= -10 && code <= 10) canvas_.text(x, y, handeText[code + 10], colour, size, FONT_BOLD);
    else if (code == 99) canvas_.text(x, y, "手目", colour, size, FONT_BOLD);
}

void Game::描画_移動駒種類(double x, double y, std::string_view text, int colour) {
    canvas_.text(x, y, text, colour, kMoveTextSize, FONT_BOLD);
}

void Canvas::moveText(double x, double y, const MoveParts& m, int colour, bool bold) {
    const int values[3] = {10 - m.toX, 1000 + m.toY, m.piece};
    for (int i = 0; i < 3; ++i)
        text(x + kMovePartOffsets[i], y, Game::文字列変換(values[i]), colour, kMoveTextSize, bold);
}

void Canvas::moveCount(int n, int colour, bool bold) {
    const double x = n < 10 ? 13.2 : n < 100 ? 13.1 : 13.0;
    char buf[16];
    std::snprintf(buf, sizeof buf, n < 0 ? "%d " : " %d ", n);
    text(x + 0.1, 4.4, buf, 色_黒, 12, bold);
    text(x, 4.3, buf, colour, 12, bold);
    text(13.9, 4.2, "手目", 色_黒, 10, bold);
    text(13.8, 4.1, "手目", 色_白, 10, bold);
}

void Game::描画_桝_数値() {
    FONT_BOLD = true;
    for (int i = 1; i <= 9; ++i) {
        // Turned, the files count from the left and the ranks from the bottom.
        const int file = 視点反転 ? i : 10 - i, rank = 視点反転 ? 10 - i : i;
        描画_絵(HAIKEI_NOW, i, 0);
        描画_数値(i + 0.2, 0.5, file, 色_黒, 0, 16);
        描画_数値(i + 0.1, 0.4, file, 色_黄, 0, 16);
        描画_絵(HAIKEI_NOW, 10, i);
        描画_数値(10.2, i + 0.4, rank, 色_黒, 1, 12);
        描画_数値(10.1, i + 0.3, rank, 色_黄, 1, 12);
        描画_画面の桝輪郭(色_緑, 9, i);
    }
}

void Game::描画_手数(int n, int colour) {
    描画_絵(HAIKEI_NOW, 13, 4);
    描画_絵(HAIKEI_NOW, 14, 4);
    描画_画面の桝輪郭(色_緑, 11, 4);
    canvas_.moveCount(n, colour, FONT_BOLD);
}

void Game::描画_レベル(int level) {
    if (level == 4 && COM_STEP > 0) {
        // A strength step is named as the level menu names it: "LEVEL 4-2", moved left
        // to make room for the longer number.
        const std::string step = "4-" + std::to_string(COM_STEP);
        描画_数値(-1.9, 0.2, "LEVEL", 色_黒, 0, 10);
        描画_数値(-2.0, 0.1, "LEVEL", 色_白, 0, 10);
        描画_数値(-0.35, 0.1, step, 色_黒, 0, 12);
        描画_数値(-0.45, 0, step, 色_白, 0, 12);
        return;
    }
    描画_数値(-1.4, 0.2, "LEVEL", 色_黒, 0, 10);
    描画_数値(-1.5, 0.1, "LEVEL", 色_白, 0, 10);
    描画_数値(0.1, 0.1, level, 色_黒, 0, 12);
    描画_数値(0, 0, level, 色_白, 0, 12);
}

// Right of the lower stand, between the move number and the clock: the only place on the
// right where nothing else is drawn (the title picture covers rows 0 and 1).
void Game::描画_ハンデレベル(int grade) {
    for (int x = 12; x <= 15; ++x) 描画_絵(HAIKEI_NOW, x, 6);
    描画_画面の桝輪郭(色_緑, 11, 6);  // the first tile covers the stand's right edge
    描画_文字列(12.6, 6.4, grade, 色_黒, 10);
    描画_文字列(12.5, 6.3, grade, 色_白, 10);
}

void Game::描画_移動結果(int side, int x, int y, int code, int colour, int fromX, int fromY) {
    消去_移動結果(side);
    if (side != COM_SENGO && side != MAN_SENGO) return;
    // The side at the bottom of the screen has its last move on the right.
    const bool bottom = 画面の下(side);
    const double left = bottom ? 13.4 : -1.6, row = bottom ? 3.4 : 8.4;
    // The move list knows what a caller may not (a resumed game gives no source): where
    // the piece came from and whether it took one.
    bool captures = false;
    int before = 0;
    for (int i = std::min(KIFU_NOW, KIFU_MAX); i >= 1 && i >= KIFU_NOW - 1; --i)
        if (KIFU_SAKI_X[i] == x && KIFU_SAKI_Y[i] == y && KIFU_KOMA_ATO[i] == code) {
            if (fromX == 0 && fromY == 0) {
                fromX = KIFU_MOTO_X[i];
                fromY = KIFU_MOTO_Y[i];
            }
            captures = KIFU_TORI[i] != 0;
            before = KIFU_KOMA[i];
            break;
        }
    // The parts go to the canvas, which words them ("７六歩" in three parts by default).
    MoveParts m{code, x, y, fromX, fromY, captures};
    m.before = before;
    if (before == code && fromX >= 1 && fromX <= 9) {
        // A promotion left open, as the move list words it; the question's answer is kept.
        const int 成り前 = NARI_KOMA;
        m.declined = 調査_駒成(fromX, fromY, x, y, code) == 1 && 移動後チェック(y, code) == 1;
        NARI_KOMA = 成り前;
    }
    canvas_.moveText(left + 0.1, row + 0.1, m, 色_黒, FONT_BOLD);
    canvas_.moveText(left, row, m, colour, FONT_BOLD);
    if (!bottom) 描画_画面の桝輪郭(色_緑, 1, 8);
}

void Game::消去_移動結果(int side) {
    if (side != COM_SENGO && side != MAN_SENGO) return;
    if (!画面の下(side)) {
        描画_絵(HAIKEI_NOW, -2, 8);
        描画_絵(HAIKEI_NOW, -1, 8);
        描画_絵(HAIKEI_NOW, 0, 8);
        描画_画面の桝輪郭(色_緑, -1, 7);
        描画_画面の桝輪郭(色_緑, 1, 8);
    } else {
        描画_絵(HAIKEI_NOW, 13, 3);
        描画_絵(HAIKEI_NOW, 14, 3);
        描画_絵(HAIKEI_NOW, 15, 3);
    }
}

void Game::描画_メッセージ(int n) {
    std::string text;
    switch (n) {
    case 1: text = "棋譜ﾓｰﾄﾞではできません"; break;
    case 2: text = "対局途中ではできません"; break;
    case 3: text = "反転後ではできません"; break;
    default: break;
    }
    text += "\n\n局面→最初にして下さい";
    dialogs_.message(text, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定", Buttons::OK);
}

}  // namespace fudo
