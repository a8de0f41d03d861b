#pragma once

#include "ui/Program.h"
#include "ui/ProgramWindow.h"

#include <QDesktopServices>
#include <QStringList>
#include <QUrl>
#include <memory>

// A window of another part of the program, standing in for it: it writes what happens to it into a
// log shared by the test, so the order of unloads and calls can be checked.
class StandInWindow : public ProgramWindow {
    Q_OBJECT
public:
    StandInWindow(Program& program, WindowKind id, std::shared_ptr<QStringList> log)
        : ProgramWindow(program, id), log_(std::move(log))
    {
    }
    void unload() override { log_->append(QStringLiteral("unload %1").arg(objectName())); }

private:
    std::shared_ptr<QStringList> log_;
};

// Registers stand-ins for the given windows, all logging into one list, together with the close of
// the instruction show.
inline std::shared_ptr<QStringList> standIn(Program& program, std::initializer_list<WindowKind> ids)
{
    auto log = std::make_shared<QStringList>();
    for (WindowKind id : ids)
        program.registerWindow(id, [id, log](Program& p) { return new StandInWindow(p, id, log); });
    QObject::connect(&program.instructionShow(), &InstructionShow::closed,
                     [log] { log->append(QStringLiteral("close the instruction show")); });
    return log;
}

// Receives what the program hands to the desktop's URL handler, instead of a browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder()
    {
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~UrlRecorder() override
    {
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};
