#include "../draw/DrawTestSupport.h"
#include "platform/startup/Catalogue.h"
#include "ui/display/EnlargedWindow.h"
#include "ui/display/ToolStrip.h"
#include "ui/draw/NameListDraw.h"
#include "ui/flow/FlowConductor.h"
#include "ui/settings/SettingsWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// Chinese characters and the full-width punctuation that goes with them.
const QRegularExpression
    kChinese(QStringLiteral("[\\x{3000}-\\x{303f}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));

QString plain(const QLabel* label)
{
    if (label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(label->text()))
        return label->text();
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

// What a teacher would find wrong with the window's shown controls in English: a Chinese text (a
// caption, a tip, a name a screen reader reads, the title) or a caption that does not fit its control.
QStringList problems(QWidget* window)
{
    QStringList found;
    auto chinese = [&](const QWidget* w, const QString& what, const QString& text) {
        if (text.contains(kChinese))
            found << QStringLiteral("%1 %2: %3 '%4'").arg(window->objectName(), w->objectName(), what, text);
    };
    chinese(window, QStringLiteral("title"), window->windowTitle());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->window() != window)
            continue;
        chinese(w, QStringLiteral("tip"), w->toolTip());
        chinese(w, QStringLiteral("accessible name"), w->accessibleName());
        const QFontMetrics metrics(w->font());
        if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull()) {
            const QString text = plain(label);
            chinese(w, QStringLiteral("text"), text);
            const QRect room = label->contentsRect();
            const bool fits =
                label->wordWrap()
                    // heightForWidth() counts the label's own margins, as its height does.
                    ? label->heightForWidth(label->width()) <= label->height() + 2
                    : metrics.boundingRect(room, int(label->alignment()), text).width() <= room.width();
            if (!text.trimmed().isEmpty() && !fits)
                found << QStringLiteral("%1 %2: '%3' is cut off (%4 px wide)")
                             .arg(window->objectName(), w->objectName(), text)
                             .arg(room.width());
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            chinese(w, QStringLiteral("caption"), button->text());
            // The style's frame on either side.
            const int needed = metrics.horizontalAdvance(button->text()) + 4;
            if (needed > button->width())
                found << QStringLiteral("%1 %2: '%3' needs %4 px, has %5")
                             .arg(window->objectName(), w->objectName(), button->text())
                             .arg(needed)
                             .arg(button->width());
        }
    }
    return found;
}

class EnglishLayout : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(
            installCatalogue(QLocale(QStringLiteral("en")), QStringLiteral(VANTREL_PROGRAM_CATALOGUES)));
    }
    static void TearDownTestSuite()
    {
        qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>());
    }

    void expectFine(QWidget* window)
    {
        ASSERT_NE(window, nullptr);
        const QStringList found = problems(window);
        EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
    }

    void startCount()
    {
        MainWindowControls c = f.mainControls();
        c.totalMinutes()->setText("05");
        c.totalSeconds()->setText("00");
        c.reminderMinutes()->setText("01");
        c.reminderSeconds()->setText("00");
        c.startButton()->click();
        ASSERT_TRUE(f.t.program->countdown().isCounting());
    }

    DrawFixture f;
};

} // namespace

TEST_F(EnglishLayout, TheMainWindowStoppedRunningPausedAndAtItsNotices)
{
    expectFine(f.main);
    EXPECT_EQ(f.mainControls().startButton()->text(), "Start");
    startCount();
    f.t.advance(3000);
    expectFine(f.main);
    f.mainControls().pauseButton()->click();
    expectFine(f.main);
    f.mainControls().pauseButton()->click();
    // The reminder (1 minute left) and the time-up.
    f.t.advance(241000);
    expectFine(f.main);
    f.t.advance(61000);
    expectFine(f.main);
}

TEST_F(EnglishLayout, TheStripItsTipAndTheEnlargedWindow)
{
    startCount();
    f.t.advance(2000);
    auto* strip = f.t.program->window<ToolStrip>();
    ASSERT_NE(strip, nullptr);
    strip->show();
    f.t.advance(1000);
    expectFine(strip);
    QTest::mouseClick(control<QLabel>(strip, "Image2"), Qt::LeftButton);
    expectFine(strip);
    strip->hide();

    QTest::mouseDClick(f.mainControls().countLabel(), Qt::LeftButton);
    f.t.advance(1000);
    expectFine(f.t.program->loaded<EnlargedWindow>());
}

// Every option on, through the window itself: the count in overtime, the strip's overtime text.
TEST_F(EnglishLayout, TheSettingsWindowAndACountInOvertime)
{
    f.t.program->conductor().openSettings();
    SettingsWindow* settings = f.t.program->conductor().settingsWindow();
    expectFine(settings);
    for (QCheckBox* option : settings->findChildren<QCheckBox*>())
        option->setChecked(true);
    expectFine(settings);
    settings->close();

    MainWindowControls c = f.mainControls();
    c.totalMinutes()->setText("00");
    c.totalSeconds()->setText("20");
    c.reminderMinutes()->setText("00");
    c.reminderSeconds()->setText("10");
    c.startButton()->click();
    f.t.advance(35000);
    ASSERT_TRUE(f.t.program->countdown().isOverrun());
    expectFine(f.main);
    auto* strip = f.t.program->window<ToolStrip>();
    strip->show();
    f.t.advance(1000);
    expectFine(strip);
}

TEST_F(EnglishLayout, TheLauncherInEachViewAndTheSequenceDraw)
{
    DrawLauncher& launcher = f.openLauncher();
    expectFine(&launcher);
    LauncherControls l(&launcher);
    l.sequenceDraw->click();
    expectFine(&launcher);
    l.countBox->setText("200");
    l.confirm->click();
    SequenceDraw* draw = f.draw();
    expectFine(draw);
    const SequenceControls s(draw);
    s.drawButton->click();
    expectFine(draw);
    // The question about the open round.
    s.nextButton->click();
    s.endButton->click();
    expectFine(f.launcher());
}

TEST_F(EnglishLayout, TheNameListDrawBeforeAndDuringARound)
{
    const QString list = QDir(f.t.dataDir.path()).filePath(QStringLiteral("name.xls"));
    QFile(list).open(QIODevice::WriteOnly);
    f.t.spreadsheet.putWorkbook(list, FakeSpreadsheet::nameList(CellValue::fromNumber(2),
                                                                {{"1", "Alexandra"}, {"2", "Bartholomew"}}));
    LauncherControls(&f.openLauncher()).nameListDraw->click();
    auto* names = f.t.program->loaded<NameListDraw>();
    expectFine(names);
    control<QPushButton>(names, "Command1")->click();
    f.t.advance(500);
    control<QPushButton>(names, "CommandQq")->click();
    expectFine(names);
    control<QPushButton>(names, "CommandZb")->click();
    f.t.advance(500);
    control<QPushButton>(names, "CommandQq")->click();
    expectFine(names);
}
