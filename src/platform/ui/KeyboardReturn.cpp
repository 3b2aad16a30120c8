#include "platform/ui/KeyboardReturn.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace ui {
namespace {

class KeyboardReturn : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && watched->isWidgetType()) {
            auto *closed = static_cast<QWidget *>(watched);
            if (closed->isWindow() && closed->windowType() == Qt::Dialog && closed->isModal()
                && closed->parentWidget())
                giveBack(closed->parentWidget()->window());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void giveBack(QWidget *opener)
    {
        // Asked once the closing handler has returned: a dialog that closes
        // right after its question has gone by then, and its own opener is
        // asked instead.
        QTimer::singleShot(0, opener, [opener = QPointer<QWidget>(opener)] {
            if (!opener || !opener->isVisible() || opener->isMinimized())
                return;
            const QWidget *modal = QApplication::activeModalWidget();
            if (modal && modal != opener)
                return; // another dialog is open above it and keeps the keyboard
            opener->activateWindow();
        });
    }
};

} // namespace

void returnKeyboardToOpeners()
{
    static QPointer<KeyboardReturn> installed;
    if (installed || !qApp)
        return;
    installed = new KeyboardReturn(qApp);
    qApp->installEventFilter(installed);
}

QWidget *currentOpener()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace ui
