// Times of the name-list draw against a real LibreOffice: from Start to rolling with a cold engine
// (process start, connection, opening and reading a 200-name list), one draw's write into column C,
// and the save. Each is set against a baseline measured in the same run on the same machine:
// starting and reaping /bin/true, reading one cell, copying the workbook file with fsync.
#include "platform/office/LibreOfficeSpreadsheet.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool startEngine(LibreOfficeSpreadsheet& engine)
{
    QEventLoop loop;
    bool ok = false;
    engine.start([&](const OfficeError& error) {
        ok = !error;
        if (error)
            std::fprintf(stderr, "start failed: %s\n", qPrintable(error.detail));
        loop.quit();
    });
    if (!engine.isRunning() || !ok)
        loop.exec();
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString sample =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VANTREL_SAMPLE_DIR "/name.xls");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("name.xls"));

    // Baseline of a process start.
    std::vector<double> spawn;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        QProcess::execute(QStringLiteral("/bin/true"), {});
        spawn.push_back(timer.nsecsElapsed() / 1e6);
    }

    std::vector<double> cold;
    std::vector<double> writes;
    std::vector<double> reads;
    std::vector<double> saves;
    std::vector<double> copies;
    for (int round = 0; round < 3; ++round) {
        QFile::remove(path);
        QFile::copy(sample, path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        LibreOfficeSpreadsheet engine;
        QElapsedTimer timer;
        timer.start();
        if (!startEngine(engine))
            return 1;
        if (const OfficeError error = engine.open(path, QStringLiteral("sheet1"))) {
            std::fprintf(stderr, "open failed: %s\n", qPrintable(error.detail));
            return 1;
        }
        const int total = cellInt16(engine.cell(1, 1)).value_or(0);
        for (int i = 1; i <= total; ++i) {
            cellText(engine.cell(i + 2, 1));
            cellText(engine.cell(i + 2, 2));
            engine.setCell(i + 2, 3, CellValue::empty());
        }
        cold.push_back(timer.nsecsElapsed() / 1e6);

        for (int i = 1; i <= total; ++i) {
            timer.restart();
            engine.setCell(i + 2, 3, CellValue::fromNumber(i));
            writes.push_back(timer.nsecsElapsed() / 1e6);
            timer.restart();
            engine.cell(i + 2, 2);
            reads.push_back(timer.nsecsElapsed() / 1e6);
        }
        timer.restart();
        if (engine.save())
            return 1;
        saves.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        const QString copy = dir.filePath(QStringLiteral("copy.xls"));
        QFile::remove(copy);
        QFile::copy(path, copy);
        QFile written(copy);
        written.open(QIODevice::ReadWrite);
        ::fsync(written.handle());
        copies.push_back(timer.nsecsElapsed() / 1e6);
        engine.quit();
    }

    std::printf("%-44s %10s %12s %8s\n", "", "median", "baseline", "ratio");
    std::printf("%-44s %8.0f ms %9.2f ms %7.0fx   (start of /bin/true)\n", "Start to rolling, cold engine",
                median(cold), median(spawn), median(cold) / median(spawn));
    std::printf("%-44s %8.3f ms %9.3f ms %7.1fx   (reading one cell)\n", "one draw's write into column C",
                median(writes), median(reads), median(writes) / median(reads));
    std::printf("%-44s %8.1f ms %9.2f ms %7.1fx   (copying the file with fsync)\n",
                "save (write beside, rename)", median(saves), median(copies), median(saves) / median(copies));
    return 0;
}
