#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QString::fromUtf8("不動将棋"));
    w.resize(633, 533);
    w.show();
    return app.exec();
}
