// Answers the game's message boxes without a person: for the window tests and the
// screenshot driver. Every few milliseconds it looks for an open message box, notes its
// title and text, and presses the button a policy names ("yes", "no" or "ok").
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace fudo::qt {

class BoxAnswerer : public QObject {
public:
    // The policy gets the box's text and names the button; by default "yes", else "ok";
    // "default" presses the default button (as Enter does); "none" leaves the box open.
    using Policy = std::function<QString(const QString& text)>;
    explicit BoxAnswerer(QObject* parent = nullptr, Policy policy = {});

    QStringList texts() const { return texts_; }    // every text answered, in order
    QStringList titles() const { return titles_; }
    void clear() { texts_.clear(); titles_.clear(); }
    void setPolicy(Policy policy) { policy_ = std::move(policy); }

private:
    void look();
    QTimer timer_;
    Policy policy_;
    QStringList texts_, titles_;
};

}  // namespace fudo::qt
