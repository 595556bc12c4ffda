#include "ui/qt/end_panel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/translation.h"

namespace fudo::qt {

EndPanel::EndPanel(QWidget* board)
    : QFrame(board),
      title_(new QLabel(this)),
      words_(new QLabel(this)),
      newGame_(new QPushButton(this)),
      save_(new QPushButton(this)),
      review_(new QPushButton(this)),
      analyse_(new QPushButton(this)) {
    setObjectName(QStringLiteral("END_PANEL"));
    newGame_->setObjectName(QStringLiteral("END_NEW"));
    save_->setObjectName(QStringLiteral("END_SAVE"));
    review_->setObjectName(QStringLiteral("END_REVIEW"));
    analyse_->setObjectName(QStringLiteral("END_ANALYSE"));
    analyse_->hide();
    // Light and framed over any background, so the board stays visible around it.
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);
    setStyleSheet(QStringLiteral("#END_PANEL { background: rgba(255, 250, 235, 235); border: 2px solid #8a5a1c;"
                                 " border-radius: 8px; } QLabel { color: #222; }"));
    QFont big = title_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    title_->setFont(big);
    title_->setAlignment(Qt::AlignCenter);
    words_->setAlignment(Qt::AlignCenter);
    words_->setWordWrap(true);
    words_->setObjectName(QStringLiteral("END_WORDS"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {newGame_, save_, review_, analyse_}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(10);
    layout->addWidget(title_);
    layout->addWidget(words_);
    layout->addLayout(buttons);

    connect(newGame_, &QPushButton::clicked, this, [this] {
        hide();
        emit newGameRequested();
    });
    connect(save_, &QPushButton::clicked, this, &EndPanel::saveRequested);
    // The panel goes; the finished game stays on the board, with 戻/進 and the move list.
    connect(review_, &QPushButton::clicked, this, &QWidget::hide);
    connect(analyse_, &QPushButton::clicked, this, &EndPanel::analyseRequested);
    board->installEventFilter(this);
    retranslate();
    hide();
}

void EndPanel::showEnd(const QString& japaneseWords) {
    source_ = japaneseWords;
    words_->setText(translated(source_));
    show();
    raise();
    place();
    newGame_->setFocus();
}

void EndPanel::retranslate() {
    title_->setText(tr("対局終了"));
    newGame_->setText(tr("新しい対局"));
    save_->setText(tr("棋譜を保存"));
    review_->setText(tr("盤面を見る"));
    analyse_->setText(tr("解析"));
    words_->setText(translated(source_));
    if (isVisible()) place();
}

void EndPanel::setAnalysisOffered(bool offered) { analyse_->setVisible(offered); }

bool EndPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible()) place();
    return QFrame::eventFilter(watched, event);
}

void EndPanel::place() {
    // Centred over the board, a little above the middle so that the kings' rows show.
    adjustSize();
    const QWidget* board = parentWidget();
    const QSize s = sizeHint().boundedTo(board->size());
    resize(s);
    move((board->width() - s.width()) / 2, (board->height() - s.height()) * 2 / 5);
}

}  // namespace fudo::qt
