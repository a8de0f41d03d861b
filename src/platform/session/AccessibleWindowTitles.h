#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QMetaType>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <optional>

class QDBusArgument;
class QDBusMessage;

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
// and LibreOffice applications put their windows there. The list is read again only when the bus says
// a window came, went or was renamed.
class AccessibleWindowTitles : public QObject {
    Q_OBJECT
public:
    // The session bus, where org.a11y.Bus tells the accessibility bus's address.
    explicit AccessibleWindowTitles(QDBusConnection sessionBus = QDBusConnection::sessionBus(),
                                    QObject* parent = nullptr);
    ~AccessibleWindowTitles() override;

    // Connects to the accessibility bus and reads the titles. False without one.
    bool start();
    bool isConnected() const { return a11yBus_.has_value(); }
    const QStringList& titles() const { return titles_; }

signals:
    void titlesChanged();

private slots:
    void onWindowEvent(const QDBusMessage& message);
    void onPropertyChange(const QDBusMessage& message);

private:
    void scheduleRead();
    void read();
    QList<AccessibleObjectRef> childrenOf(const AccessibleObjectRef& object) const;
    QString nameOf(const AccessibleObjectRef& object) const;

    QDBusConnection sessionBus_;
    std::optional<QDBusConnection> a11yBus_;
    QString connectionName_;
    QStringList titles_;
    QTimer readSoon_;
};
