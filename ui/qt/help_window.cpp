#include "ui/qt/help_window.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "engine/constants.h"
#include "ui/qt/pictures.h"
#include "ui/qt/translation.h"

namespace fudo::qt {
namespace {

// The rule in a picture: a king on its square, and a red cross on the square it would
// step to.
QImage ruleDiagram() {
    const QSize cell(66, 82);
    QImage img(cell.width() * 3, cell.height() * 2, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 2; ++y) {
            const int code = (x == 1 && y == 1) ? -OU : (x == 0 && y == 1) ? -KIN : KARA;
            p.drawImage(QPoint(x * cell.width(), y * cell.height()), PictureBook::render(code, cell));
        }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(220, 20, 20), 6, Qt::SolidLine, Qt::RoundCap));
    const QRect target(cell.width() + 14, 16, cell.width() - 28, cell.height() - 32);
    p.drawLine(target.topLeft(), target.bottomRight());
    p.drawLine(target.topRight(), target.bottomLeft());
    return img;
}

QString helpText() {
    QFile f(language() == Language::English ? QStringLiteral(":/help/help_en.html") : QStringLiteral(":/help/help_ja.html"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent), text_(new QTextBrowser(this)), about_(new QPushButton(this)), close_(new QPushButton(this)) {
    setObjectName(QStringLiteral("HELP_WINDOW"));
    text_->setObjectName(QStringLiteral("HELP_TEXT"));
    about_->setObjectName(QStringLiteral("HELP_ABOUT"));
    close_->setObjectName(QStringLiteral("HELP_CLOSE"));
    text_->setOpenExternalLinks(false);
    text_->document()->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("fudo:rule.png")), ruleDiagram());
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(about_);
    buttons->addStretch();
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);
    connect(about_, &QPushButton::clicked, this, &HelpWindow::aboutRequested);
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
    // Beside the game, not in its way: the board still takes clicks while it is open.
    setModal(false);
    resize(560, 620);
    retranslate();
}

void HelpWindow::showHelp() {
    retranslate();
    show();
    raise();
    activateWindow();
}

void HelpWindow::retranslate() {
    setWindowTitle(tr("不動将棋のヘルプ"));
    about_->setText(tr("このプログラムについて"));
    close_->setText(tr("閉じる"));
    text_->setHtml(helpText());
}

}  // namespace fudo::qt
