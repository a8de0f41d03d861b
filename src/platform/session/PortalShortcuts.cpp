#include "platform/session/PortalShortcuts.h"

#include "platform/WindowSystem.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>
#include <algorithm>

namespace {
const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");

// One shortcut as the portal takes it: an id and its properties (a(sa{sv})).
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

QString newToken()
{
    return QStringLiteral("vantrel%1").arg(QRandomGenerator::global()->generate());
}

QList<PortalShortcut> ourShortcuts()
{
    return {
        {QStringLiteral("toggle-strip"),
         {{QStringLiteral("description"),
           QCoreApplication::translate("PortalShortcuts", "显示或隐藏计时工具条")},
          {QStringLiteral("preferred_trigger"), QStringLiteral("F9")}}},
        {QStringLiteral("bring-back"),
         {{QStringLiteral("description"),
           QCoreApplication::translate("PortalShortcuts", "计时主界面回到原位")},
          {QStringLiteral("preferred_trigger"), QStringLiteral("F11")}}},
    };
}
} // namespace

Q_DECLARE_METATYPE(PortalShortcut)

namespace {
// Whether a portal's answer lists every shortcut of ours as bound.
bool listsAllOurShortcuts(const QVariant& listed)
{
    if (!listed.canConvert<QDBusArgument>())
        return false;
    const QDBusArgument argument = listed.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a(sa{sv})"))
        return false;
    QList<PortalShortcut> shortcuts;
    argument >> shortcuts;
    for (const PortalShortcut& ours : ourShortcuts()) {
        if (std::none_of(shortcuts.cbegin(), shortcuts.cend(),
                         [&ours](const PortalShortcut& bound) { return bound.id == ours.id; }))
            return false;
    }
    return true;
}
} // namespace

PortalShortcuts::PortalShortcuts(QDBusConnection bus, QObject* parent) : QObject(parent), bus_(std::move(bus))
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    keyOfShortcut_.insert(QStringLiteral("toggle-strip"), Keys::F9);
    keyOfShortcut_.insert(QStringLiteral("bring-back"), Keys::F11);
}

QString PortalShortcuts::requestPath(const QString& token) const
{
    // Where the portal answers a request: our unique bus name without ':' and with '.' as '_'.
    QString sender = bus_.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("%1/request/%2/%3").arg(kPath, sender, token);
}

bool PortalShortcuts::callPortal(const QString& method, const QVariantList& arguments, const QString& token,
                                 const char* slot)
{
    // Listen before asking: the answer may come before the call returns.
    pendingRequest_ = requestPath(token);
    if (!bus_.connect(kService, pendingRequest_, kRequestInterface, QStringLiteral("Response"), this, slot))
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        // No portal, or one without global shortcuts (GNOME 43, wlroots): the X11 key events stay.
        if (watcher->isError()) {
            qInfo("vantrel: no global shortcuts from the desktop portal: %s",
                  qPrintable(watcher->error().message()));
            setState(State::Unavailable);
        }
    });
    return true;
}

void PortalShortcuts::start()
{
    if (state_ != State::Idle)
        return;
    if (!bus_.isConnected()) {
        setState(State::Unavailable);
        return;
    }
    setState(State::Asking);
    const QString token = newToken();
    // The shortcuts go with the session too: Plasma 5.27 binds them only from there (its BindShortcuts
    // merely opens its shortcut settings), and names their group in those settings after the session
    // token, so a fixed token keeps the keys a user chose there from one start to the next.
    const QVariantMap options{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("session_handle_token"), QStringLiteral("vantrel")},
                              {QStringLiteral("shortcuts"), QVariant::fromValue(ourShortcuts())}};
    if (!callPortal(QStringLiteral("CreateSession"), {options}, token,
                    SLOT(onSessionResponse(uint, QVariantMap))))
        setState(State::Unavailable);
}

void PortalShortcuts::onSessionResponse(uint response, const QVariantMap& results)
{
    bus_.disconnect(kService, pendingRequest_, kRequestInterface, QStringLiteral("Response"), this,
                    SLOT(onSessionResponse(uint, QVariantMap)));
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    session_ =
        handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path() : handle.toString();
    if (response != 0 || session_.isEmpty()) {
        setState(State::Unavailable);
        return;
    }
    bus_.connect(kService, kPath, kInterface, QStringLiteral("Activated"), this,
                 SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    bus_.connect(kService, kPath, kInterface, QStringLiteral("Deactivated"), this,
                 SLOT(onDeactivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));

    // Bound with the session already: asking again would only bring up the desktop's settings window.
    if (listsAllOurShortcuts(results.value(QStringLiteral("shortcuts")))) {
        setState(State::Bound);
        return;
    }
    const QString token = newToken();
    const QVariantMap options{{QStringLiteral("handle_token"), token}};
    if (!callPortal(QStringLiteral("BindShortcuts"),
                    {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(ourShortcuts()),
                     QString(), options},
                    token, SLOT(onBindResponse(uint, QVariantMap))))
        setState(State::Unavailable);
}

void PortalShortcuts::onBindResponse(uint response, const QVariantMap&)
{
    bus_.disconnect(kService, pendingRequest_, kRequestInterface, QStringLiteral("Response"), this,
                    SLOT(onBindResponse(uint, QVariantMap)));
    setState(response == 0 ? State::Bound : State::Unavailable);
}

void PortalShortcuts::onActivated(const QDBusObjectPath& session, const QString& shortcutId, qulonglong,
                                  const QVariantMap&)
{
    if (state_ != State::Bound || session.path() != session_ || !keyOfShortcut_.contains(shortcutId))
        return;
    const int key = keyOfShortcut_.value(shortcutId);
    // Pressed again with no release in between: the desktop does not report releases (Plasma does not
    // when a shortcut is triggered other than by its key). The key reads up once, so the new press is
    // seen as one.
    if (held_.contains(key))
        releasedUnseen_.insert(key);
    held_.insert(key);
    pressedSinceAsked_.insert(key);
    emit pressed(key);
}

void PortalShortcuts::onDeactivated(const QDBusObjectPath& session, const QString& shortcutId, qulonglong,
                                    const QVariantMap&)
{
    if (session.path() == session_)
        held_.remove(keyOfShortcut_.value(shortcutId, -1));
}

bool PortalShortcuts::isKeyDown(int keyCode)
{
    if (releasedUnseen_.remove(keyCode))
        return false;
    const bool pressed = pressedSinceAsked_.remove(keyCode);
    return held_.contains(keyCode) || pressed;
}

void PortalShortcuts::setState(State state)
{
    if (state_ == state)
        return;
    state_ = state;
    emit stateChanged(state);
}
