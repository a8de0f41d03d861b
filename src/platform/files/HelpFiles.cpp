#include "platform/files/HelpFiles.h"

#include <QDir>
#include <QFileInfo>

QString findHelpIndex(const QStringList& shippedFolders)
{
    for (const QString& folder : shippedFolders) {
        const QFileInfo index(QDir(folder).filePath(kHelpIndex));
        if (index.isFile() && index.isReadable())
            return index.absoluteFilePath();
    }
    return {};
}
