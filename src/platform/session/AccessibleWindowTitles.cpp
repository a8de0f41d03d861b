#include "platform/session/AccessibleWindowTitles.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>

namespace {
const QString kRegistry = QStringLiteral("org.a11y.atspi.Registry");
const QString kRoot = QStringLiteral("/org/a11y/atspi/accessible/root");
const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

// Each call waits this long at most: an application that hangs must not hold up our windows.
constexpr int kCallTimeoutMs = 250;
// Events come in bursts (a window and all its controls); one read after the burst is enough.
constexpr int kReadDelayMs = 50;

// The events after which the list may differ: windows shown or closed, applications coming or going
// (children of the registry's root), names changing.
const char* const kEvents[] = {"window:create", "window:destroy", "object:children-changed",
                               "object:property-change:accessible-name"};
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
    : QObject(parent), sessionBus_(std::move(sessionBus))
{
    qDBusRegisterMetaType<AccessibleObjectRef>();
    qDBusRegisterMetaType<QList<AccessibleObjectRef>>();
    readSoon_.setSingleShot(true);
    readSoon_.setInterval(kReadDelayMs);
    connect(&readSoon_, &QTimer::timeout, this, &AccessibleWindowTitles::read);
}

AccessibleWindowTitles::~AccessibleWindowTitles()
{
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
    const QDBusMessage answer = sessionBus_.call(ask, QDBus::Block, kCallTimeoutMs * 4);
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
    read();
    return true;
}

void AccessibleWindowTitles::onWindowEvent(const QDBusMessage& message)
{
    // A control added inside a window says nothing about the windows. The registry's root lists the
    // applications, and each application's root object (at the same path) its windows.
    if (message.member() == QLatin1String("ChildrenChanged") && message.path() != kRoot)
        return;
    scheduleRead();
}

void AccessibleWindowTitles::onPropertyChange(const QDBusMessage& message)
{
    if (!message.arguments().isEmpty() &&
        message.arguments().constFirst().toString() == QLatin1String("accessible-name"))
        scheduleRead();
}

void AccessibleWindowTitles::scheduleRead()
{
    if (!readSoon_.isActive())
        readSoon_.start();
}

void AccessibleWindowTitles::read()
{
    QStringList titles;
    for (const AccessibleObjectRef& application : childrenOf({kRegistry, QDBusObjectPath(kRoot)})) {
        for (const AccessibleObjectRef& window : childrenOf(application)) {
            const QString title = nameOf(window);
            if (!title.isEmpty())
                titles << title;
        }
    }
    if (titles == titles_)
        return;
    titles_ = titles;
    emit titlesChanged();
}

QList<AccessibleObjectRef> AccessibleWindowTitles::childrenOf(const AccessibleObjectRef& object) const
{
    QList<AccessibleObjectRef> children;
    if (object.service.isEmpty() || object.path.path().isEmpty())
        return children;
    const QDBusMessage ask = QDBusMessage::createMethodCall(object.service, object.path.path(), kAccessible,
                                                            QStringLiteral("GetChildren"));
    const QDBusMessage answer = a11yBus_->call(ask, QDBus::Block, kCallTimeoutMs);
    if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty())
        return children;
    const QVariant list = answer.arguments().constFirst();
    if (!list.canConvert<QDBusArgument>())
        return children;
    list.value<QDBusArgument>() >> children;
    return children;
}

QString AccessibleWindowTitles::nameOf(const AccessibleObjectRef& object) const
{
    QDBusMessage ask = QDBusMessage::createMethodCall(object.service, object.path.path(), kProperties,
                                                      QStringLiteral("Get"));
    ask << kAccessible << QStringLiteral("Name");
    const QDBusMessage answer = a11yBus_->call(ask, QDBus::Block, kCallTimeoutMs);
    if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty())
        return {};
    return answer.arguments().constFirst().value<QDBusVariant>().variant().toString();
}
