#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// A round's draw order carried over to a list that changed on disk during the round (the teacher
// saved it in their own office): found again in the list as it now is, or kept in a file beside it.
namespace namelist {

// A person as a list row shows them: the number and the name cells as text.
struct Person {
    QString number;
    QString name;
};

// Where each person of the round's list (in its order) stands in the list as it now is: an index
// into now, or -1 when they cannot be told for sure. A person is found by number and name (blanks
// around them aside), else by name alone (the teacher renumbered the list); people with the same
// number and name are paired in the order they are listed, and only when both lists hold as many of
// them. A row is never given to two people.
QList<int> findPeopleAgain(const QList<Person>& round, const QList<Person>& now);

// One draw of the round.
struct Draw {
    int order = 0;
    Person person;
};

// The file beside the list that keeps a round's order: "<list name>-抽签顺序-<date>-<time>.csv",
// with a number added should that name be taken.
QString orderFilePath(const QString& listPath, const QDateTime& when);
// The order as a CSV sheet (UTF-8 with a byte-order mark, so that spreadsheet programs read the
// Chinese right): 顺序, 编号, 姓名, one draw a row in draw order.
QByteArray orderSheet(QList<Draw> draws);
// Writes the order file; empty on success, else why not, for the user.
QString writeOrderFile(const QString& path, const QList<Draw>& draws);
// The order as lines of text ("1. 07 张三"), for a message when no file could keep it.
QString orderLines(QList<Draw> draws);

} // namespace namelist
