// Stands in for the program in the tests of how it ends: owns a name-list session on the real office
// and saves over and over, so that a signal may come at any point of it. With --orderly it ends on
// SIGTERM, SIGINT and SIGHUP the way the program does.
//   office_owner_helper <workbook> [--orderly]
// Prints "ready" once the workbook is open and "saved" after its first save.
#include "platform/office/LibreOfficeSpreadsheet.h"
#include "platform/processes/TerminationSignals.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <optional>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2)
        return 2;
    const QString workbook = arguments.at(1);

    LibreOfficeSpreadsheet engine;
    std::optional<TerminationSignals> termination;
    if (arguments.contains(QStringLiteral("--orderly"))) {
        termination.emplace();
        QObject::connect(&*termination, &TerminationSignals::requested, &app, [&] {
            engine.quit();
            QCoreApplication::quit();
        });
    }

    int round = 0;
    QTimer saving;
    QObject::connect(&saving, &QTimer::timeout, &app, [&] {
        engine.setCell(3, 3, CellValue::fromNumber(++round));
        if (engine.save())
            return;
        if (round == 1) {
            std::puts("saved");
            std::fflush(stdout);
        }
    });
    engine.start([&](const OfficeError& error) {
        if (error || engine.open(workbook, QStringLiteral("sheet1"))) {
            QCoreApplication::exit(1);
            return;
        }
        std::puts("ready");
        std::fflush(stdout);
        saving.start(0);
    });
    return QCoreApplication::exec();
}
