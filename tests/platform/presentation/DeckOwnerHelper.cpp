// Stands in for the program in the tests of how it ends during a deck's conversion. With --orderly it
// turns SIGTERM, SIGINT and SIGHUP into its own exit the way the program does.
//   deck_owner_helper <deck> <cache folder> [--orderly] [--office=<program>]
// Prints "converting" when the office is about to start, then the PDF's path or the error.
#include "platform/office/DeckConverter.h"
#include "platform/processes/TerminationSignals.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cstdio>
#include <optional>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3)
        return 2;
    std::optional<TerminationSignals> termination;
    if (arguments.contains(QStringLiteral("--orderly")))
        termination.emplace();

    const QStringList office = arguments.filter(QRegularExpression(QStringLiteral("^--office=")));
    DeckConverter converter(arguments.at(2), office.isEmpty() ? DeckConverter::findOffice()
                                                              : office.first().section(QLatin1Char('='), 1));
    converter.onConversionStart([](const QString&) {
        std::puts("converting");
        std::fflush(stdout);
    });
    const DeckPdf pdf = converter.toPdf(arguments.at(1));
    std::puts(qPrintable(pdf.path.isEmpty() ? pdf.error : pdf.path));
    return pdf.path.isEmpty() ? 1 : 0;
}
