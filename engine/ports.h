// The small interfaces through which the game reaches the platform: drawing, message
// boxes and the host (time, waits, record-file controls, program end). The Qt window,
// the CLI and the tests each supply their own.
#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace fudo {

// Translucent marks of the play aids, laid on a square's wood under its piece: the last
// move's source and destination, a square the picked piece can reach, and a square where
// the picked king would lose; a king in check, and a king that is mated.
enum class Tint : unsigned char { None, LastFrom, LastTo, Reach, Losing, Check, Mated };

// A move as shown once it is played, in parts, so that a window may word it in another
// language: the code of the piece now on the destination, and the board cells (x and y
// 1..9, as the game counts them) it reached and left. A drop leaves a stand's cell (off
// the board); from (0, 0) means the origin is not given.
struct MoveParts {
    int piece = 0;
    int toX = 0, toY = 0;
    int fromX = 0, fromY = 0;
    bool captures = false;  // the move took a piece
    int before = 0;         // the piece before the move when known (0: not known)
    bool declined = false;  // it could have promoted and did not
};
// The Japanese move text is three parts ("７", "六", "歩") at these cells right of its
// start, in this font size.
inline constexpr double kMovePartOffsets[3] = {0, 0.4, 1.0};
inline constexpr int kMoveTextSize = 12;

// Retained drawing surface addressed in cells: cell (x, y) has its top-left corner at
// twips (1050 + 495·x, 100 + 615·y); fractional cells are allowed.
class Canvas {
public:
    virtual ~Canvas() = default;
    // Paints the picture of a code (piece, 0 empty square, 1/2 titles, 3..7 background
    // tiles, 8/9 pre-game kings) with its top-left corner at cell (x, y). Codes without a
    // picture paint nothing.
    virtual void picture(int code, double x, double y) = 0;
    // Like picture() for a square (a piece or the empty square), with the square's wood
    // under the piece tinted. Canvases without tints paint the plain picture.
    virtual void tintedPicture(int code, double x, double y, Tint tint) {
        (void)tint;
        picture(code, x, y);
    }
    // Outlines cell (x, y) in a palette colour, without filling it.
    virtual void outline(int colour, double x, double y) = 0;
    // Prints UTF-8 text with its top-left corner at cell (x, y), in a palette colour, at a
    // font size in points.
    virtual void text(double x, double y, std::string_view utf8, int colour, int size, bool bold) = 0;
    // Prints a move text with its top-left corner at cell (x, y). By default the three
    // Japanese parts through text().
    virtual void moveText(double x, double y, const MoveParts& move, int colour, bool bold);
    // The move counter right of the board. By default through text(): the number, then
    // "手目" a little higher, each over its black shadow.
    virtual void moveCount(int n, int colour, bool bold);
    // A full redraw is about to paint every cell: what was painted before may be dropped.
    virtual void beginFullRedraw() = 0;
    // Shows what has been painted now, even while the game keeps the thread busy.
    virtual void refresh() = 0;
};

enum class Buttons { OK, YesNo };
enum class Icon { None, Information, Exclamation };
enum class Answer { OK, Yes, No };

// Modal message boxes.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer message(std::string_view text, std::string_view title, Buttons buttons,
                           Icon icon = Icon::None) = 0;
    // The end of a game, by who won ("あなた", "ｺﾝﾋﾟｭｰﾀ", "先手" or "後手"). By default
    // the message "<winner>の勝ちです" titled "終了".
    virtual void gameEnd(std::string_view winner);
    // Asks at the destination whether to promote: the two codes side by side, at the
    // screen cell (x, y). By default the piece does not promote.
    enum class Promotion { Promote, Plain, Cancel };
    virtual Promotion askPromotion(int promoted, int plain, int x, int y) {
        (void)promoted, (void)plain, (void)x, (void)y;
        return Promotion::Plain;
    }
    // A Yes/No question about a step that cannot be undone (a losing move, a file written
    // over): a window makes No the answer of Enter. By default the plain question.
    virtual Answer confirm(std::string_view text, std::string_view title) {
        return message(text, title, Buttons::YesNo);
    }
};

// The local date and time as a record states it: "2026/12/07 11:00:00".
inline std::string 現在日時() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y/%m/%d %H:%M:%S", &tm);
    return buf;
}

// Record-file controls of the window: the folder and file lists, four text boxes
// (1 file name, 2 game name, 3 first player, 4 second player) with their labels, and
// the "RETURN" button.
class Host {
public:
    virtual ~Host() = default;

    // Seconds on a clock that only moves forward (a monotonic clock serves).
    virtual double now() = 0;
    // The local date and time as a record states it: "2026/12/07 11:00:00".
    virtual std::string dateTime() { return 現在日時(); }
    // Blocks for the given seconds; no user input is handled meanwhile.
    virtual void wait(double seconds) = 0;
    // Ends the program after the current event.
    virtual void quit() = 0;

    // Visibility of the drive (roots), folder and file lists.
    virtual void setListsVisible(bool drive, bool folder, bool file) = 0;
    // Visibility of the four text boxes, their labels and the RETURN button.
    virtual void setSaveControlsVisible(bool visible) = 0;
    virtual std::string textBox(int index) = 0;              // UTF-8
    virtual void setTextBox(int index, std::string_view utf8) = 0;
    // Folder shown by the file list, and a request to list its files again.
    virtual std::filesystem::path fileListFolder() = 0;
    virtual void refreshFileList() = 0;

    // Folder of the settings file "DAre1.ini".
    virtual std::filesystem::path settingsFolder() = 0;
    // Folder that holds the wave files.
    virtual std::filesystem::path soundFolder() = 0;
    // Native handle of the main window for the sound library (0 when there is none).
    virtual long windowHandle() = 0;

    // The menu ticks or the record controls changed inside the game: mirror them.
    virtual void menuChanged() = 0;

    // One short line for the player beside the board (why a click was refused, a hint);
    // an empty text clears it. Hosts without such a line ignore it.
    virtual void setStatusLine(std::string_view utf8) { (void)utf8; }

    // The strong computer's suggested move for the status line, in parts so that a window
    // can word it in its own language; `words` is the line in the game's own words
    // ("ヒント：７六歩"), which is all a host without a language of its own shows.
    struct HintMove {
        MoveParts move;  // the piece before it moves; a drop comes from x = -1 or 11
        bool captures = false;
        bool promotes = false;
    };
    virtual void showHint(const HintMove& hint, std::string_view words) {
        (void)hint;
        setStatusLine(words);
    }

    // Runs work that touches nothing of the game (the strong computer's search). A window
    // runs it on another thread, keeps painting and calls tick on this thread now and then,
    // and calls stop when the program is told to end meanwhile. By default it runs here.
    virtual void runWork(const std::function<void()>& work, const std::function<void()>& tick,
                         const std::function<void()>& stop) {
        (void)tick;
        (void)stop;
        work();
    }

    // The person's move was played and the computer is about to think: a host that keeps
    // unfinished games saves the game now.
    virtual void moveMade() {}

    // The game has ended and stays on the board (Game::終局 says how): a window offers
    // what comes next. Only called while the flow aids are on.
    virtual void gameOver() {}
};

}  // namespace fudo
