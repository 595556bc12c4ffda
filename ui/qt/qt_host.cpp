#include "ui/qt/qt_host.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QStandardPaths>
#include <QTimer>
#include <atomic>
#include <thread>

#include "ui/qt/record_controls.h"

namespace fudo::qt {

std::filesystem::path toPath(const QString& s) {
#ifdef _WIN32
    return std::filesystem::path(s.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(s).toStdString());
#endif
}

QtHost::QtHost(RecordControls& controls, Hooks hooks) : controls_(controls), hooks_(std::move(hooks)) {
    clock_.start();
}

double QtHost::now() { return clock_.nsecsElapsed() / 1e9; }

void QtHost::wait(double seconds) {
    // The window keeps repainting; user input waits in the queue (and the window drops it
    // when the game's command is over).
    if (closing_ || seconds <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000 + 0.5), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void QtHost::runWork(const std::function<void()>& work, const std::function<void()>& tick,
                     const std::function<void()>& stop) {
    if (closing_) stop();
    if (hooks_.working) hooks_.working(true);
    std::atomic<bool> done{false};
    std::thread worker([&work, &done] {
        work();
        done.store(true, std::memory_order_release);
    });
    stop_ = &stop;
    {
        QEventLoop loop;
        QTimer poll, clock;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (done.load(std::memory_order_acquire)) loop.quit();
        });
        QObject::connect(&clock, &QTimer::timeout, &loop, [&tick] { tick(); });
        poll.start(2);
        clock.start(100);
        // Every event is handled, so that Esc and closing the window get through; the
        // window's input gate drops the rest.
        if (!done.load(std::memory_order_acquire)) loop.exec();
    }
    stop_ = nullptr;
    worker.join();
    if (hooks_.working) hooks_.working(false);
}

void QtHost::stopWork() {
    if (stop_) (*stop_)();
}

void QtHost::quit() {
    if (hooks_.quit) hooks_.quit();
}

void QtHost::setListsVisible(bool drive, bool folder, bool file) { controls_.setListsVisible(drive, folder, file); }

void QtHost::setSaveControlsVisible(bool visible) { controls_.setSaveControlsVisible(visible); }

std::string QtHost::textBox(int index) { return controls_.text(index).toStdString(); }

void QtHost::setTextBox(int index, std::string_view utf8) {
    controls_.setText(index, QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

std::filesystem::path QtHost::fileListFolder() { return toPath(controls_.folder()); }

void QtHost::refreshFileList() { controls_.refreshFiles(); }

std::filesystem::path QtHost::settingsFolder() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(dir);
    return toPath(dir);
}

std::filesystem::path QtHost::soundFolder() {
    // Beside the program, as the game expects; an installed program finds them in its
    // data folder.
    const QString beside = QCoreApplication::applicationDirPath();
    const QString probe = QString::fromUtf8("駒打音.wav");
    if (QFile::exists(beside + QLatin1Char('/') + probe)) return toPath(beside);
    const QString installed = QDir::cleanPath(beside + QLatin1Char('/') + QStringLiteral(FUDO_DATA_FROM_BIN));
    if (QFile::exists(installed + QLatin1Char('/') + probe)) return toPath(installed);
    return toPath(beside);
}

long QtHost::windowHandle() { return hooks_.windowHandle ? hooks_.windowHandle() : 0; }

void QtHost::setStatusLine(std::string_view utf8) {
    if (hooks_.statusLine) hooks_.statusLine(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

void QtHost::showHint(const HintMove& hint, std::string_view words) {
    if (hooks_.hint) hooks_.hint(hint, words);
    else setStatusLine(words);
}

void QtHost::moveMade() {
    if (hooks_.moveMade) hooks_.moveMade();
}

void QtHost::gameOver() {
    if (hooks_.gameOver) hooks_.gameOver();
}

void QtHost::menuChanged() {
    if (hooks_.menuChanged) hooks_.menuChanged();
}

}  // namespace fudo::qt
