#include "platform/ui/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace ui {

WaitCursor::WaitCursor()
{
    if (qGuiApp) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_active = true;
    }
}

WaitCursor::~WaitCursor()
{
    release();
}

void WaitCursor::release()
{
    if (m_active) {
        QGuiApplication::restoreOverrideCursor();
        m_active = false;
    }
}

} // namespace ui
