// Test doubles for the ports: a canvas that logs what is drawn, dialogs that answer from
// a script, a host with a hand-driven clock, and a sound library that logs its calls.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/game.h"

namespace fudo::test {

struct DrawOp {
    enum Kind { Picture, Outline, Text, FullRedraw, Refresh, TintedPicture } kind;
    int code = 0;    // picture code, or colour for outlines and texts
    double x = 0, y = 0;
    std::string text;
    int size = 0;
    bool bold = false;
    Tint tint = Tint::None;  // of a tinted picture
};

class RecordingCanvas : public Canvas {
public:
    std::vector<DrawOp> ops;

    void picture(int code, double x, double y) override { ops.push_back({DrawOp::Picture, code, x, y, {}, 0, false, Tint::None}); }
    void outline(int colour, double x, double y) override { ops.push_back({DrawOp::Outline, colour, x, y, {}, 0, false, Tint::None}); }
    void text(double x, double y, std::string_view s, int colour, int size, bool bold) override {
        ops.push_back({DrawOp::Text, colour, x, y, std::string(s), size, bold, Tint::None});
    }
    void tintedPicture(int code, double x, double y, Tint t) override {
        ops.push_back({DrawOp::TintedPicture, code, x, y, {}, 0, false, t});
    }
    void beginFullRedraw() override { ops.push_back({DrawOp::FullRedraw, 0, 0, 0, {}, 0, false, Tint::None}); }
    void refresh() override { ops.push_back({DrawOp::Refresh, 0, 0, 0, {}, 0, false, Tint::None}); }

    void clear() { ops.clear(); }
    // The last picture code painted at exactly cell (x, y), tinted or not, or `none`.
    int lastPictureAt(double x, double y, int none = -99999) const;
    // The tint of the last picture painted at cell (x, y) (None for a plain one or none).
    Tint lastTintAt(double x, double y) const;
    // The last outline colour drawn at cell (x, y), or -1.
    int lastOutlineAt(double x, double y) const;
    // Every text op whose text equals s.
    std::vector<DrawOp> textsEqual(std::string_view s) const;
    bool hasText(std::string_view s) const { return !textsEqual(s).empty(); }
    int count(DrawOp::Kind k) const;
};

struct Shown {
    std::string text, title;
    Buttons buttons;
    Icon icon;
};

class ScriptedDialogs : public Dialogs {
public:
    std::vector<Shown> shown;
    std::deque<Answer> script;          // answers for the next Yes/No boxes, in order
    Answer defaultYesNo = Answer::Yes;  // when the script has run out
    std::function<void(const Shown&)> onShow;  // optional hook, e.g. to act while "modal"

    Answer message(std::string_view text, std::string_view title, Buttons b, Icon i) override {
        shown.push_back({std::string(text), std::string(title), b, i});
        if (onShow) onShow(shown.back());
        if (b == Buttons::OK) return Answer::OK;
        if (script.empty()) return defaultYesNo;
        Answer a = script.front();
        script.pop_front();
        return a;
    }
    // The promotion question: each ask is noted; the answers come in order, then Plain.
    struct Asked { int promoted, plain, x, y; };
    std::vector<Asked> promotionAsks;
    std::deque<Promotion> promotionAnswers;
    Promotion askPromotion(int promoted, int plain, int x, int y) override {
        promotionAsks.push_back({promoted, plain, x, y});
        if (promotionAnswers.empty()) return Promotion::Plain;
        const Promotion a = promotionAnswers.front();
        promotionAnswers.pop_front();
        return a;
    }
    bool wasShown(std::string_view text) const {
        for (auto& s : shown)
            if (s.text == text) return true;
        return false;
    }
    void clear() { shown.clear(); }
};

class FakeHost : public Host {
public:
    double time = 1000.0;  // seconds; tests move it by hand
    std::vector<double> waits;
    int quits = 0;
    bool drive = false, folder = false, file = false, saveControls = false;
    std::string boxes[5];
    std::filesystem::path listFolder = std::filesystem::temp_directory_path();
    std::filesystem::path configFolder = std::filesystem::temp_directory_path();
    std::filesystem::path sounds = std::filesystem::temp_directory_path();
    int fileListRefreshes = 0;
    int menuChanges = 0;

    double now() override { return time; }
    void wait(double s) override { waits.push_back(s); time += s; }
    void quit() override { ++quits; }
    void setListsVisible(bool d, bool f, bool fl) override { drive = d; folder = f; file = fl; }
    void setSaveControlsVisible(bool v) override { saveControls = v; }
    std::string textBox(int i) override { return (i >= 1 && i <= 4) ? boxes[i] : std::string(); }
    void setTextBox(int i, std::string_view s) override { if (i >= 1 && i <= 4) boxes[i] = std::string(s); }
    std::filesystem::path fileListFolder() override { return listFolder; }
    void refreshFileList() override { ++fileListRefreshes; }
    std::filesystem::path settingsFolder() override { return configFolder; }
    std::filesystem::path soundFolder() override { return sounds; }
    long windowHandle() override { return 42; }
    void menuChanged() override { ++menuChanges; }
    std::string statusLine;  // what the status line shows now
    int statusLineSets = 0;
    void setStatusLine(std::string_view s) override { statusLine = std::string(s); ++statusLineSets; }
    int gameOvers = 0;  // times the game said it ended and stays on the board
    void gameOver() override { ++gameOvers; }
    std::function<void()> onMoveMade;
    void moveMade() override {
        if (onMoveMade) onMoveMade();
    }
    std::string date = "2026/12/08 09:00:00";  // the local date and time the game reads
    std::string dateTime() override { return date; }
    std::function<void()> onWork;  // runs before the strong computer's work, e.g. to let time pass
    void runWork(const std::function<void()>& work, const std::function<void()>& tick,
                 const std::function<void()>& stop) override {
        if (onWork) onWork();
        Host::runWork(work, tick, stop);
    }
};

class FakeSoundLibrary : public SoundLibrary {
public:
    struct Call { std::string name; std::int32_t a = 0, b = 0; };
    std::vector<Call> calls;
    std::int32_t device = 7;    // what dsInitialize answers; 0 = no device
    std::int32_t nextBuffer = 100;

    std::int32_t dsInitialize(long w) override { calls.push_back({"dsInitialize", static_cast<std::int32_t>(w), 0}); return device; }
    void dsTerminate(std::int32_t d) override { calls.push_back({"dsTerminate", d, 0}); }
    std::int32_t dsCreateDSB(std::int32_t d, const void*, std::int32_t size, std::int32_t flags) override {
        calls.push_back({"dsCreateDSB", size, flags});
        return d == 0 ? 0 : nextBuffer++;
    }
    void dsFree(std::int32_t b) override { calls.push_back({"dsFree", b, 0}); }
    void dsPlay(std::int32_t b) override { calls.push_back({"dsPlay", b, 0}); }
    void dsPlayLooping(std::int32_t b) override { calls.push_back({"dsPlayLooping", b, 0}); }
    void dsStop(std::int32_t b) override { calls.push_back({"dsStop", b, 0}); }

    int count(std::string_view name, std::int32_t handle) const {
        int n = 0;
        for (auto& c : calls)
            if (c.name == name && c.a == handle) ++n;
        return n;
    }
};

// A game wired to fakes, started up as the program does (the settings folder is a fresh
// temporary folder, so the default settings apply).
struct Rig {
    RecordingCanvas canvas;
    ScriptedDialogs dialogs;
    FakeHost host;
    FakeSoundLibrary sound;
    Game game{canvas, dialogs, host, &sound};

    Rig();   // creates temporary folders; does not run Form_Load
    ~Rig();  // removes them
    void load() { game.Form_Load(); }
    std::filesystem::path root;
};

// Clears the board and both hands (no redraw), for positions built by hand.
void clearBoard(Game& g);

}  // namespace fudo::test
