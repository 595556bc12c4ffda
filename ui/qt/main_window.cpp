#include "ui/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <cmath>

#include "files/session_file.h"
#include "ui/qt/analysis_actions.h"
#include "ui/qt/end_panel.h"
#include "ui/qt/exchange_actions.h"
#include "ui/qt/help_window.h"
#include "ui/qt/move_list_panel.h"
#include "ui/qt/pictures.h"

namespace fudo::qt {

namespace {

QString startingRecordFolder() {
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return (!docs.isEmpty() && QDir(docs).exists()) ? docs : QDir::homePath();
}

}  // namespace

MainWindow::MainWindow(std::unique_ptr<SoundLibrary> sound, QWidget* parent)
    : QMainWindow(parent),
      sound_(std::move(sound)),
      canvas_(new QtCanvas(this)),
      controls_(new RecordControls(canvas_, startingRecordFolder())),
      statusLine_(new QLabel(this)),
      dialogs_(this),
      gate_(this) {
    setWindowIcon(QIcon(QPixmap::fromImage(PictureBook::render(-OU, QSize(66, 82)))));
    setCentralWidget(canvas_);
    canvas_->setFocus();
    statusLine_->setObjectName(QStringLiteral("STATUS_LINE"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(statusLine_, 1);

    host_ = std::make_unique<QtHost>(*controls_, QtHost::Hooks{
        [this] { endProgram(); },
        [this] { syncMenu(); },
        [this] { return long(winId()); },
        [this](const QString& text) { showStatus([text] { return translated(text); }); },
        [this] {
            keepSession();
            // The person's move is listed before the computer starts thinking.
            if (exchange_) exchange_->refresh();
        },
        [this](const Host::HintMove& hint, std::string_view words) {
            showStatus([hint, japanese = std::string(words)] { return hintText(hint, japanese); });
        },
        [this] {
            dialogs_.gameEndedQuietly();
            endPanel_->showEnd(QString::fromStdString(game_->終局の文()));
        },
        [this](bool thinking) {
            if (analysis_) analysis_->holdForComputer(thinking);
        },
    });
    game_ = std::make_unique<Game>(*canvas_, dialogs_, *host_, sound_.get());
    settings_ = std::make_unique<WindowSettings>(host_->settingsFolder());
    quitHandler_ = [] { QCoreApplication::exit(0); };
    // Esc while the computer thinks stops the search; the program then ends as Esc says.
    gate_.setEscapeHandler([this] {
        if (!host_->isWorking()) return;
        escapeRequested_ = true;
        host_->stopWork();
    });

    // The language chosen last time, before anything is shown.
    setLanguage(languageFromCode(settings_->choice(QStringLiteral("language"), {QStringLiteral("ja"), QStringLiteral("en")},
                                                   QStringLiteral("ja"))));
    buildMenus();
    exchange_ = new ExchangeActions(*this);
    analysis_ = new AnalysisActions(*this);
    exchange_->setAnnotator([this](対局記録& r) { analysis_->annotate(r); });
    exchange_->setReadListener([this](const 対局記録& r) { analysis_->recordRead(r); });
    addWindowItems();
    applyAids(false);
    baseFont_ = menuBar()->font();
    dialogs_.setFont(baseFont_);
    connect(canvas_, &QtCanvas::sceneMoved, this, [this] { followScale(canvas_->sceneGeometry().scale()); });
    for (int i = 1; i <= 4; ++i) controls_->textBox(i)->installEventFilter(this);
    controls_->folderList()->installEventFilter(this);
    controls_->fileList()->installEventFilter(this);
    if (controls_->driveList()) controls_->driveList()->installEventFilter(this);
    retranslate();
    connect(canvas_, &QtCanvas::pressed, this, &MainWindow::pressedOnBoard);
    connect(canvas_, &QtCanvas::dragged, this, &MainWindow::draggedOnBoard);
    connect(canvas_, &QtCanvas::released, this, &MainWindow::releasedOnBoard);
    // The promotion question stands over its square.
    dialogs_.setCellPlace([this](int x, int y) {
        const QPointF a = canvas_->toLogical(SceneGeometry::cellX(x), SceneGeometry::cellY(y));
        const QPointF b = canvas_->toLogical(SceneGeometry::cellX(x + 1), SceneGeometry::cellY(y + 1));
        return QRect(canvas_->mapToGlobal(a.toPoint()), canvas_->mapToGlobal(b.toPoint()) - QPoint(1, 1));
    });
    connect(controls_, &RecordControls::fileChosen, this, [this](const QString& name) {
        const std::string utf8 = name.toStdString();
        command([this, utf8] {
            if (!mayGiveUpGame(tr("対局をやめて棋譜を読み込みますか？"), tr("棋譜の読込"))) return;
            game_->File1_Click(utf8);
        });
    });
    endPanel_ = new EndPanel(canvas_);
    connect(endPanel_, &EndPanel::newGameRequested, this, [this] { newGameAfterEnd(); });
    connect(endPanel_, &EndPanel::saveRequested, this, [this] { action("KIF_WRITE")->trigger(); });
    // The finished game reviewed at once, as 棋譜 → 解析 would.
    connect(endPanel_, &EndPanel::analyseRequested, this, [this] {
        endPanel_->hide();
        action("ANALYSE")->trigger();
    });
    endPanel_->setAnalysisOffered(true);
    connect(controls_, &RecordControls::returnPressed, this, [this] { command([this] { game_->Command1_Click(); }); });

    // The game's clock ticks every 50 ms while it is running.
    timer_.setInterval(50);
    connect(&timer_, &QTimer::timeout, this, &MainWindow::tick);
    timer_.start();
}

MainWindow::~MainWindow() {
    gate_.setClosed(false);
}

QSize MainWindow::startingCanvasSize(QSize screen) {
    // The game's own 633 × 533 window; on big screens larger, in quarter steps, while it
    // stays within about five eighths of the screen's width and height.
    const QSizeF natural = SceneGeometry::naturalSize();
    double k = std::min(screen.width() / 633.0, screen.height() / 533.0) / 1.6;
    k = std::clamp(std::floor(k * 4) / 4, 1.0, 4.0);
    return (natural * k).toSize();
}

void MainWindow::resizeCanvas(QSize canvasSize) {
    // The bars take their size for the drawing's new scale first; whatever else the window
    // holds (the bars, the move list) keeps its size.
    SceneGeometry scene;
    scene.fit(QSizeF(canvasSize));
    followScale(scene.scale());
    resize(canvasSize + (size() - canvas_->size()));
}

void MainWindow::start() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize canvasSize = startingCanvasSize(screen ? screen->availableGeometry().size() : QSize(1280, 1024));
    // The move list panel, when shown, gets a strip of its own beside the drawing, wide
    // enough for its texts at the drawing's scale.
    MoveListPanel* list = exchange_->panel();
    list->setScale(canvasSize.width() / SceneGeometry::naturalSize().width());
    const int panel = list->isHidden() ? 0 : list->preferredWidth();
    resize(canvasSize.width() + panel,
           canvasSize.height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    // Shown first, so that a message of the start-up (no sound device) stands in front of
    // the window; the first paint comes after the start-up has drawn the board.
    show();
    if (panel) resizeDocks({list}, {panel}, Qt::Horizontal);
    restoreLayout();
    // The last run's game is read before the start-up, which finds no game and would
    // otherwise clear it.
    sessionFile_ = sessionPath();
    std::error_code ec;
    const bool exists = std::filesystem::exists(sessionFile_, ec);
    std::string saved;
    const bool readable = exists && 読込_セッションファイル(sessionFile_, saved);
    command([this] { game_->Form_Load(); });
    if (!ended_) restoreStep();
    if (!ended_) offerSession(exists, readable, saved);
    sessionReady_ = true;
    // How to begin, when nothing else is said.
    if (!ended_ && game_->補助.案内 && game_->TEBAN == 0 && statusLine_->text().isEmpty())
        showStatus([] { return translated("F2 で対局を始めます"); });
    if (!ended_) keepSession();
}

std::filesystem::path MainWindow::sessionPath() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dir);
    return toPath(dir) / "session.json";
}

void MainWindow::offerSession(bool exists, bool readable, const std::string& text) {
    if (!exists) return;
    std::string error;
    bool unfinished = false;
    if (!readable || !検査_セッション(text, error, &unfinished)) {
        // Set aside, so that it is not offered again; the program goes on as usual.
        std::error_code ec;
        std::filesystem::path aside = sessionFile_;
        aside += ".broken";
        std::filesystem::rename(sessionFile_, aside, ec);
        command([this] {
            dialogs_.message(tr("前回の対局は読めないので使いません").toStdString(), tr("前回の対局").toStdString(),
                             Buttons::OK, Icon::Exclamation);
        });
        return;
    }
    if (!unfinished) return;  // cleared once the start-up is over
    command([this, text] {
        if (dialogs_.message(tr("前回の対局を続けますか？").toStdString(), tr("前回の対局").toStdString(), Buttons::YesNo,
                             Icon::None) != Answer::Yes)
            return;
        std::string error;
        if (読込_セッション(*game_, text, error)) 再開_セッション(*game_);
    });
}

void MainWindow::keepSession() {
    if (!sessionReady_ || sessionFile_.empty()) return;
    std::error_code ec;
    if (保存する対局か(*game_))
        書込_セッション(*game_, sessionFile_);
    else if (std::filesystem::exists(sessionFile_, ec))
        std::filesystem::remove(sessionFile_, ec);
}

void MainWindow::applyAids(bool redraw) {
    auto on = [this](const char* name) { return action(name)->isChecked(); };
    statusBar()->setVisible(on("AID_REASON") || on("AID_FLOW"));
    const 補助設定 want{on("AID_TURN"), on("AID_LAST"),    on("AID_GUIDE"),
                        on("AID_PROMOTE"), on("AID_DRAG"), on("AID_FLOW")};
    if (want == game_->補助) return;
    game_->補助 = want;
    // The board is painted again with or without the marks.
    if (redraw) command([this] { game_->画面_再描画(); }, false);
}

void MainWindow::followScale(double s) {
    const double target = std::clamp(std::floor(s * 4) / 4, 1.0, 4.0);
    // Larger at once, smaller only when clearly so: the bars' own height changes the
    // drawing's scale a little, which must not make them flicker between two sizes.
    if (target == uiScale_ || (target < uiScale_ && s > uiScale_ - 0.125)) return;
    uiScale_ = target;
    QFont f = baseFont_;
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * uiScale_);
    else
        f.setPixelSize(int(std::lround(f.pixelSize() * uiScale_)));
    menuBar()->setFont(f);
    for (QMenu* m : menuBar()->findChildren<QMenu*>()) m->setFont(f);
    statusBar()->setFont(f);
    dialogs_.setFont(f);
}

void MainWindow::newGameAgainstTheComputer() {
    const bool gote = settings_->choice(QStringLiteral("game/side"), {QStringLiteral("SENTE"), QStringLiteral("GOTE")},
                                        QStringLiteral("SENTE")) == QLatin1String("GOTE");
    command([this, gote] {
        Game& g = *game_;
        if (!mayGiveUpGame(tr("対局をやめて新しい対局を始めますか？"), tr("新しい対局"))) return;
        g.初期設定();
        if (gote)
            g.GOTE_Click();
        else
            g.SENTE_Click();
    });
}

void MainWindow::newGameAfterEnd() {
    if (game_->TAIKYOKU_MODE == MODE_COM) {
        newGameAgainstTheComputer();
        return;
    }
    command([this] {
        game_->初期設定();
        game_->START_Click();
    });
}

void MainWindow::showHelp() {
    if (!help_) {
        help_ = new HelpWindow(this);
        help_->setFont(dialogs_.font());
        connect(help_, &HelpWindow::aboutRequested, this, [this] { command([this] { game_->VER_Click(); }); });
    }
    help_->showHelp();
}

bool MainWindow::gameUnderWay() const {
    const Game& g = *game_;
    return g.TEBAN != 0 && g.KIFU_MODE == 0 && g.KIFU_LAST > 0 && !g.終局.終わった();
}

bool MainWindow::mayGiveUpGame(const QString& question, const QString& title) {
    // A game with moves on the board, a record being stepped through and a review are only
    // given up when the player says so; the default answer keeps them.
    const Game& g = *game_;
    const bool playing = gameUnderWay();
    const bool shown = (g.KIFU_MODE == 1 && g.KIFU_LAST > 0) || !analysis_->review().局面.empty();
    if (!playing && !shown) return true;
    return dialogs_.askKeeping(playing ? question : tr("棋譜と解析を閉じますか？"), title) == Answer::Yes;
}

void MainWindow::startFromMenu(void (Game::*start)()) {
    command([this, start] {
        // A start command plays on from the position shown. In a game under way that would
        // only redraw it and restart its clock: it asks, as F2 does, and begins a new game.
        if (gameUnderWay()) {
            if (!mayGiveUpGame(tr("対局をやめて新しい対局を始めますか？"), tr("新しい対局"))) return;
            game_->初期設定();
        }
        (game_.get()->*start)();
    });
}

void MainWindow::backToTheStartAsking() {
    command([this] {
        // In a record 最初 steps back to its start and keeps it.
        if (game_->KIFU_MODE != 1 &&
            !mayGiveUpGame(tr("対局をやめて最初の局面に戻りますか？"), translatedCaption("最初")))
            return;
        game_->CANCEL_Click();
    });
}

QAction* MainWindow::action(const char* objectName) const {
    return findChild<QAction*>(QString::fromLatin1(objectName));
}

void MainWindow::command(const std::function<void()>& call, bool dropQueuedInput) {
    if (busy_ || ended_) return;
    busy_ = true;
    gate_.setClosed(true);
    // The live review lets go of the position before the game changes it.
    analysis_->pause();
    struct Position {
        IntMap board;
        std::array<int, 8> lower, upper;
        int shown, turn;
        bool operator==(const Position&) const = default;
    };
    auto position = [this] {
        const Game& g = *game_;
        return Position{g.BAN, g.SITA_MOCHI, g.UE_MOCHI, g.KIFU_NOW, g.TEBAN};
    };
    const Position before = position();
    const int shownBefore = statusShown_;
    call();
    // A line about the position before, and the hint's outline, go once it has changed.
    if (!ended_ && position() != before) {
        if (statusShown_ == shownBefore && !statusLine_->text().isEmpty()) showStatus({});
        game_->ヒント消去();
    }
    // The panel goes once the game is no longer over, and whenever the record controls come
    // out: they lie under it and their RETURN could not be reached.
    if (!ended_ && (!game_->終局.終わった() || controls_->anyShown())) endPanel_->hide();
    // Whatever the command did, the marks follow the game, and the game is kept.
    if (!ended_) {
        game_->描画_補助();
        keepSession();
    }
    syncMenu();
    if (!ended_) {
        exchange_->refresh();
        analysis_->refresh();
    }
    // Clicks and keys that arrived while the game was busy reach the gate now and go no
    // further.
    if (dropQueuedInput && !ended_) QCoreApplication::processEvents();
    gate_.setClosed(false);
    busy_ = false;
    if (!ended_ && closeRequested_) {
        closeRequested_ = false;
        close();
    }
    if (!ended_ && escapeRequested_) {
        escapeRequested_ = false;
        command([this] { game_->Form_KeyPress(KEY_ESC); });
    }
}

void MainWindow::switchLanguage(Language l) {
    if (!setLanguage(l)) l = Language::Japanese;
    settings_->setChoice(QStringLiteral("language"), languageCode(l));
    if (QAction* a = action(l == Language::English ? "LANG_EN" : "LANG_JA")) a->setChecked(true);
    retranslate();
}

void MainWindow::restoreLayout() {
    QSettings& raw = settings_->raw();
    const QByteArray geometry = raw.value(QStringLiteral("window/geometry")).toByteArray();
    const QByteArray state = raw.value(QStringLiteral("window/state")).toByteArray();
    // Whatever the file holds, a broken value leaves the starting layout as it is.
    if (!geometry.isEmpty()) restoreGeometry(geometry);
    if (!state.isEmpty()) restoreState(state);
}

void MainWindow::keepLayout() {
    QSettings& raw = settings_->raw();
    raw.setValue(QStringLiteral("window/geometry"), saveGeometry());
    raw.setValue(QStringLiteral("window/state"), saveState());
    raw.sync();
}

void MainWindow::pressedOnBoard(int button, double X, double Y) {
    if (busy_ || ended_) return;
    drag_ = {};
    emit boardPressed(button, X, Y);
    command([this, button, X, Y] { game_->Form_MouseDown(button, 0, X, Y); });
    const Game& g = *game_;
    if (button == 1 && g.補助.選択解除 && !ended_ && g.選択中の桝(X, Y)) {
        drag_.armed = true;
        drag_.from = canvas_->toLogical(X, Y);
        // The picture as the square shows it: turned with the view.
        drag_.code = g.視点反転 ? -g.SENTAKU_KOMA : g.SENTAKU_KOMA;
    }
}

void MainWindow::draggedOnBoard(double, double, QPointF logical) {
    if (!drag_.armed || busy_ || ended_) return;
    if (!drag_.moving && (logical - drag_.from).manhattanLength() < QApplication::startDragDistance()) return;
    drag_.moving = true;
    canvas_->setDragPiece(drag_.code, logical);
}

void MainWindow::releasedOnBoard(int button, double X, double Y) {
    const bool dropped = drag_.moving && button == 1;
    drag_ = {};
    canvas_->setDragPiece(0, {});
    if (!dropped || busy_ || ended_) return;
    // Let go on the piece's own square, it stays picked; elsewhere is its destination.
    if (game_->SENTAKU != 1 || game_->選択中の桝(X, Y)) return;
    emit boardPressed(button, X, Y);
    command([this, X, Y] { game_->Form_MouseDown(1, 0, X, Y); });
}

void MainWindow::tick() {
    if (ended_ || !game_->Timer1_Enabled) return;
    if (busy_) {
        // A question is open in the person's turn: its time counts and shows, and running
        // out closes it; the command then ends and the next tick ends the game.
        if (dialogs_.isOpen() && game_->時計を見る()) dialogs_.closeOpenBox();
        return;
    }
    // The tick that ends a game on time ends it as any command does: kept, listed, offered.
    if (game_->時間切れか()) {
        command([this] { game_->Timer1_Timer(); });
        return;
    }
    const int shown = game_->HYOUJI_BYOU;
    busy_ = true;
    game_->Timer1_Timer();
    busy_ = false;
    // Under a time control the running turn is kept every second, so that a crash loses
    // no more of it.
    if (game_->対局時間.有効() && game_->HYOUJI_BYOU != shown) keepSession();
}

void MainWindow::endProgram() {
    if (ended_) return;
    keepSession();
    keepLayout();
    ended_ = true;
    timer_.stop();
    dialogs_.setClosing(true);
    dialogs_.closeOpenBox();
    host_->setClosing(true);
    if (!inCloseEvent_) hide();
    if (quitHandler_) quitHandler_();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    if (busy_) {
        // Inside a command (a box or a wait is open): finish it quickly, then close.
        closeRequested_ = true;
        dialogs_.setClosing(true);
        host_->setClosing(true);
        host_->stopWork();
        dialogs_.closeOpenBox();
        event->ignore();
        return;
    }
    inCloseEvent_ = true;
    dialogs_.setClosing(true);
    host_->setClosing(true);
    command([this] { game_->Form_Unload(); }, false);
    // Closing the window ends the program even if the game did not say so.
    endProgram();
    inCloseEvent_ = false;
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) event->accept();  // the key is the control's
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Esc in a text box of the record controls belongs to the box.
    if (qobject_cast<QLineEdit*>(focusWidget())) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    int key = 0;
    // With a piece picked, Esc lets it go (when that aid is on); otherwise it ends the game.
    if (event->key() == Qt::Key_Escape && game_->補助.選択解除 && game_->SENTAKU == 1 && !busy_) {
        drag_ = {};
        canvas_->setDragPiece(0, {});
        command([this] { game_->選択を解く(); });
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        key = KEY_ESC;
    } else if (event->text().size() == 1 && event->text().at(0).unicode() < 128) {
        key = event->text().at(0).unicode();
    }
    if (key == 0) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    command([this, key] { game_->Form_KeyPress(key); });
}

}  // namespace fudo::qt
