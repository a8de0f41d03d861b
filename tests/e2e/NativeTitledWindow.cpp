// A window of "another program" for the end-to-end tests on Wayland compositors: run on Qt's Wayland
// platform it is a native Wayland window, which no X11 tool sees; with accessibility on
// (QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1) the accessibility bus lists it under its title.
// Usage: e2e_native_window <title> [#RRGGBB] [fullscreen]. Stays until killed.
#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: %s <title> [#RRGGBB] [fullscreen]\n", argv[0]);
        return 2;
    }
    QWidget window;
    window.setWindowTitle(arguments.at(1));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(arguments.value(2, QStringLiteral("#808080"))));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.resize(640, 480);
    if (arguments.contains(QStringLiteral("fullscreen")))
        window.showFullScreen();
    else
        window.show();
    return QApplication::exec();
}
