#include "ui/qt/window_settings.h"

#include <QDir>
#include <QString>

namespace fudo::qt {

std::unique_ptr<QSettings> openWindowSettings(const std::filesystem::path& settingsFolder) {
    const QString folder = QString::fromStdString(settingsFolder.string());
    return std::make_unique<QSettings>(QDir(folder).filePath(QStringLiteral("fudo-window.ini")),
                                       QSettings::IniFormat);
}

}  // namespace fudo::qt
