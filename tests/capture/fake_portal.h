#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

// A message bus of the test's own, so that no desktop session is needed.
class PrivateBus {
public:
    PrivateBus()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            return;
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
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
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

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

// The desktop portal's Screenshot interface, answering every pick with one colour.
class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
public:
    explicit FakePortal(const QDBusConnection& bus) : m_bus(bus) {}
    bool publish()
    {
        return m_bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"))
               && m_bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), this,
                                       QDBusConnection::ExportAllSlots);
    }

    uint answer = 0; // 0 picked, 1 cancelled, 2 failed
    double red = 1.0, green = 0.5, blue = 0.0;
    QString parentWindow;

public slots:
    QDBusObjectPath PickColor(const QString& parent, const QVariantMap& options, const QDBusMessage& call)
    {
        parentWindow = parent;
        QString sender = call.service().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/") + sender + QLatin1Char('/')
                             + options.value(QStringLiteral("handle_token")).toString();
        QTimer::singleShot(0, this, [this, path] {
            QDBusMessage response = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"),
                                                               QStringLiteral("Response"));
            QDBusArgument colour;
            colour.beginStructure();
            colour << red << green << blue;
            colour.endStructure();
            response << answer << QVariantMap{{QStringLiteral("color"), QVariant::fromValue(colour)}};
            m_bus.send(response);
        });
        return QDBusObjectPath(path);
    }

private:
    QDBusConnection m_bus;
};
