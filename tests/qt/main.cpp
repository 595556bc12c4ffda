// Runs the window tests: the canvas and pictures alone, the whole window, its languages,
// and the window under random input.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int runCanvasTests(int argc, char** argv);
int runWindowTests(int argc, char** argv);
int runLevel4WindowTests(int argc, char** argv);
int runExchangeWindowTests(int argc, char** argv);
int runLanguageTests(int argc, char** argv);
int runWindowMonkeyTests(int argc, char** argv);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fudo-shogi-tests"));
    // Settings go to Qt's test locations, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    int status = runCanvasTests(argc, argv);
    status |= runWindowTests(argc, argv);
    status |= runLevel4WindowTests(argc, argv);
    status |= runExchangeWindowTests(argc, argv);
    status |= runLanguageTests(argc, argv);
    status |= runWindowMonkeyTests(argc, argv);
    return status;
}
