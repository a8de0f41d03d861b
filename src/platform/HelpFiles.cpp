#include "platform/HelpFiles.h"

#include <QDir>
#include <QFileInfo>

#ifndef VANTREL_HOMEPAGE
#error "VANTREL_HOMEPAGE is set by the build"
#endif

QString findHelpIndex(const QStringList& shippedFolders)
{
    for (const QString& folder : shippedFolders) {
        const QFileInfo index(QDir(folder).filePath(kHelpIndex));
        if (index.isFile() && index.isReadable())
            return index.absoluteFilePath();
    }
    return {};
}

QString projectPage()
{
    return QStringLiteral(VANTREL_HOMEPAGE);
}
