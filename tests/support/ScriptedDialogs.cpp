#include "support/ScriptedDialogs.h"

void ScriptedDialogs::answerNext(Answer answer, std::function<void()> whileOpen)
{
    script_.append({answer, std::move(whileOpen)});
}

Answer ScriptedDialogs::respond(Answer fallback)
{
    if (script_.isEmpty())
        return fallback;
    Scripted next = script_.takeFirst();
    if (next.whileOpen)
        next.whileOpen();
    return next.answer;
}

void ScriptedDialogs::inform(QWidget*, const QString& title, const QString& text, MessageIcon icon)
{
    shown.append({Kind::Inform, title, text, icon, {}});
    respond(Answer::Ok);
}

Answer ScriptedDialogs::askYesNo(QWidget*, const QString& title, const QString& text, MessageIcon icon)
{
    shown.append({Kind::Ask, title, text, icon, {}});
    return respond(Answer::No);
}

QString ScriptedDialogs::chooseFile(QWidget*, FileChoice, const QString& title, const QString& start,
                                    const QString& filters)
{
    shown.append({Kind::ChooseFile, title, start, MessageIcon::None, filters});
    return filesToChoose.isEmpty() ? QString() : filesToChoose.takeFirst();
}

void ScriptedDialogs::informWithFolder(QWidget*, const QString& title, const QString& text,
                                       const QString& folder)
{
    shown.append({Kind::Inform, title, text, MessageIcon::Information, folder});
    respond(Answer::Ok);
}

void ScriptedDialogs::systemModalNotice(const QString& title, const QString& text)
{
    shown.append({Kind::Notice, title, text, MessageIcon::None, {}});
    respond(Answer::Ok);
}
