#include "ui/qt/record_controls.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include "ui/qt/qt_canvas.h"
#include "ui/qt/translation.h"

namespace fudo::qt {

namespace {
constexpr int kPathRole = Qt::UserRole + 1;
const char* const kLabelTexts[4] = {QT_TRANSLATE_NOOP("Game", "ﾌｧｲﾙ名 ："), QT_TRANSLATE_NOOP("Game", "後    手 ："),
                                    QT_TRANSLATE_NOOP("Game", "先    手 ："), QT_TRANSLATE_NOOP("Game", "対 局 名：")};
}  // namespace

RecordControls::RecordControls(QtCanvas* canvas, const QString& startFolder)
    : QObject(canvas), canvas_(canvas) {
    if (QDir::drives().size() > 1) {
        drives_ = new QComboBox(canvas);
        drives_->setObjectName(QStringLiteral("Drive1"));
        for (const QFileInfo& d : QDir::drives()) drives_->addItem(d.absoluteFilePath());
        connect(drives_, &QComboBox::activated, this, [this](int i) {
            const QString root = drives_->itemText(i);
            if (QDir(root).exists()) setFolder(root);  // a drive that is not ready keeps the folder
        });
    }
    folders_ = new QListWidget(canvas);
    folders_->setObjectName(QStringLiteral("Dir1"));
    connect(folders_, &QListWidget::itemClicked, this, &RecordControls::folderClicked);
    files_ = new QListWidget(canvas);
    files_->setObjectName(QStringLiteral("File1"));
    connect(files_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit fileChosen(item->text()); });

    for (int i = 0; i < 4; ++i) {
        labels_[i] = new QLabel(canvas);
        labels_[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        labels_[i]->setAutoFillBackground(true);
        boxes_[i] = new QLineEdit(canvas);
        boxes_[i]->setObjectName(QStringLiteral("Text%1").arg(i + 1));
    }
    return_ = new QPushButton(QStringLiteral("RETURN"), canvas);
    return_->setObjectName(QStringLiteral("Command1"));
    connect(return_, &QPushButton::clicked, this, &RecordControls::returnPressed);

    retranslate();
    connect(canvas, &QtCanvas::sceneMoved, this, &RecordControls::layout);
    setFolder(startFolder);
    setListsVisible(false, false, false);
    setSaveControlsVisible(false);
    layout();
}

void RecordControls::retranslate() {
    for (int i = 0; i < 4; ++i) labels_[i]->setText(translated(kLabelTexts[i]));
}

void RecordControls::setListsVisible(bool drive, bool folder, bool file) {
    if (drives_) drives_->setVisible(drive);
    folders_->setVisible(folder);
    files_->setVisible(file);
    if (folder || file) refreshFiles();
}

void RecordControls::setSaveControlsVisible(bool visible) {
    for (auto* l : labels_) l->setVisible(visible);
    for (auto* b : boxes_) b->setVisible(visible);
    return_->setVisible(visible);
}

bool RecordControls::anyShown() const {
    return (drives_ && !drives_->isHidden()) || !folders_->isHidden() || !files_->isHidden() || !return_->isHidden();
}

QLineEdit* RecordControls::textBox(int index) const {
    return (index >= 1 && index <= 4) ? boxes_[index - 1] : nullptr;
}

QString RecordControls::text(int index) const {
    const QLineEdit* box = textBox(index);
    return box ? box->text() : QString();
}

void RecordControls::setText(int index, const QString& text) {
    if (QLineEdit* box = textBox(index)) box->setText(text);
}

void RecordControls::setFolder(const QString& folder) {
    const QDir dir(folder);
    if (!dir.exists()) return;
    folder_ = dir.absolutePath();
    refreshFiles();
}

void RecordControls::refreshFiles() {
    // The folder list shows the path down to the folder, then the folders inside it.
    folders_->clear();
    const QStyle* style = QApplication::style();
    QStringList chain;
    for (QDir d(folder_);; ) {
        chain.prepend(d.absolutePath());
        if (!d.cdUp()) break;
    }
    int depth = 0;
    for (const QString& path : chain) {
        const QString name = QDir(path).dirName().isEmpty() ? path : QDir(path).dirName();
        auto* item = new QListWidgetItem(style->standardIcon(QStyle::SP_DirOpenIcon),
                                         QString(depth * 2, QLatin1Char(' ')) + name, folders_);
        item->setData(kPathRole, path);
        ++depth;
    }
    folders_->setCurrentRow(folders_->count() - 1);
    const QDir here(folder_);
    for (const QFileInfo& sub : here.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* item = new QListWidgetItem(style->standardIcon(QStyle::SP_DirIcon),
                                         QString(depth * 2, QLatin1Char(' ')) + sub.fileName(), folders_);
        item->setData(kPathRole, sub.absoluteFilePath());
    }

    files_->clear();
    files_->addItems(here.entryList({QString::fromUtf8("*.棋譜")}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void RecordControls::folderClicked(QListWidgetItem* item) {
    const QString path = item->data(kPathRole).toString();
    if (!path.isEmpty() && path != folder_) setFolder(path);
}

void RecordControls::place(QWidget* w, double left, double top, double width, double height) {
    const QPointF a = canvas_->toLogical(left, top), b = canvas_->toLogical(left + width, top + height);
    w->setGeometry(QRectF(a, b).toRect());
}

void RecordControls::layout() {
    const double scale = canvas_->sceneGeometry().scale();
    QFont font = QApplication::font();
    font.setPixelSize(std::max(6, qRound(12 * scale)));  // 9 points at 96 dpi
    const QList<QWidget*> all = {folders_, files_, labels_[0], labels_[1], labels_[2], labels_[3],
                                 boxes_[0], boxes_[1], boxes_[2], boxes_[3], return_};
    for (QWidget* w : all) w->setFont(font);
    const int icon = std::max(8, qRound(16 * scale));
    folders_->setIconSize(QSize(icon, icon));
    if (drives_) {
        drives_->setFont(font);
        place(drives_, 240, 360, 2535, 300);
    }
    place(folders_, 240, 600, 2535, 1710);
    place(files_, 240, 2280, 2535, 930);
    // Rows from the top: game name, first player, second player, file name.
    const double tops[4] = {3120, 2880, 2640, 2400};  // by label index 0..3
    const int boxOfLabel[4] = {0, 3, 2, 1};             // Text1, Text4, Text3, Text2
    for (int i = 0; i < 4; ++i) {
        place(labels_[i], 120, tops[i], 855, 255);
        place(boxes_[boxOfLabel[i]], 960, tops[i], 2295, 270);
    }
    place(return_, 3360, 3000, 855, 375);
}

}  // namespace fudo::qt
