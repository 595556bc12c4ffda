#include "ui/qt/qt_dialogs.h"

#include <QMessageBox>
#include <QPushButton>

namespace fudo::qt {

Answer QtDialogs::message(std::string_view text, std::string_view title, Buttons buttons, Icon icon) {
    const Answer refused = buttons == Buttons::YesNo ? Answer::No : Answer::OK;
    if (closing_) return refused;

    QMessageBox box(parent_);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowTitle(QString::fromUtf8(title.data(), qsizetype(title.size())));
    box.setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    box.setTextFormat(Qt::PlainText);
    switch (icon) {
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    }
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    if (buttons == Buttons::YesNo) {
        yes = box.addButton(QString::fromUtf8("はい(&Y)"), QMessageBox::YesRole);
        no = box.addButton(QString::fromUtf8("いいえ(&N)"), QMessageBox::NoRole);
        yes->setObjectName(QStringLiteral("yes"));
        no->setObjectName(QStringLiteral("no"));
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
    } else {
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        ok->setObjectName(QStringLiteral("ok"));
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    }
    open_ = &box;
    box.exec();
    open_.clear();
    if (closing_) return refused;
    if (buttons == Buttons::YesNo) return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    return Answer::OK;
}

void QtDialogs::closeOpenBox() {
    if (open_) open_->reject();
}

}  // namespace fudo::qt
