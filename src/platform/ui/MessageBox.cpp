#include "platform/ui/MessageBox.h"

#include "platform/ui/KeyboardReturn.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>

namespace ui {
namespace {

MessageResponder &responder()
{
    static MessageResponder r;
    return r;
}

QMessageBox::StandardButton toStandard(Answer a)
{
    switch (a) {
    case Answer::Ok: return QMessageBox::Ok;
    case Answer::Cancel: return QMessageBox::Cancel;
    case Answer::Yes: return QMessageBox::Yes;
    case Answer::No: return QMessageBox::No;
    case Answer::Retry: return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

} // namespace

void setMessageResponder(MessageResponder r)
{
    responder() = std::move(r);
}

Answer showMessage(const QString &text, Icon icon, Buttons buttons, Answer defaultAnswer,
                   const QString &title, QWidget *parent)
{
    return showMessage(MessageRequest{text, icon, buttons, defaultAnswer, title}, parent);
}

Answer showMessage(const MessageRequest &request, QWidget *parent)
{
    if (responder())
        return responder()(request);

    QMessageBox box(parent ? parent : currentOpener());
    box.setWindowTitle(request.title.isEmpty() ? QApplication::applicationName() : request.title);
    box.setText(request.text);
    switch (request.icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    }
    QMessageBox::StandardButtons std;
    Answer escape = Answer::Ok;
    switch (request.buttons) {
    case Buttons::Ok: std = QMessageBox::Ok; escape = Answer::Ok; break;
    case Buttons::OkCancel: std = QMessageBox::Ok | QMessageBox::Cancel; escape = Answer::Cancel; break;
    case Buttons::YesNo: std = QMessageBox::Yes | QMessageBox::No; escape = Answer::No; break;
    case Buttons::YesNoCancel:
        std = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        escape = Answer::Cancel;
        break;
    case Buttons::RetryCancel: std = QMessageBox::Retry | QMessageBox::Cancel; escape = Answer::Cancel; break;
    }
    box.setStandardButtons(std);
    // The buttons speak the program's language whatever translations the
    // system has installed.
    static const struct {
        QMessageBox::StandardButton button;
        const char16_t *caption;
    } captions[] = {
        {QMessageBox::Ok, u"OK"},
        {QMessageBox::Cancel, u"キャンセル"},
        {QMessageBox::Yes, u"はい(&Y)"},
        {QMessageBox::No, u"いいえ(&N)"},
        {QMessageBox::Retry, u"再試行(&R)"},
    };
    for (const auto &c : captions) {
        if (QAbstractButton *button = box.button(c.button))
            button->setText(QString::fromUtf16(c.caption));
    }
    box.setDefaultButton(toStandard(request.defaultAnswer));
    box.setEscapeButton(toStandard(escape));
    // A box shown during a long task waits for the user: no hourglass over it.
    const bool busy = QGuiApplication::overrideCursor() != nullptr;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy)
        QGuiApplication::restoreOverrideCursor();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return escape;
    }
}

} // namespace ui
