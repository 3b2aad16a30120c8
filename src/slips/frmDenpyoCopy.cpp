#include "slips/frmDenpyoCopy.h"

#include "core/BasicInfo.h"
#include "core/DatabaseFailure.h"
#include "core/DateValue.h"
#include "core/Routines.h"
#include "core/WindowMemory.h"
#include "core/controls/ucDenpyoID.h"
#include "masters/TwipsGeometry.h"
#include "model/Denpyo.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/KeyNavigator.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WaitCursor.h"
#include "slips/LineTransfer.h"
#include "slips/SlipDialogParts.h"
#include "slips/frmDenpyoList.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <utility>
#include <vector>

using namespace linetransfer;
using ui::NavKey;

namespace {

constexpr int kMaxLines = 99;
constexpr int kMinWidth = 10335;
constexpr int kMinHeight = 6825;
const QChar kTimes = QChar(0x00D7);

const QString kLimitMessage = QStringLiteral("１伝票の明細数は９９件までです。処理を中断します。");

// What a commit changes in a slip object, so that a refused save can put
// the object back as it was loaded.
class SlipSnapshot {
public:
    explicit SlipSnapshot(const Denpyo &d)
        : m_nouki(d.Nouki()), m_totals{d.MeisaiSum(), d.NebikiKingaku(), d.Summery(), d.Shouhizei(),
                                       d.SummeryWithShouhizei()}
    {
        for (const Meisai &line : d.Meisais())
            m_lines.push_back(line);
    }
    void restore(Denpyo &d) const
    {
        d.setNouki(m_nouki);
        d.setMeisaiSum(m_totals[0]);
        d.setNebikiKingaku(m_totals[1]);
        d.setSummery(m_totals[2]);
        d.setShouhizei(m_totals[3]);
        d.setSummeryWithShouhizei(m_totals[4]);
        Meisais &lines = d.Meisais();
        while (lines.Count() > 0)
            lines.Remove(lines.Count());
        for (const Meisai &line : m_lines)
            lines.Add() = line;
    }

private:
    QDateTime m_nouki;
    qint32 m_totals[5];
    std::vector<Meisai> m_lines;
};

void writeTotals(Denpyo &d, const CopyTotals &t)
{
    d.setMeisaiSum(qint32(t.meisaiSum));
    d.setNebikiKingaku(qint32(t.nebikiKingaku));
    d.setSummery(qint32(t.summery));
    d.setShouhizei(qint32(t.shouhizei));
    d.setSummeryWithShouhizei(qint32(t.summeryWithShouhizei));
}

// Destination rows: the lines it had first, then the carried ones, each
// group by line number.
int rowOrder(const QString &text)
{
    return (isStoredRow(text) ? 0 : 1000000) + rowLine(text);
}

QFont listFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Gothic"), QStringLiteral("ＭＳ ゴシック"),
                      QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Monospace")});
    font.setPointSize(9);
    return font;
}

void greyBar(QLabel *label)
{
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, QColor(128, 128, 128));
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
}

// The customer, discount and tax setting the destination takes over from the source.
void copyCustomer(const Denpyo &from, Denpyo &to)
{
    to.setCustomerID(from.CustomerID());
    to.setCustomerName(from.CustomerName());
    to.setCustomerBumon(from.CustomerBumon());
    to.setCustomerPostNumber(from.CustomerPostNumber());
    to.setCustomerAddress1(from.CustomerAddress1());
    to.setCustomerAddress2(from.CustomerAddress2());
    to.setCustomerTelephone(from.CustomerTelephone());
    to.setCustomerFax(from.CustomerFax());
    to.setNebikiRitsu(from.NebikiRitsu());
    to.setNebikiRitsuOn(from.NebikiRitsuOn());
    to.setShouhizeiIn(from.ShouhizeiIn());
}

} // namespace

frmDenpyoCopy::frmDenpyoCopy(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDenpyoCopy"));
    m_from = std::make_unique<Denpyo>();
    buildControls();
    buildKeys();
    ui::setDialogFrame(this, ui::DialogFrame::Sizable);
    setMinimumSize(ui::twipsToPixelsX(kMinWidth - 120, this), ui::twipsToPixelsY(kMinHeight - 400, this));
    resize(ui::twipsToPixelsX(11400, this), ui::twipsToPixelsY(8070, this));
}

frmDenpyoCopy::~frmDenpyoCopy() = default;

void frmDenpyoCopy::buildControls()
{
    const slipdialog::TitleBlock title = slipdialog::titleBlock(this, QString(), 960, 1215, 11020);
    lblTitle = title.title;
    Line1 = title.rule[0];
    Line2 = title.rule[1];
    framMain = new QFrame(this);
    framMain->setObjectName(QStringLiteral("framMain"));
    placeTwips(framMain, 120, 600, 11000, 6170);

    lblFrom = placedLabel(QString(), framMain, 240, 240, 4935, 255);
    lblFrom->setObjectName(QStringLiteral("lblFrom"));
    greyBar(lblFrom);
    placedLabel(QStringLiteral("伝票番号　"), framMain, 240, 600, 960, 255);
    wlbFromDenpyoID = slipdialog::valueLabel("wlbFromDenpyoID", framMain, 1200, 555, 1335, 240, true);
    placedLabel(QStringLiteral("納期"), framMain, 240, 1020, 960, 255);
    datFromNouki = slipdialog::valueLabel("datFromNouki", framMain, 1200, 975, 1335, 240);
    placedLabel(QStringLiteral("顧客ID"), framMain, 240, 1320, 960, 255);
    wlbFromCustomerID = slipdialog::valueLabel("wlbFromCustomerID", framMain, 1200, 1275, 1335, 240);
    placedLabel(QStringLiteral("顧客名"), framMain, 240, 1620, 960, 255);
    wlbFromCustomerName = slipdialog::valueLabel("wlbFromCustomerName", framMain, 1200, 1575, 3975, 240);
    placedLabel(QStringLiteral("顧客部門　"), framMain, 240, 1920, 960, 255);
    wlbFromCustomerBumon = slipdialog::valueLabel("wlbFromCustomerBumon", framMain, 1200, 1875, 3975, 240);

    framNewDenpyo = new QFrame(framMain);
    framNewDenpyo->setObjectName(QStringLiteral("framNewDenpyo"));
    placeTwips(framNewDenpyo, 6000, 240, 4935, 1935);
    lblTo = placedLabel(QString(), framNewDenpyo, 0, 0, 4935, 255);
    lblTo->setObjectName(QStringLiteral("lblTo"));
    greyBar(lblTo);
    placedLabel(QStringLiteral("伝票番号　"), framNewDenpyo, 0, 360, 960, 255);
    txtToDenpyoID = placedField<ucDenpyoID>("txtToDenpyoID", framNewDenpyo, 960, 310, 1455, 300);
    cmdDenpyoID = new QPushButton(QStringLiteral("OK"), framNewDenpyo);
    cmdDenpyoID->setObjectName(QStringLiteral("cmdDenpyoID"));
    placeTwips(cmdDenpyoID, 2400, 320, 1095, 420);
    cmdDenpyoSearch = new QPushButton(QStringLiteral("伝票検索"), framNewDenpyo);
    cmdDenpyoSearch->setObjectName(QStringLiteral("cmdDenpyoSearch"));
    placeTwips(cmdDenpyoSearch, 3600, 320, 1335, 420);
    placedLabel(QStringLiteral("納期"), framNewDenpyo, 0, 775, 960, 255);
    datToNouki = slipdialog::datePicker("datToNouki", framNewDenpyo);
    placeTwips(datToNouki, 960, 740, 1455, 300);
    placedLabel(QStringLiteral("顧客ID"), framNewDenpyo, 0, 1080, 960, 255);
    wlbToCustomerID = slipdialog::valueLabel("wlbToCustomerID", framNewDenpyo, 960, 1035, 1455, 240);
    placedLabel(QStringLiteral("顧客名"), framNewDenpyo, 0, 1380, 960, 255);
    wlbToCustomerName = slipdialog::valueLabel("wlbToCustomerName", framNewDenpyo, 960, 1335, 3975, 240);
    placedLabel(QStringLiteral("顧客部門　"), framNewDenpyo, 0, 1680, 960, 255);
    wlbToCustomerBumon = slipdialog::valueLabel("wlbToCustomerBumon", framNewDenpyo, 960, 1635, 3975, 240);

    const QStringList headings = {QStringLiteral("№"),   QStringLiteral("商品ID"), QStringLiteral("品番"),
                                  QStringLiteral("品名"), QStringLiteral("金額"),   QStringLiteral("詳細")};
    const int widths[] = {400, 1000, 1900, 1900, 1000, 3000};
    for (QTreeWidget **list : {&lstSelectable, &lstSelected}) {
        auto *l = new QTreeWidget(framMain);
        l->setObjectName(list == &lstSelectable ? QStringLiteral("lstSelectable") : QStringLiteral("lstSelected"));
        l->setRootIsDecorated(false);
        l->setUniformRowHeights(true);
        l->setSelectionMode(QAbstractItemView::ExtendedSelection);
        l->setAllColumnsShowFocus(true);
        l->setFont(listFont());
        l->setHeaderLabels(headings);
        for (int i = 0; i < 6; ++i)
            l->setColumnWidth(i, ui::twipsToPixelsX(widths[i], l));
        l->headerItem()->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
        *list = l;
    }

    framOperation = new QFrame(framMain);
    framOperation->setObjectName(QStringLiteral("framOperation"));
    const struct {
        QPushButton **button;
        const char *name;
        const char *caption;
        int top;
    } ops[] = {{&cmdAllSelect, "cmdAllSelect", ">>", 0},
               {&cmdSelect, "cmdSelect", ">", 480},
               {&cmdBack, "cmdBack", "<", 960},
               {&cmdAllBack, "cmdAllBack", "<<", 1440}};
    for (const auto &op : ops) {
        *op.button = new QPushButton(QString::fromLatin1(op.caption), framOperation);
        (*op.button)->setObjectName(QLatin1String(op.name));
        placeTwips(*op.button, 0, op.top, 375, 375);
    }
    placeTwips(framOperation, 0, 0, 375, 1815);

    const QString captions[5] = {QStringLiteral("明細計 "), QStringLiteral("値引金額 "), QStringLiteral("合計 "),
                                 QStringLiteral("消費税 "), QStringLiteral("税込合計 ")};
    const char *fromNames[5] = {"wlbFromMeisaiKei", "wlbFromNebikiKinagaku", "wlbFromSum", "wlbFromShouhizei",
                                "wlbFromSumWithShouhizei"};
    const char *toNames[5] = {"wlbToMeisaiKei", "wlbToNebikiKinagaku", "wlbToSum", "wlbToShouhizei",
                              "wlbToSumWithShouhizei"};
    for (int side = 0; side < 2; ++side) {
        auto *frame = new QFrame(framMain);
        frame->setObjectName(side == 0 ? QStringLiteral("framFromKei") : QStringLiteral("framToKei"));
        placeTwips(frame, 0, 0, 2775, 1335);
        for (int row = 0; row < 5; ++row) {
            QLabel *caption = placedLabel(captions[row], frame, 0, row * 270, 1095, 255);
            caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            caption->setAutoFillBackground(true);
            QPalette p = caption->palette();
            p.setColor(QPalette::Window, QColor(192, 192, 255));
            caption->setPalette(p);
            QLabel *value =
                slipdialog::valueLabel(side == 0 ? fromNames[row] : toNames[row], frame, 1200, row * 270, 1575, 240, true);
            (side == 0 ? m_fromKei : m_toKei)[row] = value;
        }
        (side == 0 ? framFromKei : framToKei) = frame;
    }

    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdEnd = new QPushButton(QStringLiteral("閉じる(ESC)"), this);
    cmdEnd->setObjectName(QStringLiteral("cmdEnd"));

    connect(cmdDenpyoID, &QPushButton::clicked, this, [this] { ToDenpyoDecide(); });
    connect(cmdDenpyoSearch, &QPushButton::clicked, this, [this] { ToDenpyoSearch(); });
    connect(cmdSelect, &QPushButton::clicked, this, [this] { cmdSelect_Click(); });
    connect(cmdAllSelect, &QPushButton::clicked, this, [this] { cmdAllSelect_Click(); });
    connect(cmdBack, &QPushButton::clicked, this, [this] { cmdBack_Click(); });
    connect(cmdAllBack, &QPushButton::clicked, this, [this] { cmdAllBack_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { CopyExecute(); });
    connect(cmdEnd, &QPushButton::clicked, this, [this] { reject(); });
    connect(txtToDenpyoID, &ucTextInput::TextBoxChange, this, [this] {
        if (!flgLoading)
            flgToDenpyoExists = true;
    });

    // Tab order: the destination's number and date, the lists and their
    // buttons, then OK and close.
    QWidget *chain[] = {txtToDenpyoID, datToNouki, lstSelectable, cmdAllSelect, cmdSelect,
                        cmdBack,       cmdAllBack, lstSelected,   cmdOK,        cmdEnd};
    for (size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
    cmdDenpyoID->setFocusPolicy(Qt::ClickFocus);
    cmdDenpyoSearch->setFocusPolicy(Qt::ClickFocus);
}

void frmDenpyoCopy::buildKeys()
{
    m_keys = new ui::KeyNavigator(this);
    m_keys->watch({txtToDenpyoID, datToNouki, lstSelectable, lstSelected, cmdAllSelect, cmdSelect, cmdBack,
                   cmdAllBack, cmdOK, cmdEnd});
    for (QPushButton *b : {cmdAllSelect, cmdSelect, cmdBack, cmdAllBack, cmdOK, cmdEnd})
        for (NavKey key : {NavKey::Up, NavKey::Down, NavKey::Right, NavKey::Left})
            m_keys->setAction(b, key, [] {});
    m_keys->setAction(nullptr, NavKey::End, [this] {
        if (cmdOK->isEnabled())
            cmdOK->setFocus(Qt::OtherFocusReason);
    });
    m_keys->setAction(nullptr, NavKey::F12, [this] { CopyExecute(); });
    m_keys->setAction(nullptr, NavKey::Escape, [this] { reject(); });
    // The number box's Enter presses its OK button.
    m_keys->setAction(txtToDenpyoID, NavKey::Enter, [this] {
        if (cmdDenpyoID->isEnabled())
            ToDenpyoDecide();
    });
    m_keys->setMove(datToNouki, NavKey::Enter, lstSelectable);
    m_keys->setMove(datToNouki, NavKey::Down, cmdOK);
}

void frmDenpyoCopy::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    if (!slipdialog::loadOrReject(this, [this] { return load(); }))
        return;
    for (QWidget *w : {static_cast<QWidget *>(txtToDenpyoID), static_cast<QWidget *>(lstSelectable)}) {
        if (ui::KeyNavigator::canTakeFocus(ui::KeyNavigator::keyReceiver(w))) {
            w->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

bool frmDenpyoCopy::load()
{
    flgLoading = true;
    m_resultModified = false;
    LoadWindowPosition(this);
    m_kind = Mode == QLatin1String("Split")   ? Kind::Split
             : Mode == QLatin1String("Refer") ? Kind::Refer
                                              : Kind::Copy;
    const QString word = m_kind == Kind::Copy ? QStringLiteral("伝票複写")
                         : m_kind == Kind::Split ? QStringLiteral("伝票分割")
                                                 : QStringLiteral("伝票参照");
    setWindowTitle(QLatin1Char(' ') + word);
    lblTitle->setText(word);
    lblFrom->setText(m_kind == Kind::Split ? QStringLiteral("分割元の伝票") : QStringLiteral("複写元の伝票"));
    lblTo->setText(m_kind == Kind::Split ? QStringLiteral("分割先の伝票") : QStringLiteral("複写先の伝票"));
    cmdOK->setText(m_kind == Kind::Copy ? QStringLiteral("複写(F12)")
                   : m_kind == Kind::Split ? QStringLiteral("分割(F12)")
                                           : QStringLiteral("取得(F12)"));

    // The tax settings the slip editor reads when it opens.
    for (auto [key, value] :
         {std::pair{"ShouhizeiRitsu", &m_taxRate}, std::pair{"ShouhizeiPattern", &m_taxPattern}}) {
        BasicInfo info;
        info.Initialize();
        info.Load(QString::fromLatin1(key));
        *value = info.LongValue();
    }

    if (!m_from->Load(slipdialog::slipNumber(FromDenpyoID))) {
        flgLoading = false;
        return false;
    }
    wlbFromDenpyoID->setText(QString::number(m_from->DenpyoID()));
    datFromNouki->setText(formatDate(m_from->Nouki()));
    wlbFromCustomerID->setText(m_from->CustomerID());
    wlbFromCustomerName->setText(m_from->CustomerName());
    wlbFromCustomerBumon->setText(m_from->CustomerBumon());

    if (m_kind == Kind::Refer)
        prepareReferDestination();
    else
        prepareNewDestination();
    fillSourceRows();
    CopyKingakuKeisan();

    const bool refer = m_kind == Kind::Refer;
    txtToDenpyoID->setEnabled(!refer);
    cmdDenpyoID->setEnabled(!refer);
    cmdDenpyoSearch->setEnabled(!refer);
    setDecided(refer);
    flgLoading = false;
    return true;
}

void frmDenpyoCopy::prepareNewDestination()
{
    m_ownTo = std::make_unique<Denpyo>();
    m_to = m_ownTo.get();
    BasicInfo counter;
    counter.Initialize();
    counter.Load(QStringLiteral("CurrentDenpyoID"));
    // A counter at the largest number leaves no number to propose: the slip
    // keeps 0, which its save refuses.
    const qint64 next = qint64(counter.LongValue()) + 1;
    m_to->setDenpyoID(next <= std::numeric_limits<qint32>::max() ? qint32(next) : 0);
    copyCustomer(*m_from, *m_to);
    m_proposedNumber = QString::number(m_to->DenpyoID());
    txtToDenpyoID->setText(m_proposedNumber);
    wlbToCustomerID->setText(m_to->CustomerID());
    wlbToCustomerName->setText(m_to->CustomerName());
    wlbToCustomerBumon->setText(m_to->CustomerBumon());
    datToNouki->setDate(today());
    flgToDenpyoExists = false;
}

void frmDenpyoCopy::prepareReferDestination()
{
    if (!ToDenpyoObject) {
        m_ownTo = std::make_unique<Denpyo>();
        ToDenpyoObject = m_ownTo.get();
    }
    m_to = ToDenpyoObject;
    if (m_to->CustomerID().isEmpty() && m_to->CustomerName().isEmpty() && m_to->CustomerBumon().isEmpty()) {
        copyCustomer(*m_from, *m_to);
    }
    Meisais &lines = m_to->Meisais();
    if (lines.Count() == 1) {
        const Meisai &only = lines.Item(1);
        if (only.ItemID().isEmpty() && only.ItemNumber().isEmpty() && only.ItemName().isEmpty()
            && only.ItemTanni().isEmpty() && only.ItemBikou().isEmpty() && only.ItemTanka() == 0
            && only.ItemSuryo() == 0)
            lines.Remove(1);
    }
    showDestination(true, QLatin1Char('x'));
    flgToDenpyoExists = true;
}

void frmDenpyoCopy::showDestination(bool storedRows, QChar times)
{
    lstSelected->clear();
    if (storedRows) {
        for (qint32 i = 1; i <= m_to->Meisais().Count(); ++i)
            insertRow(lstSelected, rowCells(rowText(i, true), i, times, *m_to));
    }
    txtToDenpyoID->setText(QString::number(m_to->DenpyoID()));
    wlbToCustomerID->setText(m_to->CustomerID());
    wlbToCustomerName->setText(m_to->CustomerName());
    wlbToCustomerBumon->setText(m_to->CustomerBumon());
    datToNouki->setDate(m_to->Nouki().date());
}

QStringList frmDenpyoCopy::rowCells(const QString &text, qint32 line, QChar times, const Denpyo &slip) const
{
    const Meisai &m = slip.Meisais().Item(line);
    return {text,
            m.ItemID(),
            m.ItemNumber(),
            m.ItemName(),
            fnFormatNumber(QStringLiteral("###,###,##0"), m.ItemKingaku()),
            detailText(m, times)};
}

void frmDenpyoCopy::insertRow(QTreeWidget *list, const QStringList &cells)
{
    const int order = rowOrder(cells.first());
    int at = 0;
    while (at < list->topLevelItemCount() && rowOrder(list->topLevelItem(at)->text(0)) < order)
        ++at;
    auto *item = new QTreeWidgetItem(cells);
    item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
    list->insertTopLevelItem(at, item);
}

void frmDenpyoCopy::fillSourceRows()
{
    lstSelectable->clear();
    for (qint32 i = 1; i <= m_from->Meisais().Count(); ++i)
        insertRow(lstSelectable, rowCells(rowText(i), i, QLatin1Char('x'), *m_from));
}

bool frmDenpyoCopy::hasRow(QTreeWidget *list, const QString &text) const
{
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(0) == text)
            return true;
    return false;
}

void frmDenpyoCopy::limitMessage()
{
    ui::showMessage(kLimitMessage, ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
}

qint32 frmDenpyoCopy::typedNumber() const
{
    return slipdialog::slipNumber(txtToDenpyoID->Text());
}

void frmDenpyoCopy::ToDenpyoDecide()
{
    if (!flgToDenpyoExists) {
        flgLoading = true;
        txtToDenpyoID->setText(m_proposedNumber);
        flgLoading = false;
        unlock();
        return;
    }
    if (txtToDenpyoID->Text().isEmpty()) {
        ui::showMessage(QStringLiteral("伝票番号を指定してください。"), ui::Icon::Exclamation, ui::Buttons::Ok,
                        ui::Answer::Ok, QString(), this);
        return;
    }
    auto stored = std::make_unique<Denpyo>();
    try {
        const qint32 number = typedNumber();
        if (number != 0)
            stored->Load(number);
    } catch (const std::exception &e) {
        showDatabaseFailure(e, this);
        return;
    }
    if (stored->DenpyoID() == 0) {
        ui::showMessage(QStringLiteral("該当の伝票がありません。"), ui::Icon::Exclamation, ui::Buttons::Ok,
                        ui::Answer::Ok, QString(), this);
        return;
    }
    if (stored->DenpyoID() == m_from->DenpyoID()) {
        ui::showMessage(QStringLiteral("同一の伝票に対して処理することはできません。"), ui::Icon::Exclamation,
                        ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return;
    }
    m_ownTo = std::move(stored);
    m_to = m_ownTo.get();
    showDestination(true, kTimes);
    CopyKingakuKeisan();
    unlock();
}

void frmDenpyoCopy::unlock()
{
    txtToDenpyoID->setEnabled(false);
    cmdDenpyoID->setEnabled(false);
    cmdDenpyoSearch->setEnabled(false);
    setDecided(true);
    datToNouki->setFocus(Qt::OtherFocusReason);
}

void frmDenpyoCopy::setDecided(bool decided)
{
    m_decided = decided;
    for (QWidget *w : {static_cast<QWidget *>(datToNouki), static_cast<QWidget *>(lstSelectable),
                       static_cast<QWidget *>(lstSelected), static_cast<QWidget *>(cmdAllSelect),
                       static_cast<QWidget *>(cmdSelect), static_cast<QWidget *>(cmdBack),
                       static_cast<QWidget *>(cmdAllBack)})
        w->setEnabled(decided);
    if (m_kind == Kind::Refer)
        datToNouki->setEnabled(false);
    cmdOK->setEnabled(decided && m_toTotals.committable());
}

void frmDenpyoCopy::ToDenpyoSearch()
{
    RetainedPicker<frmDenpyoList> finder(this);
    finder->exec();
    if (!finder->OK())
        return;
    txtToDenpyoID->setText(finder->ResultDenpyoID());
    ToDenpyoDecide();
}

void frmDenpyoCopy::cmdSelect_Click()
{
    if (lstSelectable->topLevelItemCount() == 0)
        return;
    for (int i = lstSelectable->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem *row = lstSelectable->topLevelItem(i);
        if (!row->isSelected())
            continue;
        // A destination that has reached the limit, or a stored one that
        // already holds more lines, takes no further line.
        if (lstSelected->topLevelItemCount() >= kMaxLines) {
            limitMessage();
            break;
        }
        if (hasRow(lstSelected, row->text(0)))
            continue;
        QStringList cells;
        for (int c = 0; c < 6; ++c)
            cells << row->text(c);
        insertRow(lstSelected, cells);
        if (m_kind == Kind::Split)
            delete lstSelectable->takeTopLevelItem(i);
    }
    CopyKingakuKeisan();
}

void frmDenpyoCopy::cmdBack_Click()
{
    if (lstSelected->topLevelItemCount() == 0)
        return;
    for (int i = lstSelected->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem *row = lstSelected->topLevelItem(i);
        if (!row->isSelected() || isStoredRow(row->text(0)))
            continue;
        if (m_kind == Kind::Split) {
            QStringList cells;
            for (int c = 0; c < 6; ++c)
                cells << row->text(c);
            insertRow(lstSelectable, cells);
        }
        delete lstSelected->takeTopLevelItem(i);
    }
    CopyKingakuKeisan();
}

void frmDenpyoCopy::cmdAllSelect_Click()
{
    int stored = 0;
    while (stored < lstSelected->topLevelItemCount() && isStoredRow(lstSelected->topLevelItem(stored)->text(0)))
        ++stored;
    // Every line of the source is carried, so the check counts them all,
    // also those already moved over.
    if (stored + m_from->Meisais().Count() > kMaxLines) {
        limitMessage();
        return;
    }
    for (int i = lstSelected->topLevelItemCount() - 1; i >= 0; --i)
        if (!isStoredRow(lstSelected->topLevelItem(i)->text(0)))
            delete lstSelected->takeTopLevelItem(i);
    for (qint32 i = 1; i <= m_from->Meisais().Count(); ++i)
        insertRow(lstSelected, rowCells(rowText(i), i, QLatin1Char('x'), *m_from));
    if (m_kind == Kind::Split)
        lstSelectable->clear();
    CopyKingakuKeisan();
}

void frmDenpyoCopy::cmdAllBack_Click()
{
    for (int i = lstSelected->topLevelItemCount() - 1; i >= 0; --i)
        if (!isStoredRow(lstSelected->topLevelItem(i)->text(0)))
            delete lstSelected->takeTopLevelItem(i);
    fillSourceRows();
    CopyKingakuKeisan();
}

void frmDenpyoCopy::CopyKingakuKeisan()
{
    const auto rowTexts = [](const QTreeWidget *list) {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts << list->topLevelItem(i)->text(0);
        return texts;
    };
    // Each slip's line sum is the sum of the amounts its lines will store.
    const Meisais &source = m_from->Meisais();
    m_fromTotals = CopyTotals::compute(rowsAmount(rowTexts(lstSelectable), source, nullptr), m_from->NebikiRitsuOn(),
                                       m_from->NebikiRitsu(), m_from->NebikiKingaku(), m_from->ShouhizeiIn(),
                                       m_taxRate, m_taxPattern);
    if (m_to)
        m_toTotals = CopyTotals::compute(rowsAmount(rowTexts(lstSelected), source, &m_to->Meisais()),
                                         m_to->NebikiRitsuOn(), m_to->NebikiRitsu(), m_to->NebikiKingaku(),
                                         m_to->ShouhizeiIn(), m_taxRate, m_taxPattern);

    const QStringList fromTexts = m_fromTotals.texts();
    const QStringList toTexts = m_toTotals.texts();
    for (int i = 0; i < 5; ++i) {
        m_fromKei[i]->setText(fromTexts.at(i));
        m_toKei[i]->setText(toTexts.at(i));
    }
    // A destination whose tax-included total is too large cannot be stored.
    cmdOK->setEnabled(m_decided && m_toTotals.committable());
}

void frmDenpyoCopy::CopyExecute()
{
    if (!cmdOK->isEnabled())
        return;
    if (m_kind != Kind::Refer) {
        const bool split = m_kind == Kind::Split;
        const QString question =
            flgToDenpyoExists ? (split ? QStringLiteral("既存の伝票と分割先伝票を更新します。よろしいですか？")
                                       : QStringLiteral("複写先伝票を更新します。よろしいですか？"))
                              : (split ? QStringLiteral("既存伝票を更新し、新規伝票を作成します。よろしいですか？")
                                       : QStringLiteral("新規伝票を作成します。よろしいですか？"));
        if (ui::showMessage(question, ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::Yes, QString(), this)
            != ui::Answer::Yes)
            return;
    }
    // A refused or failed save puts both slips back as they were, so that
    // another attempt carries the lines once.
    const SlipSnapshot toBefore(*m_to);
    const SlipSnapshot fromBefore(*m_from);
    ui::WaitCursor wait;
    bool saved = false;
    try {
        saved = commit();
    } catch (const std::exception &e) {
        toBefore.restore(*m_to);
        fromBefore.restore(*m_from);
        CopyKingakuKeisan();
        wait.release();
        showDatabaseFailure(e, this);
        return;
    }
    if (!saved) {
        const QString reason = m_to->ErrorMessage();
        toBefore.restore(*m_to);
        fromBefore.restore(*m_from);
        CopyKingakuKeisan();
        wait.release();
        ui::showMessage(reason, ui::Icon::Critical, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return;
    }
    m_resultModified = true;
    wait.release();
    accept();
}

bool frmDenpyoCopy::commit()
{
    m_to->setNouki(localDateTime(datToNouki->date(), QTime(0, 0)));
    Meisais &lines = m_to->Meisais();
    qint32 first = lines.Count() + 1;
    if (!flgToDenpyoExists) {
        lines.Add();
        first = 1;
    }
    const Meisais &source = m_from->Meisais();
    for (int i = first; i <= lstSelected->topLevelItemCount(); ++i) {
        const qint32 k = rowLine(lstSelected->topLevelItem(i - 1)->text(0));
        if (lines.Count() < i)
            lines.Add();
        carryLine(source.Item(k), lines.Item(i));
    }
    if (lines.Count() == 0)
        lines.Add();
    CopyKingakuKeisan();
    writeTotals(*m_to, m_toTotals);
    if (m_kind == Kind::Refer)
        return true;
    if (m_kind == Kind::Copy)
        return m_to->Apply();

    for (int i = lstSelected->topLevelItemCount() - 1; i >= 0; --i) {
        const QString text = lstSelected->topLevelItem(i)->text(0);
        if (isStoredRow(text))
            break;
        FromMeisaiRemove(m_from->Meisais(), rowLine(text));
    }
    writeTotals(*m_from, m_fromTotals);
    return Denpyo::ApplyTogether(*m_to, *m_from);
}

void frmDenpyoCopy::keyPressEvent(QKeyEvent *event)
{
    // Enter and Esc act only through the controls' own keys.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget());
            button && event->key() != Qt::Key_Escape)
            button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmDenpyoCopy::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    CopyFormLayout();
}

void frmDenpyoCopy::CopyFormLayout()
{
    if (isMinimized())
        return;
    // Twips of the client area, the designed frame allowance added back.
    const float width = std::max<float>(ui::pixelsToTwipsX(this->width(), this) + 120, kMinWidth);
    const float height = std::max<float>(ui::pixelsToTwipsY(this->height(), this) + 400, kMinHeight);
    slipdialog::stretchRule(Line1, Line2, int(width - 380));
    placeTwips(cmdOK, int(width - 3400), int(height - 1200), 1455, 420);
    placeTwips(cmdEnd, int(width - 1850), int(height - 1200), 1455, 420);
    const float W = width - 400;
    const float H = height - 1900;
    placeTwips(framMain, 120, 600, int(W), int(H));
    placeTwips(framNewDenpyo, int(W / 2 + 250), 240, 4935, 1935);
    const int listWidth = std::max(1, int(W / 2 - 500));
    const int listHeight = std::max(1, int(H - 4000));
    placeTwips(lstSelectable, 240, 2280, listWidth, listHeight);
    placeTwips(lstSelected, int(W / 2 + 250), 2280, listWidth, listHeight);
    placeTwips(framOperation, int(W / 2 - 375.0f / 2), int(2280 + listHeight / 2.0f - 1815.0f / 2), 375, 1815);
    placeTwips(framFromKei, 240 + listWidth - 2800, int(H - 1550), 2775, 1335);
    placeTwips(framToKei, int(W / 2 + 250) + listWidth - 2800, int(H - 1550), 2775, 1335);
}

void frmDenpyoCopy::done(int result)
{
    SaveWindowPosition(this);
    QDialog::done(result);
}
