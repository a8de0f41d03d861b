#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QVariantMap>

// F9 and F11 as global shortcuts of the desktop portal (org.freedesktop.portal.GlobalShortcuts), for
// Wayland desktops that offer it: the desktop binds them (the user may change the keys in its
// settings) and tells us when they are pressed, whichever program has the focus.
class PortalShortcuts : public QObject {
    Q_OBJECT
public:
    enum class State {
        Idle,
        Asking,      // the session is being created and the shortcuts bound
        Bound,       // the desktop delivers the shortcuts
        Unavailable, // no portal, or one without global shortcuts, or the user declined
    };

    explicit PortalShortcuts(QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    // Asks the portal for a session and binds F9 and F11. Never blocks: the answer comes later.
    void start();
    State state() const { return state_; }

    // Whether the shortcut of that key is held now, or was pressed since the last time it was asked:
    // a tap shorter than the 100 ms tracking tick still counts once.
    bool isKeyDown(int keyCode);

signals:
    void stateChanged(PortalShortcuts::State state);
    // The desktop says the shortcut of that key was pressed (once per press, however long it is held).
    void pressed(int keyCode);

private slots:
    void onSessionResponse(uint response, const QVariantMap& results);
    void onBindResponse(uint response, const QVariantMap& results);
    void onActivated(const QDBusObjectPath& session, const QString& shortcutId, qulonglong timestamp,
                     const QVariantMap& options);
    void onDeactivated(const QDBusObjectPath& session, const QString& shortcutId, qulonglong timestamp,
                       const QVariantMap& options);

private:
    QString requestPath(const QString& token) const;
    bool callPortal(const QString& method, const QVariantList& arguments, const QString& token,
                    const char* slot);
    void setState(State state);

    QDBusConnection bus_;
    State state_ = State::Idle;
    QString session_;
    QString pendingRequest_;
    QHash<QString, int> keyOfShortcut_;
    QSet<int> held_;
    QSet<int> pressedSinceAsked_;
    QSet<int> releasedUnseen_; // pressed again while held: reads up once before the new press
};
