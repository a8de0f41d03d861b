// Stands in for the program where a test needs it to run as another user (the list of someone else,
// a list this user may not read) or to hold a list open while a test looks at it from outside.
//   office_list_helper open <folder>     reads the list as 开始 does; prints "opened <count>" or the message
//   office_list_helper save <workbook>   writes 1 into C3 and saves; prints "saved" or the error code
//   office_list_helper hold <workbook>   opens it, prints "ready", and holds it until stdin closes
#include "models/draw/NameList.h"
#include "platform/office/LibreOfficeSpreadsheet.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

namespace {

void say(const QString& text)
{
    std::puts(text.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3)
        return 2;
    const QString mode = arguments.at(1);
    const QString target = arguments.at(2);

    LibreOfficeSpreadsheet engine;
    NameList list(&engine, target);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    input.setEnabled(false);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char byte = 0;
        if (::read(STDIN_FILENO, &byte, 1) <= 0)
            QCoreApplication::quit();
    });

    if (mode == QLatin1String("open")) {
        // Told at once for a file it cannot read, before the event loop runs.
        list.open([&app](const NameList::Problem& problem) {
            say(problem ? problem.text : QStringLiteral("opened"));
            QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
        });
        const int code = QCoreApplication::exec();
        engine.quit();
        return code;
    }
    engine.start([&](const OfficeError& error) {
        if (const OfficeError opened = error ? error : engine.open(target, QStringLiteral("sheet1"))) {
            say(QStringLiteral("error %1 %2").arg(int(opened.code)).arg(opened.detail));
            QCoreApplication::exit(1);
            return;
        }
        if (mode == QLatin1String("save")) {
            engine.setCell(3, 3, CellValue::fromNumber(1));
            const OfficeError saved = engine.save();
            say(saved ? QStringLiteral("error %1 %2").arg(int(saved.code)).arg(saved.detail)
                      : QStringLiteral("saved"));
            QCoreApplication::quit();
            return;
        }
        say(QStringLiteral("ready"));
        input.setEnabled(true);
    });
    const int code = QCoreApplication::exec();
    engine.quit();
    return code;
}
