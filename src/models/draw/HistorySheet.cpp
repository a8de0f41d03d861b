#include "models/draw/HistorySheet.h"

#include "models/draw/RoundSummary.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

namespace historysheet {

QList<QStringList> rows(const QString& listName, const QList<RoundRecord>& rounds)
{
    QList<QStringList> table{{QCoreApplication::translate("HistorySheet", "日期"),
                              QCoreApplication::translate("HistorySheet", "时间"),
                              QCoreApplication::translate("HistorySheet", "名单"),
                              QCoreApplication::translate("HistorySheet", "顺序"),
                              QCoreApplication::translate("HistorySheet", "编号"),
                              QCoreApplication::translate("HistorySheet", "姓名"),
                              QCoreApplication::translate("HistorySheet", "情况")}};
    for (const RoundRecord& round : rounds) {
        const RoundSummary summary = summarise(round);
        const QString date = round.startedAt.toString(QStringLiteral("yyyy-MM-dd"));
        const QString time = round.startedAt.toString(QStringLiteral("HH:mm:ss"));
        const auto add = [&](const QString& order, const namelist::Person& person, const QString& what) {
            table.append({date, time, listName, order, person.number.trimmed(), person.name.trimmed(), what});
        };
        for (int i = 0; i < summary.order.size(); ++i)
            add(QString::number(i + 1), summary.order.at(i),
                QCoreApplication::translate("HistorySheet", "抽中"));
        for (const namelist::Person& person : summary.absent)
            add({}, person, QCoreApplication::translate("HistorySheet", "缺席"));
        for (const namelist::Person& person : summary.undone)
            add({}, person, QCoreApplication::translate("HistorySheet", "撤销"));
    }
    return table;
}

QString csvCell(const QString& text)
{
    QString cell = text;
    static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
    if (!cell.isEmpty() && kFormulaStarts.contains(cell.front()))
        cell.prepend(QLatin1Char('\''));
    if (cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"')) ||
        cell.contains(QLatin1Char('\n')) || cell.contains(QLatin1Char('\r')) || cell != cell.trimmed()) {
        cell.replace(QLatin1String("\""), QLatin1String("\"\""));
        cell = QLatin1Char('"') + cell + QLatin1Char('"');
    }
    return cell;
}

QByteArray csv(const QList<QStringList>& rows)
{
    QByteArray sheet("\xEF\xBB\xBF");
    for (const QStringList& row : rows) {
        QStringList cells;
        for (const QString& text : row)
            cells << csvCell(text);
        sheet += cells.join(QLatin1Char(',')).toUtf8() + "\r\n";
    }
    return sheet;
}

QString writeCsv(const QString& path, const QList<QStringList>& rows)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv(rows)) < 0 || !file.commit())
        return QCoreApplication::translate("HistorySheet", "无法写入 %1：%2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return {};
}

} // namespace historysheet
