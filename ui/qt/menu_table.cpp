// The menu bar, built from one table: object names, captions and check marks as the game
// knows them, each item calling its procedure of the game.
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "ui/qt/main_window.h"

namespace fudo::qt {

namespace {

struct MenuEntry {
    int depth;              // 0 on the bar, 1 in a menu, 2 in a submenu
    const char* name;       // object name
    const char* caption;
    void (Game::*call)();   // for a menu: called when it opens; null for none
    bool メニュー状態::*tick;  // the game's check mark, for checkable items
};

const MenuEntry kMenu[] = {
    {0, "TAIKYOKU", "対局", &Game::見出し_Click, nullptr},
    {1, "MATCH_MAN", "対局(人間)", nullptr, nullptr},
    {2, "START", "スタート", &Game::START_Click, nullptr},
    {1, "START2", "対局(COM)", nullptr, nullptr},
    {2, "SENTE", "先手", &Game::SENTE_Click, nullptr},
    {2, "GOTE", "後手", &Game::GOTE_Click, nullptr},
    {1, "LEVEL", "COM対局ﾚﾍﾞﾙ", nullptr, nullptr},
    {2, "LEVEL1", "LEVEL1", &Game::LEVEL1_Click, &メニュー状態::LEVEL1},
    {2, "LEVEL2", "LEVEL2", &Game::LEVEL2_Click, &メニュー状態::LEVEL2},
    {2, "LEVEL3", "LEVEL3", &Game::LEVEL3_Click, &メニュー状態::LEVEL3},
    {2, "LEVEL4", "LEVEL4", &Game::LEVEL4_Click, &メニュー状態::LEVEL4},
    {1, "HINT", "ヒント", &Game::ヒント_Click, nullptr},
    {1, "OWARI", "終わり", &Game::OWARI_Click, nullptr},
    {0, "STOP", "局面", &Game::見出し_Click, nullptr},
    {1, "CANCEL", "最初", &Game::CANCEL_Click, nullptr},
    {1, "REVERSE", "反転", &Game::REVERSE_Click, nullptr},
    {0, "REPLAY", "戻", &Game::REPLAY_Click, nullptr},
    {0, "AFTER", "進", &Game::AFTER_Click, nullptr},
    {0, "LBEL_UP", "△", &Game::LBEL_UP_Click, nullptr},
    {0, "LEBEL_DOWN", "▽", &Game::LEBEL_DOWN_Click, nullptr},
    {0, "KIFU", "棋譜", nullptr, nullptr},
    {1, "KIFU_READ", "読込", &Game::KIFU_READ_Click, nullptr},
    {1, "KIFU_WRITE", "書込", &Game::KIFU_WRITE_Click, nullptr},
    {0, "OPTION", "ｵﾌﾟｼｮﾝ", &Game::見出し_Click, nullptr},
    {1, "HAIKEI_GA", "背景画", nullptr, nullptr},
    {2, "MIDORI", "緑", &Game::MIDORI_Click, &メニュー状態::MIDORI},
    {2, "TATAMI", "畳", &Game::TATAMI_Click, &メニュー状態::TATAMI},
    {2, "TAKE", "竹", &Game::TAKE_Click, &メニュー状態::TAKE},
    {2, "UCHU", "宇宙", &Game::UCHU_Click, &メニュー状態::UCHU},
    {2, "RENGA", "煉瓦", &Game::RENGA_Click, &メニュー状態::RENGA},
    {1, "SIDOU", "移動指導", &Game::SIDOU_Click, &メニュー状態::SIDOU},
    {1, "KEIKA", "経過時間", &Game::KEIKA_Click, &メニュー状態::KEIKA},
    {1, "BGM", "BGM", &Game::BGM_Click, &メニュー状態::BGM},
    {0, "VER", "その他", &Game::VER_Click, nullptr},
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
};

// Keys of items. Menus show them beside their items; items on the bar, which cannot,
// carry them in their caption.
struct KeyEntry {
    const char* name;
    QKeyCombination key;
    const char* onBar;  // the key as the bar shows it
};
const KeyEntry kKeys[] = {
    {"REPLAY", Qt::Key_Left, "←"},
    {"AFTER", Qt::Key_Right, "→"},
    {"CANCEL", Qt::Key_Home, nullptr},
    {"KIFU_WRITE", Qt::CTRL | Qt::Key_S, nullptr},
    {"KIFU_READ", Qt::CTRL | Qt::Key_O, nullptr},
    {"NEW_COM", Qt::Key_F2, nullptr},
    {"VER", Qt::Key_F1, "F1"},
};

}  // namespace

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* parents[3] = {nullptr, nullptr, nullptr};  // the open menu at each depth
    const int count = int(std::size(kMenu));
    for (int i = 0; i < count; ++i) {
        const MenuEntry& e = kMenu[i];
        const QString name = QString::fromLatin1(e.name), caption = QString::fromUtf8(e.caption);
        const bool isMenu = i + 1 < count && kMenu[i + 1].depth > e.depth;
        const auto call = e.call;
        if (isMenu) {
            QMenu* menu = e.depth == 0 ? bar->addMenu(caption) : parents[e.depth - 1]->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            parents[e.depth] = menu;
            // Opening one of the top menus puts the record-file controls away.
            if (call) connect(menu, &QMenu::aboutToShow, this, [this, call] { command([this, call] { (game_.get()->*call)(); }, false); });
            continue;
        }
        QAction* action = e.depth == 0 ? bar->addAction(caption) : parents[e.depth - 1]->addAction(caption);
        action->setObjectName(name);
        if (e.tick) {
            action->setCheckable(true);
            ticks_.push_back({action, e.tick});
        }
        if (call) connect(action, &QAction::triggered, this, [this, call] { command([this, call] { (game_.get()->*call)(); }); });
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

    const QList<QAction*> onBar = menuBar()->actions();
    for (const KeyEntry& k : kKeys) {
        QAction* a = action(k.name);
        a->setShortcut(QKeySequence(k.key));
        if (k.onBar && onBar.contains(a)) a->setText(a->text() + QLatin1Char(' ') + QString::fromUtf8(k.onBar));
    }
}

void MainWindow::syncMenu() {
    for (const Tick& t : ticks_) t.action->setChecked(game_->MENU.*(t.flag));
}

}  // namespace fudo::qt
