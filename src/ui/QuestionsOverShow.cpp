#include "ui/QuestionsOverShow.h"

#include "platform/WindowSystem.h"
#include "ui/ProgramWindow.h"

void QuestionsOverShow::releaseOwner(QWidget* owner)
{
    // Only the windows lifted while a show has the keyboard; the strip and the slide draw stay
    // above their show whatever they ask.
    auto* window = owner ? qobject_cast<ProgramWindow*>(owner->window()) : nullptr;
    if (window && (window->kind() == WindowKind::Main || window->kind() == WindowKind::EnlargedCountdown))
        windows_.releaseAboveFullScreen(window);
}

void QuestionsOverShow::inform(QWidget* owner, const QString& title, const QString& text, MessageIcon icon)
{
    if (elsewhere_)
        return elsewhere_->inform(owner, title, text, icon);
    releaseOwner(owner);
    announcer_.announce(owner, text);
    dialogs_.inform(owner, title, text, icon);
}

Answer QuestionsOverShow::askYesNo(QWidget* owner, const QString& title, const QString& text,
                                   MessageIcon icon)
{
    if (elsewhere_)
        return elsewhere_->askYesNo(owner, title, text, icon);
    releaseOwner(owner);
    announcer_.announce(owner, text);
    return dialogs_.askYesNo(owner, title, text, icon);
}

void QuestionsOverShow::informWithFolder(QWidget* owner, const QString& title, const QString& text,
                                         const QString& folder)
{
    if (elsewhere_)
        return elsewhere_->informWithFolder(owner, title, text, folder);
    releaseOwner(owner);
    announcer_.announce(owner, text);
    dialogs_.informWithFolder(owner, title, text, folder);
}

QString QuestionsOverShow::chooseFile(QWidget* owner, FileChoice choice, const QString& title,
                                      const QString& start, const QString& filters)
{
    releaseOwner(owner);
    return dialogs_.chooseFile(owner, choice, title, start, filters);
}

void QuestionsOverShow::systemModalNotice(const QString& title, const QString& text)
{
    announcer_.announce(nullptr, text);
    dialogs_.systemModalNotice(title, text);
}
