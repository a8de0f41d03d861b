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
    dialogs_.inform(owner, title, text, icon);
}

Answer QuestionsOverShow::askYesNo(QWidget* owner, const QString& title, const QString& text,
                                   MessageIcon icon)
{
    if (elsewhere_)
        return elsewhere_->askYesNo(owner, title, text, icon);
    releaseOwner(owner);
    return dialogs_.askYesNo(owner, title, text, icon);
}

void QuestionsOverShow::informWithFolder(QWidget* owner, const QString& title, const QString& text,
                                         const QString& folder)
{
    if (elsewhere_)
        return elsewhere_->informWithFolder(owner, title, text, folder);
    releaseOwner(owner);
    dialogs_.informWithFolder(owner, title, text, folder);
}

void QuestionsOverShow::systemModalNotice(const QString& title, const QString& text)
{
    dialogs_.systemModalNotice(title, text);
}
