#include "platform/session/AccessibleWindowTitles.h"

#include "platform/session/WindowSystemWithAccessibleTitles.h"
#include "support/FakeWindowSystem.h"
#include "support/PrivateBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QMutex>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWaitCondition>
#include <gtest/gtest.h>

namespace {
const QString kRoot = QStringLiteral("/org/a11y/atspi/accessible/root");
const QString kObjectEvent = QStringLiteral("org.a11y.atspi.Event.Object");
const QString kWindowEvent = QStringLiteral("org.a11y.atspi.Event.Window");
const QString kEditWindow = QStringLiteral("lesson.odp - LibreOffice Impress");
const QString kShowWindow = QStringLiteral("Presenting: lesson.odp");

// Where a fake's answers wait while the test holds them back, as a slow or hung application's do.
// The answer is what was true when the question came.
class AnswerGate {
public:
    void hold()
    {
        QMutexLocker lock(&mutex_);
        held_ = true;
    }
    void release()
    {
        QMutexLocker lock(&mutex_);
        held_ = false;
        opened_.wakeAll();
    }
    int asked() const
    {
        QMutexLocker lock(&mutex_);
        return asked_;
    }
    // Called on the fake's thread; a test that forgets to release does not hang for ever.
    void pass()
    {
        QMutexLocker lock(&mutex_);
        ++asked_;
        const QDeadlineTimer deadline(10000);
        while (held_ && opened_.wait(&mutex_, deadline)) {
        }
    }

private:
    mutable QMutex mutex_;
    QWaitCondition opened_;
    bool held_ = false;
    int asked_ = 0;
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
        QString answer;
        {
            QMutexLocker lock(&mutex_);
            answer = name_;
        }
        gate.pass();
        return answer;
    }
    void rename(const QString& name)
    {
        QMutexLocker lock(&mutex_);
        name_ = name;
    }
    void setChildren(const QList<AccessibleObjectRef>& children)
    {
        QMutexLocker lock(&mutex_);
        children_ = children;
    }

    mutable AnswerGate gate;

public slots:
    QList<AccessibleObjectRef> GetChildren()
    {
        QList<AccessibleObjectRef> answer;
        {
            QMutexLocker lock(&mutex_);
            answer = children_;
        }
        gate.pass();
        return answer;
    }

private:
    mutable QMutex mutex_;
    QString name_;
    QList<AccessibleObjectRef> children_;
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

// An application on the bus with its windows (/w/0, /w/1, …), answering on a connection and a thread
// of its own, so that one held back holds up no other.
class FakeApplication {
public:
    FakeApplication(const QString& address, const QString& connectionName, const QStringList& windowTitles)
        : connectionName_(connectionName), bus_(QDBusConnection::connectToBus(address, connectionName))
    {
        QList<AccessibleObjectRef> children;
        for (const QString& title : windowTitles) {
            const QString path = QStringLiteral("/w/%1").arg(windows.size());
            windows.push_back(std::make_unique<FakeAccessible>(title));
            windows.back()->moveToThread(&serving_);
            bus_.registerObject(path, windows.back().get(),
                                QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
            children.append({service(), QDBusObjectPath(path)});
        }
        root.setChildren(children);
        root.moveToThread(&serving_);
        bus_.registerObject(kRoot, &root,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
        serving_.start();
    }
    ~FakeApplication()
    {
        root.gate.release();
        for (const auto& window : windows)
            window->gate.release();
        serving_.quit();
        serving_.wait();
        QDBusConnection::disconnectFromBus(connectionName_);
    }
    QString service() const { return bus_.baseService(); }
    AccessibleObjectRef ref() const { return {service(), QDBusObjectPath(kRoot)}; }
    QString windowPath(int index) const { return QStringLiteral("/w/%1").arg(index); }

    void send(const QString& path, const QString& interface, const QString& member, const QVariantList& args)
    {
        QDBusMessage signal = QDBusMessage::createSignal(path, interface, member);
        signal.setArguments(args);
        bus_.send(signal);
    }
    void announceRename(int index, const QString& name)
    {
        send(windowPath(index), kObjectEvent, QStringLiteral("PropertyChange"),
             {QStringLiteral("accessible-name"), 0, 0, QVariant::fromValue(QDBusVariant(name)),
              QVariantMap()});
    }
    void announceWindow(int index)
    {
        send(windowPath(index), kWindowEvent, QStringLiteral("Create"),
             {QString(), 0, 0, QVariant::fromValue(QDBusVariant(QString())), QVariantMap()});
    }

    FakeAccessible root{QStringLiteral("app")};
    std::vector<std::unique_ptr<FakeAccessible>> windows;

private:
    QString connectionName_;
    QDBusConnection bus_;
    QThread serving_;
};

class AccessibleWindowTitlesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (bus_.address().isEmpty())
            GTEST_SKIP() << "no dbus-daemon to run a private bus";
        registryBus_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(bus_.address(), QStringLiteral("registry")));
        clientBus_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(bus_.address(), QStringLiteral("client")));
        ASSERT_TRUE(registryBus_->isConnected() && clientBus_->isConnected());
        // Registers the marshalling of the object lists before the fakes export them.
        probe_ = std::make_unique<AccessibleWindowTitles>(*clientBus_);
    }
    void TearDown() override
    {
        applications_.clear();
        serving_.quit();
        serving_.wait();
        probe_.reset();
        for (const char* name : {"registry", "client"})
            QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
    }

    // The launcher and the registry, answering from a thread of their own while ours waits.
    void offerAccessibilityBus()
    {
        launcher_ = std::make_unique<FakeBusLauncher>(bus_.address());
        for (QObject* fake : std::initializer_list<QObject*>{launcher_.get(), &registry_, &desktop_})
            fake->moveToThread(&serving_);
        serving_.start();
        ASSERT_TRUE(registryBus_->registerObject(QStringLiteral("/org/a11y/bus"), launcher_.get(),
                                                 QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(registryBus_->registerService(QStringLiteral("org.a11y.Bus")));
        ASSERT_TRUE(registryBus_->registerObject(QStringLiteral("/org/a11y/atspi/registry"), &registry_,
                                                 QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(registryBus_->registerObject(kRoot, &desktop_, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(registryBus_->registerService(QStringLiteral("org.a11y.atspi.Registry")));
    }

    // An application the registry lists, after those before it.
    FakeApplication& addApplication(const QStringList& windowTitles)
    {
        applications_.push_back(std::make_unique<FakeApplication>(
            bus_.address(), QStringLiteral("app%1").arg(applications_.size()), windowTitles));
        listApplications();
        return *applications_.back();
    }
    void listApplications()
    {
        QList<AccessibleObjectRef> roots;
        for (const auto& application : applications_)
            roots << application->ref();
        desktop_.setChildren(roots);
    }
    // The registry says an application came or went.
    void announceApplications()
    {
        QDBusMessage signal =
            QDBusMessage::createSignal(kRoot, kObjectEvent, QStringLiteral("ChildrenChanged"));
        signal.setArguments(
            {QStringLiteral("add"), 0, 0, QVariant::fromValue(QDBusVariant(QString())), QVariantMap()});
        registryBus_->send(signal);
    }

    PrivateBus bus_;
    QThread serving_;
    std::unique_ptr<QDBusConnection> registryBus_;
    std::unique_ptr<QDBusConnection> clientBus_;
    std::unique_ptr<AccessibleWindowTitles> probe_;
    std::unique_ptr<FakeBusLauncher> launcher_;
    FakeRegistry registry_;
    FakeAccessible desktop_{QStringLiteral("main")};
    std::vector<std::unique_ptr<FakeApplication>> applications_;
};
} // namespace

TEST_F(AccessibleWindowTitlesTest, ReadsTheNamedWindowsOfEachApplicationAndHearsRenamesAndNewWindows)
{
    offerAccessibilityBus();
    FakeApplication& office = addApplication({kEditWindow, QString()});
    AccessibleWindowTitles titles(*clientBus_);
    int changes = 0;
    QObject::connect(&titles, &AccessibleWindowTitles::titlesChanged, [&] { ++changes; });
    ASSERT_TRUE(titles.start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return changes == 1; }, 3000));
    EXPECT_EQ(titles.titles(), QStringList{kEditWindow});
    EXPECT_TRUE(registry_.registered().contains(QStringLiteral("window:create")));
    EXPECT_TRUE(registry_.registered().contains(QStringLiteral("object:property-change:accessible-name")));

    // The show starts: the window is renamed.
    office.windows[0]->rename(kShowWindow);
    office.announceRename(0, kShowWindow);
    ASSERT_TRUE(QTest::qWaitFor([&] { return changes == 2; }, 3000));
    EXPECT_EQ(titles.titles(), QStringList{kShowWindow});

    // Another property changing, or a control inside a window renamed, is not a reason to read the
    // list again.
    office.windows[0]->rename(QStringLiteral("not read"));
    office.send(
        office.windowPath(0), kObjectEvent, QStringLiteral("PropertyChange"),
        {QStringLiteral("accessible-value"), 0, 0, QVariant::fromValue(QDBusVariant(1)), QVariantMap()});
    office.send(QStringLiteral("/w/0/button"), kObjectEvent, QStringLiteral("PropertyChange"),
                {QStringLiteral("accessible-name"), 0, 0, QVariant::fromValue(QDBusVariant(QString())),
                 QVariantMap()});
    QTest::qWait(300);
    EXPECT_EQ(titles.titles(), QStringList{kShowWindow});

    // The unnamed window gets a title and says it was created.
    office.windows[1]->rename(QStringLiteral("Notes"));
    office.announceWindow(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return changes == 3; }, 3000));
    EXPECT_EQ(titles.titles(), (QStringList{QStringLiteral("not read"), QStringLiteral("Notes")}));
}

TEST_F(AccessibleWindowTitlesTest, WithoutAnAccessibilityBusNothingIsAddedToTheDesktopsTitles)
{
    AccessibleWindowTitles titles(*clientBus_);
    EXPECT_FALSE(titles.start());
    EXPECT_FALSE(titles.isConnected());
    EXPECT_TRUE(titles.titles().isEmpty());
}

TEST_F(AccessibleWindowTitlesTest, ASlowApplicationHoldsUpNeitherOurEventsNorTheOtherApplicationsTitles)
{
    offerAccessibilityBus();
    addApplication({kEditWindow});
    FakeApplication& slow = addApplication({kShowWindow});
    slow.root.gate.hold();

    AccessibleWindowTitles titles(*clientBus_);
    ASSERT_TRUE(titles.start());
    // A timer of ours keeps ticking while the slow application has not answered.
    int ticks = 0;
    QTimer ticking;
    QObject::connect(&ticking, &QTimer::timeout, [&] { ++ticks; });
    ticking.start(10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return slow.root.gate.asked() == 1 && ticks >= 5; }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return titles.titles() == QStringList{kEditWindow}; }, 3000));

    // Its windows are listed once it answers, after the others', as the registry lists them.
    slow.root.gate.release();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return titles.titles() == QStringList({kEditWindow, kShowWindow});
        },
        3000))
        << titles.titles().join(QLatin1String(", ")).toStdString();
}

TEST_F(AccessibleWindowTitlesTest, AWindowRenamedWhileItsApplicationIsReadEndsWithItsNewTitle)
{
    offerAccessibilityBus();
    FakeApplication& office = addApplication({kEditWindow});
    AccessibleWindowTitles titles(*clientBus_);
    ASSERT_TRUE(titles.start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return titles.titles() == QStringList{kEditWindow}; }, 3000));

    // A window comes, and while the application is answering what its windows are called, the
    // show starts and renames one: the answer on its way still has the old title.
    office.windows[0]->gate.hold();
    office.announceWindow(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return office.windows[0]->gate.asked() == 2; }, 3000));
    office.windows[0]->rename(kShowWindow);
    office.announceRename(0, kShowWindow);
    QTest::qWait(100);
    office.windows[0]->gate.release();

    EXPECT_TRUE(QTest::qWaitFor([&] { return titles.titles() == QStringList{kShowWindow}; }, 3000))
        << titles.titles().join(QLatin1String(", ")).toStdString();
}

TEST_F(AccessibleWindowTitlesTest, AnApplicationThatStopsAnsweringKeepsItsTitlesAndIsReadAgainLater)
{
    offerAccessibilityBus();
    FakeApplication& office = addApplication({kShowWindow, QStringLiteral("Notes")});
    AccessibleWindowTitles titles(*clientBus_);
    titles.setAnswerTimeout(300);
    ASSERT_TRUE(titles.start());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return titles.titles() == QStringList({kShowWindow, QStringLiteral("Notes")});
        },
        3000));

    // Busy with the show, the office does not say what its windows are called in time: the show is
    // still running for all we know.
    office.windows[0]->gate.hold();
    office.windows[1]->rename(QStringLiteral("Notes 2"));
    office.announceRename(1, QStringLiteral("Notes 2"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return office.windows[0]->gate.asked() == 2; }, 3000));
    QTest::qWait(800);
    EXPECT_EQ(titles.titles(), QStringList({kShowWindow, QStringLiteral("Notes")}));

    // Nor in time to list its windows at all.
    office.windows[0]->gate.release();
    office.root.gate.hold();
    office.announceWindow(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return office.root.gate.asked() == 3; }, 3000));
    QTest::qWait(800);
    EXPECT_EQ(titles.titles(), QStringList({kShowWindow, QStringLiteral("Notes")}));

    // Once it answers again, its next event is heard.
    office.root.gate.release();
    office.announceRename(1, QStringLiteral("Notes 2"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return titles.titles() == QStringList({kShowWindow, QStringLiteral("Notes 2")});
        },
        3000))
        << titles.titles().join(QLatin1String(", ")).toStdString();
}

TEST_F(AccessibleWindowTitlesTest, ApplicationsComingAndGoingBringAndTakeTheirTitles)
{
    offerAccessibilityBus();
    addApplication({kEditWindow});
    AccessibleWindowTitles titles(*clientBus_);
    ASSERT_TRUE(titles.start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return titles.titles() == QStringList{kEditWindow}; }, 3000));

    // The show runs in a process of its own.
    FakeApplication& show = addApplication({kShowWindow});
    announceApplications();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return titles.titles() == QStringList({kEditWindow, kShowWindow});
        },
        3000));

    // It ends: its title does not linger, and the titles of the application that stays are not read
    // again for it.
    const int editReads = applications_.front()->root.gate.asked();
    ASSERT_EQ(&show, applications_.back().get());
    applications_.pop_back();
    listApplications();
    announceApplications();
    EXPECT_TRUE(QTest::qWaitFor([&] { return titles.titles() == QStringList{kEditWindow}; }, 3000))
        << titles.titles().join(QLatin1String(", ")).toStdString();
    EXPECT_EQ(applications_.front()->root.gate.asked(), editReads);

    // Another comes while the registry is still answering what the applications are.
    desktop_.gate.hold();
    const int listReads = desktop_.gate.asked();
    announceApplications();
    ASSERT_TRUE(QTest::qWaitFor([&] { return desktop_.gate.asked() == listReads + 1; }, 3000));
    addApplication({QStringLiteral("Notes")});
    announceApplications();
    QTest::qWait(100);
    desktop_.gate.release();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return titles.titles() == QStringList({kEditWindow, QStringLiteral("Notes")});
        },
        3000))
        << titles.titles().join(QLatin1String(", ")).toStdString();
}

TEST_F(AccessibleWindowTitlesTest, GoingAwayWithAnswersOutstandingLeavesNothingBehind)
{
    offerAccessibilityBus();
    FakeApplication& slow = addApplication({kShowWindow});
    slow.root.gate.hold();
    auto titles = std::make_unique<AccessibleWindowTitles>(*clientBus_);
    int changes = 0;
    QObject::connect(titles.get(), &AccessibleWindowTitles::titlesChanged, [&] { ++changes; });
    ASSERT_TRUE(titles->start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return slow.root.gate.asked() == 1; }, 3000));
    titles.reset();
    slow.root.gate.release();
    QTest::qWait(200);
    EXPECT_EQ(changes, 0);
}

TEST_F(AccessibleWindowTitlesTest, TheWrappedDesktopGetsTheBussTitlesWithoutDuplicatesAndReportsTheirChanges)
{
    offerAccessibilityBus();
    FakeApplication& office = addApplication({kEditWindow});
    AccessibleWindowTitles accessible(*clientBus_);
    ASSERT_TRUE(accessible.start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return accessible.titles() == QStringList{kEditWindow}; }, 3000));
    FakeWindowSystem desktop;
    desktop.titles = {QStringLiteral("Vantrel"), kEditWindow};
    WindowSystemWithAccessibleTitles windows(desktop, accessible);
    EXPECT_EQ(windows.topLevelTitles(), desktop.titles);

    // A desktop that cannot report its own titles is polled, whatever the bus could report.
    int reports = 0;
    EXPECT_FALSE(windows.reportTitleChanges([&] { ++reports; }));

    FakeWindowSystem reporting;
    reporting.reportsEvents = true;
    WindowSystemWithAccessibleTitles reportingWindows(reporting, accessible);
    ASSERT_TRUE(reportingWindows.reportTitleChanges([&] { ++reports; }));
    office.windows[0]->rename(kShowWindow);
    office.send(kRoot, kObjectEvent, QStringLiteral("ChildrenChanged"),
                {QStringLiteral("add"), 0, 0, QVariant::fromValue(QDBusVariant(QString())), QVariantMap()});
    ASSERT_TRUE(QTest::qWaitFor([&] { return reports == 1; }, 3000));
    EXPECT_EQ(reportingWindows.topLevelTitles(), QStringList{kShowWindow});
}

#include "AccessibleWindowTitlesTest.moc"
