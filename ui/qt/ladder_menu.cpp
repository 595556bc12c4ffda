// The strength steps of level 4 in the level menu, with their measured strength; the step
// chosen is remembered in the window's settings, and after a game against the computer the
// status line suggests the next rung, up after a win and down after a loss.
#include <QAction>
#include <QMenu>
#include <QStatusBar>

#include "engine/ladder.h"
#include "search/strength.h"
#include "ui/qt/main_window.h"
#include "ui/qt/window_settings.h"

namespace fudo::qt {

namespace {

const QString kStepKey = QStringLiteral("game/step");

// "LEVEL4-2  (LEVEL3 +240)", or the name alone for the levels (full level 4 in the window
// thinks longer than it was measured) and a step not measured.
QString rungCaption(int rung) {
    const QString name = QString::fromStdString(段の名前(rung));
    int elo = 0;
    if (rung <= 2 || rung >= 段の数() - 1 || !段の強さ(rung, elo)) return name;
    return name + QStringLiteral("  (LEVEL3 %1%2)").arg(elo > 0 ? QStringLiteral("+") : QString()).arg(elo);
}

}  // namespace

void MainWindow::addLadderItems() {
    QMenu* levels = findChild<QMenu*>(QStringLiteral("LEVEL"));
    QAction* ladderAid = action("AID_LADDER");
    // Weakest first, between LEVEL3 and full LEVEL4, as the ladder climbs.
    QAction* full = action("LEVEL4");
    QAction* separator = levels->insertSeparator(full);
    separator->setObjectName(QStringLiteral("STEP_SEPARATOR"));
    for (int k = 1; k <= search::StepCount; ++k) {
        QAction* a = new QAction(rungCaption(2 + k), levels);
        levels->insertAction(full, a);
        a->setObjectName(QStringLiteral("STEP%1").arg(k));
        a->setCheckable(true);
        steps_.push_back(a);
        connect(a, &QAction::triggered, this, [this, k] {
            settings_->setChoice(kStepKey, QString::number(k));
            command([this, k] { game_->段階_Click(k); });
        });
    }
    // Full level 4 and the levels below forget the step.
    for (const char* name : {"LEVEL1", "LEVEL2", "LEVEL3", "LEVEL4"})
        connect(action(name), &QAction::triggered, this, [this] { settings_->setChoice(kStepKey, QStringLiteral("0")); });

    auto showSteps = [this, separator](bool on) {
        for (QAction* a : steps_) a->setVisible(on);
        separator->setVisible(on);
        // Without the steps, a step in force becomes full level 4.
        if (!on && game_->COM_STEP > 0) command([this] { game_->段階_Click(0); });
    };
    showSteps(ladderAid->isChecked());
    connect(ladderAid, &QAction::toggled, this, showSteps);

    // The rung to suggest is taken as the game ends, before a new game resets the state.
    dialogs_.setGameEndWatcher([this, ladderAid] {
        suggestedRung_ = ladderAid->isChecked() ? 次の段(*game_) : -1;
        wonLast_ = suggestedRung_ > 現在の段(*game_);
    });
}

void MainWindow::restoreStep() {
    // Only while the steps are shown.
    QStringList allowed;
    for (int k = 0; k <= search::StepCount; ++k) allowed << QString::number(k);
    const int remembered = settings_->choice(kStepKey, allowed, QStringLiteral("0")).toInt();
    if (!action("AID_LADDER")->isChecked() || remembered == 0) return;
    command([this, remembered] {
        game_->COM_STEP = remembered;
        game_->レベル_設定(4);
    });
}

void MainWindow::syncLadder() {
    const int step = game_->COM_LEVEL == 4 ? game_->COM_STEP : 0;
    for (int k = 1; k <= int(steps_.size()); ++k) steps_[size_t(k - 1)]->setChecked(step == k);
    if (step > 0) action("LEVEL4")->setChecked(false);
    if (suggestedRung_ < 0) return;
    const QString rung = rungCaption(suggestedRung_);
    const bool up = wonLast_;
    suggestedRung_ = -1;
    if (!statusBar()->isVisible()) return;
    showStatus([rung, up] {
        return (up ? tr("勝ちました。次は一つ上の %1 はいかがですか（COM対局ﾚﾍﾞﾙで選べます）")
                   : tr("負けました。次は一つ下の %1 はいかがですか（COM対局ﾚﾍﾞﾙで選べます）"))
            .arg(rung);
    });
}

}  // namespace fudo::qt
