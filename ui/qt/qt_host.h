// The host services of the window: a monotonic clock, the blocking wait, the record-file
// controls, the folders of the settings and sounds, and the way out of the program.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <filesystem>
#include <functional>

#include "engine/ports.h"

namespace fudo::qt {

class RecordControls;

// A file-system path from a QString, in the system's own encoding.
std::filesystem::path toPath(const QString& s);

class QtHost : public Host {
public:
    struct Hooks {
        std::function<void()> quit;         // the game has ended the program
        std::function<void()> menuChanged;  // mirror the menu ticks
        std::function<long()> windowHandle;
        std::function<void(const QString&)> statusLine;  // show one line for the player
        std::function<void()> moveMade;                  // keep the game now
        std::function<void(const HintMove&, std::string_view)> hint;  // show the computer's hint
        std::function<void()> gameOver;  // offer what comes after a finished game
        std::function<void(bool)> working;  // the computer's search starts (true) or ends
    };
    QtHost(RecordControls& controls, Hooks hooks);

    double now() override;
    void wait(double seconds) override;
    void quit() override;

    void setListsVisible(bool drive, bool folder, bool file) override;
    void setSaveControlsVisible(bool visible) override;
    std::string textBox(int index) override;
    void setTextBox(int index, std::string_view utf8) override;
    std::filesystem::path fileListFolder() override;
    void refreshFileList() override;

    std::filesystem::path settingsFolder() override;
    std::filesystem::path soundFolder() override;
    long windowHandle() override;
    void menuChanged() override;
    void setStatusLine(std::string_view utf8) override;
    void showHint(const HintMove& hint, std::string_view words) override;
    void moveMade() override;
    void gameOver() override;

    // The search of level 4 and of the hint runs on a worker thread while a local event
    // loop keeps painting and ticks the clock; the window's input gate keeps the board shut.
    void runWork(const std::function<void()>& work, const std::function<void()>& tick,
                 const std::function<void()>& stop) override;
    // True while such work runs; stopWork tells it to end now (Esc, closing the window).
    bool isWorking() const { return stop_ != nullptr; }
    void stopWork();

    // Once the program is closing, waits return at once and work is stopped as it starts.
    void setClosing(bool closing) { closing_ = closing; }

private:
    RecordControls& controls_;
    Hooks hooks_;
    QElapsedTimer clock_;
    bool closing_ = false;
    const std::function<void()>* stop_ = nullptr;
};

}  // namespace fudo::qt
