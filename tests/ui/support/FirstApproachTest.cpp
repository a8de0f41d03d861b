// The sound back-end is loaded when the user first reaches for the main window, and the first cue
// (开始, one click later) then sounds at once from the cue read ahead.
#include "ui/support/FirstApproach.h"

#include "platform/modules/ModuleSoundDevices.h"
#include "support/FakeSound.h"

#include <QCursor>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

// A window with a start button that plays its cue, wired as the program wires the main window.
struct CueWindow {
    std::atomic<int> loads{0};
    std::atomic<bool> loadedOffWindowThread{false};
    FakeSoundFactory* backend = nullptr;
    ModuleSoundDeviceFactory sounds{[this, windowThread = std::this_thread::get_id()] {
        ++loads;
        loadedOffWindowThread = std::this_thread::get_id() != windowThread;
        auto loaded = std::make_unique<FakeSoundFactory>();
        backend = loaded.get();
        return std::unique_ptr<SoundDeviceFactory>(std::move(loaded));
    }};
    QWidget window;
    QLineEdit* minutes = new QLineEdit(&window);
    QPushButton* start = new QPushButton(QStringLiteral("开始"), &window);
    std::unique_ptr<SoundDevice> cue = sounds.create();

    CueWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(minutes);
        layout->addWidget(start);
        cue->setFileName(QStringLiteral("ding.WAV"));
        QObject::connect(start, &QPushButton::clicked, [this] { playCue(*cue); });
        onFirstApproach(&window, [this] { sounds.prepare(); });
        // Shown away from the pointer: a window that comes up under it is approached at once.
        QCursor::setPos(5, 5);
        window.move(300, 200);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
};

TEST(FirstApproach, PointerOverTheWindowLoadsTheCuesInTheBackgroundSoTheFirstCueSoundsInItsClick)
{
    CueWindow main;
    QTest::qWait(50);
    EXPECT_EQ(main.loads, 0) << "a window merely shown does not load the back-end";

    QTest::mouseMove(main.start);
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.sounds.isSettled(); }, 10000));
    EXPECT_EQ(main.loads, 1);
    EXPECT_TRUE(main.loadedOffWindowThread);
    ASSERT_NE(main.backend, nullptr);
    EXPECT_EQ(main.backend->log.commands, (QStringList{"1:Open ding.WAV", "1:Close"}));

    QTest::mouseClick(main.start, Qt::LeftButton);
    EXPECT_EQ(main.backend->log.commands.mid(2),
              (QStringList{"1:Close", "1:Open ding.WAV", "1:Play ding.WAV"}));
    EXPECT_EQ(main.loads, 1);
}

TEST(FirstApproach, AClickWithoutAnyApproachBeforeItStillSoundsFromOneLoad)
{
    CueWindow main;
    QTest::mouseClick(main.start, Qt::LeftButton);
    ASSERT_NE(main.backend, nullptr);
    EXPECT_EQ(main.backend->log.plays(QStringLiteral("ding.WAV")), 1);
    QTest::qWait(50);
    EXPECT_EQ(main.loads, 1);
}

TEST(FirstApproach, AKeyInAControlCountsOnceAndOtherWindowsDoNot)
{
    int runs = 0;
    auto window = std::make_unique<QWidget>();
    auto* box = new QLineEdit(window.get());
    QWidget other;
    auto* otherBox = new QLineEdit(&other);
    onFirstApproach(window.get(), [&runs] { ++runs; });
    // Side by side, the pointer over neither.
    QCursor::setPos(5, 5);
    window->setGeometry(400, 100, 200, 100);
    other.setGeometry(100, 100, 200, 100);
    window->show();
    other.show();

    QTest::keyClick(otherBox, Qt::Key_5);
    QTest::mouseMove(otherBox);
    EXPECT_EQ(runs, 0);

    QTest::keyClick(box, Qt::Key_5);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(box->text(), QStringLiteral("5")) << "the key still reaches its control";
    QTest::keyClick(box, Qt::Key_6);
    QTest::mouseMove(box);
    EXPECT_EQ(runs, 1);
}

TEST(FirstApproach, AWindowClosedBeforeAnyApproachRunsNothing)
{
    int runs = 0;
    auto window = std::make_unique<QWidget>();
    onFirstApproach(window.get(), [&runs] { ++runs; });
    window->show();
    window.reset();
    QWidget other;
    auto* otherBox = new QLineEdit(&other);
    other.show();
    QTest::keyClick(otherBox, Qt::Key_5);
    QTest::mouseMove(otherBox);
    EXPECT_EQ(runs, 0);
}

} // namespace
