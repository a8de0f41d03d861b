#include "models/draw/NameListFile.h"

#include "platform/ProgramFolder.h"

#include <QDir>

namespace namelist {

QString findFile(const QString& folder)
{
    for (const char* name : {"name.xls", "name.xlsx", "name.ods"}) {
        const QString found = findFileIgnoringCase(folder, QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return QDir(folder).filePath(QStringLiteral("name.xls"));
}

Total readTotal(const CellValue& a1, const QString& path)
{
    const QString where = QStringLiteral("名单文件：%1\n\n").arg(QDir::toNativeSeparators(path));
    const QString hint = QStringLiteral("单元格 A1 应填写参加抽签的总人数（1 到 200 之间的整数）。");
    if (a1.kind == CellValue::Kind::Empty)
        return {std::nullopt, where + QStringLiteral("工作表 sheet1 的单元格 A1 是空的。") + hint};
    const std::optional<int16_t> count = cellInt16(a1);
    if (!count)
        return {std::nullopt,
                where + QStringLiteral("工作表 sheet1 的单元格 A1 不是人数（“%1”）。").arg(cellText(a1)) +
                    hint};
    if (*count <= 0)
        return {std::nullopt,
                where + QStringLiteral("工作表 sheet1 的单元格 A1 中的人数是 %1。").arg(*count) + hint};
    return {count, {}};
}

QString openProblem(const OfficeError& error, const QString& path)
{
    const QString file = QDir::toNativeSeparators(path);
    switch (error.code) {
    case OfficeError::Code::None:
        return {};
    case OfficeError::Code::FileMissing:
        return QStringLiteral("找不到名单文件：%1\n\n请把名单工作簿 name.xls 放在这个文件夹中。").arg(file);
    case OfficeError::Code::NotAWorkbook:
        return QStringLiteral("名单文件无法读取：%1\n\n它不是有效的工作簿（%2）。")
            .arg(file, error.detail.isEmpty() ? QStringLiteral("文件已损坏或格式不对") : error.detail);
    case OfficeError::Code::SheetMissing:
        return QStringLiteral("名单文件中没有工作表“sheet1”：%1").arg(file);
    case OfficeError::Code::HeldByOther:
        return QStringLiteral("名单文件正被 %1 打开：%2\n\n请先在那里保存并关闭它，再点击“开始”。")
            .arg(error.detail, file);
    case OfficeError::Code::EngineUnavailable:
        return QStringLiteral("无法启动表格程序 LibreOffice Calc，名单文件没有读取：%1\n\n%2")
            .arg(file, error.detail);
    case OfficeError::Code::EngineStopped:
    case OfficeError::Code::WriteFailed:
        break;
    }
    return QStringLiteral("表格程序 LibreOffice Calc 意外停止，名单文件没有读取：%1\n\n请再点击一次“开始”。")
        .arg(file);
}

QString saveProblem(const OfficeError& error, const QString& path)
{
    return QStringLiteral("抽签顺序没有保存到名单文件：%1\n\n%2\n文件保持上次保存时的内容。")
        .arg(QDir::toNativeSeparators(path),
             error.detail.isEmpty() ? QStringLiteral("表格程序已停止。") : error.detail);
}

QString writeProblem(const QString& path)
{
    return QStringLiteral("表格程序 LibreOffice Calc 意外停止，抽签顺序无法写入名单文件：%1\n\n"
                          "本轮可以继续抽签，但抽签顺序不会保存；文件保持上次保存时的内容。")
        .arg(QDir::toNativeSeparators(path));
}

QString stillOpenNotice(const QString& holder, const QString& path)
{
    return QStringLiteral(
               "名单文件仍被 %1 打开：%2\n\n请在那里保存修改并关闭它；下次点击“开始”时读入修改后的名单。")
        .arg(holder, QDir::toNativeSeparators(path));
}

} // namespace namelist
