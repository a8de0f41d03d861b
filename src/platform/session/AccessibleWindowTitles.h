#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QHash>
#include <QMetaType>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

class QDBusArgument;
class QDBusMessage;
class QDBusPendingCall;

// An object on the accessibility bus: the bus name of the application that serves it and its path.
struct AccessibleObjectRef {
    QString service;
    QDBusObjectPath path;
};
QDBusArgument& operator<<(QDBusArgument& argument, const AccessibleObjectRef& object);
const QDBusArgument& operator>>(const QDBusArgument& argument, AccessibleObjectRef& object);
Q_DECLARE_METATYPE(AccessibleObjectRef)

// The titles of the applications' top-level windows as the accessibility bus (AT-SPI) lists them: the
// only list of other programs' windows a Wayland desktop without XWayland windows gives us. GTK, Qt
// and LibreOffice applications put their windows there.
//
// Once started, nothing here waits for an answer: an application that is slow or hangs must not
// freeze our windows. Each application is read on its own, again only when the bus says one of its
// windows came, went or was renamed, so a hung one holds up only its own titles. An event that
// arrives while that application is being read is not lost: it is read once more when the answers
// are in.
class AccessibleWindowTitles : public QObject {
    Q_OBJECT
public:
    // The session bus, where org.a11y.Bus tells the accessibility bus's address.
    explicit AccessibleWindowTitles(QDBusConnection sessionBus = QDBusConnection::sessionBus(),
                                    QObject* parent = nullptr);
    ~AccessibleWindowTitles() override;

    // Asks where the accessibility bus is (waiting a second at most, before any window is shown),
    // connects to it and starts reading the titles, which arrive later with titlesChanged. False
    // without an accessibility bus.
    bool start();
    bool isConnected() const { return a11yBus_.has_value(); }
    // An application that has not answered by then is taken as hung, and what it said before holds.
    // Nobody waits for it meanwhile.
    void setAnswerTimeout(int milliseconds) { answerTimeoutMs_ = milliseconds; }
    // In the order the bus lists the applications and their windows.
    const QStringList& titles() const { return titles_; }

signals:
    void titlesChanged();

private slots:
    void onWindowEvent(const QDBusMessage& message);
    void onPropertyChange(const QDBusMessage& message);

private:
    struct Window {
        QString path;
        QString title;
    };
    struct Application {
        AccessibleObjectRef root;
        // As last read. The paths tell a window's rename from a control's.
        QList<Window> windows;
        bool reading = false;
        // Tells this read's answers from those of a read of an application that has gone since.
        quint64 read = 0;
    };

    void markListStale();
    void markApplicationStale(const QString& service);
    void readWhatIsStale();
    void readApplicationList();
    void takeApplicationList(const std::optional<QList<AccessibleObjectRef>>& roots);
    void readApplication(const QString& service);
    void readWindowTitles(const QString& service, quint64 read, const QList<AccessibleObjectRef>& windows);
    void finishApplicationRead(const QString& service, quint64 read,
                               const std::optional<QList<Window>>& windows);
    QString lastTitle(const QString& service, const QString& path) const;
    bool isCurrentRead(const QString& service, quint64 read) const;
    void publish();

    // Sends the call and hands its answer, or the failure, to `done` later on this thread.
    void ask(const AccessibleObjectRef& object, const QString& interface, const QString& method,
             const QVariantList& arguments, std::function<void(const QDBusPendingCall&)> done);

    QDBusConnection sessionBus_;
    std::optional<QDBusConnection> a11yBus_;
    QString connectionName_;
    // The applications' bus names in the order the registry lists them.
    QStringList applicationOrder_;
    QHash<QString, Application> applications_;
    quint64 lastRead_ = 0;
    bool listReading_ = false;
    // What an event made out of date; one being read is read again once its answers are in.
    bool listStale_ = false;
    QSet<QString> staleApplications_;
    QStringList titles_;
    QTimer readSoon_;
    int answerTimeoutMs_ = 5000;
    // Parent of the calls waiting for an answer: they go before the connection does.
    QObject* pendingCalls_;
};
