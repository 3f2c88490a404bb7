#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include "platform/screen_access.h"

#include <memory>

class QDBusConnection;
class QScreen;

// A still image of one screen in device pixels, its device pixel ratio set, so that a
// point in the screen's own coordinates maps onto the pixel shown there on a scaled
// screen too. A null image when the platform would not give one.
QImage GrabScreen(QScreen* screen);

// Lets the user pick a colour with the desktop portal (org.freedesktop.portal.Screenshot
// PickColor): the way to a colour on the screen where a program may not read it.
// Exactly one of the signals follows each pick(), never from inside it.
class PortalColorPicker final : public QObject {
    Q_OBJECT
public:
    // Asks through the session bus.
    explicit PortalColorPicker(QObject* parent = nullptr);
    // Asks through another bus (tests run their own).
    explicit PortalColorPicker(const QDBusConnection& bus, QObject* parent = nullptr);
    ~PortalColorPicker() override;

    // parentWindow: the portal's name of the window asking ("x11:1c00007"), or empty.
    void pick(const QString& parentWindow);

signals:
    // The colour value, red + 256 × green + 65536 × blue.
    void picked(int colour);
    void cancelled();
    // No portal answered, or it could not pick; reason says what happened.
    void failed(const QString& reason);

private slots:
    void response(uint code, const QVariantMap& results);

private:
    void listen(const QString& requestPath);
    void stopListening();

    std::unique_ptr<QDBusConnection> m_bus;
    QString m_requestPath;
};

// What the colour picker asks of the desktop. The desktop's own answers unless a test
// installs others.
class ScreenReader {
public:
    virtual ~ScreenReader() = default;
    virtual ScreenAccess access() { return currentScreenAccess(); }
    virtual QImage grab(QScreen* screen) { return GrabScreen(screen); }
    // A picker asking the desktop portal on the session bus.
    virtual PortalColorPicker* portalPicker(QObject* parent) { return new PortalColorPicker(parent); }
};

ScreenReader& screenReader();
// Installs reader (not owned); nullptr restores the desktop's.
void setScreenReader(ScreenReader* reader);
