// Settings that belong to the window alone (which panels are shown, which play aids, ...):
// an INI file of their own beside the game's "DAre1.ini", which keeps its format. A
// missing, broken or odd value gives the caller's default without a word.
#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>

namespace fudo::qt {

// The window's settings file in the game's settings folder.
std::unique_ptr<QSettings> openWindowSettings(const std::filesystem::path& settingsFolder);

// Typed reading and writing of that file.
class WindowSettings {
public:
    explicit WindowSettings(const std::filesystem::path& settingsFolder);
    ~WindowSettings();

    static QString fileName() { return QStringLiteral("fudo-window.ini"); }

    // "true" or "false" as written by setFlag; anything else gives the default.
    bool flag(const QString& key, bool fallback) const;
    void setFlag(const QString& key, bool value);
    // One of the allowed words, or the default.
    QString choice(const QString& key, const QStringList& allowed, const QString& fallback) const;
    void setChoice(const QString& key, const QString& value);

    QSettings& raw() { return *settings_; }

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace fudo::qt
