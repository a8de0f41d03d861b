#include "platform/session/OutputScreenMatch.h"

qsizetype screenOfOutput(const CompositorOutput& output, const QList<ScreenArea>& screens)
{
    if (!output.name.isEmpty()) {
        for (qsizetype i = 0; i < screens.size(); ++i) {
            if (screens[i].name == output.name)
                return i;
        }
    }
    if (!output.logical.isValid())
        return -1;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        if (screens[i].geometry == output.logical)
            return i;
    }
    // An X server may count a scaled output in other pixels than the compositor: the place still tells.
    qsizetype best = -1;
    qint64 bestArea = 0;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QRect common = screens[i].geometry.intersected(output.logical);
        const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best;
}
