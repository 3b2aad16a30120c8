#include "platform/ui/Teardown.h"

#include <QCoreApplication>
#include <QObject>

namespace ui {

void disconnectForTeardown(QObject *owner)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        QObject::disconnect(app, nullptr, owner, nullptr);
    const QList<QObject *> descendants = owner->findChildren<QObject *>();
    for (QObject *d : descendants)
        QObject::disconnect(d, nullptr, owner, nullptr);
}

} // namespace ui
