#pragma once

#include "platform/Dialogs.h"
#include "ui/announce/Announcer.h"

class WindowSystem;

// The program's message boxes, with one care: the main window or the enlarged countdown, kept above a
// slide show that had the keyboard (beyond the window manager's reach), would cover a question asked
// over it, so the window that asks goes back to the window manager first and the question opens
// above it. Every message is also said through the screen reader as it opens.
class QuestionsOverShow : public Dialogs {
public:
    QuestionsOverShow(Dialogs& dialogs, WindowSystem& windows) : dialogs_(dialogs), windows_(windows) {}

    void inform(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) override;
    Answer askYesNo(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) override;
    void informWithFolder(QWidget* owner, const QString& title, const QString& text,
                          const QString& folder) override;
    void systemModalNotice(const QString& title, const QString& text) override;
    QString chooseFile(QWidget* owner, FileChoice choice, const QString& title, const QString& start,
                       const QString& filters) override;

    Announcer& announcer() { return announcer_; }

    // While set, the windows' messages and questions go there instead (the phone that pressed the
    // button asks them); nullptr puts them back on the screen.
    void askElsewhere(Dialogs* elsewhere) { elsewhere_ = elsewhere; }

private:
    void releaseOwner(QWidget* owner);

    Dialogs& dialogs_;
    WindowSystem& windows_;
    Announcer announcer_;
    Dialogs* elsewhere_ = nullptr;
};
