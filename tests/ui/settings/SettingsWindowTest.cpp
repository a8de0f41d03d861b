#include "ui/settings/SettingsWindow.h"

#include "support/FindControl.h"
#include "support/MainWindowControls.h"
#include "support/ReadOnlySettings.h"
#include "support/TestProgram.h"
#include "ui/display/Tray.h"
#include "ui/draw/NameListDraw.h"
#include "ui/flow/FlowConductor.h"
#include "ui/main/MainWindow.h"
#include "ui/remote/RemoteControl.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {

QAction* entryOf(QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

class SettingsFromTheWindows : public ::testing::Test {
protected:
    SettingsFromTheWindows()
    {
        Tray::setHostAvailableForTesting([] { return true; });
    }
    ~SettingsFromTheWindows() override { Tray::setHostAvailableForTesting({}); }

    SettingsWindow* openFromTray()
    {
        Tray* tray = Tray::create(*w);
        QAction* entry = entryOf(tray->menu(), QStringLiteral("设置"));
        if (!entry)
            return nullptr;
        entry->trigger();
        return t.program->conductor().settingsWindow();
    }

    void startCount(const char* minutes, const char* seconds)
    {
        c.totalMinutes()->setText(QString::fromLatin1(minutes));
        c.totalSeconds()->setText(QString::fromLatin1(seconds));
        c.reminderMinutes()->setText(QStringLiteral("00"));
        c.reminderSeconds()->setText(QStringLiteral("05"));
        c.startButton()->click();
    }

    TestProgram t;
    MainWindow* w = &t.start();
    MainWindowControls c{*w};
};

} // namespace

TEST_F(SettingsFromTheWindows, OpensFromTheTraysMenuAndTheMainWindowsRightClick)
{
    SettingsWindow* settings = openFromTray();
    ASSERT_NE(settings, nullptr) << "the tray's menu has the entry and it opens the window";
    EXPECT_TRUE(settings->isVisible());
    EXPECT_EQ(settings->windowTitle(), QStringLiteral("设置"));
    EXPECT_TRUE(t.windows.topMost.contains(QStringLiteral("SettingsWindow"))) << "not behind the main window";
    // The tray's other entries stay as they were, the quit entry last.
    EXPECT_EQ(Tray::of(w)->menu()->actions().last(), Tray::of(w)->quitAction());

    // A second way there brings the same window forward, not a second one.
    settings->hide();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(20, 20), w->mapToGlobal(QPoint(20, 20)));
    QCoreApplication::sendEvent(w, &rightClick);
    auto* menu = w->findChild<QMenu*>(QStringLiteral("MainContextMenu"));
    ASSERT_NE(menu, nullptr);
    QAction* entry = entryOf(menu, QStringLiteral("设置"));
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    EXPECT_EQ(t.program->conductor().settingsWindow(), settings);
    EXPECT_TRUE(settings->isVisible());

    // Every option says what it does, in words the teacher reads (no English anywhere).
    const QList<QLabel*> labels = settings->findChildren<QLabel*>();
    EXPECT_GE(labels.size(), 6);
    for (QWidget* shown : settings->findChildren<QWidget*>()) {
        QString text;
        if (auto* label = qobject_cast<QLabel*>(shown))
            text = label->text();
        else if (auto* box = qobject_cast<QAbstractButton*>(shown))
            text = box->text();
        for (QChar ch : text)
            EXPECT_FALSE(ch.isLetter() && ch.unicode() < 0x80) << text.toStdString();
    }
}

TEST_F(SettingsFromTheWindows, AppliesEachOptionAtOnceAndKeepsIt)
{
    SettingsWindow* settings = openFromTray();
    ASSERT_NE(settings, nullptr);
    // As shipped: everything off, full volume.
    EXPECT_FALSE(settings->overtimeBox()->isChecked());
    EXPECT_FALSE(settings->paceColoursBox()->isChecked());
    EXPECT_FALSE(settings->rememberPresetsBox()->isChecked());
    EXPECT_EQ(settings->coverScreensBox()->currentIndex(), 0);
    EXPECT_EQ(settings->volumeBox()->value(), 100);
    EXPECT_FALSE(settings->mutedBox()->isChecked());

    settings->overtimeBox()->setChecked(true);
    EXPECT_EQ(t.settings.value(QStringLiteral("countdown/overtime")), QStringLiteral("true"));
    EXPECT_TRUE(t.program->countdown().overtime()) << "the count takes it at once";
    settings->paceColoursBox()->setChecked(true);
    EXPECT_EQ(t.settings.value(QStringLiteral("countdown/paceColours")), QStringLiteral("true"));
    settings->rememberPresetsBox()->setChecked(true);
    EXPECT_EQ(t.settings.value(QStringLiteral("countdown/rememberPresets")), QStringLiteral("true"));
    settings->coverScreensBox()->setCurrentIndex(2);
    EXPECT_EQ(t.settings.value(QStringLiteral("timeUp/coverScreens")), QStringLiteral("all"));

    // The volume reaches the very next cue.
    settings->volumeBox()->setValue(40);
    EXPECT_EQ(t.settings.value(QStringLiteral("cues/volume")), QStringLiteral("40"));
    startCount("01", "00");
    ASSERT_FALSE(t.sounds.log.playVolumes.isEmpty());
    EXPECT_EQ(t.sounds.log.playVolumes.last(), 40);

    // Muted, the cues are not played at all.
    settings->mutedBox()->setChecked(true);
    EXPECT_EQ(t.settings.value(QStringLiteral("cues/muted")), QStringLiteral("true"));
    const int plays = t.sounds.log.plays(QStringLiteral("ding.WAV"));
    t.advance(57'000); // the reminder
    EXPECT_EQ(t.sounds.log.plays(QStringLiteral("ding.WAV")), plays);
    EXPECT_TRUE(t.dialogs.shown.isEmpty()) << "nothing to tell: every value was kept";

    // Closed and opened again, the window shows what is kept.
    settings->close();
    TestProgram::settle();
    settings = openFromTray();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->overtimeBox()->isChecked());
    EXPECT_EQ(settings->coverScreensBox()->currentIndex(), 2);
    EXPECT_EQ(settings->volumeBox()->value(), 40);
    EXPECT_TRUE(settings->mutedBox()->isChecked());
}

// The class lists and the phone remote, off as shipped, are switched here as well: the lists at the
// draw's next opening, the remote at once.
TEST_F(SettingsFromTheWindows, SwitchesTheClassListsAndThePhoneRemote)
{
    SettingsWindow* settings = openFromTray();
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(settings->classListsBox()->isChecked());
    EXPECT_FALSE(settings->remoteBox()->isChecked());

    settings->classListsBox()->setChecked(true);
    EXPECT_EQ(t.settings.value(QStringLiteral("nameList/classLists")), QStringLiteral("true"));
    auto* names = t.program->window<NameListDraw>();
    names->show();
    auto* row = names->findChild<QWidget*>(QStringLiteral("ClassListRow"));
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->isVisible());
    t.program->unload(WindowKind::NameListDraw);
    TestProgram::settle();
    settings->classListsBox()->setChecked(false);
    names = t.program->window<NameListDraw>();
    names->show();
    row = names->findChild<QWidget*>(QStringLiteral("ClassListRow"));
    EXPECT_FALSE(row && row->isVisible());
    t.program->unload(WindowKind::NameListDraw);

    settings->remoteBox()->setChecked(true);
    EXPECT_EQ(t.settings.value(QStringLiteral("remote/enabled")), QStringLiteral("true"));
    RemoteControl* remote = RemoteControl::find(w);
    ASSERT_NE(remote, nullptr);
    EXPECT_TRUE(remote->isOn());
    settings->remoteBox()->setChecked(false);
    EXPECT_EQ(t.settings.value(QStringLiteral("remote/enabled")), QStringLiteral("false"));
    EXPECT_FALSE(remote->isOn());
}

TEST(SettingsOnAFileThatCannotBeWritten, TellsOnceThatTheyHoldForThisRunOnly)
{
    ReadOnlySettings file;
    ProgramOptions options(file);
    ScriptedDialogs dialogs;
    SettingsWindow settings(options, dialogs);
    settings.overtimeBox()->setChecked(true);
    settings.paceColoursBox()->setChecked(true);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown.first().text.contains(QStringLiteral("只在本次运行中有效")));
    EXPECT_TRUE(options.overtime() && options.paceColours()) << "the values hold for the run";
}
