#include "ui/qt/input_gate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

namespace fudo::qt {

void InputGate::setClosed(bool closed) {
    if (closed == closed_) return;
    closed_ = closed;
    if (closed)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
}

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        break;
    default:
        return false;
    }
    if (!watched->isWidgetType()) return false;
    const QWidget* top = static_cast<QWidget*>(watched)->window();
    if (top == window_ || qobject_cast<const QMenu*>(top)) {
        if (escape_ && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            escape_();
        ++dropped_;
        return true;
    }
    return false;
}

}  // namespace fudo::qt
