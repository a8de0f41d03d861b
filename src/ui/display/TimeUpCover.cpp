#include "ui/display/TimeUpCover.h"

#include "platform/WindowSystem.h"
#include "ui/Controls.h"
#include "ui/display/Compositing.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>

TimeUpCover::TimeUpCover(WindowSystem& windows, const QRect& screen, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::WindowTransparentForInput),
      windows_(windows)
{
    setObjectName(QStringLiteral("TimeUpCover"));
    setWindowTitle(kText);
    setAccessibleName(QString(kText).trimmed());
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(screen);
    composited_ = compositorRuns();
    if (!composited_)
        setMask(QRegion(band()));
}

QRect TimeUpCover::band() const
{
    const int height = rect().height() / 3;
    return {0, (rect().height() - height) / 2, rect().width(), height};
}

void TimeUpCover::cover()
{
    show();
    // Above a focused full-screen show, which a window stacked by the window manager is not.
    windows_.keepAboveFullScreen(this);
    raise();
}

void TimeUpCover::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), QColor(0, 0, 0, composited_ ? kShadeAlpha : 255));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);

    // The words as large as a third of the screen's height allows, in the count's red with a white
    // edge so they stand out over any slide.
    QFont font(QStringLiteral("宋体"));
    font.setBold(true);
    font.setPixelSize(std::max(24, band().height() * 2 / 3));
    QPainterPath text;
    const QString words = QString(kText).trimmed();
    const QFontMetrics metrics(font);
    const QRect bounds = metrics.boundingRect(words);
    const QPointF origin(rect().center().x() - bounds.width() / 2.0,
                         rect().center().y() + (metrics.ascent() - metrics.descent()) / 2.0);
    text.addText(origin, font, words);
    painter.setPen(QPen(Qt::white, std::max(2, font.pixelSize() / 30)));
    painter.setBrush(QColor(255, 0, 0));
    painter.drawPath(text);
}

TimeUpCovers::TimeUpCovers(WindowSystem& windows, QWidget& owner)
    : QObject(&owner), windows_(windows), owner_(owner)
{
}

void TimeUpCovers::show(const QList<QRect>& screens)
{
    hide();
    for (const QRect& screen : screens) {
        auto* cover = new TimeUpCover(windows_, screen, &owner_);
        covers_ << cover;
        cover->cover();
    }
}

void TimeUpCovers::hide()
{
    for (const QPointer<TimeUpCover>& cover : std::as_const(covers_)) {
        if (!cover)
            continue;
        cover->hide();
        cover->deleteLater();
    }
    covers_.clear();
}
