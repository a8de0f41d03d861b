#pragma once

#include "platform/CatalogueText.h"

#include <QList>
#include <QPointer>
#include <QRect>
#include <QWidget>

class WindowSystem;

// The time-up the whole room sees: a translucent cover with " 时间到！" in large type over a whole
// screen, above a running full-screen show. It never takes the keyboard (the presenter's keys still
// turn the slides) and clicks go through it to what lies beneath.
class TimeUpCover : public QWidget {
    Q_OBJECT
public:
    static inline const CatalogueText kText{"TimeUpCover", QT_TRANSLATE_NOOP("TimeUpCover", " 时间到！")};
    // How much of the screen beneath shows through (alpha of 255), where a compositor can show it.
    static constexpr int kShadeAlpha = 150;

    TimeUpCover(WindowSystem& windows, const QRect& screen, QWidget* owner);

    // Over its screen, above everything, without the keyboard.
    void cover();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Without a compositor the shade would hide the show: only a band across the middle is drawn.
    QRect band() const;

    WindowSystem& windows_;
    bool composited_ = false;
};

// The covers of the screens a time-up is shown on; gone when the time-up is over.
class TimeUpCovers : public QObject {
    Q_OBJECT
public:
    TimeUpCovers(WindowSystem& windows, QWidget& owner);

    // Covers each screen (pixels, the desktop's coordinates).
    void show(const QList<QRect>& screens);
    void hide();
    const QList<QPointer<TimeUpCover>>& covers() const { return covers_; }

private:
    WindowSystem& windows_;
    QWidget& owner_;
    QList<QPointer<TimeUpCover>> covers_;
};
