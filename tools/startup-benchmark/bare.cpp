// The yardstick of the start-up benchmark: a bare Qt 6 window of the main window's size, with
// nothing in it, shown as soon as the application object exists.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(953, 444);
    window.show();
    return app.exec();
}
