// The computer's turn (com_ban): a search one move deep over every legal board move and
// drop of the upper side, each made on the real board, surveyed and scored by 盤評価, then
// the best one played through the same procedures as any other move.
#include <algorithm>
#include <cstdlib>

#include "engine/game.h"

namespace fudo {

void Game::com_ban() {
    // A full move list has no room for the computer's move: the game ends as a draw.
    if (手数上限() == 1) return;
    ヒント消去();
    com_ban_開始();
    if (COM_LEVEL == 4) {
        const 探索結果 r = com_ban_LEVEL4();
        // Stopped because the program is ending: nothing is played.
        if (探索中止済み) return;
        com_ban_着手(r);
        return;
    }
    const 探索結果 r = com_ban_探索();
    com_ban_着手(r);
}

// Start of the turn: the clock, the thinking indicator, and the copies and probes that the
// evaluation compares each candidate with.
void Game::com_ban_開始() {
    JIKAN_START = host().now();
    if (時計を動かす()) Timer1_Enabled = true;

    // "思考中" where the computer's last move is shown: top left, or bottom right turned.
    const bool bottom = 画面の下(COM_SENGO);
    if (bottom) {
        消去_移動結果(COM_SENGO);
    } else {
        描画_絵(HAIKEI_NOW, -2, 8);
        描画_絵(HAIKEI_NOW, -1, 8);
        描画_絵(HAIKEI_NOW, 0, 8);
        描画_画面の桝輪郭(色_緑, -1, 7);
    }
    const double tx = bottom ? 13.4 : -1.6, ty = bottom ? 3.4 : 8.4;
    描画_数値(tx + 0.1, ty + 0.1, "思考中", 色_黒, 0, 12);
    描画_数値(tx, ty, "思考中", 色_白, 0, 12);
    if (!bottom) 描画_画面の桝輪郭(色_緑, 1, 8);
    描画_補助();  // the person's move and the computer's turn are marked while it thinks

    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            BAN_MAE(x, y) = BAN(x, y);
            OU_NIGE_MASU(x, y) = 0;
        }
    }

    // The order matters: the escape squares read the maps of the previous survey.
    調査_2歩フラグ設定();
    SITA_OU_NIGE_SU = 調査_自王逃道();
    勢力調査();
    調査_持角狙座標();
    調査_移動不可駒();

    UE_OU_X_MAE = UE_OU_X;
    UE_OU_Y_MAE = UE_OU_Y;
    UE_MOCHI_SU_MAE = UE_MOCHI_SU;
    SITA_MOCHI_SU_MAE = SITA_MOCHI_SU;

    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            SITA_SEIRYOKU_MAE(x, y) = SITA_SEIRYOKU(x, y);
            UE_SEIRYOKU_MAE(x, y) = UE_SEIRYOKU(x, y);
            UE_KOUGEKI_X_MAE(x, y) = UE_KOUGEKI_X(x, y);
            UE_KOUGEKI_Y_MAE(x, y) = UE_KOUGEKI_Y(x, y);
        }
    }

    canvas().refresh();
}

// The search: board moves (source column, source row, destination column, destination
// row), then drops (kind 1..7, destination column, row). The first candidate with the
// strictly highest score wins; capturing the human king ends the search at once, and so
// does a drop that reaches 9998.
探索結果 Game::com_ban_探索() {
    探索結果 r;
    r.score = Score(-99999);

    auto report = [this](int fx, int fy, int tx, int ty, int placed, Score s) {
        if (観察者) 観察者->evaluated(候補手{fx, fy, tx, ty, IDOU_KOMA, placed}, s);
    };

    for (int x1 = 1; x1 <= 9; ++x1) {
        Timer1_Timer();
        for (int y1 = 1; y1 <= 9; ++y1) {
            if (BAN(x1, y1) < HU) continue;
            for (int x2 = 1; x2 <= 9; ++x2) {
                for (int y2 = 1; y2 <= 9; ++y2) {
                    if (移動チェック(x1, y1, x2, y2, BAN(x1, y1)) != 1) continue;

                    IDOU_KOMA = BAN(x1, y1);
                    KYORI_MAE = std::max(std::abs(x1 - SITA_OU_X), std::abs(y1 - SITA_OU_Y));
                    const int captured = BAN(x2, y2);
                    BAN(x1, y1) = KARA;
                    BAN(x2, y2) = IDOU_KOMA;

                    Score score;
                    int placed;
                    if (調査_駒成(x1, y1, x2, y2, IDOU_KOMA) == 0) {
                        勢力調査();
                        score = 盤評価(captured, IDOU_KOMA, x1, y1, x2, y2);
                        placed = IDOU_KOMA;
                        report(x1, y1, x2, y2, placed, score);
                    } else {
                        const int nari = NARI_KOMA;
                        if (移動後チェック(y2, IDOU_KOMA) == 0) {
                            // Compulsory promotion: only the promoted form is tried.
                            BAN(x2, y2) = nari;
                            勢力調査();
                            score = 盤評価(captured, nari, x1, y1, x2, y2);
                            placed = nari;
                            report(x1, y1, x2, y2, placed, score);
                        } else {
                            勢力調査();
                            score = 盤評価(captured, IDOU_KOMA, x1, y1, x2, y2);
                            placed = IDOU_KOMA;
                            report(x1, y1, x2, y2, IDOU_KOMA, score);
                            BAN(x2, y2) = nari;
                            勢力調査();
                            const Score score2 = 盤評価(captured, nari, x1, y1, x2, y2);
                            report(x1, y1, x2, y2, nari, score2);
                            if (score2 > score) {
                                score = score2;
                                placed = nari;
                            }
                            // Pawn, bishop and rook lose nothing by promoting.
                            if (IDOU_KOMA == HU || IDOU_KOMA == KAKU || IDOU_KOMA == SYA) placed = nari;
                        }
                    }

                    BAN(x2, y2) = captured;
                    BAN(x1, y1) = IDOU_KOMA;

                    if (score > r.score) {
                        r.found = true;
                        r.score = score;
                        r.best = 候補手{x1, y1, x2, y2, IDOU_KOMA, placed};
                        if (captured == -OU) return r;
                    }
                }
            }
        }
    }

    if (UE_MOCHI_SU_MAE > 0) {
        for (int k = 1; k <= 7; ++k) {
            Timer1_Timer();
            if (UE_MOCHI[k] <= 0) continue;
            IDOU_KOMA = 持駒コード[k];
            for (int x2 = 1; x2 <= 9; ++x2) {
                for (int y2 = 1; y2 <= 9; ++y2) {
                    if (移動チェック(-1, k, x2, y2, IDOU_KOMA) != 1) continue;
                    BAN(x2, y2) = IDOU_KOMA;
                    勢力調査();
                    const Score score = 盤評価(KARA, IDOU_KOMA, -1, k, x2, y2);
                    BAN(x2, y2) = KARA;
                    report(-1, k, x2, y2, IDOU_KOMA, score);
                    if (score > r.score) {
                        r.found = true;
                        r.score = score;
                        r.best = 候補手{-1, k, x2, y2, IDOU_KOMA, IDOU_KOMA};
                        if (r.score >= 9998) return r;
                    }
                }
            }
        }
    }
    return r;
}

// Plays the chosen move and announces what it did.
void Game::com_ban_着手(const 探索結果& r) {
    if (!r.found) {
        // No legal move at all: the computer gives up. "思考中" must not stay under the
        // boxes that end the game.
        Timer1_Enabled = false;
        消去_移動結果(COM_SENGO);
        終了("あなた", 終局理由::投了, MAN_SENGO);
        return;
    }
    const 候補手& m = r.best;
    // Under a time control the move is charged the time it took, measured now: a reply
    // found between two ticks would otherwise carry the last tick's value.
    if (対局時間.有効()) {
        KONKAI_JIKAN = 調査_経過秒(JIKAN_START, host().now());
        Timer1_Enabled = false;
    }

    手順保存(m.fx, m.fy, m.tx, m.ty, m.koma, m.placed, MAN_JIKAN, MAN_JIKAN, COM_JIKAN,
             COM_JIKAN + KONKAI_JIKAN);
    TESU += 1;
    描画_手数(TESU, 色_白);
    駒移動(m.fx, m.fy, m.tx, m.ty, m.placed);
    描画_盤の印();
    待ち時間(0.5);
    効果音(SOUND_KOMAOTO);

    if (m.placed == OU) {
        // The computer moved its own king: it loses.
        効果音(SOUND_KINSI);
        double sx = m.tx, sy = m.ty;
        画面の桝(sx, sy);
        描画_数値(sx - 0.2, sy - 0.2, "×", 色_明赤, 0, 40);
        消去_移動結果(COM_SENGO);
        終了("あなた", 終局理由::王を動かした, MAN_SENGO);
        return;
    }

    Timer1_Enabled = false;
    勢力調査();
    // A captured king ends the game before the mate test: with the king gone the test
    // could report a mate and let the game go on without a king.
    if (SYOUSYA == COM_SENGO) {
        消去_移動結果(COM_SENGO);
        終了("ｺﾝﾋﾟｭｰﾀ", 終局理由::王を取った, COM_SENGO);
        return;
    }
    // The move's text replaces "思考中" before the mate or check box.
    描画_移動結果(COM_SENGO, m.tx, m.ty, m.placed, 色_白, m.fx, m.fy);
    描画_桝輪郭(色_白, m.tx, m.ty);
    詰み手 = 0;
    if (詰めかMAN() == 1) {
        if (補助.案内) {
            // Said on the status line and marked on the king: the game goes on until
            // the king is taken.
            詰み手 = KIFU_NOW;
            host().setStatusLine("詰みです。次に王を取られます");
        } else {
            dialogs().message("よし！!", "詰め ?", Buttons::OK);
        }
    } else if (UE_SEIRYOKU(SITA_OU_X, SITA_OU_Y) > 0) {
        if (補助.案内)
            host().setStatusLine("王手");
        else
            dialogs().message("   ** 王手 **", "", Buttons::OK);
    }

    COM_JIKAN += KONKAI_JIKAN;
    // The computer's own clock is judged once its move is made.
    if (対局時間.有効() && 時計を読む(対局時間, COM_JIKAN, 着手数(COM_SENGO) - 1, 0).切れ) {
        時間切れ(COM_SENGO);
        return;
    }
    JIKAN_START = host().now();
    TEBAN = MAN_SENGO;
    if (時計を動かす()) Timer1_Enabled = true;
    時計を描く();
    手数上限();
}

}  // namespace fudo
