#include "platform/session/AccessibleWindowTitles.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <algorithm>
#include <memory>

namespace {
const QString kRegistry = QStringLiteral("org.a11y.atspi.Registry");
const QString kRoot = QStringLiteral("/org/a11y/atspi/accessible/root");
const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

// Asking where the accessibility bus is happens once, at start, before any window is shown.
constexpr int kAddressTimeoutMs = 1000;
// Events come in bursts (a window and all its controls); one read after the burst is enough.
constexpr int kReadDelayMs = 50;

// The events after which the list may differ: windows shown or closed, applications coming or going
// (children of the registry's root), names changing.
const char* const kEvents[] = {"window:create", "window:destroy", "object:children-changed",
                               "object:property-change:accessible-name"};

bool isUsable(const AccessibleObjectRef& object)
{
    return !object.service.isEmpty() && !object.path.path().isEmpty();
}

bool isTimeout(const QDBusError& error)
{
    return error.type() == QDBusError::NoReply || error.type() == QDBusError::Timeout ||
           error.type() == QDBusError::TimedOut;
}
} // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const AccessibleObjectRef& object)
{
    argument.beginStructure();
    argument << object.service << object.path;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, AccessibleObjectRef& object)
{
    argument.beginStructure();
    argument >> object.service >> object.path;
    argument.endStructure();
    return argument;
}

AccessibleWindowTitles::AccessibleWindowTitles(QDBusConnection sessionBus, QObject* parent)
    : QObject(parent), sessionBus_(std::move(sessionBus)), pendingCalls_(new QObject(this))
{
    qDBusRegisterMetaType<AccessibleObjectRef>();
    qDBusRegisterMetaType<QList<AccessibleObjectRef>>();
    readSoon_.setSingleShot(true);
    readSoon_.setInterval(kReadDelayMs);
    connect(&readSoon_, &QTimer::timeout, this, &AccessibleWindowTitles::readWhatIsStale);
}

AccessibleWindowTitles::~AccessibleWindowTitles()
{
    // No answer may reach a half-destroyed object.
    delete pendingCalls_;
    if (a11yBus_) {
        QDBusConnection::disconnectFromBus(connectionName_);
        a11yBus_.reset();
    }
}

bool AccessibleWindowTitles::start()
{
    QDBusMessage ask =
        QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                       QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
    const QDBusMessage answer = sessionBus_.call(ask, QDBus::Block, kAddressTimeoutMs);
    if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty())
        return false;
    const QString address = answer.arguments().constFirst().toString();
    if (address.isEmpty())
        return false;
    connectionName_ = QStringLiteral("vantrel-a11y-%1").arg(quintptr(this), 0, 16);
    QDBusConnection bus = QDBusConnection::connectToBus(address, connectionName_);
    if (!bus.isConnected()) {
        QDBusConnection::disconnectFromBus(connectionName_);
        return false;
    }
    a11yBus_ = bus;

    // Applications send their events only once someone has asked the registry for them.
    for (const char* event : kEvents) {
        QDBusMessage registerEvent =
            QDBusMessage::createMethodCall(kRegistry, QStringLiteral("/org/a11y/atspi/registry"), kRegistry,
                                           QStringLiteral("RegisterEvent"));
        // The event, no properties to send along, any application's.
        registerEvent << QString::fromLatin1(event) << QStringList() << QString();
        bus.send(registerEvent);
    }
    const QString window = QStringLiteral("org.a11y.atspi.Event.Window");
    for (const QString& member : {QStringLiteral("Create"), QStringLiteral("Destroy")})
        bus.connect(QString(), QString(), window, member, this, SLOT(onWindowEvent(QDBusMessage)));
    const QString object = QStringLiteral("org.a11y.atspi.Event.Object");
    bus.connect(QString(), QString(), object, QStringLiteral("ChildrenChanged"), this,
                SLOT(onWindowEvent(QDBusMessage)));
    bus.connect(QString(), QString(), object, QStringLiteral("PropertyChange"), this,
                SLOT(onPropertyChange(QDBusMessage)));
    readApplicationList();
    return true;
}

void AccessibleWindowTitles::onWindowEvent(const QDBusMessage& message)
{
    // A control added inside a window says nothing about the windows. The registry's root lists the
    // applications, and each application's root object (at the same path) its windows.
    if (message.member() == QLatin1String("ChildrenChanged") && message.path() != kRoot)
        return;
    // The registry, or an application not yet in our list, sent it: the list of applications may
    // have changed.
    if (!applications_.contains(message.service()))
        markListStale();
    else
        markApplicationStale(message.service());
}

void AccessibleWindowTitles::onPropertyChange(const QDBusMessage& message)
{
    if (message.arguments().isEmpty() ||
        message.arguments().constFirst().toString() != QLatin1String("accessible-name"))
        return;
    const auto application = applications_.constFind(message.service());
    if (application == applications_.cend()) {
        markListStale();
        return;
    }
    // A label or a button renamed is none of our business. While the application is being read, the
    // renamed object may be a window the read has found but not yet named.
    const bool isWindow = std::any_of(application->windows.cbegin(), application->windows.cend(),
                                      [&](const Window& window) { return window.path == message.path(); });
    if (application->reading || isWindow)
        markApplicationStale(message.service());
}

void AccessibleWindowTitles::markListStale()
{
    listStale_ = true;
    if (!readSoon_.isActive())
        readSoon_.start();
}

void AccessibleWindowTitles::markApplicationStale(const QString& service)
{
    staleApplications_.insert(service);
    if (!readSoon_.isActive())
        readSoon_.start();
}

void AccessibleWindowTitles::readWhatIsStale()
{
    if (listStale_ && !listReading_)
        readApplicationList();
    // An application being read stays stale: it is read again when its answers are in.
    for (auto stale = staleApplications_.begin(); stale != staleApplications_.end();) {
        const auto application = applications_.constFind(*stale);
        if (application == applications_.cend()) {
            stale = staleApplications_.erase(stale);
        } else if (!application->reading) {
            const QString service = *stale;
            stale = staleApplications_.erase(stale);
            readApplication(service);
        } else {
            ++stale;
        }
    }
}

void AccessibleWindowTitles::readApplicationList()
{
    listStale_ = false;
    listReading_ = true;
    ask({kRegistry, QDBusObjectPath(kRoot)}, kAccessible, QStringLiteral("GetChildren"), {},
        [this](const QDBusPendingCall& call) {
            const QDBusPendingReply<QList<AccessibleObjectRef>> reply = call;
            takeApplicationList(reply.isError() ? std::nullopt : std::optional(reply.value()));
        });
}

void AccessibleWindowTitles::takeApplicationList(const std::optional<QList<AccessibleObjectRef>>& roots)
{
    listReading_ = false;
    // Without an answer the applications we know stay as they are.
    if (roots) {
        QStringList order;
        QStringList newcomers;
        for (const AccessibleObjectRef& root : *roots) {
            if (!isUsable(root) || order.contains(root.service))
                continue;
            order << root.service;
            if (!applications_.contains(root.service)) {
                Application application;
                application.root = root;
                applications_.insert(root.service, application);
                newcomers << root.service;
            }
        }
        for (const QString& service : std::as_const(applicationOrder_)) {
            if (!order.contains(service)) {
                applications_.remove(service);
                staleApplications_.remove(service);
            }
        }
        applicationOrder_ = order;
        for (const QString& service : std::as_const(newcomers))
            readApplication(service);
        publish();
    }
    if (listStale_ && !readSoon_.isActive())
        readSoon_.start();
}

void AccessibleWindowTitles::readApplication(const QString& service)
{
    Application& application = applications_[service];
    application.reading = true;
    application.read = ++lastRead_;
    const quint64 read = application.read;
    ask(application.root, kAccessible, QStringLiteral("GetChildren"), {},
        [this, service, read](const QDBusPendingCall& call) {
            if (!isCurrentRead(service, read))
                return;
            const QDBusPendingReply<QList<AccessibleObjectRef>> reply = call;
            if (reply.isError())
                finishApplicationRead(service, read, std::nullopt);
            else
                readWindowTitles(service, read, reply.value());
        });
}

void AccessibleWindowTitles::readWindowTitles(const QString& service, quint64 read,
                                              const QList<AccessibleObjectRef>& children)
{
    struct Names {
        QList<AccessibleObjectRef> asked;
        QList<Window> windows;
        qsizetype waiting = 0;
    };
    auto names = std::make_shared<Names>();
    for (const AccessibleObjectRef& window : children) {
        if (!isUsable(window))
            continue;
        names->asked << window;
        names->windows << Window{window.path.path(), QString()};
    }
    names->waiting = names->asked.size();
    if (names->asked.isEmpty()) {
        finishApplicationRead(service, read, names->windows);
        return;
    }
    for (qsizetype i = 0; i < names->asked.size(); ++i) {
        ask(names->asked.at(i), kProperties, QStringLiteral("Get"), {kAccessible, QStringLiteral("Name")},
            [this, service, read, names, i](const QDBusPendingCall& call) {
                const QDBusPendingReply<QDBusVariant> reply = call;
                Window& window = names->windows[i];
                // A window closed since the list was read has no name to give: it is left out. One
                // that does not answer in time keeps the title it had.
                if (!reply.isError())
                    window.title = reply.value().variant().toString();
                else if (isTimeout(reply.error()))
                    window.title = lastTitle(service, window.path);
                if (--names->waiting == 0)
                    finishApplicationRead(service, read, names->windows);
            });
    }
}

void AccessibleWindowTitles::finishApplicationRead(const QString& service, quint64 read,
                                                   const std::optional<QList<Window>>& windows)
{
    if (!isCurrentRead(service, read))
        return;
    Application& application = applications_[service];
    application.reading = false;
    if (windows) {
        application.windows = *windows;
        publish();
    } else {
        // Hung or gone: what it said before holds until the registry says it has gone.
        markListStale();
    }
    if (staleApplications_.contains(service) && !readSoon_.isActive())
        readSoon_.start();
}

QString AccessibleWindowTitles::lastTitle(const QString& service, const QString& path) const
{
    for (const Window& window : applications_.value(service).windows) {
        if (window.path == path)
            return window.title;
    }
    return {};
}

bool AccessibleWindowTitles::isCurrentRead(const QString& service, quint64 read) const
{
    const auto application = applications_.constFind(service);
    return application != applications_.cend() && application->reading && application->read == read;
}

void AccessibleWindowTitles::publish()
{
    QStringList titles;
    for (const QString& service : std::as_const(applicationOrder_)) {
        for (const Window& window : applications_.value(service).windows) {
            if (!window.title.isEmpty())
                titles << window.title;
        }
    }
    if (titles == titles_)
        return;
    titles_ = titles;
    emit titlesChanged();
}

void AccessibleWindowTitles::ask(const AccessibleObjectRef& object, const QString& interface,
                                 const QString& method, const QVariantList& arguments,
                                 std::function<void(const QDBusPendingCall&)> done)
{
    QDBusMessage call = QDBusMessage::createMethodCall(object.service, object.path.path(), interface, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(a11yBus_->asyncCall(call, answerTimeoutMs_), pendingCalls_);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, done = std::move(done)] {
        watcher->deleteLater();
        done(*watcher);
    });
}
