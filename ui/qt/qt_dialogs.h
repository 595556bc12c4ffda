// Message boxes with the game's texts, titles, buttons and icons; the game waits for the
// answer.
#pragma once

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>

#include "engine/ports.h"

class QMessageBox;
class QWidget;

namespace fudo::qt {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}

    // The game's texts are shown in the window's language.
    Answer message(std::string_view text, std::string_view title, Buttons buttons, Icon icon) override;
    void gameEnd(std::string_view winner) override;
    // The question with いいえ as its default button (a losing move, a file written over).
    Answer confirm(std::string_view text, std::string_view title) override;
    // A question whose default button is No, the answer that keeps what is there.
    Answer askKeeping(const QString& text, const QString& title);
    // A small box at the destination square with the promoted and the plain piece side by
    // side ("yes" and "no" buttons); Esc or closing it answers neither.
    Promotion askPromotion(int promoted, int plain, int x, int y) override;
    // Where a screen cell of the board lies on the screen, for the promotion question.
    void setCellPlace(std::function<QRect(int x, int y)> place) { cellPlace_ = std::move(place); }
    // Called as a game ends, before its box (the game still shows how it ended).
    void setGameEndWatcher(std::function<void()> watcher) { gameEndWatcher_ = std::move(watcher); }
    // A game ended without its box (the flow aid keeps it on the board): the watcher still hears of it.
    void gameEndedQuietly() {
        if (gameEndWatcher_) gameEndWatcher_();
    }

    // While the program is closing no box is shown: the answer is OK, or No to a question.
    void setClosing(bool closing) { closing_ = closing; }
    // Closes a box that is open (its answer is No, or OK), as the program does when it
    // ends; a person can only answer a question with its buttons.
    void closeOpenBox();
    bool isOpen() const { return !open_.isNull(); }
    // The font of the boxes (they follow the window's scale).
    void setFont(const QFont& font) { font_ = font; }
    QFont font() const { return font_; }

private:
    Answer show(const QString& text, const QString& title, Buttons buttons, Icon icon, bool defaultNo = false);

    QWidget* parent_;
    bool closing_ = false;
    std::function<void()> gameEndWatcher_;
    QPointer<QMessageBox> open_;
    QFont font_;
    std::function<QRect(int, int)> cellPlace_;
};

}  // namespace fudo::qt
