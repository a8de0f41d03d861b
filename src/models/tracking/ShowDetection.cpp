#include "models/tracking/ShowDetection.h"

#include "platform/ShowTitle.h"

namespace showdetection {

const QStringList& slideShowMarkers()
{
    static const QStringList markers{
        QStringLiteral("POWERPOINT 幻灯片放映"),
        // LibreOffice Impress names its running show after the deck, in English and in Chinese.
        QStringLiteral("PRESENTING: "),
        QStringLiteral("正在演示: "),
        QStringLiteral("正在演示："),
        kBuiltInShowTitle,
    };
    return markers;
}

const QStringList& presentationAppMarkers()
{
    static const QStringList markers{
        QStringLiteral("MICROSOFT POWERPOINT"),
        // "<file> - LibreOffice Impress"
        QStringLiteral("LIBREOFFICE IMPRESS"),
    };
    return markers;
}

namespace {
bool containsAny(const QString& title, const QStringList& markers)
{
    for (const QString& marker : markers) {
        if (title.contains(marker, Qt::CaseInsensitive))
            return true;
    }
    return false;
}
} // namespace

Found scanTitles(const QStringList& titles, qsizetype count)
{
    Found found;
    const qsizetype n = count < 0 ? titles.size() : std::min(count, titles.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QString& title = titles.at(i);
        if (!found.slideShow && containsAny(title, slideShowMarkers())) {
            found.slideShow = true;
            found.showTitle = title;
        }
        if (!found.presentationApp && containsAny(title, presentationAppMarkers()))
            found.presentationApp = true;
        if (found.slideShow && found.presentationApp)
            break;
    }
    return found;
}

bool mayHide(bool counting, const Found& found)
{
    return counting && !(found.presentationApp && !found.slideShow);
}

} // namespace showdetection
