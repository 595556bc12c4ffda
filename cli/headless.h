// The game without a window: ports that do nothing (drawing, message boxes, a clock that
// never sleeps), and the computer's search run on a position given from outside.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "notation/sfen.h"
#include "engine/game.h"

namespace fudo::cli {

class NullCanvas : public Canvas {
public:
    void picture(int, double, double) override {}
    void outline(int, double, double) override {}
    void text(double, double, std::string_view, int, int, bool) override {}
    void beginFullRedraw() override {}
    void refresh() override {}
};

// Answers OK, and No to every question (so a finished game is not reset, and the
// position it ended in stays on the board); remembers who was announced as the winner.
class NullDialogs : public Dialogs {
public:
    std::string winner;  // the text before "の勝ちです" of the last end-of-game message
    int count = 0;
    Answer message(std::string_view text, std::string_view, Buttons buttons, Icon) override {
        ++count;
        constexpr std::string_view kWins = "の勝ちです";
        if (text.size() >= kWins.size() && text.substr(text.size() - kWins.size()) == kWins)
            winner.assign(text.substr(0, text.size() - kWins.size()));
        return buttons == Buttons::OK ? Answer::OK : Answer::No;
    }
};

// A clock that only moves when the game waits: waits return at once.
class NullHost : public Host {
public:
    double clock = 0;
    bool quitRequested = false;
    double now() override { return clock; }
    void wait(double seconds) override { clock += seconds; }
    void quit() override { quitRequested = true; }
    void setListsVisible(bool, bool, bool) override {}
    void setSaveControlsVisible(bool) override {}
    std::string textBox(int) override { return {}; }
    void setTextBox(int, std::string_view) override {}
    std::filesystem::path fileListFolder() override { return std::filesystem::temp_directory_path(); }
    void refreshFileList() override {}
    std::filesystem::path settingsFolder() override { return std::filesystem::temp_directory_path(); }
    std::filesystem::path soundFolder() override { return std::filesystem::temp_directory_path(); }
    long windowHandle() override { return 0; }
    void menuChanged() override {}
};

// A game wired to null ports and no sound library. Large: make it with newHeadless().
struct Headless {
    NullCanvas canvas;
    NullDialogs dialogs;
    NullHost host;
    Game game{canvas, dialogs, host, nullptr};
};

std::unique_ptr<Headless> newHeadless();

// Sets up a fresh game on the position (every map at its start-up value, the two-pawn
// flags clear) with the computer at the given level.
std::unique_ptr<Headless> headlessAt(const Position& pos, int level);

// The computer's turn on the position the game holds, as it runs after a person's move:
// the survey, the mate test of the computer's king (its answer is not used), the start of
// the turn and the search. Nothing is played.
探索結果 searchPosition(Game& game);

// The score lines of `bestmove --scores`: one "<move> <score>" line per evaluation, in
// the order of the search, appended to a string.
class ScoreLines : public 探索観察者 {
public:
    explicit ScoreLines(std::string& out) : out_(out) {}
    void evaluated(const 候補手& m, Score s) override;

private:
    std::string& out_;
};

// The output of `bestmove`: with scores, one "<move> <score>" line per evaluation in the
// order of the search; always last "bestmove <move>" or "bestmove none". Lines end in '\n'.
std::string bestmoveOutput(const Position& pos, int level, bool scores);

// FNV-1a over every evaluation and every chosen move: a fingerprint of the behaviour.
class Signature : public 探索観察者 {
public:
    std::uint64_t value = 14695981039346656037ull;
    std::uint64_t evaluations = 0;
    void evaluated(const 候補手& m, Score s) override;
    void chosen(const 探索結果& r);

private:
    void mix(std::int64_t v);
};

}  // namespace fudo::cli
