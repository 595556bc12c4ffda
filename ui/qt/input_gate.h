// Shuts the main window off from the user while the game is busy: while the computer
// thinks, during the half-second waits, and just after, when the input that queued up
// meanwhile is thrown away rather than acted on late. Message boxes stay usable.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace fudo::qt {

class InputGate : public QObject {
public:
    explicit InputGate(QWidget* window) : window_(window) {}

    void setClosed(bool closed);
    bool isClosed() const { return closed_; }
    int dropped() const { return dropped_; }  // input events thrown away so far
    // Called for Esc pressed while the gate is shut (instead of dropping it silently).
    void setEscapeHandler(std::function<void()> handler) { escape_ = std::move(handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    bool closed_ = false;
    int dropped_ = 0;
    std::function<void()> escape_;
};

}  // namespace fudo::qt
