#pragma once

#include "ui/Form.h"
#include "ui/Program.h"

#include <QDesktopServices>
#include <QStringList>
#include <QUrl>
#include <memory>

// A window of another part of the program, standing in for it: it writes what happens to it into a
// log shared by the test, so the order of unloads and calls can be checked.
class StandInForm : public Form {
    Q_OBJECT
public:
    StandInForm(Program& program, WindowKind id, std::shared_ptr<QStringList> log)
        : Form(program, id), log_(std::move(log))
    {
    }
    void unload() override { log_->append(QStringLiteral("unload %1").arg(objectName())); }

private:
    std::shared_ptr<QStringList> log_;
};

// Registers stand-ins for the given windows, all logging into one list. The instruction player's
// stand-in is there from the start, as a show's holder, and logs the close of the program's show.
inline std::shared_ptr<QStringList> standIn(Program& program, std::initializer_list<WindowKind> ids)
{
    auto log = std::make_shared<QStringList>();
    for (WindowKind id : ids) {
        program.registerForm(id, [id, log](Program& p) { return new StandInForm(p, id, log); });
        if (id == WindowKind::InstructionPlayer)
            QObject::connect(&program.instructionShow(), &InstructionShow::closed, program.form(id),
                             [log] { log->append(QStringLiteral("closeNoteShow")); });
    }
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
