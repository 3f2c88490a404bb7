#include "render/busy_pointer.h"

#include <QCursor>
#include <QGuiApplication>

BusyPointer::BusyPointer()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_shown = true;
    }
}

BusyPointer::~BusyPointer()
{
    if (m_shown)
        QGuiApplication::restoreOverrideCursor();
}
