#include "models/tracking/TitleScan.h"

bool TitleScan::take(const QStringList& delivered)
{
    if (delivered == delivered_)
        return false;
    delivered_ = delivered;
    titles_.clear();
    for (const QString& title : delivered) {
        if (!title.isEmpty())
            titles_.append(title);
    }
    found_ = showdetection::scanTitles(titles_);
    return true;
}
