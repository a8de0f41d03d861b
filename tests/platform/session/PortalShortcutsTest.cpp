#include "platform/session/PortalShortcuts.h"

#include "models/tracking/KeyPresses.h"
#include "platform/session/WindowSystemWithPortalKeys.h"
#include "support/FakeWindowSystem.h"
#include "support/PrivateBus.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

// Outside any unnamed namespace: D-Bus finds the fake portal's slot by the type's name.
struct BoundShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const BoundShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, BoundShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

Q_DECLARE_METATYPE(BoundShortcut)

namespace {
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

// The desktop portal's global shortcuts as a desktop that offers them answers: a session, the
// shortcuts bound as asked (or declined), and presses sent when the test says.
class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
public:
    explicit FakePortal(QDBusConnection bus) : bus_(std::move(bus)) {}

    uint bindAnswer = 0;          // 0 granted, 1 declined by the user
    bool bindsAtCreation = false; // as Plasma 5.27: from the session's options, listed in its answer
    QList<BoundShortcut> bound;
    QString session;
    QStringList sessionTokens;
    int bindCalls = 0;

    void press(const QString& id, const QString& inSession = {})
    {
        sendShortcutSignal(QStringLiteral("Activated"), id, inSession);
    }
    void release(const QString& id) { sendShortcutSignal(QStringLiteral("Deactivated"), id, {}); }

public slots:
    QDBusObjectPath CreateSession(const QVariantMap& options, const QDBusMessage& message)
    {
        sessionTokens << options.value(QStringLiteral("session_handle_token")).toString();
        session = QStringLiteral("%1/session/%2/%3").arg(kPath, senderPart(message), sessionTokens.last());
        QVariantMap results{{QStringLiteral("session_handle"), session}};
        if (bindsAtCreation) {
            options.value(QStringLiteral("shortcuts")).value<QDBusArgument>() >> bound;
            results.insert(QStringLiteral("shortcuts"), QVariant::fromValue(bound));
        }
        return answerLater(message, options, 0, results);
    }

    QDBusObjectPath BindShortcuts(const QDBusObjectPath& sessionHandle, const QList<BoundShortcut>& shortcuts,
                                  const QString&, const QVariantMap& options, const QDBusMessage& message)
    {
        ++bindCalls;
        if (sessionHandle.path() == session)
            bound = shortcuts;
        return answerLater(message, options, bindAnswer, {});
    }

private:
    static QString senderPart(const QDBusMessage& message)
    {
        return message.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    }

    QDBusObjectPath answerLater(const QDBusMessage& message, const QVariantMap& options, uint response,
                                const QVariantMap& results)
    {
        const QString request =
            QStringLiteral("%1/request/%2/%3")
                .arg(kPath, senderPart(message), options.value(QStringLiteral("handle_token")).toString());
        QTimer::singleShot(0, this, [this, request, response, results] {
            QDBusMessage signal = QDBusMessage::createSignal(
                request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
            signal << response << results;
            bus_.send(signal);
        });
        return QDBusObjectPath(request);
    }

    void sendShortcutSignal(const QString& name, const QString& id, const QString& inSession)
    {
        QDBusMessage signal = QDBusMessage::createSignal(kPath, kInterface, name);
        signal << QVariant::fromValue(QDBusObjectPath(inSession.isEmpty() ? session : inSession)) << id
               << qulonglong(1) << QVariantMap();
        bus_.send(signal);
    }

    QDBusConnection bus_;
};

class PortalShortcutsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (bus_.address().isEmpty())
            GTEST_SKIP() << "no dbus-daemon to run a private session bus";
        qDBusRegisterMetaType<BoundShortcut>();
        qDBusRegisterMetaType<QList<BoundShortcut>>();
        portalBus_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(bus_.address(), QStringLiteral("portal")));
        clientBus_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(bus_.address(), QStringLiteral("client")));
        ASSERT_TRUE(portalBus_->isConnected());
        ASSERT_TRUE(clientBus_->isConnected());
        portal_ = std::make_unique<FakePortal>(*portalBus_);
    }
    void TearDown() override
    {
        portal_.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }

    void offerPortal()
    {
        ASSERT_TRUE(portalBus_->registerObject(kPath, portal_.get(), QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(portalBus_->registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
    }

    static bool settles(PortalShortcuts& shortcuts)
    {
        return QTest::qWaitFor([&] { return shortcuts.state() != PortalShortcuts::State::Asking; }, 5000);
    }

    PrivateBus bus_;
    std::unique_ptr<QDBusConnection> portalBus_;
    std::unique_ptr<QDBusConnection> clientBus_;
    std::unique_ptr<FakePortal> portal_;
};
} // namespace

TEST_F(PortalShortcutsTest, BindsF9AndF11AndHearsThemWhicheverProgramHasTheFocus)
{
    offerPortal();
    PortalShortcuts shortcuts(*clientBus_);
    shortcuts.start();
    ASSERT_TRUE(settles(shortcuts));
    ASSERT_EQ(shortcuts.state(), PortalShortcuts::State::Bound);
    ASSERT_EQ(portal_->bound.size(), 2);
    EXPECT_EQ(portal_->bound[0].properties.value(QStringLiteral("preferred_trigger")).toString(),
              QStringLiteral("F9"));
    EXPECT_EQ(portal_->bound[1].properties.value(QStringLiteral("preferred_trigger")).toString(),
              QStringLiteral("F11"));
    EXPECT_FALSE(portal_->bound[0].properties.value(QStringLiteral("description")).toString().isEmpty());

    // Held: down on every tick until released.
    portal_->press(portal_->bound[0].id);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shortcuts.isKeyDown(Keys::F9); }, 3000));
    EXPECT_TRUE(shortcuts.isKeyDown(Keys::F9));
    EXPECT_FALSE(shortcuts.isKeyDown(Keys::F11));
    portal_->release(portal_->bound[0].id);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shortcuts.isKeyDown(Keys::F9); }, 3000));

    // A tap between two ticks counts once.
    portal_->press(portal_->bound[1].id);
    portal_->release(portal_->bound[1].id);
    QTest::qWait(200);
    EXPECT_TRUE(shortcuts.isKeyDown(Keys::F11));
    EXPECT_FALSE(shortcuts.isKeyDown(Keys::F11));

    // A desktop that reports no releases (Plasma, when the shortcut is triggered from its settings):
    // each press is still one press, not one long hold.
    portal_->press(portal_->bound[0].id);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shortcuts.isKeyDown(Keys::F9); }, 3000));
    EXPECT_TRUE(shortcuts.isKeyDown(Keys::F9));
    portal_->press(portal_->bound[0].id);
    QTest::qWait(200);
    EXPECT_FALSE(shortcuts.isKeyDown(Keys::F9)) << "a second press with no release read as one long hold";
    EXPECT_TRUE(shortcuts.isKeyDown(Keys::F9));
    portal_->release(portal_->bound[0].id);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shortcuts.isKeyDown(Keys::F9); }, 3000));

    // Another program's session is not ours.
    portal_->press(portal_->bound[0].id, QStringLiteral("/org/freedesktop/portal/desktop/session/other/x"));
    QTest::qWait(200);
    EXPECT_FALSE(shortcuts.isKeyDown(Keys::F9));
}

TEST_F(PortalShortcutsTest, ADesktopThatBindsWithTheSessionIsNotAskedAgain)
{
    offerPortal();
    portal_->bindsAtCreation = true;
    PortalShortcuts shortcuts(*clientBus_);
    shortcuts.start();
    ASSERT_TRUE(settles(shortcuts));
    ASSERT_EQ(shortcuts.state(), PortalShortcuts::State::Bound);
    ASSERT_EQ(portal_->bound.size(), 2) << "the shortcuts did not come with the session";
    EXPECT_EQ(portal_->bound[0].properties.value(QStringLiteral("preferred_trigger")).toString(),
              QStringLiteral("F9"));
    EXPECT_EQ(portal_->bindCalls, 0) << "asked to bind again: Plasma would open its settings window";
    portal_->press(QStringLiteral("toggle-strip"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return shortcuts.isKeyDown(Keys::F9); }, 3000));

    // The next start names the session as the first did: the desktop keeps the user's keys under it.
    PortalShortcuts again(*clientBus_);
    again.start();
    ASSERT_TRUE(settles(again));
    ASSERT_EQ(portal_->sessionTokens.size(), 2);
    EXPECT_EQ(portal_->sessionTokens[0], portal_->sessionTokens[1]);
}

TEST_F(PortalShortcutsTest, UnavailableWithoutAPortalOrWhenTheUserDeclines)
{
    PortalShortcuts noPortal(*clientBus_);
    noPortal.start();
    ASSERT_TRUE(settles(noPortal));
    EXPECT_EQ(noPortal.state(), PortalShortcuts::State::Unavailable);

    offerPortal();
    portal_->bindAnswer = 1;
    PortalShortcuts declined(*clientBus_);
    declined.start();
    ASSERT_TRUE(settles(declined));
    EXPECT_EQ(portal_->bound.size(), 2) << "the shortcuts were not offered";
    EXPECT_EQ(declined.state(), PortalShortcuts::State::Unavailable);
    portal_->press(QStringLiteral("toggle-strip"));
    QTest::qWait(200);
    EXPECT_FALSE(declined.isKeyDown(Keys::F9));
}

TEST_F(PortalShortcutsTest, PortalKeysJoinTheWindowSystemsOwn)
{
    offerPortal();
    PortalShortcuts shortcuts(*clientBus_);
    shortcuts.start();
    ASSERT_TRUE(settles(shortcuts));
    ASSERT_EQ(shortcuts.state(), PortalShortcuts::State::Bound);
    FakeWindowSystem desktop;
    desktop.titles = {QStringLiteral("正在演示: deck")};
    // A projector beside the laptop, and a show on it: the wrapper hides none of the desktop.
    desktop.screenAreas = {QRect(0, 0, 1920 * 15, 1080 * 15), QRect(1920 * 15, 0, 1920 * 15, 1080 * 15)};
    desktop.windowRects.insert(desktop.titles.first(), desktop.screenAreas.last());
    WindowSystemWithPortalKeys windows(desktop, shortcuts);
    EXPECT_EQ(windows.topLevelTitles(), desktop.titles);
    EXPECT_EQ(windows.screensTwips(), desktop.screenAreas);
    EXPECT_EQ(windows.windowRectTwips(desktop.titles.first()), desktop.screenAreas.last());

    desktop.keysDown.insert(Keys::F11);
    EXPECT_TRUE(windows.isKeyDown(Keys::F11));
    EXPECT_FALSE(windows.isKeyDown(Keys::F9));
    portal_->press(QStringLiteral("toggle-strip"));
    portal_->release(QStringLiteral("toggle-strip"));
    // A tap shorter than a tick is still seen once; then the key is up again (the release may arrive
    // a moment after the press on a slow machine).
    ASSERT_TRUE(QTest::qWaitFor([&] { return windows.isKeyDown(Keys::F9); }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !windows.isKeyDown(Keys::F9); }, 3000));
    EXPECT_FALSE(windows.isKeyDown(Keys::F9));
}

TEST_F(PortalShortcutsTest, PortalPressesArriveAsEventsWhenTheDesktopReportsItsOwnKeys)
{
    offerPortal();
    PortalShortcuts shortcuts(*clientBus_);
    shortcuts.start();
    ASSERT_TRUE(settles(shortcuts));
    ASSERT_EQ(shortcuts.state(), PortalShortcuts::State::Bound);

    // Without key events of its own, the desktop's keys are polled, and the portal's with them.
    FakeWindowSystem polled;
    WindowSystemWithPortalKeys pollingWindows(polled, shortcuts);
    EXPECT_FALSE(pollingWindows.reportKeys({Keys::F9, Keys::F11}, [](int, bool) {}));

    FakeWindowSystem desktop;
    desktop.reportsEvents = true;
    WindowSystemWithPortalKeys windows(desktop, shortcuts);
    KeyPresses presses;
    ASSERT_TRUE(windows.reportKeys({Keys::F9}, [&](int keyCode, bool down) { presses.note(keyCode, down); }));

    // A held shortcut (press, release later), a press whose release never comes, and a third press:
    // three presses, each counted once, and none left for the poll to count again.
    portal_->press(QStringLiteral("toggle-strip"));
    portal_->release(QStringLiteral("toggle-strip"));
    portal_->press(QStringLiteral("toggle-strip"));
    portal_->press(QStringLiteral("toggle-strip"));
    int f9Presses = 0;
    (void)QTest::qWaitFor([&] { return (f9Presses += presses.take(Keys::F9)) >= 3; }, 3000);
    QTest::qWait(200);
    EXPECT_EQ(f9Presses + presses.take(Keys::F9), 3);
    EXPECT_FALSE(windows.isKeyDown(Keys::F9));
    // F11 was not asked for: its presses are not reported.
    portal_->press(QStringLiteral("bring-back"));
    QTest::qWait(200);
    EXPECT_EQ(presses.take(Keys::F11), 0);
    // The desktop's own keys still reach the report.
    desktop.keyDown(Keys::F9);
    desktop.keyUp(Keys::F9);
    EXPECT_EQ(presses.take(Keys::F9), 1);
}

#include "PortalShortcutsTest.moc"
