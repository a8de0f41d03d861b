#include "ui/DataFolderLink.h"

#include "platform/Dialogs.h"
#include "platform/ProgramNoticeTitle.h"
#include "platform/dialogs/DesktopFolder.h"
#include "platform/files/ProgramFolder.h"

#include <QFileInfo>

namespace {

const CatalogueText& kNoticeTitle = kProgramNoticeTitle;

} // namespace

DataFolderLink::DataFolderLink(QString folder, Dialogs& dialogs, QWidget* parent)
    : ClickableLabel(parent), folder_(std::move(folder)), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("DataFolderLink"));
    setTextFormat(Qt::PlainText);
    setText(kText);
    setAccessibleName(kText);
    setToolTip(folder_);
    setCursor(Qt::PointingHandCursor);
    // Looks like a link: the palette's link colour, underlined.
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setForegroundRole(QPalette::Link);
    connect(this, &ClickableLabel::clicked, this, &DataFolderLink::open);
}

void openDataFolder(const QString& folder, Dialogs& dialogs, QWidget* owner)
{
    // A folder that could not be made: the file manager would only show an error of its own.
    if (!QFileInfo(folder).isDir()) {
        dialogs.inform(owner, kNoticeTitle, ProgramFolder::whyMissing(folder));
        return;
    }
    if (!desktopfolder::show(folder))
        dialogs.inform(owner, kNoticeTitle, desktopfolder::cannotShow(folder));
}
