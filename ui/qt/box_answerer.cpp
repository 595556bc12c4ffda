#include "ui/qt/box_answerer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace fudo::qt {

BoxAnswerer::BoxAnswerer(QObject* parent, Policy policy) : QObject(parent), policy_(std::move(policy)) {
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, &BoxAnswerer::look);
    timer_.start();
}

void BoxAnswerer::look() {
    QMessageBox* box = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible() && !b->property("fudoAnswered").toBool())
            box = b;
    if (!box) return;
    QString choice = policy_ ? policy_(box->text()) : QString();
    if (choice.isEmpty()) choice = QStringLiteral("yes");
    if (choice == QLatin1String("none")) {  // left open on purpose
        box->setProperty("fudoAnswered", true);
        texts_ << box->text();
        titles_ << box->windowTitle();
        return;
    }
    auto* button = choice == QLatin1String("default") ? box->defaultButton() : box->findChild<QPushButton*>(choice);
    if (!button) button = box->findChild<QPushButton*>(QStringLiteral("ok"));
    if (!button) return;
    box->setProperty("fudoAnswered", true);
    texts_ << box->text();
    titles_ << box->windowTitle();
    button->click();
}

}  // namespace fudo::qt
