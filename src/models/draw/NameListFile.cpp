#include "models/draw/NameListFile.h"

#include "platform/DocumentLockPath.h"
#include "platform/files/FileAccess.h"
#include "platform/files/InPlaceWrite.h"
#include "platform/files/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cmath>

namespace namelist {

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString whereText(const QString& path)
{
    return QCoreApplication::translate("NameListFile", "名单文件：%1\n\n").arg(native(path));
}

} // namespace

QString findFile(const QString& folder)
{
    for (const char* name : {"name.xls", "name.xlsx", "name.ods"}) {
        const QString found = findFileIgnoringCase(folder, QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return QDir(folder).filePath(QStringLiteral("name.xls"));
}

OfficeError fileProblem(const QString& path)
{
    if (const OfficeError problem = readProblem(path))
        return problem;
    if (const QString obstacle = lockObstacle(path); !obstacle.isEmpty())
        return OfficeError::of(OfficeError::Code::LockInTheWay, obstacle);
    return OfficeError::none();
}

StatedCount readStatedCount(const CellValue& a1, const QString& path)
{
    const QString where = whereText(path);
    const QString hint = QCoreApplication::translate(
        "NameListFile", "单元格 A1 应填写参加抽签的总人数（1 到 200 之间的整数）。");
    double number = 0;
    switch (a1.kind) {
    case CellValue::Kind::Empty:
        return {0,
                {},
                where + QCoreApplication::translate("NameListFile", "工作表 sheet1 的单元格 A1 是空的。") +
                    hint};
    case CellValue::Kind::Error:
        break;
    case CellValue::Kind::Number:
        number = a1.number;
        break;
    case CellValue::Kind::Text: {
        bool ok = false;
        number = a1.text.trimmed().toDouble(&ok);
        if (!ok)
            number = NAN;
        break;
    }
    }
    if (a1.kind == CellValue::Kind::Error || !std::isfinite(number))
        return {
            0,
            {},
            where +
                QCoreApplication::translate("NameListFile", "工作表 sheet1 的单元格 A1 不是人数（“%1”）。")
                    .arg(cellText(a1)) +
                hint};
    // Nobody is half a person: a count of 7.5 covers seven rows, and the teacher hears of it.
    const double whole = std::floor(number);
    if (whole < 1)
        return {0,
                {},
                where +
                    QCoreApplication::translate("NameListFile", "工作表 sheet1 的单元格 A1 中的人数是 %1。")
                        .arg(cellText(a1).trimmed()) +
                    hint};
    const qint64 count = whole > 1e9 ? qint64(1e9) : qint64(whole);
    QString note;
    if (whole != number)
        note = QCoreApplication::translate("NameListFile", "单元格 A1 中的人数 %1 不是整数，按 %2 人计。")
                   .arg(cellText(a1).trimmed())
                   .arg(count);
    return {count, note, {}};
}

Selection selectParticipants(qint64 statedCount, const QStringList& names, int namesBelow, int maxEntries,
                             const QString& path)
{
    Selection selection;
    for (int i = 0; i < names.size(); ++i) {
        if (!names.at(i).trimmed().isEmpty())
            selection.indexes << i;
    }
    const int named = int(selection.indexes.size());
    const int lastRow = kFirstEntryRow + int(names.size()) - 1;
    const bool capped = statedCount > maxEntries;

    if (capped)
        selection.notes << QCoreApplication::translate("NameListFile",
                                                       "单元格 A1 写的是 %1 人，但一轮最多 %2 人。")
                               .arg(statedCount)
                               .arg(maxEntries);
    if (named < names.size()) {
        const QString rows = QCoreApplication::translate("NameListFile", "第 %1 到第 %2 行中只有 %3 个姓名")
                                 .arg(kFirstEntryRow)
                                 .arg(lastRow)
                                 .arg(named);
        selection.notes << (capped ? rows
                                   : QCoreApplication::translate("NameListFile", "单元格 A1 写的是 %1 人，但")
                                             .arg(statedCount) +
                                         rows) +
                               QCoreApplication::translate("NameListFile", "；没有姓名的行不参加抽签。");
    }
    if (namesBelow > 0) {
        const QString total =
            QCoreApplication::translate("NameListFile", "名单中共有 %1 个姓名").arg(named + namesBelow);
        selection.notes << (capped ? total
                                   : QCoreApplication::translate("NameListFile", "单元格 A1 写的是 %1 人，但")
                                             .arg(statedCount) +
                                         total) +
                               QCoreApplication::translate(
                                   "NameListFile", "：只有第 %1 到第 %2 行参加抽签，下面的 %3 个姓名不参加。")
                                   .arg(kFirstEntryRow)
                                   .arg(lastRow)
                                   .arg(namesBelow);
    }
    if (named == 0) {
        selection.problem =
            whereText(path) +
            QCoreApplication::translate("NameListFile", "第 %1 到第 %2 行的 B 列中没有姓名，没有人可以抽签。")
                .arg(kFirstEntryRow)
                .arg(lastRow) +
            QCoreApplication::translate(
                "NameListFile", "请从第 %1 行起在 A 列填写编号、B 列填写姓名，并在单元格 A1 填写总人数。")
                .arg(kFirstEntryRow);
        selection.notes.clear();
    }
    return selection;
}

QString caveatText(const QString& path, const QStringList& notes, WriteProtection protection, int taking)
{
    QString protectionNote;
    if (protection == WriteProtection::File)
        protectionNote = QCoreApplication::translate("NameListFile", "名单文件是只读的（写保护）");
    else if (protection == WriteProtection::Folder)
        protectionNote =
            QCoreApplication::translate("NameListFile", "名单文件所在的文件夹是只读的（写保护）");
    if (!protectionNote.isEmpty())
        protectionNote += QCoreApplication::translate(
            "NameListFile", "：可以照常抽签，但抽签顺序不会写入名单文件，文件保持原样。"
                            "若要记录抽签顺序，请先取消只读属性，再点击“开始”。");

    if (notes.isEmpty()) {
        if (protectionNote.isEmpty())
            return {};
        return whereText(path) + protectionNote +
               QCoreApplication::translate("NameListFile", "\n\n仍要抽签吗？");
    }
    QString text = whereText(path) + notes.join(QLatin1Char('\n'));
    if (!protectionNote.isEmpty())
        text += QLatin1Char('\n') + protectionNote;
    text += QCoreApplication::translate(
                "NameListFile",
                "\n\n本轮按 %1 人抽签。如果名单有误，请选“否”，点击“修改名单”改正并保存后，再点击“开始”。"
                "\n\n要按这 %1 人抽签吗？")
                .arg(taking);
    return text;
}

QString openProblem(const OfficeError& error, const QString& path)
{
    const QString file = native(path);
    switch (error.code) {
    case OfficeError::Code::None:
        return {};
    case OfficeError::Code::FileMissing:
        // Without the data folder, the folder is what to mend, not the list.
        if (const QString folder = ProgramFolder::whyMissing(QFileInfo(path).absolutePath());
            !folder.isEmpty())
            return folder + QCoreApplication::translate("NameListFile",
                                                        "\n\n名单工作簿 name.xls 要放在这个文件夹中。");
        return QCoreApplication::translate("NameListFile",
                                           "找不到名单文件：%1\n\n请把名单工作簿 name.xls 放在这个文件夹中。")
            .arg(file);
    case OfficeError::Code::NotAFile:
        return QCoreApplication::translate(
                   "NameListFile", "名单文件的位置上是一个%1，不是工作簿：%2\n\n"
                                   "请把它改名或移到别处，再把名单工作簿 name.xls 放在这里，然后点击“开始”。")
            .arg(error.detail.isEmpty() ? QCoreApplication::translate("NameListFile", "文件夹")
                                        : error.detail,
                 file);
    case OfficeError::Code::NotAWorkbook: {
        QString text =
            QCoreApplication::translate(
                "NameListFile", "名单文件无法读取：%1\n\n它不是有效的工作簿（%2）。请在表格程序中打开它看看；"
                                "如果那里也打不开，请换用名单的备份。")
                .arg(file, error.detail.isEmpty()
                               ? QCoreApplication::translate("NameListFile", "文件已损坏或格式不对")
                               : error.detail);
        // A save cut short (the computer stopped) leaves the list's last good content beside it.
        if (const QString backup = inPlaceBackupPath(path); QFileInfo(backup).isFile())
            text +=
                QCoreApplication::translate(
                    "NameListFile", "\n\n名单旁边有上次保存前的名单：%1（隐藏文件），可以用它替换名单文件。")
                    .arg(native(backup));
        return text;
    }
    case OfficeError::Code::NotReadable:
        return QCoreApplication::translate(
                   "NameListFile", "没有权限读取名单文件：%1\n\n名单文件本身没有问题，请不要删除它。"
                                   "请让文件的所有者或管理员允许你读取这个文件（以及它所在的文件夹），"
                                   "再点击“开始”。")
            .arg(file);
    case OfficeError::Code::LockInTheWay:
        return QCoreApplication::translate(
                   "NameListFile",
                   "名单旁边的锁定文件 %1 是一个%2，不是表格程序的锁定文件，名单无法打开：%3\n\n"
                   "名单文件本身没有问题。请删除或移走这个%2，再点击“开始”。")
            .arg(native(officeLockPath(path)), error.detail, file);
    case OfficeError::Code::PasswordProtected:
        return QCoreApplication::translate(
                   "NameListFile",
                   "名单文件设置了打开密码，本程序无法读取：%1\n\n"
                   "请在表格程序中用密码打开它，去掉密码后保存（另存为时不勾选“使用密码保存”），"
                   "再点击“开始”。")
            .arg(file);
    case OfficeError::Code::SheetMissing:
        return QCoreApplication::translate(
                   "NameListFile",
                   "名单文件中没有工作表“sheet1”：%1\n\n请把写有名单的工作表命名为 sheet1 并保存，"
                   "再点击“开始”。")
            .arg(file);
    case OfficeError::Code::HeldByOther:
        return QCoreApplication::translate(
                   "NameListFile",
                   "名单文件正被 %1 打开：%2\n\n请先在那里保存并关闭它，再点击“开始”。"
                   "如果并没有程序打开它（例如表格程序曾意外退出），请删除名单旁边的锁定文件 %3，"
                   "再点击“开始”。")
            .arg(error.detail, file, native(officeLockPath(path)));
    case OfficeError::Code::DiskFull:
        return QCoreApplication::translate(
                   "NameListFile",
                   "磁盘空间已满，名单文件无法读取：%1\n\n名单文件本身没有损坏，请不要删除它。"
                   "请删除不需要的文件、腾出磁盘空间后，再点击“开始”。")
            .arg(file);
    case OfficeError::Code::EngineUnavailable:
        return QCoreApplication::translate("NameListFile",
                                           "无法启动表格程序 LibreOffice Calc，名单文件没有读取：%1\n\n%2")
            .arg(file, error.detail);
    case OfficeError::Code::EngineStopped:
    case OfficeError::Code::WriteProtected:
    case OfficeError::Code::WriteFailed:
    case OfficeError::Code::ChangedOnDisk:
        break;
    }
    return QCoreApplication::translate(
               "NameListFile",
               "表格程序 LibreOffice Calc 意外停止，名单文件没有读取：%1\n\n请再点击一次“开始”。")
        .arg(file);
}

QString saveProblem(const OfficeError& error, const QString& path)
{
    const QString file = native(path);
    switch (error.code) {
    case OfficeError::Code::DiskFull:
        return QCoreApplication::translate(
                   "NameListFile",
                   "磁盘空间已满，本轮的抽签顺序没有保存到名单文件：%1\n\n"
                   "名单文件保持上次保存时的内容，没有损坏。请删除不需要的文件、腾出磁盘空间。")
            .arg(file);
    case OfficeError::Code::WriteProtected:
        return QCoreApplication::translate("NameListFile",
                                           "名单文件是只读的，本轮的抽签顺序没有保存：%1\n\n文件保持原样。"
                                           "若要记录抽签顺序，请先取消只读属性。")
            .arg(file);
    case OfficeError::Code::ChangedOnDisk:
        return QCoreApplication::translate("NameListFile",
                                           "名单文件刚刚又被修改并保存过，本轮的抽签顺序没有写入：%1\n\n"
                                           "为了不覆盖这些修改，名单文件保持现在的样子。")
            .arg(file);
    case OfficeError::Code::EngineStopped:
    case OfficeError::Code::EngineUnavailable:
        return QCoreApplication::translate(
                   "NameListFile",
                   "表格程序 LibreOffice Calc 意外停止，本轮的抽签顺序没有保存到名单文件：%1\n\n"
                   "名单文件保持上次保存时的内容。")
            .arg(file);
    default:
        break;
    }
    return QCoreApplication::translate(
               "NameListFile", "本轮的抽签顺序没有保存到名单文件：%1\n\n%2名单文件保持上次保存时的内容。"
                               "请检查名单所在的文件夹还在、可以写入（例如 U 盘是否已拔出）。")
        .arg(file, error.detail.isEmpty() ? QString() : error.detail + QLatin1Char('\n'));
}

QString writeProblem(const QString& path)
{
    return QCoreApplication::translate("NameListFile",
                                       "表格程序 LibreOffice Calc 意外停止，抽签顺序无法写入名单文件：%1\n\n"
                                       "本轮可以继续抽签，但抽签顺序不会保存；文件保持上次保存时的内容。")
        .arg(native(path));
}

QString stillOpenNotice(const QString& holder, const QString& path)
{
    return QCoreApplication::translate(
               "NameListFile",
               "名单文件仍被 %1 打开：%2\n\n请在那里保存修改并关闭它；下次点击“开始”时读入修改后的名单。")
        .arg(holder, native(path));
}

QString changedListQuestion(const QString& path, const QString& orderFile)
{
    return QCoreApplication::translate(
               "NameListFile", "名单文件在本轮抽签期间被修改并保存过：%1\n\n"
                               "为了不覆盖这些修改，本轮的抽签顺序还没有写入名单文件。\n\n"
                               "选“是”：把本轮的抽签顺序写入修改后的名单（按编号和姓名找到每个人）。\n"
                               "选“否”：名单文件保持现在的样子，抽签顺序另存到 %2。\n\n"
                               "要把抽签顺序写入修改后的名单吗？")
        .arg(native(path), native(orderFile));
}

QString orderKeptAsideNotice(const QString& reason, const QString& orderFile, const QString& whyNotWritten,
                             const QString& orderLines)
{
    if (whyNotWritten.isEmpty())
        return reason + QCoreApplication::translate("NameListFile", "\n\n本轮的抽签顺序已另存到：%1")
                            .arg(native(orderFile));
    return reason + QCoreApplication::translate(
                        "NameListFile", "\n\n抽签顺序也无法另存到 %1（%2）。请记下本轮的抽签顺序：\n%3")
                        .arg(native(orderFile), whyNotWritten, orderLines);
}

QString changedAndHeldReason(const QString& holder, const QString& path)
{
    return QCoreApplication::translate("NameListFile",
                                       "名单文件在本轮抽签期间被修改并保存过，现在仍被 %1 打开：%2\n\n"
                                       "为了不覆盖这些修改，本轮的抽签顺序没有写入名单文件。")
        .arg(holder, native(path));
}

QString changedAndKeptReason(const QString& path)
{
    return QCoreApplication::translate("NameListFile",
                                       "名单文件在本轮抽签期间被修改并保存过：%1\n\n名单文件保持现在的样子，"
                                       "本轮的抽签顺序没有写入名单文件。")
        .arg(native(path));
}

QString notFoundAgainReason(const QString& path, const QStringList& people)
{
    return QCoreApplication::translate(
               "NameListFile", "本轮的抽签顺序已写入修改后的名单：%1\n\n但修改后的名单中找不到以下抽签者"
                               "（或有同名同编号的人无法区分），他们的抽签顺序没有写入：\n%2")
        .arg(native(path), people.join(QStringLiteral("、")));
}

QString notWrittenAgainReason(const QString& problem)
{
    return QCoreApplication::translate("NameListFile", "本轮的抽签顺序无法写入修改后的名单。\n\n") + problem;
}

} // namespace namelist
