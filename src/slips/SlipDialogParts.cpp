#include "slips/SlipDialogParts.h"

#include "core/DatabaseFailure.h"
#include "core/DateValue.h"
#include "core/Routines.h"
#include "core/controls/ucTextInput.h"
#include "masters/TwipsGeometry.h"
#include "model/Denpyo.h"
#include "platform/ui/MessageBox.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <limits>

namespace slipdialog {

QLabel *titleBlock(QDialog *dialog, const QString &title, int titleLeft, int titleWidth, int lineEnd)
{
    auto *picture = new QLabel(dialog);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(dialog->style()->standardIcon(QStyle::SP_ArrowRight).pixmap(16, 16));
    placeTwips(picture, 240, 120, 375, 375);
    QLabel *label = placedLabel(title, dialog, titleLeft, 240, titleWidth, 255);
    label->setObjectName(QStringLiteral("lblTitle"));
    separatorLine(dialog, 240, 480, lineEnd - 240, QPalette::Dark);
    separatorLine(dialog, 240, 495, lineEnd - 240, QPalette::Light);
    return label;
}

QLabel *valueLabel(const char *name, QWidget *parent, int left, int top, int width, int height, bool rightAligned)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment((rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    QFont font;
    font.setFamilies({QStringLiteral("MS Gothic"), QStringLiteral("ＭＳ ゴシック"),
                      QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Monospace")});
    font.setPointSizeF(9.75);
    label->setFont(font);
    placeTwips(label, left, top, width, height);
    return label;
}

QDateEdit *datePicker(const char *name, QWidget *parent)
{
    auto *picker = new QDateEdit(parent);
    picker->setObjectName(QLatin1String(name));
    picker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    picker->setCalendarPopup(true);
    picker->setMinimumDate(zeroDay());
    // The zero date stands for "no date" and shows as nothing.
    picker->setSpecialValueText(QStringLiteral(" "));
    picker->setFont(ucTextInput::fieldFont());
    picker->calendarWidget()->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    picker->calendarWidget()->setFirstDayOfWeek(Qt::Sunday);
    return picker;
}

QDate zeroDay()
{
    return zeroDate().date();
}

qint32 slipNumber(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 0 || value > std::numeric_limits<qint32>::max())
        return 0;
    return qint32(value);
}

bool loadOrReject(QDialog *dialog, const std::function<bool()> &load)
{
    bool found = false;
    try {
        found = load();
    } catch (const std::exception &e) {
        showDatabaseFailure(e, dialog);
        QMetaObject::invokeMethod(dialog, [dialog] { dialog->reject(); }, Qt::QueuedConnection);
        return false;
    }
    if (!found) {
        ui::showMessage(Denpyo::MissingMessage(), ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(),
                        dialog);
        QMetaObject::invokeMethod(dialog, [dialog] { dialog->reject(); }, Qt::QueuedConnection);
        return false;
    }
    return true;
}

QString slipCaption(const Denpyo &slip)
{
    return QString::number(slip.DenpyoID()) + QStringLiteral(" - ") + slip.CustomerName() + QStringLiteral(" / \\")
           + fnFormatNumber(QStringLiteral("###,###,##0"), slip.SummeryWithShouhizei());
}

bool dialogKey(QWidget *dialog, QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape && event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if (auto *button = qobject_cast<QPushButton *>(dialog->focusWidget()); button && event->key() != Qt::Key_Escape)
        button->click();
    event->accept();
    return true;
}

} // namespace slipdialog
