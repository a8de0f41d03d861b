#pragma once

#include <QString>

class QWidget;

enum class MessageIcon { None, Information };
enum class Answer { Ok, Yes, No };
enum class FileChoice { Open, Save };

// Every message box of the program goes through here. The program shows real message boxes; tests
// answer them from a script, and may let time pass while a question is open.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message with an OK button.
    virtual void inform(QWidget* owner, const QString& title, const QString& text,
                        MessageIcon icon = MessageIcon::Information) = 0;

    // A Yes/No question; No is the default button.
    virtual Answer askYesNo(QWidget* owner, const QString& title, const QString& text,
                            MessageIcon icon = MessageIcon::Information) = 0;

    // A message about the teacher's files, with OK and "打开文件夹", which shows the folder they are in
    // in the file manager. Without that folder it is a plain message.
    virtual void informWithFolder(QWidget* owner, const QString& title, const QString& text,
                                  const QString& folder) = 0;

    // A file dialog: a file to open, or the name to save under (asking before replacing a file). start:
    // the folder to begin in, or for Save the name suggested; filters as Qt writes them ("名单
    // (*.xls *.csv)", several separated by ";;"). Empty when the teacher cancelled.
    virtual QString chooseFile(QWidget* owner, FileChoice choice, const QString& title, const QString& start,
                               const QString& filters)
    {
        Q_UNUSED(owner);
        Q_UNUSED(choice);
        Q_UNUSED(title);
        Q_UNUSED(start);
        Q_UNUSED(filters);
        return {};
    }

    // The notice of an already running copy: OK only, no icon, above every other window.
    virtual void systemModalNotice(const QString& title, const QString& text) = 0;
};
