// Not built: the scanner's own check reads it and must find exactly the five bare texts marked below.
#include <QCoreApplication>
#include <QString>

namespace {

const char* const kMarked = QT_TRANSLATE_NOOP("Samples", "标记的常量");

/* A comment may quote a text: "注释里的文字"
   over several lines: "第二行" */
QString texts(const QString& context)
{
    QString all = QCoreApplication::translate("Samples", "翻译的文字") +
                  QCoreApplication::translate("Samples", "分成两段"
                                                         "的文字");
    all += QCoreApplication::translate("Samples", kMarked);
    all += QStringLiteral("宋体");        // a font name, allowed
    all += QStringLiteral("no Chinese"); // not a text of the catalogue at all
    all += QStringLiteral("裸的文字");    // bare 1
    all += QStringLiteral("分成两段的"
                          "裸文字");      // bare 2: one text over two lines
    all += QChar('"') + QStringLiteral("引号后面"); // bare 3: a quote character does not hide it
    all += QString::number(3) + "只是相邻";          // bare 4: beside a call, not inside one
    all += QCoreApplication::translate(qPrintable(context), "上下文不是文字"); // bare 5: no catalogue context
    return all;
}

} // namespace
