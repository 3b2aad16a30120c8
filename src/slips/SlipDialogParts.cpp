#include "slips/SlipDialogParts.h"

#include "core/DatabaseFailure.h"
#include "core/DateValue.h"
#include "core/Routines.h"
#include "core/controls/ucTextInput.h"
#include "masters/TwipsGeometry.h"
#include "model/Denpyo.h"
#include "platform/report/PagePainter.h"
#include "platform/ui/MessageBox.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <limits>

namespace slipdialog {

TitleBlock titleBlock(QDialog *dialog, const QString &title, int titleLeft, int titleWidth, int lineEnd)
{
    auto *picture = new QLabel(dialog);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(dialog->style()->standardIcon(QStyle::SP_ArrowRight).pixmap(16, 16));
    placeTwips(picture, 240, 120, 375, 375);
    TitleBlock block;
    block.title = placedLabel(title, dialog, titleLeft, 240, titleWidth, 255);
    block.title->setObjectName(QStringLiteral("lblTitle"));
    block.rule[0] = separatorLine(dialog, 240, 480, lineEnd - 240, QPalette::Dark);
    block.rule[0]->setObjectName(QStringLiteral("Line1"));
    block.rule[1] = separatorLine(dialog, 240, 495, lineEnd - 240, QPalette::Light);
    block.rule[1]->setObjectName(QStringLiteral("Line2"));
    return block;
}

void stretchRule(QFrame *upper, QFrame *lower, int lineEnd)
{
    placeTwips(upper, 240, 480, std::max(1, lineEnd - 240), 15);
    placeTwips(lower, 240, 495, std::max(1, lineEnd - 240), 15);
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

DatePicker::DatePicker(QWidget *parent) : DateBox(parent)
{
    setMinimumDate(zeroDay());
    // The zero date stands for "no date" and shows as nothing.
    setSpecialValueText(QStringLiteral(" "));
    setFont(ucTextInput::fieldFont());
    QCalendarWidget *calendar = calendarWidget();
    calendar->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    calendar->setFirstDayOfWeek(Qt::Sunday);
}

DatePicker *datePicker(const char *name, QWidget *parent)
{
    auto *picker = new DatePicker(parent);
    picker->setObjectName(QLatin1String(name));
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
    // The backslash is the yen sign of Japanese fonts; the label's font may
    // be any, so the sign is drawn as the print forms draw it.
    return report::displayText(QString::number(slip.DenpyoID()) + QStringLiteral(" - ") + slip.CustomerName()
                               + QStringLiteral(" / \\")
                               + fnFormatNumber(QStringLiteral("###,###,##0"), slip.SummeryWithShouhizei()));
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
