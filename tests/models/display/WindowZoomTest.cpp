#include "models/display/WindowZoom.h"

#include "platform/ZoomStore.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {
class MemoryZoomStore : public ZoomStore {
public:
    std::optional<int> percent(const QString& window) const override
    {
        if (!saved.contains(window))
            return std::nullopt;
        return saved.value(window);
    }
    void setPercent(const QString& window, int percent) override
    {
        saved[window] = percent;
        ++writes;
    }
    QMap<QString, int> saved;
    int writes = 0;
};
} // namespace

TEST(WindowZoom, StepsUpAndDownBetweenTheSmallestAndTheLargest)
{
    WindowZoom zoom;
    EXPECT_EQ(zoom.percent("Form1"), 100);
    std::vector<int> up;
    for (int i = 0; i < 9; ++i)
        up.push_back(zoom.zoomIn("Form1"));
    EXPECT_EQ(up, (std::vector<int>{110, 125, 150, 175, 200, 250, 300, 300, 300}));
    EXPECT_DOUBLE_EQ(zoom.factor("Form1"), 3.0);
    EXPECT_EQ(zoom.zoomOut("Form1"), 250);
    EXPECT_EQ(zoom.reset("Form1"), 100);
    EXPECT_EQ(zoom.zoomOut("Form1"), 100);
}

TEST(WindowZoom, EachKindOfWindowHasItsOwnZoom)
{
    WindowZoom zoom;
    zoom.zoomIn("Form4");
    zoom.zoomIn("Form4");
    EXPECT_EQ(zoom.percent("Form4"), 125);
    EXPECT_EQ(zoom.percent("Form1"), 100);
    EXPECT_EQ(zoom.zoomOut("Form1"), 100);
    EXPECT_EQ(zoom.percent("Form4"), 125);
}

TEST(WindowZoom, KeptInTheStoreAndReadBackByTheNextRun)
{
    MemoryZoomStore store;
    {
        WindowZoom firstRun(&store);
        firstRun.zoomIn("Form6");
        firstRun.zoomIn("Form6");
        firstRun.reset("Form1"); // no change: nothing written
    }
    EXPECT_EQ(store.saved.value("Form6"), 125);
    EXPECT_FALSE(store.saved.contains("Form1"));
    EXPECT_EQ(store.writes, 2);

    WindowZoom nextRun(&store);
    EXPECT_EQ(nextRun.percent("Form6"), 125);
    EXPECT_EQ(nextRun.percent("Form3"), 100);
}

TEST(WindowZoom, AHandEditedSettingIsTakenToTheNearestStep)
{
    MemoryZoomStore store;
    store.saved["Form1"] = 1000;
    store.saved["Form2"] = -5;
    store.saved["Form3"] = 190;
    WindowZoom zoom(&store);
    EXPECT_EQ(zoom.percent("Form1"), 300);
    EXPECT_EQ(zoom.percent("Form2"), 100);
    EXPECT_EQ(zoom.percent("Form3"), 200);
    EXPECT_EQ(zoom.setPercent("Form3", 131), 125);
    EXPECT_EQ(store.saved.value("Form3"), 125);
}

TEST(WindowZoom, AZoomedWindowTakesTheLargestStepThatStillFitsItsScreen)
{
    // The main window, 495 × 215 pixels as designed, on a 1280 × 720 screen.
    const QSizeF design(495 * 15, 215 * 15);
    const QSizeF small(1280 * 15, 720 * 15);
    EXPECT_EQ(WindowZoom::largestFitting(200, design, small), 200);
    EXPECT_EQ(WindowZoom::largestFitting(300, design, small), 250);
    EXPECT_EQ(WindowZoom::largestFitting(125, design, small), 125);
    // Larger than the screen even as designed: the design size is the least it can be.
    EXPECT_EQ(WindowZoom::largestFitting(200, QSizeF(2000 * 15, 100), small), 100);
}
