#include "platform/screen_grab.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cmath>

namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");

int channel(double fraction)
{
    return std::clamp(int(std::lround(fraction * 255)), 0, 255);
}

} // namespace

namespace {

ScreenReader g_desktop;
ScreenReader* g_reader = &g_desktop;

} // namespace

ScreenReader& screenReader() { return *g_reader; }

void setScreenReader(ScreenReader* reader) { g_reader = reader ? reader : &g_desktop; }

QImage GrabScreen(QScreen* screen)
{
    if (!screen)
        return QImage();
    const QRect area = screen->geometry();
    const QPixmap still = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    return still.toImage();
}

PortalColorPicker::PortalColorPicker(QObject* parent) : PortalColorPicker(QDBusConnection::sessionBus(), parent) {}

PortalColorPicker::PortalColorPicker(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(std::make_unique<QDBusConnection>(bus))
{
}

PortalColorPicker::~PortalColorPicker()
{
    stopListening();
}

void PortalColorPicker::pick(const QString& parentWindow)
{
    stopListening();
    if (!m_bus->isConnected()) {
        const QString reason = m_bus->lastError().message();
        QTimer::singleShot(0, this, [this, reason] {
            emit failed(reason.isEmpty() ? QStringLiteral("There is no session bus.") : reason);
        });
        return;
    }
    // The portal answers on a request object whose path follows from our name and the
    // token; listening before asking means a quick answer is not missed.
    static int requests = 0;
    const QString token = QStringLiteral("caseleaf%1").arg(++requests);
    QString sender = m_bus->baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    listen(kPortalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token);

    QDBusMessage call = QDBusMessage::createMethodCall(kPortalService, kPortalPath,
                                                       QStringLiteral("org.freedesktop.portal.Screenshot"),
                                                       QStringLiteral("PickColor"));
    call << parentWindow << QVariantMap{{QStringLiteral("handle_token"), token}};
    auto* watcher = new QDBusPendingCallWatcher(m_bus->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *finished;
        if (reply.isError()) {
            stopListening();
            emit failed(reply.error().message());
            return;
        }
        // An older portal may choose another path.
        const QString handle = reply.value().path();
        if (handle != m_requestPath) {
            stopListening();
            listen(handle);
        }
    });
}

void PortalColorPicker::listen(const QString& requestPath)
{
    m_requestPath = requestPath;
    // QDBusConnection takes its receiving slot by name only.
    m_bus->connect(kPortalService, m_requestPath, kRequestInterface, QStringLiteral("Response"), this,
                   SLOT(response(uint, QVariantMap)));
}

void PortalColorPicker::stopListening()
{
    if (m_requestPath.isEmpty())
        return;
    m_bus->disconnect(kPortalService, m_requestPath, kRequestInterface, QStringLiteral("Response"), this,
                      SLOT(response(uint, QVariantMap)));
    m_requestPath.clear();
}

void PortalColorPicker::response(uint code, const QVariantMap& results)
{
    stopListening();
    if (code == 1) {
        emit cancelled();
        return;
    }
    const QVariant colour = results.value(QStringLiteral("color"));
    if (code != 0 || !colour.canConvert<QDBusArgument>()) {
        emit failed(QStringLiteral("The desktop portal could not pick a colour (answer %1).").arg(code));
        return;
    }
    double red = 0;
    double green = 0;
    double blue = 0;
    const QDBusArgument argument = colour.value<QDBusArgument>();
    argument.beginStructure();
    argument >> red >> green >> blue;
    argument.endStructure();
    emit picked(channel(red) + 256 * channel(green) + 65536 * channel(blue));
}
