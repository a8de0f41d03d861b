// The baseline of the start-up benchmark: a minimal Qt Widgets program showing one window with a few
// controls, built in the same tree with the same compiler and flags as the program.
#include "ui/support/FirstPaint.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("01 : 00"), &window));
    layout->addWidget(new QPushButton(QStringLiteral("开始"), &window));
    window.show();
    reportFirstPaintWhenAsked(&window);
    return QApplication::exec();
}
