#include "ui/qt/window_settings.h"

#include <QDir>

namespace fudo::qt {

std::unique_ptr<QSettings> openWindowSettings(const std::filesystem::path& settingsFolder) {
    const QString folder = QString::fromStdString(settingsFolder.string());
    return std::make_unique<QSettings>(QDir(folder).filePath(WindowSettings::fileName()), QSettings::IniFormat);
}

WindowSettings::WindowSettings(const std::filesystem::path& settingsFolder)
    : settings_(openWindowSettings(settingsFolder)) {}

WindowSettings::~WindowSettings() = default;

bool WindowSettings::flag(const QString& key, bool fallback) const {
    const QString v = settings_->value(key).toString();
    if (v == QLatin1String("true")) return true;
    if (v == QLatin1String("false")) return false;
    return fallback;
}

void WindowSettings::setFlag(const QString& key, bool value) {
    settings_->setValue(key, value ? QStringLiteral("true") : QStringLiteral("false"));
    settings_->sync();
}

QString WindowSettings::choice(const QString& key, const QStringList& allowed, const QString& fallback) const {
    const QString v = settings_->value(key).toString();
    return allowed.contains(v) ? v : fallback;
}

void WindowSettings::setChoice(const QString& key, const QString& value) {
    settings_->setValue(key, value);
    settings_->sync();
}

}  // namespace fudo::qt
