#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <functional>

// Message boxes answered from a script. Every box shown is recorded; a scripted answer may first run
// an action "while the box is open" (let virtual time pass, say). With no answer scripted, an OK box
// is confirmed and a question gets its default, No.
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Inform, Ask, Notice, ChooseFile };
    struct Shown {
        Kind kind;
        QString title;
        QString text;
        MessageIcon icon;
        QString folder; // the folder a message offers to open
    };

    void inform(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) override;
    Answer askYesNo(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) override;
    void informWithFolder(QWidget* owner, const QString& title, const QString& text,
                          const QString& folder) override;
    void systemModalNotice(const QString& title, const QString& text) override;
    // Takes the next of filesToChoose (empty, a cancelled dialog, when none is left); the dialog's
    // start is recorded as its text and the filters as its folder.
    QString chooseFile(QWidget* owner, FileChoice choice, const QString& title, const QString& start,
                       const QString& filters) override;

    // The next box gets this answer, after running whileOpen.
    void answerNext(Answer answer, std::function<void()> whileOpen = {});

    QList<Shown> shown;
    QStringList filesToChoose;

private:
    struct Scripted {
        Answer answer;
        std::function<void()> whileOpen;
    };
    Answer respond(Answer fallback);
    QList<Scripted> script_;
};
