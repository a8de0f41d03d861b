#include "models/draw/NameListOrder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <algorithm>

namespace namelist {

namespace {

QString keyOf(const Person& person, bool withNumber)
{
    const QString name = person.name.trimmed();
    return withNumber ? person.number.trimmed() + QChar(0x1f) + name : name;
}

// Pairs the people of the round not placed yet with the rows of now not taken yet that share their
// key, where both lists hold as many of that key.
void pairByKey(const QList<Person>& round, const QList<Person>& now, bool withNumber, QList<int>* rows,
               QList<bool>* taken)
{
    QHash<QString, QList<int>> waiting;
    QHash<QString, QList<int>> free;
    for (int i = 0; i < round.size(); ++i) {
        if ((*rows)[i] < 0 && !round[i].name.trimmed().isEmpty())
            waiting[keyOf(round[i], withNumber)] << i;
    }
    for (int i = 0; i < now.size(); ++i) {
        if (!(*taken)[i] && !now[i].name.trimmed().isEmpty())
            free[keyOf(now[i], withNumber)] << i;
    }
    for (auto it = waiting.cbegin(); it != waiting.cend(); ++it) {
        const QList<int> candidates = free.value(it.key());
        if (candidates.size() != it.value().size())
            continue;
        for (int k = 0; k < candidates.size(); ++k) {
            (*rows)[it.value()[k]] = candidates[k];
            (*taken)[candidates[k]] = true;
        }
    }
}

QList<Draw> inDrawOrder(QList<Draw> draws)
{
    std::stable_sort(draws.begin(), draws.end(),
                     [](const Draw& a, const Draw& b) { return a.order < b.order; });
    return draws;
}

QByteArray csvField(const QString& text)
{
    QString field = text;
    if (field.contains(QLatin1Char('"')) || field.contains(QLatin1Char(',')) ||
        field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r')) || field != field.trimmed()) {
        field.replace(QLatin1String("\""), QLatin1String("\"\""));
        field = QLatin1Char('"') + field + QLatin1Char('"');
    }
    return field.toUtf8();
}

} // namespace

QList<int> findPeopleAgain(const QList<Person>& round, const QList<Person>& now)
{
    QList<int> rows(round.size(), -1);
    QList<bool> taken(now.size(), false);
    pairByKey(round, now, true, &rows, &taken);
    pairByKey(round, now, false, &rows, &taken);
    return rows;
}

QString orderFilePath(const QString& listPath, const QDateTime& when)
{
    const QFileInfo list(listPath);
    const QString stem = list.completeBaseName() + QStringLiteral("-抽签顺序-") +
                         when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = list.dir().filePath(stem + QStringLiteral(".csv"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = list.dir().filePath(stem + QStringLiteral("-%1.csv").arg(n));
    return path;
}

QByteArray orderSheet(QList<Draw> draws)
{
    QByteArray sheet("\xEF\xBB\xBF");
    sheet += QStringLiteral("顺序,编号,姓名\r\n").toUtf8();
    for (const Draw& draw : inDrawOrder(std::move(draws)))
        sheet += QByteArray::number(draw.order) + ',' + csvField(draw.person.number) + ',' +
                 csvField(draw.person.name) + "\r\n";
    return sheet;
}

QString writeOrderFile(const QString& path, const QList<Draw>& draws)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(orderSheet(draws));
        if (file.commit())
            return {};
    }
    return file.errorString();
}

QString orderLines(QList<Draw> draws)
{
    QStringList lines;
    for (const Draw& draw : inDrawOrder(std::move(draws))) {
        const QString number = draw.person.number.trimmed();
        lines << QStringLiteral("%1. %2%3")
                     .arg(draw.order)
                     .arg(number.isEmpty() ? QString() : number + QLatin1Char(' '),
                          draw.person.name.trimmed());
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace namelist
