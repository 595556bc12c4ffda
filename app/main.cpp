// Fudō Shogi (不動将棋): the program. It takes no command-line arguments.
#include <QApplication>

#include "sound/loaded_sound_library.h"
#include "ui/qt/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fudo-shogi"));

    fudo::qt::MainWindow window(std::make_unique<fudo::LoadedSoundLibrary>());
    window.start();
    if (window.hasEnded()) return 0;
    return app.exec();
}
