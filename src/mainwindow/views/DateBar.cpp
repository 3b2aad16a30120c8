#include "mainwindow/views/DateBar.h"

#include "core/DateValue.h"
#include "core/Routines.h"
#include "core/Settings.h"
#include "core/controls/DateBox.h"
#include "mainwindow/views/MainImages.h"
#include "model/Customers.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "platform/ui/Twips.h"

namespace {
const QString kSection = QStringLiteral("Initial Data");
// How long typing must rest before a typed day is listed.
const int kTypingPauseMs = 700;

QString monthText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy/MM"));
}

QToolBar *stepBar(const QString &name, const QString &before, const QString &next, QWidget *parent)
{
    auto *bar = new QToolBar(parent);
    bar->setObjectName(name);
    bar->setIconSize(QSize(16, 16));
    QAction *previous = bar->addAction(MainImages::barImage(15), QString());
    previous->setObjectName(before);
    QAction *following = bar->addAction(MainImages::barImage(14), QString());
    following->setObjectName(next);
    bar->setMinimumWidth(bar->sizeHint().width());
    return bar;
}

QComboBox *dropDown(const QString &name, int widthTwips, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(false);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setMinimumWidth(ui::twipsToPixelsX(widthTwips, parent));
    return box;
}
} // namespace

DateBar::DateBar(const bool &flgInit, QWidget *parent) : QWidget(parent), m_flgInit(flgInit)
{
    setObjectName(QStringLiteral("DateBar"));
    cmbDateItem = dropDown(QStringLiteral("cmbDateItem"), 975, this);
    dtpNouki = new DateBox(this);
    dtpNouki->setObjectName(QStringLiteral("dtpNouki"));
    // Its calendar names months and weekdays in Japanese, weeks from Sunday.
    // The calendar is made when it is first opened: making it costs the
    // start-up more than any other control of the bar.
    dtpNouki->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    dtpNouki->installEventFilter(this);
    dtpNouki->setMinimumWidth(std::max(ui::twipsToPixelsX(1335, this), dtpNouki->sizeHint().width()));
    cmbNouki = dropDown(QStringLiteral("cmbNouki"), 1095, this);
    cmbShimeBi = dropDown(QStringLiteral("cmbShimeBi"), 1095, this);
    tlbDayBar = stepBar(QStringLiteral("tlbDayBar"), QStringLiteral("BeforeDay"), QStringLiteral("NextDay"), this);
    tlbMonthBar =
        stepBar(QStringLiteral("tlbMonthBar"), QStringLiteral("BeforeMonth"), QStringLiteral("NextMonth"), this);
    lblKokyaku = new QLabel(QStringLiteral("顧客"), this);
    cmbKokyaku = dropDown(QStringLiteral("cmbKokyaku"), 2895, this);
    // Long customer names widen the opened list, not the bar.
    cmbKokyaku->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (QWidget *w : {static_cast<QWidget *>(cmbDateItem), static_cast<QWidget *>(dtpNouki),
                       static_cast<QWidget *>(cmbNouki), static_cast<QWidget *>(cmbShimeBi),
                       static_cast<QWidget *>(tlbDayBar), static_cast<QWidget *>(tlbMonthBar),
                       static_cast<QWidget *>(lblKokyaku), static_cast<QWidget *>(cmbKokyaku)})
        layout->addWidget(w);
    layout->addStretch(1);

    connect(cmbDateItem, &QComboBox::activated, this, [this] { cmbDateItem_Click(); });
    connect(cmbKokyaku, &QComboBox::activated, this, [this] { cmbKokyaku_Click(); });
    connect(cmbNouki, &QComboBox::activated, this, [this] { cmbNouki_Click(); });
    connect(cmbShimeBi, &QComboBox::activated, this, [this] { cmbShimeBi_Click(); });
    // A date typed digit by digit passes through other valid days ("2026/1"
    // is in January), and each list may be long: a day typed or stepped in
    // the box is listed when the typing rests or the box is left, once.
    m_typedDay = new QTimer(this);
    m_typedDay->setSingleShot(true);
    m_typedDay->setInterval(kTypingPauseMs);
    connect(m_typedDay, &QTimer::timeout, this, &DateBar::dtpNouki_Change);
    connect(dtpNouki, &QDateEdit::dateChanged, this, [this] {
        if (m_quiet)
            return;
        if (dtpNouki->hasFocus() && !dtpNouki->calendarShown())
            m_typedDay->start();
        else
            dtpNouki_Change();
    });
    connect(dtpNouki, &QDateEdit::editingFinished, this, [this] {
        if (m_typedDay->isActive())
            dtpNouki_Change();
    });
    cmbKokyaku->installEventFilter(this);
    for (QToolBar *bar : {tlbDayBar, tlbMonthBar})
        connect(bar, &QToolBar::actionTriggered, this,
                [this](QAction *action) { emit stepClicked(action->objectName()); });
}

void DateBar::setPickerQuietly(const QDate &date)
{
    m_quiet = true;
    dtpNouki->setDate(date);
    m_quiet = false;
}

void DateBar::setDayMode(bool dayMode)
{
    DayMode = dayMode;
    tlbDayBar->setVisible(dayMode);
    tlbMonthBar->setVisible(!dayMode);
}

void DateBar::InitDateBar()
{
    cmbDateItem->clear();
    for (int i = 0; i < DateBarState::dateItemCount(); ++i)
        cmbDateItem->addItem(DateBarState::dateItemLabel(i));
    cmbDateItem->setCurrentIndex(0);

    const QDate now = today();
    setPickerQuietly(now);

    cmbNouki->clear();
    cmbNouki->addItem(QString());
    const QStringList months = deliveryMonths(now);
    cmbNouki->addItems(months);
    strMinMonth = months.first();
    strMaxMonth = months.last();
    cmbNouki->setCurrentIndex(cmbNouki->findText(monthText(now)));

    cmbShimeBi->clear();
    for (const QString &item : {QString(), QStringLiteral("05日締め"), QStringLiteral("10日締め"),
                                QStringLiteral("15日締め"), QStringLiteral("20日締め"), QStringLiteral("25日締め"),
                                QStringLiteral("30日締め"), QStringLiteral("月末締め")})
        cmbShimeBi->addItem(item);
    cmbShimeBi->setCurrentIndex(-1);

    setDayMode(true);
    cmbKokyaku->clear();
    m_customersPending = true;
}

void DateBar::RestoreDateBar()
{
    const QString file = settingsFileName(QStringLiteral("Ini"));
    bool ok = false;
    int item = fnReadSetting(file, kSection, QStringLiteral("DateItem"), QStringLiteral("0")).toInt(&ok);
    if (!ok || item >= DateBarState::dateItemCount())
        item = 0;
    if (item < 0)
        item = 0;
    cmbDateItem->setCurrentIndex(item);

    const QString dayMode = fnReadSetting(file, kSection, QStringLiteral("DayMode"), QStringLiteral("True")).toUpper();
    setDayMode(dayMode != QLatin1String("FALSE"));
}

void DateBar::SaveDateBarSettings() const
{
    const QString file = settingsFileName(QStringLiteral("Ini"));
    fnWriteSetting(file, kSection, QStringLiteral("DateItem"), QString::number(cmbDateItem->currentIndex()));
    fnWriteSetting(file, kSection, QStringLiteral("DayMode"), DayMode ? QStringLiteral("True") : QStringLiteral("False"));
}

void DateBar::LoadKokyakuCombo()
{
    m_customersPending = false;
    cmbKokyaku->clear();
    cmbKokyaku->addItem(QString());
    Customers customers;
    customers.Load(QString(), QString());
    for (qint32 i = 1; i <= customers.Count(); ++i) {
        const CustomerDisplay &row = customers.Item(i);
        cmbKokyaku->addItem(row.CustomerID() + QLatin1Char('/') + row.NameKnj());
    }
    cmbKokyaku->setCurrentIndex(-1);
    const QFontMetrics metrics(cmbKokyaku->view()->font());
    int widest = 0;
    for (int i = 0; i < cmbKokyaku->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(cmbKokyaku->itemText(i)));
    cmbKokyaku->view()->setMinimumWidth(widest + cmbKokyaku->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 24);
}

DateBarState DateBar::state() const
{
    DateBarState s;
    s.dateItem = std::max(0, cmbDateItem->currentIndex());
    s.dayMode = DayMode;
    s.day = dtpNouki->date();
    s.month = cmbNouki->currentText();
    s.shimeBi = cmbShimeBi->currentText();
    s.customerItem = cmbKokyaku->currentText();
    return s;
}

void DateBar::cmbDateItem_Click()
{
    if (m_flgInit)
        return;
    emit listRequested();
}

void DateBar::cmbKokyaku_Click()
{
    if (m_flgInit)
        return;
    emit listRequested();
}

void DateBar::cmbNouki_Click()
{
    if (m_flgInit)
        return;
    const QString picked = cmbNouki->currentText();
    if (!picked.isEmpty() && picked != monthText(dtpNouki->date())) {
        const QDate first = QDate::fromString(picked + QStringLiteral("/01"), QStringLiteral("yyyy/MM/dd"));
        if (first.isValid())
            setPickerQuietly(first);
    }
    if (picked.isEmpty())
        cmbShimeBi->setCurrentIndex(0);
    setDayMode(false);
    emit listRequested();
}

void DateBar::cmbShimeBi_Click()
{
    if (m_flgInit)
        return;
    setDayMode(false);
    emit listRequested();
}

void DateBar::dtpNouki_Change()
{
    m_typedDay->stop();
    if (m_flgInit)
        return;
    const QString month = monthText(dtpNouki->date());
    if (cmbNouki->currentText() != month && month >= strMinMonth && month <= strMaxMonth) {
        const int index = cmbNouki->findText(month);
        if (index >= 0)
            cmbNouki->setCurrentIndex(index); // "activated" is not raised from code
    }
    setDayMode(true);
    emit listRequested();
}

void DateBar::dtpNouki_DropDown()
{
    // The calendar closing lists the day, whichever way it closes.
    m_typedDay->stop();
    datDropDownDate = dtpNouki->date();
}

void DateBar::dtpNouki_CloseUp()
{
    if (dtpNouki->date() == datDropDownDate) {
        setDayMode(true);
        emit listRequested();
    }
}

void DateBar::prepareCalendar()
{
    if (m_calendarReady)
        return;
    m_calendarReady = true;
    QCalendarWidget *calendar = dtpNouki->calendarWidget();
    calendar->setFirstDayOfWeek(Qt::Sunday);
    calendar->installEventFilter(this);
}

bool DateBar::eventFilter(QObject *watched, QEvent *event)
{
    // What opens the picker's calendar or uses the customers' list comes
    // here before the control handles it.
    const QEvent::Type type = event->type();
    const bool use = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick
                     || type == QEvent::KeyPress || type == QEvent::Wheel || type == QEvent::FocusIn;
    if (watched == dtpNouki) {
        if (use)
            prepareCalendar();
    } else if (watched == cmbKokyaku) {
        if (use && m_customersPending)
            emit customersWanted();
    } else if (m_calendarReady && watched == dtpNouki->calendarWidget()) {
        if (event->type() == QEvent::Show)
            dtpNouki_DropDown();
        else if (event->type() == QEvent::Hide)
            dtpNouki_CloseUp();
    }
    return QWidget::eventFilter(watched, event);
}
