// The game's window: the menu bar, the drawing, the record-file controls and the clock
// timer around the one Game object. The window paints, asks and times; the game decides.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "engine/game.h"
#include "ui/qt/input_gate.h"
#include "ui/qt/qt_canvas.h"
#include "ui/qt/qt_dialogs.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/record_controls.h"
#include "ui/qt/translation.h"
#include "ui/qt/window_settings.h"

class QAction;
class QLabel;

namespace fudo::qt {

class AnalysisActions;
class ExchangeActions;
class EndPanel;
class HelpWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The sound library may be null: the game then runs silently.
    explicit MainWindow(std::unique_ptr<SoundLibrary> sound = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Starts the game (settings, opening position, first drawing) and shows the window at
    // its starting size.
    void start();

    Game& game() { return *game_; }
    QtCanvas* canvas() const { return canvas_; }
    RecordControls* recordControls() const { return controls_; }
    QtDialogs& dialogs() { return dialogs_; }
    QAction* action(const char* objectName) const;
    // KIF/CSA/SFEN commands and the move list panel.
    ExchangeActions* exchange() const { return exchange_; }
    // The review of a game with the strong computer and its panel.
    AnalysisActions* analysis() const { return analysis_; }
    // The line under the drawing that says why a click was refused.
    QLabel* statusLine() const { return statusLine_; }
    // How much larger than usual the menus, the status line and the boxes are drawn.
    double uiScale() const { return uiScale_; }
    WindowSettings& settings() { return *settings_; }
    // Where an unfinished game is kept between runs.
    static std::filesystem::path sessionPath();
    int droppedInput() const { return gate_.dropped(); }
    // The panel shown at the end of a game while the flow aids are on; its
    // analyseRequested signal is where an analysis of the finished game plugs in.
    EndPanel* endPanel() const { return endPanel_; }
    // F1: the help window (made at its first showing).
    void showHelp();
    HelpWindow* helpWindow() const { return help_; }
    // True unless a game with moves is under way and the player answers No to `question`.
    bool mayGiveUpGame(const QString& question, const QString& title);
    // A game with moves is being played (not a record, not finished).
    bool gameUnderWay() const;

    // True while a command of the game runs (the board takes no clicks then).
    bool isBusy() const { return busy_; }
    // True while the computer's search (or the hint's) runs on its worker thread.
    bool isThinking() const { return host_->isWorking(); }
    QtHost& host() const { return *host_; }
    // True once the game has ended the program.
    bool hasEnded() const { return ended_; }
    // What ending the program does; by default it leaves the application's event loops.
    void setQuitHandler(std::function<void()> handler) { quitHandler_ = std::move(handler); }

    // Runs one user command of the game. The window takes no input meanwhile, input that
    // queued up during the command is dropped afterwards, and the menu ticks are mirrored.
    void command(const std::function<void()>& call, bool dropQueuedInput = true);

    // Shows every text in this language from now on, what is drawn included, and keeps
    // the choice in the window's settings.
    void switchLanguage(Language language);

    // The window's starting size for a screen of this size: the game's own size, larger on
    // big screens.
    static QSize startingCanvasSize(QSize availableScreen);
    // Resizes the window so that the drawing gets this size between the bars.
    void resizeCanvas(QSize canvasSize);

signals:
    // A click reached the board, in twips (before the game handled it).
    void boardPressed(int button, double X, double Y);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Keys typed into the record controls stay there, whatever shortcut they match.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void addWindowItems();
    // The menus, the status line and the message boxes grow with the drawing's scale.
    void followScale(double sceneScale);
    void syncMenu();
    // The strength steps in the level menu, their ticks, and the next one suggested after
    // a game against the computer.
    void addLadderItems();
    void syncLadder();
    void restoreStep();  // the step chosen last time, after the start-up's level
    // The play aids as their ticks say, saved in the window's settings.
    void applyAids(bool redraw);
    // 先手, 後手, スタート: in a game under way they ask, then begin a new game.
    void startFromMenu(void (Game::*start)());
    // F2: a new game against the computer, on the side chosen last.
    void newGameAgainstTheComputer();
    // Home: back to the start as 最初 goes, after asking when that gives up a game with moves.
    void backToTheStartAsking();
    // The end panel's new game: the same kind of game as the one that ended.
    void newGameAfterEnd();
    // The session file: an unfinished game is written there after every command and at
    // the end; otherwise the file is removed. At start-up its game is offered back.
    void keepSession();
    void offerSession(bool exists, bool readable, const std::string& text);
    void retranslate();
    // Shows a status line worded by `text` in the language in force, now and after a switch.
    void showStatus(std::function<QString()> text);
    void tick();
    void endProgram();
    // Drag and drop: a press that picked a piece arms a drag; moving far enough shows the
    // piece under the mouse; letting go on another cell is the second click.
    void pressedOnBoard(int button, double X, double Y);
    void draggedOnBoard(double X, double Y, QPointF logical);
    void releasedOnBoard(int button, double X, double Y);
    // The time control chosen in the menu, kept in the window's settings.
    void chooseTimeControl(const QString& word);
    // The window's size, place and panels, as the last run left them.
    void restoreLayout();
    void keepLayout();

    std::unique_ptr<SoundLibrary> sound_;
    QtCanvas* canvas_;
    RecordControls* controls_;
    ExchangeActions* exchange_ = nullptr;
    AnalysisActions* analysis_ = nullptr;
    QLabel* statusLine_;
    std::function<QString()> statusText_;
    int statusShown_ = 0;  // counts the texts shown, to tell whether a command set one
    EndPanel* endPanel_ = nullptr;
    HelpWindow* help_ = nullptr;
    QtDialogs dialogs_;
    std::unique_ptr<QtHost> host_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<WindowSettings> settings_;
    struct Aid {  // a tick of the play aids and its key in the settings
        QAction* action;
        QString key;
    };
    std::vector<Aid> aids_;
    std::filesystem::path sessionFile_;
    bool sessionReady_ = false;  // false until the start-up has offered the last game back
    QFont baseFont_;
    double uiScale_ = 1;
    InputGate gate_;
    QTimer timer_;
    std::function<void()> quitHandler_;
    bool busy_ = false;
    bool ended_ = false;
    bool closeRequested_ = false;
    bool escapeRequested_ = false;  // Esc during the computer's search: end after it stops
    bool inCloseEvent_ = false;
    struct Drag {
        bool armed = false;   // the press picked a piece
        bool moving = false;  // the piece follows the mouse
        QPointF from;         // logical point of the press
        int code = 0;         // the picture that follows
    } drag_;
    struct Tick {  // a checkable menu item and the game's tick it mirrors
        QAction* action;
        bool メニュー状態::*flag;
    };
    std::vector<Tick> ticks_;
    struct Caption {  // a menu item and its Japanese caption
        QAction* action;
        const char* japanese;
    };
    std::vector<Caption> captions_;
    std::vector<QAction*> steps_;  // LEVEL4-1 … in the level menu
    int suggestedRung_ = -1;       // shown once the command that ended a game is over
    bool wonLast_ = false;
};

}  // namespace fudo::qt
