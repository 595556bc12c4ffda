// Runs the window tests: the canvas and pictures alone, the whole window, its languages,
// and the window under random input. FUDO_UI_TESTS=Window,Exchange runs only those groups
// (test functions named after them then pick within the groups).
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
    const struct {
        const char* name;
        int (*run)(int, char**);
    } groups[] = {{"Canvas", runCanvasTests},     {"Window", runWindowTests},     {"Level4", runLevel4WindowTests},
                  {"Exchange", runExchangeWindowTests}, {"Language", runLanguageTests}, {"Monkey", runWindowMonkeyTests}};
    const QStringList chosen = qEnvironmentVariable("FUDO_UI_TESTS").split(QLatin1Char(','), Qt::SkipEmptyParts);
    int status = 0;
    for (const auto& group : groups)
        if (chosen.isEmpty() || chosen.contains(QLatin1String(group.name))) status |= group.run(argc, argv);
    return status;
}
