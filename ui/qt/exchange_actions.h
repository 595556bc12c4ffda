// The window's commands for the exchange formats: 棋譜 → "KIF形式で保存…", "CSA形式で保存…"
// and "KIF/CSA形式を開く…" with the standard file dialogs, 局面 → "SFENをコピー", and the
// move list panel with its tick in ｵﾌﾟｼｮﾝ, remembered in the window's settings.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QFileDialog;
class QSettings;
class QWidget;

namespace fudo {
struct 対局記録;
}

namespace fudo::qt {

class MainWindow;
class MoveListPanel;

class ExchangeActions : public QObject {
    Q_OBJECT
public:
    explicit ExchangeActions(MainWindow& window);
    ~ExchangeActions() override;

    // Asks for a file: to save (true) or to open; the filter of the dialog; the name
    // proposed. An empty answer cancels. The window asks with QFileDialog; tests answer.
    // A name to save under ends in the suffix of its format, or it is refused.
    using FileChooser = std::function<QString(bool save, const QString& filter, const QString& proposed)>;
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    // The dialog that asks where to save: it adds the suffix of the chosen filter to a bare
    // name before its own question about replacing an existing file.
    static QFileDialog* saveDialog(QWidget* parent, const QString& caption, const QString& proposed,
                                   const QString& filter);

    MoveListPanel* panel() const { return panel_; }
    // Adds what else a saved KIF record carries (the review's comments).
    void setAnnotator(std::function<void(対局記録&)> annotate) { annotate_ = std::move(annotate); }
    // Told of a record read from a KIF/CSA file, once it is on the board.
    void setReadListener(std::function<void(const 対局記録&)> listener) { read_ = std::move(listener); }
    // Follows the game after each of its commands.
    void refresh();
    // Shows the captions in the window's language.
    void retranslate();

private:
    void save(bool csa);
    void open();
    void copySfen();
    QString folder() const;

    MainWindow& window_;
    MoveListPanel* panel_;
    std::unique_ptr<QSettings> settings_;
    FileChooser chooser_;
    std::function<void(対局記録&)> annotate_;
    std::function<void(const 対局記録&)> read_;
    QAction* kifWrite_ = nullptr;
    QAction* csaWrite_ = nullptr;
    QAction* kifRead_ = nullptr;
    QAction* sfenCopy_ = nullptr;
};

}  // namespace fudo::qt
