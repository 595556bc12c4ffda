// The move list beside the board: a dock listing every move of the game's move list with
// its number, notation and time, the move that led to the shown position marked. A click on
// a row steps there with 戻/進, one move at a time, so a step they refuse is refused the same
// way. The text follows the drawing's scale; the moves are in KIF notation, or in Western
// notation in English.
#pragma once

#include <QDockWidget>
#include <functional>
#include <vector>

#include "analysis/analysis.h"
#include "files/record_file.h"

class QTableWidget;

namespace fudo {
class Game;
}

namespace fudo::qt {

class MoveListPanel : public QDockWidget {
    Q_OBJECT
public:
    // `run` runs a command of the game the way the window runs one.
    MoveListPanel(Game& game, std::function<void(const std::function<void()>&)> run,
                  QWidget* parent = nullptr);

    // Shows the game's move list as it stands.
    void refresh();
    // Shows the title and the headings in the window's language.
    void retranslate();
    // The drawing's scale: logical pixels per pixel of the game's own window.
    void setScale(double scale);

    QTableWidget* table() const { return table_; }
    // A width that shows every column without cutting it, at the current scale.
    int preferredWidth() const;
    // Goes to the position after `moves` moves, stepping with 戻/進.
    void goTo(int moves);
    // The review's marks on the moves (index: move number - 1): "?!", "?", "??" after the
    // move, coloured by weight.
    void setMarks(const std::vector<analysis::印>& marks);

private:
    Game& game_;
    std::function<void(const std::function<void()>&)> run_;
    QTableWidget* table_;
    std::vector<棋譜手> shown_;  // the moves the rows show
    bool shownUpperFirst_ = false;
    int shownGrade_ = 0;
    bool shownEnglish_ = false;
    double scale_ = 1.0;
    int marked_ = -1;
    std::vector<analysis::印> marks_;
    void applyMarks();
};

}  // namespace fudo::qt
