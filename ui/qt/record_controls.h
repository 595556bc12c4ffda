// The record-file controls that lie on the window, normally hidden: the folder list, the
// file list of "*.棋譜" files, four labelled text boxes and the "RETURN" button. They are
// placed at their positions in twips and scaled with the drawing.
#pragma once

#include <QObject>
#include <QString>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QWidget;

namespace fudo::qt {

class QtCanvas;

class RecordControls : public QObject {
    Q_OBJECT
public:
    RecordControls(QtCanvas* canvas, const QString& startFolder);

    void setListsVisible(bool drive, bool folder, bool file);
    void setSaveControlsVisible(bool visible);
    // Some of the controls are out (a list, or the text boxes and RETURN).
    bool anyShown() const;

    // Text boxes: 1 file name, 2 game name, 3 first player, 4 second player.
    QString text(int index) const;
    void setText(int index, const QString& text);

    QString folder() const { return folder_; }
    void setFolder(const QString& folder);
    void refreshFiles();

    QListWidget* folderList() const { return folders_; }
    QListWidget* fileList() const { return files_; }
    QLineEdit* textBox(int index) const;
    QLabel* label(int index) const { return labels_.at(index); }
    QPushButton* returnButton() const { return return_; }
    // The list of drives; only where the system has several roots.
    QComboBox* driveList() const { return drives_; }

    // Shows the labels in the window's language.
    void retranslate();

    // Places and sizes every control for the drawing's current scale.
    void layout();

signals:
    void fileChosen(const QString& name);  // a file of the list was clicked
    void returnPressed();                  // the RETURN button

private:
    void folderClicked(QListWidgetItem* item);
    void place(QWidget* w, double left, double top, double width, double height);

    QtCanvas* canvas_;
    QString folder_;
    QComboBox* drives_ = nullptr;
    QListWidget* folders_;
    QListWidget* files_;
    std::array<QLabel*, 4> labels_{};
    std::array<QLineEdit*, 4> boxes_{};  // Text1..Text4
    QPushButton* return_;
};

}  // namespace fudo::qt
