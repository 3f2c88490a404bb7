#pragma once

#include "gtest_qt.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>

// A message bus of the test's own, so that no desktop session is needed.
class PrivateBus {
public:
    PrivateBus()
    {
        if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
            return;
        m_daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (m_daemon.waitForStarted() && m_daemon.waitForReadyRead(5000))
            m_address = QString::fromLatin1(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        for (const QString& name : m_names)
            QDBusConnection::disconnectFromBus(name);
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    bool running() const { return !m_address.isEmpty(); }
    QDBusConnection connection(const QString& name)
    {
        m_names << name;
        return QDBusConnection::connectToBus(m_address, name);
    }

private:
    QProcess m_daemon;
    QString m_address;
    QStringList m_names;
};

// The desktop portal's Screenshot interface, answering every pick the same way.
class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
public:
    explicit FakePortal(const QDBusConnection& bus) : m_bus(bus) {}
    bool publish()
    {
        return m_bus.registerService("org.freedesktop.portal.Desktop")
               && m_bus.registerObject("/org/freedesktop/portal/desktop", this, QDBusConnection::ExportAllSlots);
    }
    uint answer = 0; // 0 picked, 1 cancelled, other failed
    double red = 0, green = 0, blue = 0;

public slots:
    QDBusObjectPath PickColor(const QString&, const QVariantMap& options, const QDBusMessage& call)
    {
        const QString path = "/org/freedesktop/portal/desktop/request/" + call.service().mid(1).replace('.', '_')
                             + "/" + options.value("handle_token").toString();
        QTimer::singleShot(0, this, [this, path] {
            QDBusMessage response = QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response");
            QDBusArgument colour;
            colour.beginStructure();
            colour << red << green << blue;
            colour.endStructure();
            response << answer << QVariantMap{{"color", QVariant::fromValue(colour)}};
            m_bus.send(response);
        });
        return QDBusObjectPath(path);
    }

private:
    QDBusConnection m_bus;
};
