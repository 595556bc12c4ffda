// Ports that show, ask and keep nothing, for a game without a window: one that only serves
// as a board and its rules, or one played from the command line. Messages are answered OK
// and questions No (so a finished game is not reset); waits return at once.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "engine/ports.h"

namespace fudo {

class NullCanvas : public Canvas {
public:
    void picture(int, double, double) override {}
    void outline(int, double, double) override {}
    void text(double, double, std::string_view, int, int, bool) override {}
    void beginFullRedraw() override {}
    void refresh() override {}
};

// Remembers who was announced as the winner.
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

}  // namespace fudo
