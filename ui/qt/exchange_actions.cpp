#include "ui/qt/exchange_actions.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QRegularExpression>

#include "notation/record_io.h"
#include "ui/qt/main_window.h"
#include "ui/qt/move_list_panel.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/window_settings.h"

namespace fudo::qt {

namespace {
constexpr const char* kShowMoveList = "panels/moveList";
}

ExchangeActions::ExchangeActions(MainWindow& window)
    : QObject(&window), window_(window),
      panel_(new MoveListPanel(window.game(), [&window](const std::function<void()>& call) { window.command(call); },
                               &window)),
      settings_(openWindowSettings(window.game().host().settingsFolder())) {
    setObjectName(QStringLiteral("EXCHANGE_ACTIONS"));
    chooser_ = [this](bool save, const QString& filter, const QString& proposed) {
        if (!save) return QFileDialog::getOpenFileName(&window_, tr("棋譜を開く"), proposed, filter);
        std::unique_ptr<QFileDialog> dialog(saveDialog(&window_, tr("棋譜の保存"), proposed, filter));
        return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
    };

    auto add = [this](const char* menu, const char* name, const QString& caption) {
        QMenu* m = window_.findChild<QMenu*>(QString::fromLatin1(menu));
        QAction* a = m->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    kifWrite_ = add("KIFU", "KIF_WRITE", tr("KIF形式で保存…"));
    csaWrite_ = add("KIFU", "CSA_WRITE", tr("CSA形式で保存…"));
    kifRead_ = add("KIFU", "KIF_READ", tr("KIF/CSA形式を開く…"));
    sfenCopy_ = add("STOP", "SFEN_COPY", tr("SFENをコピー"));
    connect(kifWrite_, &QAction::triggered, this, [this] { save(false); });
    connect(csaWrite_, &QAction::triggered, this, [this] { save(true); });
    connect(kifRead_, &QAction::triggered, this, [this] { open(); });
    connect(sfenCopy_, &QAction::triggered, this, [this] { copySfen(); });

    // The panel: shown unless the player hid it; the tick lives in ｵﾌﾟｼｮﾝ.
    window_.addDockWidget(Qt::RightDockWidgetArea, panel_);
    QAction* toggle = panel_->toggleViewAction();
    toggle->setObjectName(QStringLiteral("MOVE_LIST"));
    toggle->setText(tr("棋譜欄"));
    window_.findChild<QMenu*>(QStringLiteral("OPTION"))->addAction(toggle);
    panel_->setVisible(settings_->value(kShowMoveList, true).toBool());
    connect(toggle, &QAction::triggered, this, [this](bool shown) {
        settings_->setValue(kShowMoveList, shown);
        settings_->sync();
    });
    connect(window_.canvas(), &QtCanvas::sceneMoved, this,
            [this] { panel_->setScale(window_.canvas()->sceneGeometry().scale()); });
    panel_->setScale(window_.canvas()->sceneGeometry().scale());
}

ExchangeActions::~ExchangeActions() = default;

QFileDialog* ExchangeActions::saveDialog(QWidget* parent, const QString& caption, const QString& proposed,
                                         const QString& filter) {
    auto* dialog = new QFileDialog(parent, caption, proposed, filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    // "KIF形式 UTF-8 (*.kifu)" → "kifu"
    auto suffixOf = [](const QString& nameFilter) {
        static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
        return pattern.match(nameFilter).captured(1);
    };
    dialog->setDefaultSuffix(suffixOf(dialog->selectedNameFilter()));
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog,
                     [dialog, suffixOf](const QString& chosen) { dialog->setDefaultSuffix(suffixOf(chosen)); });
    return dialog;
}

void ExchangeActions::refresh() { panel_->refresh(); }

void ExchangeActions::retranslate() {
    kifWrite_->setText(tr("KIF形式で保存…"));
    csaWrite_->setText(tr("CSA形式で保存…"));
    kifRead_->setText(tr("KIF/CSA形式を開く…"));
    sfenCopy_->setText(tr("SFENをコピー"));
    panel_->retranslate();  // the panel's title names its tick too: set that after it
    panel_->toggleViewAction()->setText(tr("棋譜欄"));
}

QString ExchangeActions::folder() const {
    return QString::fromStdString(window_.game().host().fileListFolder().string());
}

void ExchangeActions::save(bool csa) {
    if (window_.isBusy() || window_.hasEnded()) return;
    Game& g = window_.game();
    // The same refusals as the record file's 書込.
    if (g.HANTEN_FLAG == 1) {
        window_.command([&g] { g.dialogs().message("反転後は書き込みできません", "棋譜書込", Buttons::OK); });
        return;
    }
    const int count = (g.TEBAN != 0 || g.KIFU_MODE == 1) ? g.KIFU_LAST : 0;
    if (count < 1) {
        window_.command([&g] { g.dialogs().message("保存するデータがありません", "棋譜保存", Buttons::OK); });
        return;
    }
    const QString filter = csa ? tr("CSA形式 (*.csa)") : tr("KIF形式 (*.kif);;KIF形式 UTF-8 (*.kifu)");
    const QString file = chooser_(true, filter, QDir(folder()).filePath(csa ? QStringLiteral("棋譜.csa") : QStringLiteral("棋譜.kif")));
    if (file.isEmpty()) return;
    // The dialog has added the chosen format's suffix to a bare name and asked before
    // replacing a file; another suffix is refused rather than added to behind its back.
    const std::filesystem::path path = toPath(file);
    const auto named = 形式_拡張子(path);
    if (!named || (*named == 記録形式::CSA) != csa) {
        window_.command([&g, csa] {
            g.dialogs().message(csa ? "拡張子を .csa にして下さい" : "拡張子を .kif か .kifu にして下さい", "棋譜保存",
                                Buttons::OK);
        });
        return;
    }
    const 記録形式 format = *named;
    window_.command([this, &g, path, format, count] {
        対局記録 r = 作成_対局記録(g, count);
        if (annotate_ && format != 記録形式::CSA) annotate_(r);
        if (auto failure = 書込_記録(path, r, format)) {
            g.dialogs().message("棋譜を書き込めませんでした\n\n" + *failure, "棋譜保存", Buttons::OK, Icon::Exclamation);
            return;
        }
        g.お知らせ("棋譜を書き込みました", "棋譜保存");
    });
}

void ExchangeActions::open() {
    if (window_.isBusy() || window_.hasEnded()) return;
    // A game in progress is given up only when the player says so.
    bool go = true;
    window_.command([this, &go] { go = window_.mayGiveUpGame(tr("対局をやめて棋譜を開きますか？"), tr("棋譜を開く")); });
    if (!go || window_.hasEnded()) return;
    const QString file = chooser_(false, tr("KIF/CSA形式 (*.kif *.kifu *.csa)"), folder());
    if (file.isEmpty()) return;
    const std::filesystem::path path = toPath(file);
    Game& g = window_.game();
    window_.command([this, &g, path] {
        // The whole file is read and checked before anything changes.
        const 記録読込結果 r = 読込_記録(path);
        if (!r.ok) {
            g.dialogs().message("棋譜ﾌｧｲﾙを読み込めません\n\n" + r.error, "棋譜", Buttons::OK);
            return;
        }
        取込_対局記録(g, r.記録);
        if (!r.注記.empty()) g.dialogs().message(r.注記, "棋譜", Buttons::OK);
        if (read_) read_(r.記録);
    });
}

void ExchangeActions::copySfen() {
    if (window_.isBusy() || window_.hasEnded()) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(局面SFEN(window_.game())));
    window_.game().host().setStatusLine("SFENをコピーしました");
}

}  // namespace fudo::qt
