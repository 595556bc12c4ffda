// Game: the one state object of Fudō Shogi. It holds the board, the hands, the move list,
// the influence maps, the clock, the options and the sound handles, and its member
// functions are every procedure of the game, grouped below by subsystem. The platform is
// reached only through the ports (Canvas, Dialogs, Host, SoundLibrary).
//
// Coordinates are (x, y): x the column from the left of the window, y the row from the
// top, both 1..9 on the board. The upper side (computer or second person) owns positive
// codes and moves towards row 9; the lower side (the person) owns negative codes.
// In names 自 (own) / SITA_ is the lower side, 敵 (enemy) / UE_ the upper side.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "control/clock.h"
#include "engine/board_map.h"
#include "engine/constants.h"
#include "engine/score.h"
#include "engine/sound_library.h"
#include "engine/ports.h"

namespace fudo {

struct 強い探索;  // the strong computer of level 4 (engine/level4.cpp)

using IntMap = BoardMap<int>;

// One candidate of the computer's search, as reported to an observer.
struct 候補手 {
    int fx = 0, fy = 0;  // source square, or (-1, kind) for a drop
    int tx = 0, ty = 0;  // destination
    int koma = 0;        // code of the moving piece before promotion
    int placed = 0;      // code placed on the destination
};

// The usual name of a piece of either side ("歩", "成香", "馬", "玉"); "？" for no piece.
const char* 駒の名前(int code);
// A candidate in words, as a player writes it: "７六歩", "２二角成", "５二金打".
std::string 指し手の文字(const 候補手& m);

// Receives every evaluation of the computer's search in the order it is made (the CLI
// prints them). Null in the game.
class 探索観察者 {
public:
    virtual ~探索観察者() = default;
    virtual void evaluated(const 候補手& move, Score score) = 0;
};

// Result of the computer's search: the best candidate, if any.
struct 探索結果 {
    bool found = false;
    候補手 best;
    Score score = Score(-99999);
};

// Why a click on the board was refused; なし when it was accepted. The move checks
// (移動判定) give the reasons from 盤外 to 間に駒, the board input the others.
enum class 拒否理由 : std::uint8_t {
    なし,
    対局前,      // no game runs
    棋譜再生中,  // a record is being replayed
    終局後,      // the game has ended
    相手の駒,    // the first click picked the other side's piece
    駒がない,    // the first click found an empty square
    持駒がない,  // a stand kind the hand does not hold
    選び直し,    // the pick no longer stands where it was picked
    盤外,
    同じ桝,
    自分の駒,    // the destination holds a piece of the mover
    駒の上,      // a drop onto an occupied square
    二歩,
    行き所なし,  // a drop of a pawn, lance or knight where it could never move again
    動けない,    // the piece does not move that way
    間に駒,      // a line piece would jump over a piece
    成り必須,    // the move is legal only promoted
    待ったできない,  // nothing to take back now
};

// How a game ended. なし while a game runs or before the first; set where a game ends and
// cleared when a new one starts, so that no one has to guess it from the board or the turn.
enum class 終局理由 : std::uint8_t {
    なし,
    王を動かした,  // the loser moved its own king
    王を取った,    // the winner took the other king
    詰み,          // the person mated the computer's king
    手数上限,      // the move list is full: a draw
    投了,          // a side gave up: the computer finding no move, or the person at the terminal
    時間切れ,      // the loser's time ran out
};

struct 終局状態 {
    終局理由 理由 = 終局理由::なし;
    int 勝者 = 0;  // side value of the winner; 0 for a draw
    bool 終わった() const { return 理由 != 終局理由::なし; }
    bool operator==(const 終局状態&) const = default;
};

// Menu tick marks. They are game state; the window mirrors them.
struct メニュー状態 {
    bool LEVEL1 = false, LEVEL2 = false, LEVEL3 = false, LEVEL4 = false;
    bool MIDORI = false, TATAMI = false, TAKE = false, UCHU = false, RENGA = false;
    bool SIDOU = false;  // move guidance
    bool KEIKA = false;  // elapsed-time display
    bool BGM = false;    // background music
};

// The play aids beyond the classic look. Off in the core; the window switches them from
// its own settings.
struct 補助設定 {
    bool 手番 = false;    // a mark beside the clock of the side to move
    bool 最終手 = false;  // the last move's squares tinted
    bool 指導 = false;    // guidance tints; the king's squares tinted as losing
    bool 成り確認 = false;  // a left click where a piece may promote asks; where it must, it does
    bool 選択解除 = false;  // a click on the picked piece lets it go
    // The flow: the end of a game kept on the board, a question before a losing move,
    // check and mate marked, and notices on the status line in place of boxes.
    bool 案内 = false;
    bool operator==(const 補助設定&) const = default;
};

class Game {
public:
    Game(Canvas& canvas, Dialogs& dialogs, Host& host, SoundLibrary* sound);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // ---------------------------------------------------------------- board and sides
    IntMap BAN;                        // board, piece codes
    std::array<int, 8> SITA_MOCHI{};   // lower hand: counts by kind 1..7
    std::array<int, 8> UE_MOCHI{};     // upper hand
    int SITA_MOCHI_SU = 0;             // total pieces in the lower hand
    int UE_MOCHI_SU = 0;
    int SITA_OU_X = 0, SITA_OU_Y = 0;  // lower king's square
    int UE_OU_X = 0, UE_OU_Y = 0;      // upper king's square
    std::array<int, 10> NIFU_SITA{};   // 1 = an unpromoted lower pawn stands in column x
    std::array<int, 10> NIFU_UE{};
    int NARI_KOMA = 0;                 // promoted code left by 調査_駒成

    int TE_SENTE = +1;   // side value of the player who moves first
    int TE_GOTE = -1;
    int MAN_SENGO = -1;  // side value of the lower player
    int COM_SENGO = +1;  // side value of the upper player
    int TEBAN = 0;       // side to move; 0 = no game
    int SYOUSYA = 0;     // side value of the player who took a king; 0 = none
    終局状態 終局;       // whether and how the game has ended

    // ---------------------------------------------------------------- modes and progress
    int TAIKYOKU_MODE = MODE_MAN;
    int TESU = 0;         // move number shown
    int SENTAKU = 0;      // 1 = a piece is picked, the next click is its destination
    int SAIKAI_MATI = 0;  // 1 = paused by navigation, resumed by a board click
    int KIFU_MODE = 0;    // 1 = replaying a record file
    int HANTEN_FLAG = 0;  // 1 = the board has been reversed
    int HANDE_FLAG = 0;   // 1 = a handicap grade has been set
    int HANDE_LEVEL = 0;  // handicap grade -10..10
    int COM_LEVEL = 3;    // computer strength 1..4 (4: the strong engine of search/)
    int TITLE_E = DORADAV2;
    int SIDOU_FLAG = 0;       // move guidance on
    int SIDOU_COLOR = 色_緑;  // guidance outline colour: 15 on, 2 off
    int HAIKEI_NOW = 0;       // background tile code; 0 until the settings say otherwise
    bool FONT_BOLD = false;   // text turns bold at the first drawing of the coordinates
    bool 終了要求 = false;    // the program has been told to end (after 終了処理)
    メニュー状態 MENU;

    // Board input's pick between its two clicks.
    int SENTAKU_X = 0, SENTAKU_Y = 0, SENTAKU_KOMA = 0;

    // ---------------------------------------------------------------- move list (1..500)
    std::array<int, KIFU_MAX + 1> KIFU_MOTO_X{}, KIFU_MOTO_Y{}, KIFU_SAKI_X{}, KIFU_SAKI_Y{};
    std::array<int, KIFU_MAX + 1> KIFU_KOMA{}, KIFU_KOMA_ATO{}, KIFU_TORI{};
    std::array<double, KIFU_MAX + 1> KIFU_MAN_JIKAN_MAE{}, KIFU_MAN_JIKAN{};
    std::array<double, KIFU_MAX + 1> KIFU_COM_JIKAN_MAE{}, KIFU_COM_JIKAN{};
    int KIFU_NOW = 0;   // move the shown position has reached
    int KIFU_LAST = 0;  // moves held

    // ---------------------------------------------------------------- clock (seconds)
    double JIKAN_START = 0;   // host time at which the current turn began
    double KONKAI_JIKAN = 0;  // seconds of the current turn at the last tick
    int HYOUJI_BYOU = 0;      // whole seconds shown at the last display update
    double MAN_JIKAN = 0;     // lower player's total
    double COM_JIKAN = 0;     // upper player's total
    bool Timer1_Enabled = false;
    持ち時間 持ち時間設定;  // the time control of the next game
    持ち時間 対局時間;      // the time control of the game under way
    int 警告秒 = -1;        // the seconds left at the last warning check
    // Under a time control, the side whose turn goes on running while the game is paused
    // by stepping through the moves (0: none).
    int 走る時計 = 0;

    // ---------------------------------------------------------------- influence maps
    IntMap SITA_SEIRYOKU, UE_SEIRYOKU;          // cover counts
    IntMap SITA_MAMORI_KOMA, UE_MAMORI_KOMA;    // cheapest / most valuable defender codes
    IntMap UE_MAMORI_X, UE_MAMORI_Y;            // not reset between surveys
    IntMap SITA_KOUGEKI_KOMA, SITA_KOUGEKI_X, SITA_KOUGEKI_Y;
    IntMap UE_KOUGEKI_KOMA;
    IntMap UE_KOUGEKI_X, UE_KOUGEKI_Y;          // not reset between surveys
    IntMap SITA_OUTE, UE_OUTE;                  // check maps: 9 checker, 1 block square

    // ---------------------------------------------------------------- computer's turn
    IntMap BAN_MAE;                 // board at the start of the turn
    IntMap OU_NIGE_MASU;            // escape squares of the lower king
    IntMap SITA_SEIRYOKU_MAE, UE_SEIRYOKU_MAE, UE_KOUGEKI_X_MAE, UE_KOUGEKI_Y_MAE;
    IntMap SITA_IDOU_FUKA;          // 1 = a human piece pinned to its king
    IntMap SITA_KAKU_NERAI;         // 1 = a human bishop drop there would attack the COM king
    int SITA_OU_NIGE_SU = 0;
    int UE_MOCHI_SU_MAE = 0, SITA_MOCHI_SU_MAE = 0, UE_OU_X_MAE = 0, UE_OU_Y_MAE = 0;
    int IDOU_KOMA = 0;              // code of the candidate's piece before promotion
    int KYORI_MAE = 0;              // its distance from the human king before the move
    探索観察者* 観察者 = nullptr;

    // ---------------------------------------------------------------- sound handles
    std::int32_t SOUND_DS = 0;
    std::int32_t SOUND_SONOTA = 0, SOUND_KINSI = 0, SOUND_KOMAOTO = 0, SOUND_KAVELU = 0,
                 SOUND_BGM = 0;

    // ================================================================ start-up
    void Form_Load();
    void 初期設定();
    // Cell of a point in twips, rounding toward minus infinity.
    static void 座標から桝(double X, double Y, int& col, int& row);

    // ================================================================ move legality
    int 移動チェック(int fx, int fy, int tx, int ty, int koma) const;
    // The same checks, telling why a move is refused (なし when 移動チェック gives 1).
    拒否理由 移動判定(int fx, int fy, int tx, int ty, int koma) const;
    int 移動チェック飛車(int fx, int fy, int tx, int ty) const;
    int 移動チェック角(int fx, int fy, int tx, int ty) const;
    static int 移動後チェック(int toY, int koma);
    void 調査_2歩フラグ設定();

    // ================================================================ moves and move list
    void 駒移動(int fx, int fy, int tx, int ty, int koma);
    void 駒取得(int code);
    int 調査_駒成(int fx, int fy, int tx, int ty, int koma);
    void 手順保存(int fx, int fy, int tx, int ty, int koma, int placed, double manBefore,
                 double manAfter, double comBefore, double comAfter);

    // ================================================================ check, mate, end
    int 詰めかCOM();
    int 詰めかMAN();
    int 詰めかMAN_COM移動() const;
    int 調査_自王逃道();
    // The game ends: the state says how, then the boxes announce `winner` (a display name)
    // and ask about the next game.
    void 終了(std::string_view winner, 終局理由 reason, int winnerSide);
    void 終了処理();
    // 終了処理, then the host ends the program after the current event.
    void プログラム終了();
    void 待ち時間(double seconds);
    // The end of the game in plain words, for the end panel and the status line.
    std::string 終局の文() const;
    // True when a piece of the side other than `side` (+1 upper, -1 lower) can move onto
    // that side's king now.
    bool 王が狙われている(int side) const;
    // True when making the pick's move (promoted or not) leaves the mover's king to be taken.
    bool 王が取られる手か(int fx, int fy, int tx, int ty, int placed);
    // A notice for the player: on the status line with the flow aids on, else in a box.
    void お知らせ(std::string_view text, std::string_view title);
    // The move list holds 500 moves: when a move fills it the game ends as a draw.
    // Returns 1 when it ended the game.
    int 手数上限();

    // ================================================================ influence survey
    void 勢力調査();
    void 勢力確定上直進(int c, int x, int y);
    void 勢力確定下直進(int c, int x, int y);
    void 勢力確定右直進(int c, int x, int y);
    void 勢力確定左直進(int c, int x, int y);
    void 勢力確定自角(int x, int y);
    void 勢力確定敵角(int c, int x, int y);
    void 勢力確定自金(int c, int x, int y);
    void 勢力確定敵金(int x, int y);

    // ================================================================ computer player
    void com_ban();
    // The parts of com_ban: the start of the turn, the search, playing the chosen move.
    void com_ban_開始();
    探索結果 com_ban_探索();
    void com_ban_着手(const 探索結果& r);
    Score 盤評価(int captured, int koma, int fx, int fy, int tx, int ty);
    // Group C of the evaluation (level 3): the terms chosen by the placed piece.
    Score 盤評価_駒別(Score S, int captured, int koma, int fx, int fy, int tx, int ty);

    // Evaluation probes.
    void 調査_移動不可駒();
    void 調査_持角狙座標();
    int 調査_移動可場所数(int x, int y, int koma) const;
    int 調査_自守駒MAN_直進駒(int x, int y);
    int 調査_周辺状況(int x, int y) const;
    int 調査_香狙い(int x, int y) const;
    int 調査_桂狙い(int x, int y) const;
    int 盤評価_自角注意_COM(int x, int y, int koma) const;
    Score 盤評価_COM危険座標(int koma, int tx, int ty);

    // Strength levels and handicap.
    void レベル_設定(int level);
    void LEVEL1_Click();
    void LEVEL2_Click();
    void LEVEL3_Click();
    void LEVEL4_Click();
    void 段階_Click(int step);  // level 4 held to a strength step (search/strength.h)
    void LBEL_UP_Click();
    void LEBEL_DOWN_Click();

    // ================================================================ level 4 and the hint
    // The strong engine's choice for the computer (the upper army), searched through the
    // host's runWork so that a window can keep painting meanwhile.
    探索結果 com_ban_LEVEL4();
    // Shows the move the strong engine would play for the person to move; plays nothing.
    void ヒント_Click();
    void ヒント消去();  // takes the outlines of the last hint away
    // Ends a search under way at once (the program is closing); the computer then plays
    // nothing.
    void 探索中止();
    double LEVEL4_秒 = 1.0;      // thinking time of level 4 and of the hint, in seconds
    int COM_STEP = 0;            // level 4 held to a strength step (search/strength.h); 0: full
    std::uint64_t 段階_種 = 1;  // seeds a step's choice among near-equal moves
    bool 探索中止済み = false;   // the last search was stopped by 探索中止
    int ヒント_FX = 0, ヒント_FY = 0, ヒント_TX = 0, ヒント_TY = 0;  // outlined squares; 0 = none

    // ================================================================ game control
    void 見出し_Click();  // the headings 対局, 局面, ｵﾌﾟｼｮﾝ: put the record controls away
    void SENTE_Click();
    void GOTE_Click();
    void START_Click();
    void OWARI_Click();
    void Form_Unload();
    void Form_KeyPress(int key);
    void Form_MouseDown(int button, int shift, double X, double Y);
    // Reason of the last refused click, until the next accepted one; the host shows it
    // in its status line.
    拒否理由 拒否 = 拒否理由::なし;
    static std::string_view 拒否の文(拒否理由 r);
    void 拒否を知らせる(拒否理由 r);
    void 拒否を消す();
    void CANCEL_Click();
    // Steps a record back to its first position.
    void 記録の最初へ();
    void AFTER_Click();
    void REPLAY_Click();
    void REVERSE_Click();
    // Takes back the person's last move and the computer's reply (one move between two
    // persons), ready to play on.
    void 待った_Click();
    // Turns the view: the other side at the bottom; the game is not changed.
    void 盤を回す_Click();
    bool 視点反転 = false;
    // A piece is picked: it is let go (true). Nothing picked: false.
    bool 選択を解く();
    // The pick for a drag: the cell under twips (X, Y) holds the pick just made.
    bool 選択中の桝(double X, double Y) const;
    void VER_Click();  // the about box

    // Clock.
    void Timer1_Timer();
    static double 調査_経過秒(double start, double now);
    static std::string 調査_時間秒追加結果(double seconds);
    static std::string 変換_数字から文字(int n);
    void 描画_所有時間(int side, double seconds);
    void 消去_所有時間(int side);
    void KEIKA_Click();
    // Time controls.
    bool 時計を動かす() const;  // the clock runs: the option is ticked or a time control holds
    int 着手数(int side) const;  // moves the side has made up to the shown one
    時計の状態 時計(int side);   // the side's clock under the game's time control, now
    // The side to move has run out of time (true): the game has ended.
    bool 時間を確かめる();
    // The same with the turn's time read off the clock now, as a move or a hint needs it.
    bool 今の時間を確かめる();
    // The side to move has run out, judged as 時間を確かめる would judge it.
    bool 時間切れか();
    // The running clock shown without being judged (a box is open, a search runs); true
    // when the person to move has run out meanwhile.
    bool 時計を見る();
    int 時計の番() const;  // the side whose clock runs: the paused turn's, else the side to move
    // A game paused by stepping goes on from the shown position with the time it has used.
    void 止めた時計で再開();
    // Stepping under a time control leaves the running turn alone.
    bool 時計を止めずに進む() const;
    void 時間切れ(int loser);
    // A new game takes the chosen time control.
    void 持ち時間を始める();
    void 時計を描く();  // both clocks again after a move, under a time control

    // ================================================================ files
    void 描画_可視(bool drive, bool folder, bool file);
    void 描画_棋譜_IO(int mode);
    void KIFU_READ_Click();
    void KIFU_WRITE_Click();
    void Command1_Click();
    void File1_Click(const std::string& fileName);  // UTF-8 name inside fileListFolder()
    static double 取得_棋譜のX座標(std::string_view utf8);
    void 描画_棋譜読込み部分消去();
    // The record's game name and player names, each name beside the side the view shows it on.
    void 描画_棋譜見出し();
    std::array<std::string, 3> 棋譜見出し;  // 対局名, 上手名, 下手名 of the record read last
    // Of a KIF/CSA record read last: its start time, and how it said it ended ("投了", "千日手",
    // …; empty: not said) with the piece sign of the winner (0: none).
    std::string 棋譜開始日時, 棋譜終局語;
    int 棋譜勝者 = 0;

    void 読込_環境設定ファイル();
    void 書込_環境設定ファイル();
    void チェック設定(int code);
    void MIDORI_Click();
    void TATAMI_Click();
    void TAKE_Click();
    void UCHU_Click();
    void RENGA_Click();
    void SIDOU_Click();
    void BGM_Click();

    // ================================================================ drawing
    void 描画_絵(int code, double x, double y);
    void 描画_桝輪郭(int colour, double x, double y);
    // Outlines what is at cell (x, y) of the screen, whichever way the view is turned.
    void 描画_画面の桝輪郭(int colour, int x, int y);
    // The side whose army is at the bottom of the screen.
    bool 画面の下(int side) const { return (side == MAN_SENGO) != 視点反転; }
    // The screen cell of a board or stand cell, and back (the same turn both ways).
    void 画面の桝(double& x, double& y) const;
    void 描画_将棋盤桝();
    void 描画_盤();
    void 描画_自持盤();
    void 描画_敵持盤();
    void 描画_背景(int code);
    void 描画_移動可能桝色(int sx, int sy, int colour, int koma);
    void 画面_再描画();
    // TITLE_E, or the finished game's plaque while an ended game stays on the board.
    int 題の絵() const { return TITLE_E == DIRUVID && 終局.終わった() ? DIRUVID_SUMI : TITLE_E; }

    // ================================================================ play aids
    補助設定 補助;
    BoardMap<Tint> 指導印;  // guidance tints wanted now (Reach, or Losing for a king)
    // What each square shows now: its tint and its outline colour, so that only changed
    // squares are painted again.
    BoardMap<Tint> 表示印;
    BoardMap<int> 表示輪郭;
    int 手番表示 = 0;  // turn mark shown: 0 none, else the mark's place and text (see play_aids)
    int 詰み手 = 0;    // move after which the mover announced the other king mated; 0 none
    // Brings the tints and the turn mark up to date with the game. The host calls it after
    // every command; the board input and the computer's turn call it themselves.
    void 描画_補助();
    // The tint a square should show now.
    Tint 桝の印(int x, int y) const;
    void 描画_盤の印();
    void 描画_手番();

    static std::string_view 文字列変換(int v);
    void 描画_数値(double x, double y, int value, int colour, int mode, int size);
    void 描画_数値(double x, double y, std::string_view text, int colour, int mode, int size);
    void 描画_文字列(double x, double y, int code, int colour, int size);
    void 描画_移動駒種類(double x, double y, std::string_view text, int colour);
    void 描画_桝_数値();
    void 描画_手数(int n, int colour = 色_白);
    void 描画_レベル(int level);
    void 描画_ハンデレベル(int grade);
    // The last move of a side beside the board; (fromX, fromY) is where the piece came
    // from (a stand's cell for a drop; (0, 0) when not given).
    void 描画_移動結果(int side, int x, int y, int code, int colour, int fromX = 0, int fromY = 0);
    void 消去_移動結果(int side);
    void 描画_メッセージ(int n);

    // ================================================================ sound
    void 初期化_サウンド(long window);
    void 終了_サウンド();
    std::int32_t 読込_サウンド(std::string_view fileName, std::int32_t flags);
    void 表示_サウンドエラー(std::string_view text);
    void 効果音(std::int32_t buffer);  // dsPlay through the library, if there is one

    // ================================================================ consistency
    // Pieces on the board plus pieces in hand plus captured kings; 40 in a whole game.
    int 駒総数() const;

    // Ports, for the adapters.
    Canvas& canvas() { return canvas_; }
    Dialogs& dialogs() { return dialogs_; }
    Host& host() { return host_; }
    SoundLibrary* soundLibrary() { return sound_; }

private:
    // "続けますか？": Yes sets up the opening position, No ends the program.
    void 再ゲーム確認();

    // Record steps of the influence survey (s the piece's square, t the covered square).
    void 下記録(int c, int sx, int sy, int tx, int ty, bool step, bool knight);
    void 上記録_Full(int c, int sx, int sy, int tx, int ty, bool step, bool knight);
    void 上記録_駒位置守(int c, int sx, int sy, int tx, int ty, bool knight);
    void 上記録_歩(int c, int sx, int sy, int tx, int ty);
    void 上記録_守駒のみ(int c, int sx, int sy, int tx, int ty, bool check);
    void 上記録_数のみ(int sx, int sy, int tx, int ty);
    void 直進(int c, int x, int y, int dx, int dy);
    void 斜進(bool lower, int c, int x, int y);

    // The engine, its table and stop flag, made at the first search of level 4 or a hint.
    強い探索& 強い探索機();
    std::shared_ptr<強い探索> 強い探索_;

    Canvas& canvas_;
    Dialogs& dialogs_;
    Host& host_;
    SoundLibrary* sound_;
};

}  // namespace fudo
