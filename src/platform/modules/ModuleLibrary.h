#pragma once

#include <QLibrary>
#include <QMutex>
#include <QString>
#include <QStringList>

// One back-end module, found in the program's module folders and loaded once, on first need (from
// any thread). A module that is missing, or whose libraries are not installed (LibreOffice, say),
// simply does not load: the program goes on without that back-end.
class ModuleLibrary {
public:
    ModuleLibrary(QString fileName, QStringList folders);
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;

    // Where a program in programFolder finds its modules: "modules" beside it (the build tree, a
    // copy on a USB stick), then the installed module folder relative to it.
    static QStringList searchFolders(const QString& programFolder);

    // Loads the module unless it is loaded already; false when it cannot be loaded.
    bool load();
    bool isLoaded() const;
    // Why the last load failed, as the system said it.
    QString errorText() const;

    // The module's entry point of that name; nullptr when the module does not load or lacks it.
    QFunctionPointer resolve(const char* symbol);

private:
    mutable QMutex mutex_;
    QString fileName_;
    QStringList folders_;
    QLibrary library_;
    bool tried_ = false;
    bool loaded_ = false;
    QString error_;
};
