#include "ui/qt/qt_dialogs.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QShortcut>
#include <algorithm>

#include "ui/qt/pictures.h"
#include "ui/qt/translation.h"

namespace fudo::qt {
namespace {

// A question is answered by its two buttons only: Esc and the window's close button
// would otherwise count as "No", which can end the program or drop a record.
class AnswerBox : public QMessageBox {
public:
    AnswerBox(QWidget* parent, bool buttonsOnly) : QMessageBox(parent), buttonsOnly_(buttonsOnly) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (buttonsOnly_ && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (buttonsOnly_) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool buttonsOnly_;
};

}  // namespace

Answer QtDialogs::message(std::string_view text, std::string_view title, Buttons buttons, Icon icon) {
    return show(translated(text), translated(title), buttons, icon);
}

Answer QtDialogs::confirm(std::string_view text, std::string_view title) {
    return show(translated(text), translated(title), Buttons::YesNo, Icon::None, true);
}

Answer QtDialogs::askKeeping(const QString& text, const QString& title) {
    return show(text, title, Buttons::YesNo, Icon::None, true);
}

void QtDialogs::gameEnd(std::string_view winner) {
    if (gameEndWatcher_) gameEndWatcher_();
    show(gameEndText(winner), translated("終了"), Buttons::OK, Icon::None);
}

Answer QtDialogs::show(const QString& text, const QString& title, Buttons buttons, Icon icon, bool defaultNo) {
    const Answer refused = buttons == Buttons::YesNo ? Answer::No : Answer::OK;
    if (closing_) return refused;

    // Not modal in Qt's sense: the window's input gate already keeps the board, the menus
    // and the keys shut while the game waits for the answer, and a window that is not
    // blocked by a modal box can still be closed by the window manager, which ends the
    // program cleanly.
    AnswerBox box(parent_, buttons == Buttons::YesNo);
    box.setFont(font_);
    box.setWindowModality(Qt::NonModal);
    box.setWindowTitle(title);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (icon) {
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    }
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    if (buttons == Buttons::YesNo) {
        yes = box.addButton(translated(QT_TRANSLATE_NOOP("Game", "はい(&Y)")), QMessageBox::YesRole);
        no = box.addButton(translated(QT_TRANSLATE_NOOP("Game", "いいえ(&N)")), QMessageBox::NoRole);
        yes->setObjectName(QStringLiteral("yes"));
        no->setObjectName(QStringLiteral("no"));
        box.setDefaultButton(defaultNo ? no : yes);
    } else {
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        ok->setObjectName(QStringLiteral("ok"));
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    }
    // Wide enough for its title, which a short text would otherwise cut to "…".
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int titleWidth = QFontMetrics(box.font()).horizontalAdvance(title) + 120;
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    open_ = &box;
    QEventLoop loop;
    QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
    box.show();
    box.raise();
    box.activateWindow();
    loop.exec();
    open_.clear();
    if (closing_) return refused;
    if (buttons == Buttons::YesNo) return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    return Answer::OK;
}

Dialogs::Promotion QtDialogs::askPromotion(int promoted, int plain, int x, int y) {
    if (closing_) return Promotion::Cancel;
    AnswerBox box(parent_, false);
    box.setFont(font_);
    box.setWindowModality(Qt::NonModal);
    box.setWindowTitle(translated(QT_TRANSLATE_NOOP("Game", "成り")));
    box.setText(translated(QT_TRANSLATE_NOOP("Game", "成りますか？")));
    box.setIcon(QMessageBox::NoIcon);
    const QRect cell = cellPlace_ ? cellPlace_(x, y) : QRect(0, 0, 48, 58);
    const QSize face(std::max(24, cell.width()), std::max(29, cell.height()));
    const qreal ratio = parent_ ? parent_->devicePixelRatioF() : 1.0;
    auto addPiece = [&](int code, const char* name, const char* tip) {
        // Action roles: neither button is the one Esc presses.
        QPushButton* b = box.addButton(QString(), QMessageBox::ActionRole);
        b->setObjectName(QString::fromLatin1(name));
        QPixmap picture = QPixmap::fromImage(PictureBook::render(code, (QSizeF(face) * ratio).toSize()));
        picture.setDevicePixelRatio(ratio);
        b->setIcon(QIcon(picture));
        b->setIconSize(face);
        b->setToolTip(translated(tip));
        b->setAccessibleName(translated(tip));
        return b;
    };
    QPushButton* yes = addPiece(promoted, "yes", QT_TRANSLATE_NOOP("Game", "成る"));
    addPiece(plain, "no", QT_TRANSLATE_NOOP("Game", "不成"));
    box.setDefaultButton(yes);
    // Esc answers neither: the pick stays.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &box);
    QObject::connect(escape, &QShortcut::activated, &box, &QDialog::reject);
    open_ = &box;
    QEventLoop loop;
    QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
    box.adjustSize();
    // Over the destination, kept on the screen.
    if (cellPlace_) {
        QPoint at = cell.center() - QPoint(box.width() / 2, box.height() / 2);
        if (const QScreen* screen = parent_ ? parent_->screen() : nullptr) {
            const QRect room = screen->availableGeometry();
            at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - box.width())));
            at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - box.height())));
        }
        box.move(at);
    }
    box.show();
    box.raise();
    box.activateWindow();
    loop.exec();
    open_.clear();
    if (closing_ || !box.clickedButton()) return Promotion::Cancel;
    return box.clickedButton() == yes ? Promotion::Promote : Promotion::Plain;
}

void QtDialogs::closeOpenBox() {
    if (open_) open_->reject();
}

}  // namespace fudo::qt
