#pragma once

#include "core/controls/ucTextInput.h"
#include "platform/ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

#include <QApplication>
#include <QList>
#include <QKeySequence>
#include <QTimer>
#include <QWindow>
#include <QWidget>
#include <QtTest>
#include <functional>

// Records the message boxes a dialog shows and answers them, and types into
// whatever has the focus, as a user at the keyboard would.
struct ShownMessage {
    QString text;
    ui::Icon icon;
};

class DialogDriver {
public:
    DialogDriver()
    {
        ui::setMessageResponder([this](const ui::MessageRequest &r) {
            messages << ShownMessage{r.text, r.icon};
            if (r.buttons == ui::Buttons::YesNo || r.buttons == ui::Buttons::YesNoCancel)
                return answer;
            return ui::Answer::Ok;
        });
    }
    ~DialogDriver() { ui::setMessageResponder({}); }

    QList<ShownMessage> messages;
    ui::Answer answer = ui::Answer::Yes;

    QStringList texts() const
    {
        QStringList out;
        for (const ShownMessage &m : messages)
            out << m.text;
        return out;
    }

    // The focus of the topmost modal window when one is open (it may not be
    // the active window yet), else the application's.
    // What a named control of a window shows.
    static QString shown(QWidget *window, const char *name)
    {
        auto *w = window->findChild<QWidget *>(QLatin1String(name));
        if (auto *input = qobject_cast<ucTextInput *>(w))
            return input->TextBox()->text();
        if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
            return memo->toPlainText();
        if (auto *combo = qobject_cast<QComboBox *>(w))
            return combo->currentText();
        if (auto *button = qobject_cast<QPushButton *>(w))
            return button->text();
        return QStringLiteral("<none>");
    }

    static QWidget *focus()
    {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            if (QWidget *w = modal->focusWidget())
                return w;
        }
        return QApplication::focusWidget();
    }

    // The named control holding the focus (an entry field's inner box
    // reports its field).
    static QString focusName()
    {
        for (QWidget *w = focus(); w; w = w->parentWidget()) {
            const QString name = w->objectName();
            if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && name != QLatin1String("Text1"))
                return w->objectName();
        }
        return QString();
    }

    static void type(const QString &text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(focus(), c.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::Press, focus(), Qt::Key_unknown, QString(c), Qt::NoModifier);
                QTest::sendKeyEvent(QTest::Release, focus(), Qt::Key_unknown, QString(c), Qt::NoModifier);
            }
        }
    }
    static void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(focus(), k, m); }

    // Keys as a user types them into a window: characters, and keys in
    // braces as Qt names them ("{Tab}", "{Ctrl+A}", "{Alt+Down}", "{F4}",
    // "{Return}", "{Esc}", "{Space}"). Each goes to the window and from there
    // to whatever takes it when its turn comes (the focused control, an open
    // drop-down). Queued, all wait in the queue before the first is handled,
    // as when the program is busy while the user types on.
    static void press(QWidget *window, const QString &keys, bool queued)
    {
        QWindow *target = window->window()->windowHandle();
        auto post = [target](int key, Qt::KeyboardModifiers mods, const QString &text) {
            QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, mods, text));
            QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, mods, text));
        };
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const qsizetype close = keys.at(i) == QLatin1Char('{') ? keys.indexOf(QLatin1Char('}'), i) : -1;
            if (close > i) {
                const QKeyCombination named = QKeySequence::fromString(keys.mid(i + 1, close - i - 1))[0];
                const bool space = named.key() == Qt::Key_Space && named.keyboardModifiers() == Qt::NoModifier;
                post(named.key(), named.keyboardModifiers(), space ? QStringLiteral(" ") : QString());
                i = close;
            } else {
                const QChar c = keys.at(i);
                post(c.toUpper().unicode(), Qt::NoModifier, QString(c));
            }
            if (!queued)
                QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
    }

    // The named controls the Tab key visits, the focused one first.
    static QStringList tabWalk(int count)
    {
        QStringList visited;
        for (int i = 0; i < count; ++i) {
            visited << focusName();
            key(Qt::Key_Tab);
        }
        return visited;
    }

    // The captions of a window (labels without a frame, check boxes) whose
    // text is wider or higher than the room they were given, with the
    // widths, or that another control overlaps.
    static QStringList clippedTexts(QWidget *window)
    {
        QStringList clipped;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(window))
                continue;
            QString text;
            int room = 0;
            const auto *label = qobject_cast<QLabel *>(w);
            if (label) {
                if (label->frameShape() != QFrame::NoFrame || label->wordWrap() || label->text().isEmpty())
                    continue;
                text = label->text();
                room = label->contentsRect().width() - 2 * label->margin();
            } else if (auto *box = qobject_cast<QCheckBox *>(w)) {
                text = box->text();
                room = box->width();
            } else {
                continue;
            }
            const int needed = qobject_cast<QLabel *>(w) ? w->fontMetrics().horizontalAdvance(text) : w->sizeHint().width();
            if (needed > room)
                clipped << QStringLiteral("%1 (%2 > %3)").arg(text).arg(needed).arg(room);
            // A text is also cut where a control beside it lies over it, or
            // where its box is lower than a line of its font.
            const QRect textRect = QStyle::alignedRect(w->layoutDirection(), label ? label->alignment() : Qt::AlignLeft | Qt::AlignVCenter,
                                                       QSize(needed, w->fontMetrics().height()), w->contentsRect());
            if (w->height() < w->fontMetrics().height())
                clipped << QStringLiteral("%1 (height %2 < %3)").arg(text).arg(w->height()).arg(w->fontMetrics().height());
            for (QWidget *other : w->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                const auto *otherLabel = qobject_cast<QLabel *>(other);
                if (other == w || !other->isVisibleTo(window) || (otherLabel && otherLabel->frameShape() == QFrame::NoFrame))
                    continue;
                if (other->geometry().intersects(textRect.translated(w->pos())))
                    clipped << QStringLiteral("%1 (under %2)").arg(text, other->objectName());
            }
        }
        return clipped;
    }

    static bool open(QWidget *dialog)
    {
        dialog->show();
        dialog->activateWindow();
        return QTest::qWaitForWindowActive(dialog);
    }

    // Runs `step` on the next modal window that opens (a picker or editor
    // opened from the dialog under test).
    static void onNextModal(std::function<void(QWidget *)> step)
    {
        QTimer::singleShot(0, [step] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal) {
                QTest::qFail("no modal window opened", __FILE__, __LINE__);
                return;
            }
            modal->activateWindow();
            if (!QTest::qWaitForWindowActive(modal))
                qWarning("the modal window did not become active");
            step(modal);
            // A step that failed half-way must not leave the test waiting.
            if (modal->isVisible())
                modal->close();
        });
    }
};
