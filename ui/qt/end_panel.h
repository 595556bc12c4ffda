// The panel over the board at the end of a game: who won and why in plain words, and the
// ways on (a new game, saving the record, looking the game over, analysing it).
#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QPushButton;

namespace fudo::qt {

class EndPanel : public QFrame {
    Q_OBJECT
public:
    explicit EndPanel(QWidget* board);

    // Shows the panel centred over the board with the end in the game's words (shown in
    // the window's language).
    void showEnd(const QString& japaneseWords);
    void retranslate();
    // The analysis button is shown once something answers analyseRequested.
    void setAnalysisOffered(bool offered);

signals:
    void newGameRequested();
    void saveRequested();
    void analyseRequested();  // the finished game is to be analysed

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QString source_;
    QLabel* title_;
    QLabel* words_;
    QPushButton* newGame_;
    QPushButton* save_;
    QPushButton* review_;
    QPushButton* analyse_;
};

}  // namespace fudo::qt
