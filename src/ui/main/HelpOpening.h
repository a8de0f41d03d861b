#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>

class Dialogs;
class HelpWindow;
class QWidget;

// Shows the shipped help in its own window, at the anchor when one is given, reusing the window kept
// in `help` (its files section offers to open the data folder); a help that is not installed is told under
// the title instead.
void showHelpPage(QWidget& owner, QPointer<HelpWindow>& help, Dialogs& dialogs,
                  const QStringList& shippedFolders, const QString& dataFolder, const QString& title,
                  const QString& anchor);
