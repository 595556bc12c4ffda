#include "ui/qt/move_list_panel.h"

#include <QFont>
#include <algorithm>
#include <cmath>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

#include "engine/game.h"
#include "notation/game_record.h"
#include "ui/qt/translation.h"
#include "ui/qt/fonts.h"

namespace fudo::qt {

MoveListPanel::MoveListPanel(Game& game, std::function<void(const std::function<void()>&)> run,
                             QWidget* parent)
    : QDockWidget(tr("棋譜"), parent), game_(game), run_(std::move(run)), table_(new QTableWidget(this)) {
    setObjectName(QStringLiteral("MOVE_LIST_PANEL"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    table_->setObjectName(QStringLiteral("MOVE_LIST_TABLE"));
    table_->setColumnCount(3);
    table_->setHorizontalHeaderLabels({tr("手数"), tr("指し手"), tr("時間")});
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setWordWrap(false);
    table_->setShowGrid(false);
    setWidget(table_);
    connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) { goTo(row); });
    refresh();
}

void MoveListPanel::goTo(int moves) {
    run_([this, moves] {
        // One step at a time through the game's own procedures; a refused step (its box
        // already shown) ends the walk where it stands.
        while (game_.KIFU_NOW != moves) {
            const int before = game_.KIFU_NOW;
            if (moves < before) game_.REPLAY_Click();
            else game_.AFTER_Click();
            if (game_.KIFU_NOW == before || game_.終了要求) break;
        }
    });
}

void MoveListPanel::setMarks(const std::vector<analysis::印>& marks) {
    if (marks == marks_) return;
    marks_ = marks;
    applyMarks();
}

void MoveListPanel::applyMarks() {
    // The move's own text is kept in the item's data; the mark follows it.
    for (int row = 1; row < table_->rowCount(); ++row) {
        QTableWidgetItem* item = table_->item(row, 1);
        if (!item) continue;
        QVariant plain = item->data(Qt::UserRole);
        if (!plain.isValid()) {
            plain = item->text();
            item->setData(Qt::UserRole, plain);
        }
        const std::size_t i = std::size_t(row - 1);
        const analysis::印 m = i < marks_.size() ? marks_[i] : analysis::印::なし;
        QString text = plain.toString();
        if (m != analysis::印::なし) text += QStringLiteral(" ") + QString::fromLatin1(analysis::印記号(m));
        item->setText(text);
        item->setForeground(m == analysis::印::大悪手 ? QBrush(QColor(200, 0, 0))
                            : m == analysis::印::悪手 ? QBrush(QColor(215, 95, 0))
                            : m == analysis::印::疑問手 ? QBrush(QColor(160, 120, 0))
                                                      : QBrush());
    }
}

void MoveListPanel::setScale(double scale) {
    if (!(scale > 0)) return;
    scale_ = scale;
    QFont f = font();
    // One face for the kanji and the digits of a move: the game's own, which holds both.
    f.setFamily(minchoFamily());
    f.setPointSizeF(9.0 * scale_);
    setFont(f);  // the title bar too
    table_->setFont(f);
    table_->horizontalHeader()->setFont(f);
    table_->resizeRowsToContents();
    // Never narrower than its columns: a wide window would otherwise squeeze it to a sliver
    // and cut the times. Scales in quarter steps, so that the width this takes from the
    // drawing does not shrink the drawing's scale, and the panel again, back and forth.
    QFont stepped = f;
    stepped.setPointSizeF(9.0 * std::max(1.0, std::ceil(scale_ * 4) / 4));
    const QFontMetrics m(stepped);
    const int pad = m.horizontalAdvance(QLatin1Char('M'));
    setMinimumWidth(m.horizontalAdvance(QStringLiteral("500")) + m.horizontalAdvance(QString::fromUtf8("△８八成銀不成(99)")) +
                    m.horizontalAdvance(QStringLiteral("00:00/00:00:00")) + 8 * pad +
                    table_->verticalScrollBar()->sizeHint().width() + 2 * table_->frameWidth());
}

int MoveListPanel::preferredWidth() const {
    // Room for the widest texts of each column at the current size, and the scroll bar.
    const QFontMetrics m(table_->font());
    const int pad = m.horizontalAdvance(QLatin1Char('M'));
    const int columns = m.horizontalAdvance(QStringLiteral("500")) +
                        m.horizontalAdvance(QString::fromUtf8("△８八成銀不成(99)")) +
                        m.horizontalAdvance(QStringLiteral("00:00/00:00:00")) + 6 * pad;
    return columns + table_->verticalScrollBar()->sizeHint().width() + 2 * table_->frameWidth() + 2 * pad;
}

void MoveListPanel::retranslate() {
    setWindowTitle(tr("棋譜"));
    table_->setHorizontalHeaderLabels({tr("手数"), tr("指し手"), tr("時間")});
    if (QTableWidgetItem* start = table_->item(0, 1)) start->setText(tr("開始局面"));
    refresh();  // the moves in the notation of the language
}

void MoveListPanel::refresh() {
    // A list is shown while a game or a record is on the board.
    const bool active = game_.TEBAN != 0 || game_.KIFU_MODE == 1;
    const int count = active ? std::clamp(game_.KIFU_LAST, 0, KIFU_MAX) : 0;
    const 対局記録 r = 作成_対局記録(game_, count);
    bool rebuilt = false;
    const bool english = language() == Language::English;
    if (r.棋譜.手 != shown_ || r.上手先手 != shownUpperFirst_ || r.手合 != shownGrade_ ||
        table_->rowCount() != count + 1 || english != shownEnglish_) {
        rebuilt = true;
        shown_ = r.棋譜.手;
        shownUpperFirst_ = r.上手先手;
        shownGrade_ = r.手合;
        shownEnglish_ = english;
        const auto texts = english ? 表記_英語手順(r) : 表記_KIF手順(r);
        table_->setRowCount(count + 1);
        auto put = [this](int row, int col, const QString& text) {
            auto* item = new QTableWidgetItem(text);
            if (col != 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(row, col, item);
        };
        put(0, 0, QString());
        put(0, 1, tr("開始局面"));
        put(0, 2, QString());
        for (int i = 1; i <= count; ++i) {
            const std::string& t = texts[static_cast<std::size_t>(i - 1)];
            // ▲ is the bottom side of the record: the first mover, or the handicapped one.
            const bool sente = 向き(r).先手の駒(r.棋譜.手[static_cast<std::size_t>(i - 1)].KOMA);
            const QString mark = sente ? QStringLiteral("▲") : QStringLiteral("△");
            int used, total;
            取得_手の時間(r, i, used, total);
            put(i, 0, QString::number(i));
            put(i, 1, mark + (t.empty() ? QStringLiteral("？") : QString::fromStdString(t)));
            put(i, 2, QStringLiteral("%1:%2/%3:%4:%5")
                          .arg(used / 60)
                          .arg(used % 60, 2, 10, QLatin1Char('0'))
                          .arg(total / 3600, 2, 10, QLatin1Char('0'))
                          .arg((total / 60) % 60, 2, 10, QLatin1Char('0'))
                          .arg(total % 60, 2, 10, QLatin1Char('0')));
        }
        applyMarks();
        table_->resizeRowsToContents();
    }
    // The mark moves with the shown position; the list scrolls only when the mark moved, so
    // a list the player scrolled stays put.
    const int current = std::clamp(game_.KIFU_NOW, 0, count);
    if (!rebuilt && current == marked_ && table_->currentRow() == current) return;
    marked_ = current;
    table_->setCurrentCell(current, 1);
    table_->selectRow(current);
    table_->scrollToItem(table_->item(current, 1), QAbstractItemView::EnsureVisible);
}

}  // namespace fudo::qt
