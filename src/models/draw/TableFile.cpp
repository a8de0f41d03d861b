#include "models/draw/TableFile.h"

#include "models/draw/HistorySheet.h"
#include "models/draw/NameListFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tablefile {

QString writeProblem(const OfficeError& error, const QString& path)
{
    const QString file = QDir::toNativeSeparators(path);
    switch (error.code) {
    case OfficeError::Code::DiskFull:
        return QCoreApplication::translate("TableFile", "磁盘空间已满，文件没有写入：%1").arg(file);
    case OfficeError::Code::WriteProtected:
        return QCoreApplication::translate("TableFile", "文件或它所在的文件夹是只读的，文件没有写入：%1")
            .arg(file);
    case OfficeError::Code::EngineStopped:
    case OfficeError::Code::EngineUnavailable:
        return QCoreApplication::translate("TableFile",
                                           "表格程序 LibreOffice Calc 没有运行，文件没有写入：%1")
            .arg(file);
    default:
        break;
    }
    return QCoreApplication::translate("TableFile", "文件没有写入：%1\n\n%2")
        .arg(file, error.detail.isEmpty() ? QCoreApplication::translate("TableFile", "请检查文件夹可以写入。")
                                          : error.detail);
}

void write(Spreadsheet* engine, const QString& path, const QList<Row>& rows,
           std::function<void(const QString& problem)> done)
{
    if (QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0) {
        QList<QStringList> texts;
        for (const Row& row : rows) {
            QStringList cells;
            for (const CellValue& value : row)
                cells << cellText(value);
            texts << cells;
        }
        done(historysheet::writeCsv(path, texts));
        return;
    }
    if (!engine) {
        done(writeProblem(OfficeError::of(OfficeError::Code::EngineUnavailable), path));
        return;
    }
    engine->start([engine, path, rows, done = std::move(done)](const OfficeError& started) {
        if (started) {
            done(writeProblem(started, path));
            return;
        }
        OfficeError error = engine->createWorkbook(namelist::kSheet);
        for (int r = 0; !error && r < rows.size(); ++r) {
            for (int c = 0; !error && c < rows.at(r).size(); ++c) {
                if (rows.at(r).at(c).kind != CellValue::Kind::Empty)
                    error = engine->setCell(r + 1, c + 1, rows.at(r).at(c));
            }
        }
        if (!error)
            error = engine->saveAs(path);
        engine->quit();
        done(error ? writeProblem(error, path) : QString());
    });
}

} // namespace tablefile
