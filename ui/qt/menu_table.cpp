// The menu bar, built from one table: object names, captions and check marks as the game
// knows them, each item calling its procedure of the game.
#include <QActionGroup>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>

#include "ui/qt/analysis_actions.h"
#include "ui/qt/end_panel.h"
#include "ui/qt/exchange_actions.h"
#include "ui/qt/help_window.h"
#include "ui/qt/main_window.h"
#include "ui/qt/translation.h"

namespace fudo::qt {

namespace {

struct MenuEntry {
    int depth;              // 0 on the bar, 1 in a menu, 2 in a submenu
    const char* name;       // object name
    const char* caption;    // Japanese; shown in the window's language
    void (Game::*call)();   // for a menu: called when it opens; null for none
    bool メニュー状態::*tick;  // the game's check mark, for checkable items
};

const MenuEntry kMenu[] = {
    {0, "TAIKYOKU", QT_TRANSLATE_NOOP("Menu", "対局"), &Game::見出し_Click, nullptr},
    {1, "MATCH_MAN", QT_TRANSLATE_NOOP("Menu", "対局(人間)"), nullptr, nullptr},
    {2, "START", QT_TRANSLATE_NOOP("Menu", "スタート"), &Game::START_Click, nullptr},
    {1, "START2", QT_TRANSLATE_NOOP("Menu", "対局(COM)"), nullptr, nullptr},
    {2, "SENTE", QT_TRANSLATE_NOOP("Menu", "先手"), &Game::SENTE_Click, nullptr},
    {2, "GOTE", QT_TRANSLATE_NOOP("Menu", "後手"), &Game::GOTE_Click, nullptr},
    {1, "LEVEL", QT_TRANSLATE_NOOP("Menu", "COM対局ﾚﾍﾞﾙ"), nullptr, nullptr},
    {2, "LEVEL1", QT_TRANSLATE_NOOP("Menu", "LEVEL1"), &Game::LEVEL1_Click, &メニュー状態::LEVEL1},
    {2, "LEVEL2", QT_TRANSLATE_NOOP("Menu", "LEVEL2"), &Game::LEVEL2_Click, &メニュー状態::LEVEL2},
    {2, "LEVEL3", QT_TRANSLATE_NOOP("Menu", "LEVEL3"), &Game::LEVEL3_Click, &メニュー状態::LEVEL3},
    {2, "LEVEL4", QT_TRANSLATE_NOOP("Menu", "LEVEL4"), &Game::LEVEL4_Click, &メニュー状態::LEVEL4},
    {1, "HINT", QT_TRANSLATE_NOOP("Menu", "ヒント"), &Game::ヒント_Click, nullptr},
    {1, "OWARI", QT_TRANSLATE_NOOP("Menu", "終わり"), &Game::OWARI_Click, nullptr},
    {0, "STOP", QT_TRANSLATE_NOOP("Menu", "局面"), &Game::見出し_Click, nullptr},
    {1, "CANCEL", QT_TRANSLATE_NOOP("Menu", "最初"), &Game::CANCEL_Click, nullptr},
    {1, "REVERSE", QT_TRANSLATE_NOOP("Menu", "反転"), &Game::REVERSE_Click, nullptr},
    {0, "REPLAY", QT_TRANSLATE_NOOP("Menu", "戻"), &Game::REPLAY_Click, nullptr},
    {0, "AFTER", QT_TRANSLATE_NOOP("Menu", "進"), &Game::AFTER_Click, nullptr},
    {0, "LBEL_UP", QT_TRANSLATE_NOOP("Menu", "△"), &Game::LBEL_UP_Click, nullptr},
    {0, "LEBEL_DOWN", QT_TRANSLATE_NOOP("Menu", "▽"), &Game::LEBEL_DOWN_Click, nullptr},
    {0, "KIFU", QT_TRANSLATE_NOOP("Menu", "棋譜"), nullptr, nullptr},
    {1, "KIFU_READ", QT_TRANSLATE_NOOP("Menu", "読込"), &Game::KIFU_READ_Click, nullptr},
    {1, "KIFU_WRITE", QT_TRANSLATE_NOOP("Menu", "書込"), &Game::KIFU_WRITE_Click, nullptr},
    {0, "OPTION", QT_TRANSLATE_NOOP("Menu", "ｵﾌﾟｼｮﾝ"), &Game::見出し_Click, nullptr},
    {1, "HAIKEI_GA", QT_TRANSLATE_NOOP("Menu", "背景画"), nullptr, nullptr},
    {2, "MIDORI", QT_TRANSLATE_NOOP("Menu", "緑"), &Game::MIDORI_Click, &メニュー状態::MIDORI},
    {2, "TATAMI", QT_TRANSLATE_NOOP("Menu", "畳"), &Game::TATAMI_Click, &メニュー状態::TATAMI},
    {2, "TAKE", QT_TRANSLATE_NOOP("Menu", "竹"), &Game::TAKE_Click, &メニュー状態::TAKE},
    {2, "UCHU", QT_TRANSLATE_NOOP("Menu", "宇宙"), &Game::UCHU_Click, &メニュー状態::UCHU},
    {2, "RENGA", QT_TRANSLATE_NOOP("Menu", "煉瓦"), &Game::RENGA_Click, &メニュー状態::RENGA},
    {1, "SIDOU", QT_TRANSLATE_NOOP("Menu", "移動指導"), &Game::SIDOU_Click, &メニュー状態::SIDOU},
    {1, "KEIKA", QT_TRANSLATE_NOOP("Menu", "経過時間"), &Game::KEIKA_Click, &メニュー状態::KEIKA},
    {1, "BGM", QT_TRANSLATE_NOOP("Menu", "BGM"), &Game::BGM_Click, &メニュー状態::BGM},
    {0, "VER", QT_TRANSLATE_NOOP("Menu", "その他"), &Game::VER_Click, nullptr},
};

// The play aids' ticks, on unless the window's settings say otherwise.
struct AidEntry {
    const char* name;
    const char* caption;
    const char* key;
};
const AidEntry kAids[] = {
    {"AID_TURN", QT_TRANSLATE_NOOP("fudo::qt::MainWindow", "手番の表示"), "aids/turn"},
    {"AID_LAST", QT_TRANSLATE_NOOP("fudo::qt::MainWindow", "最後の手の色"), "aids/lastMove"},
    {"AID_GUIDE", QT_TRANSLATE_NOOP("fudo::qt::MainWindow", "移動指導の色"), "aids/guidance"},
    {"AID_REASON", QT_TRANSLATE_NOOP("fudo::qt::MainWindow", "拒否の理由"), "aids/reasons"},
    {"AID_PROMOTE", QT_TRANSLATE_NOOP("fudo::qt::MainWindow", "成るかを尋ねる"), "aids/promotion"},
    {"AID_DRAG", QT_TRANSLATE_NOOP("fudo::qt::MainWindow", "ドラッグと選択の取り消し"), "aids/drag"},
    {"AID_FLOW", QT_TRANSLATE_NOOP("fudo::qt::MainWindow", "対局の案内"), "aids/flow"},
    {"AID_LADDER", QT_TRANSLATE_NOOP("fudo::qt::MainWindow", "強さの段階"), "aids/ladder"},
};

// The time controls of the menu, by their word in the settings.
struct TimeControlEntry {
    const char* word;
    const char* caption;
    持ち時間 control;
};
const TimeControlEntry kTimeControls[] = {
    {"none", QT_TRANSLATE_NOOP("fudo::qt::MainWindow", "なし（経過時間）"), {}},
    {"10m+30s", QT_TRANSLATE_NOOP("fudo::qt::MainWindow", "10分 + 秒読み30秒"), {持ち時間方式::秒読み, 600, 30, 0}},
    {"30s", QT_TRANSLATE_NOOP("fudo::qt::MainWindow", "秒読み30秒"), {持ち時間方式::秒読み, 0, 30, 0}},
    {"5m+10s/move", QT_TRANSLATE_NOOP("fudo::qt::MainWindow", "5分 + 1手ごとに10秒（フィッシャー）"),
     {持ち時間方式::フィッシャー, 300, 0, 10}},
    {"10m", QT_TRANSLATE_NOOP("fudo::qt::MainWindow", "10分 切れ負け"), {持ち時間方式::切れ負け, 600, 0, 0}},
    {"3m", QT_TRANSLATE_NOOP("fudo::qt::MainWindow", "3分 切れ負け"), {持ち時間方式::切れ負け, 180, 0, 0}},
};

// Keys of items. Menus show them beside their items; items on the bar, which cannot,
// carry them in their caption.
struct KeyEntry {
    const char* name;
    QKeyCombination key;
    const char* onBar;   // the key as the bar shows it
    bool asks = false;   // the key asks before it gives up a game with moves; the item does not
};
const KeyEntry kKeys[] = {
    {"REPLAY", Qt::Key_Left, "←"},
    {"AFTER", Qt::Key_Right, "→"},
    {"CANCEL", Qt::Key_Home, nullptr, true},
    {"KIFU_WRITE", Qt::CTRL | Qt::Key_S, nullptr},
    {"KIFU_READ", Qt::CTRL | Qt::Key_O, nullptr},
    {"NEW_COM", Qt::Key_F2, nullptr},
    {"HELP", Qt::Key_F1, "F1"},
    {"MATTA", Qt::CTRL | Qt::Key_Z, nullptr},
    {"FLIP", Qt::CTRL | Qt::Key_T, nullptr},
};

}  // namespace

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* parents[3] = {nullptr, nullptr, nullptr};  // the open menu at each depth
    const int count = int(std::size(kMenu));
    for (int i = 0; i < count; ++i) {
        const MenuEntry& e = kMenu[i];
        const QString name = QString::fromLatin1(e.name), caption = translatedCaption(e.caption);
        const bool isMenu = i + 1 < count && kMenu[i + 1].depth > e.depth;
        const auto call = e.call;
        if (isMenu) {
            QMenu* menu = e.depth == 0 ? bar->addMenu(caption) : parents[e.depth - 1]->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            captions_.push_back({menu->menuAction(), e.caption});
            parents[e.depth] = menu;
            // Opening one of the top menus puts the record-file controls away.
            if (call) connect(menu, &QMenu::aboutToShow, this, [this, call] { command([this, call] { (game_.get()->*call)(); }, false); });
            continue;
        }
        QAction* action = e.depth == 0 ? bar->addAction(caption) : parents[e.depth - 1]->addAction(caption);
        action->setObjectName(name);
        captions_.push_back({action, e.caption});
        if (e.tick) {
            action->setCheckable(true);
            ticks_.push_back({action, e.tick});
        }
        const bool starts = call == &Game::SENTE_Click || call == &Game::GOTE_Click || call == &Game::START_Click;
        if (starts)
            connect(action, &QAction::triggered, this, [this, call] { startFromMenu(call); });
        else if (call == &Game::CANCEL_Click)
            connect(action, &QAction::triggered, this, [this] {
                command([this] {
                    // The item does what it always did, but a review goes only on Yes.
                    if (game_->KIFU_MODE != 1 && !analysis_->review().局面.empty() &&
                        dialogs_.askKeeping(tr("棋譜と解析を閉じますか？"), translatedCaption("最初")) != Answer::Yes)
                        return;
                    game_->CANCEL_Click();
                });
            });
        else if (call)
            connect(action, &QAction::triggered, this, [this, call] { command([this, call] { (game_.get()->*call)(); }); });
        // The window's own item at the end of ｵﾌﾟｼｮﾝ: the language, named in both.
        if (e.depth > 0 && std::string_view(e.name) == "BGM") {
            QMenu* languages = parents[0]->addMenu(QStringLiteral("言語 / Language"));
            languages->menuAction()->setObjectName(QStringLiteral("LANGUAGE"));
            auto* group = new QActionGroup(languages);
            const struct {
                const char* name;
                const char* caption;
                Language language;
            } choices[] = {{"LANG_JA", "日本語", Language::Japanese}, {"LANG_EN", "English", Language::English}};
            for (const auto& c : choices) {
                QAction* a = languages->addAction(QString::fromUtf8(c.caption));
                a->setObjectName(QString::fromLatin1(c.name));
                a->setCheckable(true);
                a->setChecked(language() == c.language);
                group->addAction(a);
                const Language l = c.language;
                connect(a, &QAction::triggered, this, [this, l] { switchLanguage(l); });
            }
        }
    }
    // The hint's key, shown beside it.
    action("HINT")->setShortcut(QKeySequence(Qt::Key_H));
}

void MainWindow::addWindowItems() {
    // A new game against the computer, on the side chosen last.
    QMenu* com = findChild<QMenu*>(QStringLiteral("START2"));
    QAction* again = com->addAction(tr("新しい対局"));
    again->setObjectName(QStringLiteral("NEW_COM"));
    connect(again, &QAction::triggered, this, [this] { newGameAgainstTheComputer(); });
    connect(action("SENTE"), &QAction::triggered, this, [this] { settings_->setChoice(QStringLiteral("game/side"), QStringLiteral("SENTE")); });
    connect(action("GOTE"), &QAction::triggered, this, [this] { settings_->setChoice(QStringLiteral("game/side"), QStringLiteral("GOTE")); });

    // Take back, and the time control of the next game.
    QMenu* game = findChild<QMenu*>(QStringLiteral("TAIKYOKU"));
    QAction* matta = new QAction(tr("待った"), this);
    matta->setObjectName(QStringLiteral("MATTA"));
    game->insertAction(action("HINT"), matta);
    connect(matta, &QAction::triggered, this, [this] { command([this] { game_->待った_Click(); }); });
    QMenu* clocks = new QMenu(tr("持ち時間"), this);
    clocks->setObjectName(QStringLiteral("TIME_CONTROL"));
    clocks->menuAction()->setObjectName(QStringLiteral("TIME_CONTROL"));
    game->insertMenu(action("HINT"), clocks);
    auto* clockGroup = new QActionGroup(clocks);
    QStringList words;
    for (const TimeControlEntry& e : kTimeControls) words << QString::fromLatin1(e.word);
    const QString chosen = settings_->choice(QStringLiteral("game/timeControl"), words, QStringLiteral("none"));
    for (const TimeControlEntry& e : kTimeControls) {
        QAction* a = clocks->addAction(tr(e.caption));
        const QString word = QString::fromLatin1(e.word);
        a->setObjectName(QStringLiteral("TIME_") + word);
        a->setCheckable(true);
        a->setChecked(word == chosen);
        clockGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, word] {
            chooseTimeControl(word);
            settings_->setChoice(QStringLiteral("game/timeControl"), word);
        });
    }
    chooseTimeControl(chosen);
    // Turning the view, beside 反転 which turns the game.
    QAction* flip = new QAction(tr("盤を回す"), this);
    flip->setObjectName(QStringLiteral("FLIP"));
    findChild<QMenu*>(QStringLiteral("STOP"))->addAction(flip);
    connect(flip, &QAction::triggered, this, [this] { command([this] { game_->盤を回す_Click(); }); });

    QMenu* aids = findChild<QMenu*>(QStringLiteral("OPTION"))->addMenu(tr("補助表示"));
    aids->setObjectName(QStringLiteral("AIDS"));
    aids->menuAction()->setObjectName(QStringLiteral("AIDS"));
    for (const AidEntry& e : kAids) {
        QAction* a = aids->addAction(tr(e.caption));
        a->setObjectName(QString::fromLatin1(e.name));
        a->setCheckable(true);
        const QString key = QString::fromLatin1(e.key);
        a->setChecked(settings_->flag(key, true));
        aids_.push_back({a, key});
        connect(a, &QAction::toggled, this, [this, key](bool on) {
            settings_->setFlag(key, on);
            applyAids(true);
        });
    }

    addLadderItems();
    // Help on the bar, after the about box it leads to.
    QAction* help = menuBar()->addAction(translatedCaption(QT_TRANSLATE_NOOP("Menu", "ヘルプ")));
    help->setObjectName(QStringLiteral("HELP"));
    captions_.push_back({help, QT_TRANSLATE_NOOP("Menu", "ヘルプ")});
    connect(help, &QAction::triggered, this, [this] { showHelp(); });

    const QList<QAction*> onBar = menuBar()->actions();
    for (const KeyEntry& k : kKeys) {
        QAction* a = action(k.name);
        if (k.asks) {
            // Its own shortcut, so that the item keeps doing what it always did; the menu
            // still shows the key beside it.
            auto* key = new QShortcut(QKeySequence(k.key), this);
            key->setObjectName(QString::fromLatin1(k.name) + QStringLiteral("_KEY"));
            connect(key, &QShortcut::activated, this, [this] { backToTheStartAsking(); });
            a->setText(a->text() + QLatin1Char('\t') + QKeySequence(k.key).toString(QKeySequence::NativeText));
            continue;
        }
        a->setShortcut(QKeySequence(k.key));
        if (k.onBar && onBar.contains(a)) a->setText(a->text() + QLatin1Char(' ') + QString::fromUtf8(k.onBar));
    }
}

void MainWindow::chooseTimeControl(const QString& word) {
    for (const TimeControlEntry& e : kTimeControls)
        if (word == QLatin1String(e.word)) game_->持ち時間設定 = e.control;
}

void MainWindow::retranslate() {
    // Captions keep the key shown beside them on the bar.
    for (const Caption& c : captions_) {
        QString text = translatedCaption(c.japanese);
        for (const KeyEntry& k : kKeys)
            if (k.asks && c.action == action(k.name))
                text += QLatin1Char('\t') + QKeySequence(k.key).toString(QKeySequence::NativeText);
            else if (k.onBar && c.action == action(k.name) && menuBar()->actions().contains(c.action))
                text += QLatin1Char(' ') + QString::fromUtf8(k.onBar);
        c.action->setText(text);
    }
    if (QAction* again = action("NEW_COM")) again->setText(tr("新しい対局"));
    if (QMenu* aids = findChild<QMenu*>(QStringLiteral("AIDS"))) aids->setTitle(tr("補助表示"));
    for (const AidEntry& e : kAids)
        if (QAction* a = action(e.name)) a->setText(tr(e.caption));
    if (QAction* a = action("MATTA")) a->setText(tr("待った"));
    if (QAction* a = action("FLIP")) a->setText(tr("盤を回す"));
    if (QMenu* m = findChild<QMenu*>(QStringLiteral("TIME_CONTROL"))) m->setTitle(tr("持ち時間"));
    for (const TimeControlEntry& e : kTimeControls)
        if (QAction* a = findChild<QAction*>(QStringLiteral("TIME_") + QString::fromLatin1(e.word))) a->setText(tr(e.caption));
    setWindowTitle(translated(QT_TRANSLATE_NOOP("Game", "不動将棋")));
    controls_->retranslate();
    if (exchange_) exchange_->retranslate();
    if (endPanel_) endPanel_->retranslate();
    if (help_) help_->retranslate();
    if (analysis_) analysis_->retranslate();
    canvas_->retranslate();
    if (statusText_) statusLine_->setText(statusText_());
}

void MainWindow::showStatus(std::function<QString()> text) {
    ++statusShown_;
    statusText_ = std::move(text);
    statusLine_->setText(statusText_ ? statusText_() : QString());
}

void MainWindow::syncMenu() {
    for (const Tick& t : ticks_) t.action->setChecked(game_->MENU.*(t.flag));
    syncLadder();
}

}  // namespace fudo::qt
