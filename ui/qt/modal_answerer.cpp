#include "ui/qt/modal_answerer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace fudo::qt {

ModalAnswerer::ModalAnswerer(QObject* parent, Policy policy) : QObject(parent), policy_(std::move(policy)) {
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::look);
    timer_.start();
}

void ModalAnswerer::look() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || box->property("fudoAnswered").toBool()) return;
    QString choice = policy_ ? policy_(box->text()) : QString();
    if (choice.isEmpty()) choice = QStringLiteral("yes");
    auto* button = box->findChild<QPushButton*>(choice);
    if (!button) button = box->findChild<QPushButton*>(QStringLiteral("ok"));
    if (!button) return;
    box->setProperty("fudoAnswered", true);
    texts_ << box->text();
    titles_ << box->windowTitle();
    button->click();
}

}  // namespace fudo::qt
