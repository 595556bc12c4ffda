// Settings that belong to the window alone (which panels are shown, ...): an INI file of their
// own beside the game's "DAre1.ini", which keeps its format.
#pragma once

#include <QSettings>
#include <filesystem>
#include <memory>

namespace fudo::qt {

// The window's settings file in the game's settings folder.
std::unique_ptr<QSettings> openWindowSettings(const std::filesystem::path& settingsFolder);

}  // namespace fudo::qt
