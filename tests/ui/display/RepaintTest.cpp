#include "TrackingFixture.h"
#include "ui/display/EnlargedWindow.h"

#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QPaintEvent>
#include <QPointer>
#include <QTest>

// What the windows repaint while a count runs: the count's text once a second and nothing else, so
// that a lesson-long count costs the machine next to nothing.
namespace {

// Every paint of every widget, by the widget's name, with the painted area in the widget's window.
class PaintLog : public QObject {
public:
    PaintLog() { qApp->installEventFilter(this); }
    ~PaintLog() override { qApp->removeEventFilter(this); }

    void clear()
    {
        paints.clear();
        outside.clear();
    }
    // The widgets that painted beyond the given rectangle of their window (the area that changed).
    void expectWithin(const QWidget* changed)
    {
        allowed = QRect(changed->mapTo(changed->window(), QPoint(0, 0)), changed->size());
        allowedWindow = changed->window();
    }

    QHash<QString, int> paints;
    QStringList outside;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        ++paints[widget->objectName()];
        const QRect area = static_cast<QPaintEvent*>(event)->rect().translated(
            widget->mapTo(widget->window(), QPoint(0, 0)));
        if (widget->window() != allowedWindow || !allowed.contains(area))
            outside << widget->objectName();
        return false;
    }

private:
    QRect allowed;
    QPointer<const QWidget> allowedWindow;
};

// Lets the given virtual seconds pass, with the window system's events (paints) after each step.
void runSeconds(TestProgram& t, int seconds)
{
    for (int i = 0; i < seconds * 10; ++i) {
        t.advance(100);
        QApplication::processEvents();
    }
}

} // namespace

TEST_F(TrackingTest, CountingFoldedRepaintsOnlyTheStripLineOnceASecond)
{
    MainWindow& w = start();
    startCountdown(w, QStringLiteral("10"));
    ToolStrip& bar = fold(w);
    QApplication::processEvents();
    QLabel& line = control<QLabel>(bar, "Label1");
    PaintLog log;
    log.expectWithin(&line);

    runSeconds(t, 10);
    EXPECT_GE(log.paints.value(QStringLiteral("Label1")), 9);
    EXPECT_LE(log.paints.value(QStringLiteral("Label1")), 11);
    EXPECT_TRUE(log.outside.isEmpty()) << log.outside.join(QLatin1Char(' ')).toStdString();

    // Paused, the line says so once and then nothing changes.
    button(w, "Command2").click();
    QApplication::processEvents();
    log.clear();
    runSeconds(t, 5);
    EXPECT_TRUE(log.paints.isEmpty()) << log.paints.keys().join(QLatin1Char(' ')).toStdString();
}

TEST_F(TrackingTest, TheEnlargedCountRepaintsItsDigitsOnceASecondAndItsStatusOnlyOnAChange)
{
    MainWindow& w = start();
    startCountdown(w, QStringLiteral("10"));
    t.advance(1100);
    QTest::mouseDClick(&control<QLabel>(w, "Label3"), Qt::LeftButton);
    auto* enlarged = t.program->loaded<EnlargedWindow>();
    ASSERT_NE(enlarged, nullptr);
    runSeconds(t, 1);
    QLabel& digits = control<QLabel>(*enlarged, "Label1");
    PaintLog log;
    log.expectWithin(&digits);

    runSeconds(t, 6);
    EXPECT_GE(log.paints.value(QStringLiteral("Label1")), 5);
    EXPECT_LE(log.paints.value(QStringLiteral("Label1")), 7);
    EXPECT_TRUE(log.outside.isEmpty()) << log.outside.join(QLatin1Char(' ')).toStdString();
}

TEST_F(TrackingTest, TheMainWindowCountingRepaintsOnlyItsCount)
{
    MainWindow& w = start();
    startCountdown(w, QStringLiteral("10"));
    runSeconds(t, 2);
    QLabel& count = control<QLabel>(w, "Label3");
    PaintLog log;
    log.expectWithin(&count);

    runSeconds(t, 10);
    EXPECT_GE(log.paints.value(QStringLiteral("Label3")), 9);
    EXPECT_LE(log.paints.value(QStringLiteral("Label3")), 11);
    EXPECT_TRUE(log.outside.isEmpty()) << log.outside.join(QLatin1Char(' ')).toStdString();
}
