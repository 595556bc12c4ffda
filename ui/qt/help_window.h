// The help window (F1): the one rule with a small diagram, how to play, the keys, the
// aids and the records, in the window's language; the about box is reached from it.
#pragma once

#include <QDialog>

class QTextBrowser;
class QPushButton;

namespace fudo::qt {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent);
    // Shows the help in the language in force.
    void showHelp();
    void retranslate();
    QTextBrowser* browser() const { return text_; }

signals:
    void aboutRequested();

private:
    QTextBrowser* text_;
    QPushButton* about_;
    QPushButton* close_;
};

}  // namespace fudo::qt
