#include "platform/session/AccessibleWindowTitles.h"

#include "platform/session/WindowSystemWithAccessibleTitles.h"
#include "support/FakeWindowSystem.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFile>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

namespace {
const QString kRoot = QStringLiteral("/org/a11y/atspi/accessible/root");

// A private bus of our own, ended with the test; it stands for both the session bus and the
// accessibility bus. It starts no services: the system's accessibility bus launcher is not one of ours.
class PrivateBus {
public:
    PrivateBus()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty() || !config_.open())
            return;
        QFile sessionConfig(QStringLiteral("/usr/share/dbus-1/session.conf"));
        if (!sessionConfig.open(QIODevice::ReadOnly))
            return;
        config_.write(sessionConfig.readAll().replace("<standard_session_servicedirs />", ""));
        config_.close();
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--config-file=") + config_.fileName(), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
        if (daemon_.waitForReadyRead(5000))
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        daemon_.kill();
        daemon_.waitForFinished();
    }
    const QString& address() const { return address_; }

private:
    QTemporaryFile config_;
    QProcess daemon_;
    QString address_;
};

// The launcher's answer: where the accessibility bus is.
class FakeBusLauncher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.a11y.Bus")
public:
    explicit FakeBusLauncher(QString address) : address_(std::move(address)) {}
public slots:
    QString GetAddress() { return address_; }

private:
    QString address_;
};

// One accessible object: its name and its children, as an application or the registry serves them.
class FakeAccessible : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.a11y.atspi.Accessible")
    Q_PROPERTY(QString Name READ name)
public:
    explicit FakeAccessible(QString name = {}) : name_(std::move(name)) {}
    QString name() const
    {
        QMutexLocker lock(&mutex_);
        return name_;
    }
    void rename(const QString& name)
    {
        QMutexLocker lock(&mutex_);
        name_ = name;
    }
    // Set before the bus is offered.
    QList<AccessibleObjectRef> children;

public slots:
    QList<AccessibleObjectRef> GetChildren() { return children; }

private:
    mutable QMutex mutex_;
    QString name_;
};

// The registry, taking the events asked for.
class FakeRegistry : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.a11y.atspi.Registry")
public:
    QStringList registered() const
    {
        QMutexLocker lock(&mutex_);
        return registered_;
    }
public slots:
    void RegisterEvent(const QString& event, const QStringList&, const QString&)
    {
        QMutexLocker lock(&mutex_);
        registered_ << event;
    }

private:
    mutable QMutex mutex_;
    QStringList registered_;
};

class AccessibleWindowTitlesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (bus_.address().isEmpty())
            GTEST_SKIP() << "no dbus-daemon to run a private bus";
        registryBus_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(bus_.address(), QStringLiteral("registry")));
        appBus_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(bus_.address(), QStringLiteral("app")));
        clientBus_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(bus_.address(), QStringLiteral("client")));
        ASSERT_TRUE(registryBus_->isConnected() && appBus_->isConnected() && clientBus_->isConnected());
        // Registers the marshalling of the object lists before the fakes export them.
        probe_ = std::make_unique<AccessibleWindowTitles>(*clientBus_);
    }
    void TearDown() override
    {
        serving_.quit();
        serving_.wait();
        probe_.reset();
        for (const char* name : {"registry", "app", "client"})
            QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
    }

    // An application with two windows (one without a name) and the registry listing it, answering
    // from a thread of their own while ours waits for the answer.
    void offerAccessibilityBus()
    {
        launcher_ = std::make_unique<FakeBusLauncher>(bus_.address());
        for (QObject* fake : std::initializer_list<QObject*>{launcher_.get(), &registry_, &desktop_,
                                                             &application_, &show_, &unnamed_})
            fake->moveToThread(&serving_);
        serving_.start();
        ASSERT_TRUE(registryBus_->registerObject(QStringLiteral("/org/a11y/bus"), launcher_.get(),
                                                 QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(registryBus_->registerService(QStringLiteral("org.a11y.Bus")));
        ASSERT_TRUE(registryBus_->registerObject(QStringLiteral("/org/a11y/atspi/registry"), &registry_,
                                                 QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(registryBus_->registerObject(kRoot, &desktop_, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(registryBus_->registerService(QStringLiteral("org.a11y.atspi.Registry")));

        const QString app = appBus_->baseService();
        for (auto [path, object] :
             {std::pair{kRoot, &application_}, std::pair{QStringLiteral("/w/show"), &show_},
              std::pair{QStringLiteral("/w/unnamed"), &unnamed_}})
            ASSERT_TRUE(appBus_->registerObject(
                path, object, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
        application_.children = {{app, QDBusObjectPath(QStringLiteral("/w/show"))},
                                 {app, QDBusObjectPath(QStringLiteral("/w/unnamed"))}};
        desktop_.children = {{app, QDBusObjectPath(kRoot)}};
    }

    void sendFromApp(const QString& path, const QString& interface, const QString& member,
                     const QVariantList& args)
    {
        QDBusMessage signal = QDBusMessage::createSignal(path, interface, member);
        signal.setArguments(args);
        appBus_->send(signal);
    }

    PrivateBus bus_;
    QThread serving_;
    std::unique_ptr<QDBusConnection> registryBus_;
    std::unique_ptr<QDBusConnection> appBus_;
    std::unique_ptr<QDBusConnection> clientBus_;
    std::unique_ptr<AccessibleWindowTitles> probe_;
    std::unique_ptr<FakeBusLauncher> launcher_;
    FakeRegistry registry_;
    FakeAccessible desktop_{QStringLiteral("main")};
    FakeAccessible application_{QStringLiteral("soffice")};
    FakeAccessible show_{QStringLiteral("lesson.odp - LibreOffice Impress")};
    FakeAccessible unnamed_;
};
} // namespace

TEST_F(AccessibleWindowTitlesTest, ReadsTheNamedWindowsOfEachApplicationAndHearsRenamesAndNewWindows)
{
    offerAccessibilityBus();
    AccessibleWindowTitles titles(*clientBus_);
    ASSERT_TRUE(titles.start());
    EXPECT_EQ(titles.titles(), QStringList{QStringLiteral("lesson.odp - LibreOffice Impress")});
    EXPECT_TRUE(registry_.registered().contains(QStringLiteral("window:create")));
    EXPECT_TRUE(registry_.registered().contains(QStringLiteral("object:property-change:accessible-name")));

    int changes = 0;
    QObject::connect(&titles, &AccessibleWindowTitles::titlesChanged, [&] { ++changes; });

    // The show starts: the window is renamed.
    show_.rename(QStringLiteral("Presenting: lesson.odp"));
    sendFromApp(QStringLiteral("/w/show"), QStringLiteral("org.a11y.atspi.Event.Object"),
                QStringLiteral("PropertyChange"),
                {QStringLiteral("accessible-name"), 0, 0, QVariant::fromValue(QDBusVariant(show_.name())),
                 QVariantMap()});
    ASSERT_TRUE(QTest::qWaitFor([&] { return changes == 1; }, 3000));
    EXPECT_EQ(titles.titles(), QStringList{QStringLiteral("Presenting: lesson.odp")});

    // Another property changing is not a reason to read the list again.
    show_.rename(QStringLiteral("not read"));
    sendFromApp(
        QStringLiteral("/w/show"), QStringLiteral("org.a11y.atspi.Event.Object"),
        QStringLiteral("PropertyChange"),
        {QStringLiteral("accessible-value"), 0, 0, QVariant::fromValue(QDBusVariant(1)), QVariantMap()});
    QTest::qWait(300);
    EXPECT_EQ(titles.titles(), QStringList{QStringLiteral("Presenting: lesson.odp")});

    // The unnamed window gets a title and says it was created.
    unnamed_.rename(QStringLiteral("Notes"));
    sendFromApp(QStringLiteral("/w/unnamed"), QStringLiteral("org.a11y.atspi.Event.Window"),
                QStringLiteral("Create"),
                {QString(), 0, 0, QVariant::fromValue(QDBusVariant(QString())), QVariantMap()});
    ASSERT_TRUE(QTest::qWaitFor([&] { return changes == 2; }, 3000));
    EXPECT_EQ(titles.titles(), (QStringList{QStringLiteral("not read"), QStringLiteral("Notes")}));
}

TEST_F(AccessibleWindowTitlesTest, WithoutAnAccessibilityBusNothingIsAddedToTheDesktopsTitles)
{
    AccessibleWindowTitles titles(*clientBus_);
    EXPECT_FALSE(titles.start());
    EXPECT_FALSE(titles.isConnected());
    EXPECT_TRUE(titles.titles().isEmpty());
}

TEST_F(AccessibleWindowTitlesTest, TheWrappedDesktopGetsTheBussTitlesWithoutDuplicatesAndReportsTheirChanges)
{
    offerAccessibilityBus();
    AccessibleWindowTitles accessible(*clientBus_);
    ASSERT_TRUE(accessible.start());
    FakeWindowSystem desktop;
    desktop.titles = {QStringLiteral("Vantrel"), QStringLiteral("lesson.odp - LibreOffice Impress")};
    WindowSystemWithAccessibleTitles windows(desktop, accessible);
    EXPECT_EQ(windows.topLevelTitles(), desktop.titles);

    // A desktop that cannot report its own titles is polled, whatever the bus could report.
    int reports = 0;
    EXPECT_FALSE(windows.reportTitleChanges([&] { ++reports; }));

    FakeWindowSystem reporting;
    reporting.reportsEvents = true;
    WindowSystemWithAccessibleTitles reportingWindows(reporting, accessible);
    ASSERT_TRUE(reportingWindows.reportTitleChanges([&] { ++reports; }));
    show_.rename(QStringLiteral("Presenting: lesson.odp"));
    sendFromApp(kRoot, QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("ChildrenChanged"),
                {QStringLiteral("add"), 0, 0, QVariant::fromValue(QDBusVariant(QString())), QVariantMap()});
    ASSERT_TRUE(QTest::qWaitFor([&] { return reports == 1; }, 3000));
    EXPECT_EQ(reportingWindows.topLevelTitles(), QStringList{QStringLiteral("Presenting: lesson.odp")});
}

#include "AccessibleWindowTitlesTest.moc"
