#include "slips/frmDenpyoList.h"

#include "core/DateValue.h"
#include "core/Routines.h"
#include "core/controls/ucDenpyoID.h"
#include "core/controls/ucEnInput.h"
#include "core/controls/ucIDInput.h"
#include "core/controls/ucJaInput.h"
#include "filters/FilterCompiler.h"
#include "masters/DecimalText.h"
#include "masters/PickerConditions.h"
#include "masters/TwipsGeometry.h"
#include "masters/frmCustomerList.h"
#include "masters/frmShohinList.h"
#include "model/Denpyo.h"
#include "model/denpyos.h"
#include "platform/ui/Twips.h"
#include "slips/SlipDialogParts.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using ui::NavKey;

namespace {
constexpr int kFrameWidth = 120;
constexpr int kFrameHeight = 400;
constexpr int kShownLines = 8;

// The picker hands one condition text around; the finder's holds the slip
// condition and the line condition, parted by this character, which no
// condition text contains.
const QChar kConditionSeparator = QChar(0x1F);

QString bothConditions(const QString &slip, const QString &lines)
{
    return slip + kConditionSeparator + lines;
}

const QString kOrder = QStringLiteral("伝票テーブル.伝票番号");
} // namespace

frmDenpyoList::frmDenpyoList(QWidget *parent)
    : RecordPicker(QStringLiteral("frmDenpyoList"), SearchFilterKind::Denpyo, parent)
{
    setWindowTitle(QStringLiteral("伝票検索"));
    list->setObjectName(QStringLiteral("lvwDenpyoList"));
    cmdNew->hide();

    placedLabel(QStringLiteral("伝票ID"), framSearch, 240, 285, 615, 255);
    txtSearchDenpyoID = placedField<ucDenpyoID>("txtSearchDenpyoID", framSearch, 960, 240, 1455, 300);
    placedLabel(QStringLiteral("納期"), framSearch, 360, 645, 495, 255);
    txtSearchNouki = placedField<QLineEdit>("txtSearchNouki", framSearch, 960, 600, 2535, 300);
    txtSearchNouki->setReadOnly(true);
    txtSearchNouki->setFocusPolicy(Qt::NoFocus);
    QPalette face = txtSearchNouki->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    txtSearchNouki->setPalette(face);
    slipdialog::DatePicker *picker = slipdialog::datePicker("dtpSearchNouki", framSearch);
    dtpSearchNouki = picker;
    placeTwips(dtpSearchNouki, 3600, 600, 1575, 300);
    cmbSearchNouki = placedField<QComboBox>("cmbSearchNouki", framSearch, 5280, 600, 1215, 300);
    cmbSearchNouki->setFont(ucTextInput::fieldFont());
    // The captions sit wholly above their boxes: a box drawn over a
    // caption's lower edge cuts off its characters.
    placedLabel(QStringLiteral("顧客ID"), framSearch, 240, 945, 615, 255);
    txtSearchCustomerID = placedField<ucIDInput>("txtSearchCustomerID", framSearch, 360, 1200, 1575, 300);
    placedLabel(QStringLiteral("顧客名"), framSearch, 2400, 945, 735, 255);
    txtSearchCustomerName = placedField<ucJaInput>("txtSearchCustomerName", framSearch, 2400, 1200, 3855, 300);
    placedLabel(QStringLiteral("商品ID"), framSearch, 240, 1545, 615, 255);
    txtSearchShohinID = placedField<ucIDInput>("txtSearchShohinID", framSearch, 360, 1800, 1575, 300);
    placedLabel(QStringLiteral("品番"), framSearch, 2400, 1545, 615, 255);
    txtSearchShohinHinban = placedField<ucEnInput>("txtSearchShohinHinban", framSearch, 2400, 1800, 2055, 300);
    placedLabel(QStringLiteral("品名"), framSearch, 4800, 1545, 615, 255);
    txtSearchShohinHinmei = placedField<ucJaInput>("txtSearchShohinHinmei", framSearch, 4800, 1800, 2775, 300);

    const struct {
        const char *name;
        ucTextInput *box;
        bool customer;
        int left, top;
    } pickers[] = {
        {"cmdSearchCustomerID", txtSearchCustomerID, true, 1920, 1200},
        {"cmdSearchCustomerName", txtSearchCustomerName, true, 6240, 1200},
        {"cmdSearchShohinID", txtSearchShohinID, false, 1920, 1800},
        {"cmdSearchShohinHinban", txtSearchShohinHinban, false, 4440, 1800},
        {"cmdSearchShohinHinmei", txtSearchShohinHinmei, false, 7560, 1800},
    };
    for (const auto &p : pickers) {
        auto *button = new QPushButton(QStringLiteral("..."), framSearch);
        button->setObjectName(QLatin1String(p.name));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        placeTwips(button, p.left, p.top, 255, 300);
        ucTextInput *box = p.box;
        if (p.customer)
            connect(button, &QPushButton::clicked, this, [this, box] { CustomerPick(box); });
        else
            connect(button, &QPushButton::clicked, this, [this, box] { ShohinPick(box); });
    }

    placeTwips(tvwTree, 120, 840, 2295, 7215);
    placeTwips(framSearch, 2520, 120, 8175, 2295);
    placeTwips(cmdSearch, 6720, 240, 1215, 660);
    cmdSearch->setFocusPolicy(Qt::NoFocus);
    placeTwips(list, 2520, 2520, 8175, 5415);
    placeTwips(cmdOK, 7920, 7920, 1335, 540);
    placeTwips(cmdCancel, 9360, 7920, 1335, 540);
    resize(ui::twipsToPixelsX(10845, this), ui::twipsToPixelsY(8685, this));
    setMinimumSize(ui::twipsToPixelsX(10965 - kFrameWidth, this), ui::twipsToPixelsY(3000 - kFrameHeight, this));
    setSizeGripEnabled(true);

    QStringList headings = {QStringLiteral("伝票番号"), QStringLiteral("納期"), QStringLiteral("顧客名"),
                            QStringLiteral("税込合計金額")};
    QList<int> widths = {1500, 1000, 2500, 1500};
    QList<Qt::Alignment> alignments = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignRight};
    const QString digits = QStringLiteral("１２３４５６７８");
    for (int k = 0; k < kShownLines; ++k) {
        headings << QStringLiteral("明細") + digits.at(k) + QStringLiteral("商品")
                 << QStringLiteral("明細") + digits.at(k) + QStringLiteral("金額");
        widths << 3000 << 2000;
        alignments << Qt::AlignLeft << Qt::AlignLeft;
    }
    setColumns(headings, widths, alignments);
    list->setFont(QFont(QStringLiteral("MS PGothic"), 9));

    setSearchBoxes({txtSearchDenpyoID, dtpSearchNouki, cmbSearchNouki, txtSearchCustomerID, txtSearchCustomerName,
                    txtSearchShohinID, txtSearchShohinHinban, txtSearchShohinHinmei});
    for (QWidget *box : searchBoxes())
        keys->setAction(box, NavKey::Enter, [this] { BoxSearch(); });

    QWidget *chain[] = {txtSearchDenpyoID,     dtpSearchNouki,    cmbSearchNouki,
                        txtSearchCustomerID,   txtSearchCustomerName, txtSearchShohinID,
                        txtSearchShohinHinban, txtSearchShohinHinmei, list,
                        cmdOK,                 cmdCancel,         tvwTree};
    for (size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);

    connect(cmbSearchNouki, &QComboBox::activated, this, [this] { monthChosen(); });
    connect(dtpSearchNouki, &QDateEdit::dateChanged, this, [this] {
        if (m_prepared)
            dateChosen();
    });
    // Picking the day the picker already shows changes no date, yet the box
    // takes it: it may hold a month or nothing.
    connect(picker, &slipdialog::DatePicker::calendarDone, this, [this] {
        if (m_prepared)
            dateChosen();
    });
}

void frmDenpyoList::showEvent(QShowEvent *event)
{
    if (!m_prepared) {
        const QDate now = today();
        dtpSearchNouki->setDate(now);
        cmbSearchNouki->clear();
        cmbSearchNouki->addItem(QString());
        cmbSearchNouki->addItems(deliveryMonths(now));
        cmbSearchNouki->setCurrentIndex(cmbSearchNouki->findText(now.toString(QStringLiteral("yyyy/MM"))));
        txtSearchNouki->clear();
        m_prepared = true;
    }
    RecordPicker::showEvent(event);
}

void frmDenpyoList::monthChosen()
{
    const QString month = cmbSearchNouki->currentText();
    if (month.isEmpty()) {
        txtSearchNouki->clear();
        return;
    }
    const QDate first = QDate::fromString(month + QStringLiteral("/01"), QStringLiteral("yyyy/MM/dd"));
    const QDate last = first.addDays(31).addDays(-first.addDays(31).day());
    txtSearchNouki->setText(formatDate(first) + QStringLiteral(" ～ ") + formatDate(last));
}

void frmDenpyoList::dateChosen()
{
    txtSearchNouki->setText(formatDate(dtpSearchNouki->date()));
}

QString frmDenpyoList::boxCondition() const
{
    const QString digits = fnCheckDigitText(txtSearchDenpyoID->TextBox()->text());
    const QString slip = DenpyoSearchWhereMake(digits, fnTrimBlanks(txtSearchNouki->text()),
                                               txtSearchCustomerID->Text(), txtSearchCustomerName->Text());
    // A slip number alone decides; the product boxes then join no lines.
    if (!txtSearchDenpyoID->TextBox()->text().isEmpty())
        return bothConditions(slip, QString());
    return bothConditions(slip, DenpyoMeisaiWhereMake(txtSearchShohinID->Text(), txtSearchShohinHinban->Text(),
                                                      txtSearchShohinHinmei->Text()));
}

bool frmDenpyoList::filterCondition(const QString &name, QString *condition) const
{
    QString slip, lines;
    if (!fnMakeDenpyoSQLWHERE(name, slip, lines))
        return false;
    *condition = bothConditions(slip, lines);
    return true;
}

QString frmDenpyoList::productText(const QString &number, const QString &name)
{
    return number.isEmpty() ? name : number + QLatin1Char(' ') + name;
}

QString frmDenpyoList::amountText(double tanka, double suryo, const QString &tanni, qint32 kingaku)
{
    return QLatin1Char('@') + plainDecimalText(tanka) + QLatin1Char('x') + plainDecimalText(suryo) + tanni
           + QLatin1Char('=') + QString::number(kingaku);
}

QList<QStringList> frmDenpyoList::loadRows(const QString &condition)
{
    const qsizetype cut = condition.indexOf(kConditionSeparator);
    const QString slip = cut < 0 ? condition : condition.left(cut);
    const QString lines = cut < 0 ? QString() : condition.mid(cut + 1);
    denpyos found;
    found.Load(slip, lines, kOrder);
    QList<QStringList> rows;
    rows.reserve(found.Count());
    Denpyo full;
    for (const DenpyoDisplay &d : found) {
        QStringList cells = {QStringLiteral("%1").arg(d.DenpyoID(), 9, 10, QLatin1Char('0')),
                             formatDate(d.Nouki()).right(8), d.CustomerName(),
                             fnFormatNumber(QStringLiteral("#,##0"), d.SummeryWithShouhizei())};
        full.Initialize();
        if (full.Load(d.DenpyoID())) {
            const qint32 n = std::min(full.Meisais().Count(), kShownLines);
            for (qint32 k = 1; k <= n; ++k) {
                const Meisai &m = full.Meisais().Item(k);
                cells << productText(m.ItemNumber(), m.ItemName())
                      << amountText(m.ItemTanka(), m.ItemSuryo(), m.ItemTanni(), m.ItemKingaku());
            }
        }
        rows << cells;
    }
    return rows;
}

void frmDenpyoList::clearBoxes()
{
    for (ucTextInput *box : {static_cast<ucTextInput *>(txtSearchDenpyoID), static_cast<ucTextInput *>(txtSearchCustomerID),
                             static_cast<ucTextInput *>(txtSearchCustomerName), static_cast<ucTextInput *>(txtSearchShohinID),
                             static_cast<ucTextInput *>(txtSearchShohinHinban), static_cast<ucTextInput *>(txtSearchShohinHinmei)})
        box->setText(QString());
    txtSearchNouki->clear();
}

QWidget *frmDenpyoList::aboveList() const
{
    return txtSearchCustomerName;
}

QWidget *frmDenpyoList::homeBox() const
{
    return txtSearchCustomerID;
}

void frmDenpyoList::CustomerPick(ucTextInput *box)
{
    RetainedPicker<frmCustomerList> picker(this);
    picker->exec();
    if (!picker->OK())
        return;
    box->setText(box == txtSearchCustomerID ? picker->ResultCustomerID() : picker->ResultNameKnj());
}

void frmDenpyoList::ShohinPick(ucTextInput *box)
{
    RetainedPicker<frmShohinList> picker(this);
    picker->exec();
    if (!picker->OK())
        return;
    box->setText(box == txtSearchShohinID       ? picker->ResultShohinID()
                 : box == txtSearchShohinHinban ? picker->ResultNumber()
                                                : picker->ResultName());
}

void frmDenpyoList::resizeEvent(QResizeEvent *event)
{
    RecordPicker::resizeEvent(event);
    if (isMinimized())
        return;
    const int W = std::max(ui::pixelsToTwipsX(width(), this) + kFrameWidth, 10965);
    const int H = std::max(ui::pixelsToTwipsY(height(), this) + kFrameHeight, 3000);
    const int treeWidth = 2295;
    placeTwips(framSearch, 2520, 120, W - treeWidth - 560, 2295);
    placeTwips(cmdSearch, W - treeWidth - 560 - 1400, 240, 1215, 660);
    placeTwips(cmdOK, W - 3160, H - 1350, 1335, 540);
    placeTwips(cmdCancel, W - 1760, H - 1350, 1335, 540);
    placeTwips(tvwTree, 120, 840, treeWidth, std::max(1, H - 2300));
    placeTwips(list, 2520, 2520, W - treeWidth - 560, std::max(1, H - 4000));
}
