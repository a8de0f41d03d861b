// The baseline of the idle-cost benchmark: a bare Qt Widgets program on the same X server with a
// 100 ms timer that does nothing. What any Qt program pays for being alive and ticking.
#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTimer tick;
    tick.setInterval(100);
    QObject::connect(&tick, &QTimer::timeout, [] {});
    tick.start();
    return QApplication::exec();
}
