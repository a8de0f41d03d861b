#include "platform/modules/ModuleLibrary.h"

#include "platform/modules/ModuleEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>

ModuleLibrary::ModuleLibrary(QString fileName, QStringList folders)
    : fileName_(std::move(fileName)), folders_(std::move(folders))
{
}

QStringList ModuleLibrary::searchFolders(const QString& programFolder)
{
    const QDir program(programFolder);
    return {program.filePath(QStringLiteral("modules")),
            QDir::cleanPath(program.filePath(QStringLiteral(VANTREL_INSTALLED_MODULE_DIR)))};
}

bool ModuleLibrary::load()
{
    QMutexLocker lock(&mutex_);
    if (tried_)
        return loaded_;
    tried_ = true;
    QString path;
    for (const QString& folder : folders_) {
        const QString candidate = QDir(folder).filePath(fileName_);
        if (QFileInfo::exists(candidate)) {
            path = candidate;
            break;
        }
    }
    if (path.isEmpty()) {
        error_ = QCoreApplication::translate("ModuleLibrary", "找不到模块 %1").arg(fileName_);
        return false;
    }
    library_.setFileName(path);
    // Its objects live as long as the program: a module is never unloaded.
    library_.setLoadHints(QLibrary::PreventUnloadHint);
    if (!library_.load()) {
        error_ = library_.errorString();
        return false;
    }
    const auto version =
        reinterpret_cast<modules::VersionFunction>(library_.resolve(modules::kVersionSymbol));
    if (!version || version() != modules::kInterfaceVersion) {
        error_ = QCoreApplication::translate("ModuleLibrary", "模块 %1 与程序的版本不符").arg(path);
        return false;
    }
    loaded_ = true;
    return true;
}

bool ModuleLibrary::isLoaded() const
{
    QMutexLocker lock(&mutex_);
    return loaded_;
}

QString ModuleLibrary::errorText() const
{
    QMutexLocker lock(&mutex_);
    return error_;
}

QFunctionPointer ModuleLibrary::resolve(const char* symbol)
{
    if (!load())
        return nullptr;
    QMutexLocker lock(&mutex_);
    return library_.resolve(symbol);
}
