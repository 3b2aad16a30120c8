// The slip editor: load, save, amounts and the customer block.
#include "slips/frmDenpyo.h"

#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/Routines.h"
#include "core/DatabaseFailure.h"
#include "core/controls/DateBox.h"
#include "core/controls/ucDenpyoID.h"
#include "core/controls/ucIDInput.h"
#include "core/controls/ucJaInput.h"
#include "core/controls/ucKingakuInput.h"
#include "core/controls/ucNumLeftInput.h"
#include "core/controls/ucNumRightInput.h"
#include "core/controls/ucRightLabel.h"
#include "core/controls/ucTelInput.h"
#include "masters/DecimalText.h"
#include "masters/frmCustomerList.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "platform/grid/FlexGrid.h"
#include "printing/frmItemPrint.h"
#include "slips/frmDenpyoCopy.h"
#include "slips/frmDenpyoList.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"
#include "slips/MeisaiColumns.h"
#include "slips/frmDenpyoTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace DenpyoTexts;
namespace Col = MeisaiColumns;

namespace {
void critical(const QString &text, QWidget *parent)
{
    ui::showMessage(text, ui::Icon::Critical, ui::Buttons::Ok, ui::Answer::Ok, QString(), parent);
}
void exclamation(const QString &text, QWidget *parent)
{
    ui::showMessage(text, ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), parent);
}
} // namespace

// ---- register ---------------------------------------------------------

void frmDenpyo::DenpyoRegist()
{
    // A stored slip is never overwritten from the blank form of state "Key".
    if (strMode == QLatin1String("SelectableUpdate") && strEditState != QLatin1String("Data"))
        return;
    // The cell being typed in belongs to the slip.
    VSFlexGrid1->commitEdit();
    const std::optional<SlipAmountResult> amounts = amountsFitSlip();
    if (!amounts)
        return;
    const QString question = QStringLiteral("伝票 ") + txtDenpyoID->TextBox()->text() + QStringLiteral(" を")
                             + (flgNewDenpyo ? QStringLiteral("登録") : QStringLiteral("更新"))
                             + QStringLiteral("しますか？");
    if (ui::showMessage(question, ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::Yes, QString(), this)
        != ui::Answer::Yes) {
        datNouki->takeFocus();
        return;
    }

    ui::WaitCursor wait;
    const qint32 number = txtDenpyoID->Text().toInt();
    Denpyo denpyo;
    try {
        if (flgNewDenpyo) {
            denpyo.setDenpyoID(number);
        } else if (!denpyo.Load(number)) {
            wait.release();
            exclamation(denpyo.ErrorMessage().isEmpty() ? kNoSuchSlip : denpyo.ErrorMessage(), this);
            return;
        }
        SetDenpyoFromForm(denpyo, true, *amounts);
        if (!denpyo.Apply()) {
            wait.release();
            critical(denpyo.ErrorMessage(), this);
            datNouki->takeFocus();
            return;
        }
    } catch (const std::exception &e) {
        wait.release();
        showDatabaseFailure(e, this);
        datNouki->takeFocus();
        return;
    }

    m_resultModified = true;
    if (strMode == QLatin1String("SelectableUpdate")) {
        FormClear();
        strEditState = QStringLiteral("Key");
        SetEditState(strEditState);
        txtDenpyoID->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (strMode == QLatin1String("ReferenceNew") || strMode == QLatin1String("SelectedUpdate")) {
        wait.release();
        accept();
        return;
    }
    startNewSlip();
}

void frmDenpyo::startNewSlip()
{
    FormClear();
    guarded([this] { txtDenpyoID->setText(QString::number(GetNextDenpyoID())); });
    datNouki->setDate(dtmToday);
    chkNebikiRitsu->setChecked(false);
    txtNebikiRitsu->setText(QStringLiteral("0"));
    NebikiInputEnable(chkNebikiRitsu->isChecked());
    chkShouhizei->setChecked(flgShouhizeiDefault);
    stbPanel2->setText(kNewSlip);
    cmdOK->setText(kRegist);
    txtDenpyoID->setEnabled(false);
    cmdDenpyoID->setEnabled(false);
    flgNewDenpyo = true;
    datNouki->takeFocus();
}

std::optional<SlipAmountResult> frmDenpyo::amountsFitSlip()
{
    SlipAmountResult r = SlipAmounts::compute(amountInput(false));
    bool fits = !r.overflow && int(r.lineAmounts.size()) == VSFlexGrid1->Rows() - 1;
    for (Money m : {r.lineTotal, r.discount, r.total, r.tax, r.totalWithTax})
        fits = fits && m.fitsLong();
    for (Money m : r.lineAmounts)
        fits = fits && m.fitsLong();
    if (!fits) {
        critical(kTooLarge, this);
        return std::nullopt;
    }
    return r;
}

// ---- form and slip ----------------------------------------------------

bool frmDenpyo::SetDenpyoFromForm(Denpyo &denpyo, bool dropBlankLastRow, const SlipAmountResult &r)
{
    int rows = VSFlexGrid1->Rows() - 1;
    if (dropBlankLastRow && rows > 1) {
        const int last = rows;
        bool blank = VSFlexGrid1->ValueMatrix(last, Col::Tanka) == 0 && VSFlexGrid1->ValueMatrix(last, Col::Suryo) == 0;
        for (int col : {Col::ShohinID, Col::Hinban, Col::Hinmei, Col::Tanni, Col::Biko})
            blank = blank && VSFlexGrid1->TextMatrix(last, col).isEmpty();
        if (blank) {
            VSFlexGrid1->RemoveItem(last);
            --rows;
        }
    }
    // The amounts are the computed money values, not the shown captions. A
    // dropped blank row adds nothing to them: its amount is 0.
    if (r.overflow)
        return false;

    denpyo.setNouki(QDateTime(datNouki->date(), QTime(0, 0)));
    denpyo.setCustomerID(txtCustomerID->Text());
    denpyo.setCustomerPostNumber(txtCustomerPostNumber1->Text() + txtCustomerPostNumber2->Text());
    denpyo.setCustomerAddress1(txtCustomerAddress1->Text());
    denpyo.setCustomerAddress2(txtCustomerAddress2->Text());
    denpyo.setCustomerName(txtCustomerName->Text());
    denpyo.setCustomerBumon(txtCustomerBumon->Text());
    denpyo.setCustomerTelephone(txtCustomerTelephone->Text());
    denpyo.setCustomerFax(txtCustomerFax->Text());
    denpyo.setMeisaiSum(qint32(r.lineTotal.yen()));
    denpyo.setNebikiRitsuOn(chkNebikiRitsu->isChecked());
    denpyo.setNebikiRitsu(qint16(fnBlankToZero(fnCheckNumberText(txtNebikiRitsu->Text())).toDouble()));
    denpyo.setNebikiKingaku(qint32(r.discount.yen()));
    denpyo.setSummery(qint32(r.total.yen()));
    denpyo.setShouhizeiIn(chkShouhizei->isChecked());
    denpyo.setShouhizei(qint32(r.tax.yen()));
    denpyo.setSummeryWithShouhizei(qint32(r.totalWithTax.yen()));

    Meisais &lines = denpyo.Meisais();
    for (int i = lines.Count(); i >= 1; --i)
        lines.Remove(i);
    for (int row = 1; row <= rows; ++row) {
        Meisai &line = lines.Add();
        line.setItemID(VSFlexGrid1->TextMatrix(row, Col::ShohinID));
        line.setItemNumber(VSFlexGrid1->TextMatrix(row, Col::Hinban));
        line.setItemName(VSFlexGrid1->TextMatrix(row, Col::Hinmei));
        line.setItemTanka(VSFlexGrid1->ValueMatrix(row, Col::Tanka));
        line.setItemSuryo(VSFlexGrid1->ValueMatrix(row, Col::Suryo));
        line.setItemTanni(VSFlexGrid1->TextMatrix(row, Col::Tanni));
        line.setItemKingaku(row - 1 < int(r.lineAmounts.size()) ? qint32(r.lineAmounts[row - 1].yen()) : 0);
        line.setItemBikou(VSFlexGrid1->TextMatrix(row, Col::Biko));
    }
    return true;
}

bool frmDenpyo::SetFormFromDenpyo(qint32 denpyoID, const Denpyo *given)
{
    lblMessage->clear();
    Denpyo loaded;
    const Denpyo *slip = given;
    if (denpyoID >= 1) {
        bool found = false;
        if (!guarded([&] { found = loaded.Load(denpyoID); }))
            return false;
        if (!found) {
            exclamation(loaded.ErrorMessage().isEmpty() ? kNoSuchSlip : loaded.ErrorMessage(), this);
            return false;
        }
        slip = &loaded;
    }
    if (!slip) {
        exclamation(kNoSuchSlip, this);
        return false;
    }

    txtDenpyoID->setText(QString::number(slip->DenpyoID()));
    txtCustomerID->setText(slip->CustomerID());
    txtCustomerName->setText(slip->CustomerName());
    txtCustomerBumon->setText(slip->CustomerBumon());
    setPostNumber(slip->CustomerPostNumber());
    txtCustomerAddress1->setText(slip->CustomerAddress1());
    txtCustomerAddress2->setText(slip->CustomerAddress2());
    txtCustomerTelephone->setText(slip->CustomerTelephone());
    txtCustomerFax->setText(slip->CustomerFax());
    datNouki->setDate(slip->Nouki().isValid() && slip->Nouki() > zeroDate() ? slip->Nouki().date()
                                                                             : zeroDate().date());

    VSFlexGrid1->setRows(1);
    const Meisais &lines = slip->Meisais();
    for (int i = 1; i <= lines.Count(); ++i) {
        const Meisai &line = lines.Item(i);
        VSFlexGrid1->AddItem(QString::number(i));
        VSFlexGrid1->setTextMatrix(i, Col::ShohinID, line.ItemID());
        VSFlexGrid1->setTextMatrix(i, Col::Hinban, line.ItemNumber());
        VSFlexGrid1->setTextMatrix(i, Col::Hinmei, line.ItemName());
        VSFlexGrid1->setTextMatrix(i, Col::Tanka, fnFormatComma(plainDecimalText(line.ItemTanka())));
        VSFlexGrid1->setTextMatrix(i, Col::Suryo, fnFormatComma(plainDecimalText(line.ItemSuryo())));
        VSFlexGrid1->setTextMatrix(i, Col::Tanni, line.ItemTanni());
        VSFlexGrid1->setTextMatrix(i, Col::Kingaku, SlipAmounts::lineAmountText(*Money::fromYen(line.ItemKingaku())));
        VSFlexGrid1->setTextMatrix(i, Col::Biko, line.ItemBikou());
    }
    // A slip without lines still gets a row to type into.
    if (VSFlexGrid1->Rows() < 2)
        VSFlexGrid1->AddItem(QStringLiteral("1"));

    chkNebikiRitsu->setChecked(slip->NebikiRitsuOn());
    txtNebikiRitsu->setText(QString::number(slip->NebikiRitsu()));
    txtNebikiKingaku->setText(QString::number(slip->NebikiKingaku()));
    chkShouhizei->setChecked(slip->ShouhizeiIn());
    MeisaiRenumber();
    DenpyoKingakuKeisan(false);

    if (strMode == QLatin1String("SelectedUpdate") || strMode == QLatin1String("SelectableUpdate")) {
        const bool same = !m_amounts.overflow && m_amounts.totalWithTax.yen() == slip->SummeryWithShouhizei();
        if (!same)
            lblMessage->setText(kTotalDiffers);
    }
    return true;
}

void frmDenpyo::FormClear()
{
    for (ucTextInput *box : std::initializer_list<ucTextInput *>{
             txtDenpyoID, txtCustomerID, txtCustomerPostNumber1, txtCustomerPostNumber2, txtCustomerAddress1,
             txtCustomerAddress2, txtCustomerName, txtCustomerBumon, txtCustomerTelephone, txtCustomerFax})
        box->setText(QString());
    chkNebikiRitsu->setChecked(false);
    NebikiInputEnable(false);
    txtNebikiRitsu->setText(QStringLiteral("0"));
    txtNebikiKingaku->setText(QStringLiteral("0"));
    chkShouhizei->setChecked(false);
    gridReset();
    MeisaiRenumber();
    DenpyoKingakuKeisan(false);
    lblMessage->clear();
}

bool frmDenpyo::numberEntered()
{
    const QString text = txtDenpyoID->Text();
    if (text.isEmpty()) {
        critical(kEnterNumber, this);
        return false;
    }
    bool found = false;
    if (!guarded([&] {
            Denpyo probe;
            probe.Load(text.toInt());
            found = probe.DenpyoID() != 0;
        }))
        return false;
    if (!found) {
        critical(kNoSuchNumber, this);
        return false;
    }
    if (!SetFormFromDenpyo(text.toInt(), nullptr))
        return false;
    strEditState = QStringLiteral("Data");
    SetEditState(strEditState);
    return true;
}

void frmDenpyo::DenpyoSearchLoad()
{
    if (txtDenpyoID->Text().isEmpty()) {
        RetainedPicker<frmDenpyoList> picker(this);
        picker->exec();
        if (picker->OK())
            txtDenpyoID->setText(QString::number(picker->ResultDenpyoID().toInt()));
    }
    // A picker closed without a choice leaves the box empty.
    const QString text = txtDenpyoID->Text();
    if (text.isEmpty())
        return;
    bool found = false;
    if (!guarded([&] {
            Denpyo probe;
            probe.Load(text.toInt());
            found = probe.DenpyoID() != 0;
        }))
        return;
    if (!found) {
        critical(kNoSuchNumber, this);
        return;
    }
    if (!SetFormFromDenpyo(text.toInt(), nullptr))
        return;
    strEditState = QStringLiteral("Data");
    SetEditState(strEditState);
    datNouki->takeFocus();
}

void frmDenpyo::DenpyoRefer()
{
    VSFlexGrid1->commitEdit();
    // The form's slip goes into the dialog as it stands, so it must fit.
    const std::optional<SlipAmountResult> amounts = amountsFitSlip();
    if (!amounts)
        return;
    RetainedPicker<frmDenpyoList> picker(this);
    picker->exec();
    if (!picker->OK())
        return;
    Denpyo edited;
    edited.setDenpyoID(txtDenpyoID->Text().toInt());
    if (!SetDenpyoFromForm(edited, false, *amounts))
        return;
    frmDenpyoCopy copy(this);
    copy.Mode = QStringLiteral("Refer");
    copy.FromDenpyoID = picker->ResultDenpyoID();
    copy.ToDenpyoObject = &edited;
    copy.exec();
    if (!copy.ResultModified())
        return;
    FormClear();
    SetFormFromDenpyo(0, &edited);
}

// ---- printing ---------------------------------------------------------

void frmDenpyo::FillPrintBox()
{
    static const QString extension = QStringLiteral(".rpx");
    cmbPrint->clear();
    cmbPrint->addItem(kPrintEntry);
    if (!gstrDenpyoPrintFormFolder.isEmpty()) {
        const QStringList files = QDir(gstrDenpyoPrintFormFolder).entryList(QDir::Files, QDir::Unsorted);
        for (const QString &file : files) {
            if (file.size() > extension.size() && file.endsWith(extension, Qt::CaseInsensitive))
                cmbPrint->addItem(file.left(file.size() - extension.size()));
        }
    }
    cmbPrint->setCurrentIndex(0);
}

void frmDenpyo::printBoxChosen()
{
    if (flgLoading)
        return;
    if (cmbPrint->currentText() != kPrintEntry)
        DenpyoPrintShow();
    cmbPrint->setCurrentIndex(0);
}

void frmDenpyo::DenpyoPrintShow()
{
    // The form's slip as it stands, saved or not; the grid keeps its rows.
    VSFlexGrid1->commitEdit();
    const std::optional<SlipAmountResult> amounts = amountsFitSlip();
    if (!amounts)
        return;
    Denpyo denpyo;
    denpyo.setDenpyoID(txtDenpyoID->Text().toInt());
    if (!SetDenpyoFromForm(denpyo, false, *amounts))
        return;
    frmItemPrint print(this);
    print.ObjectType = QStringLiteral("伝票");
    print.ObjectID = QString();
    print.FormName = cmbPrint->currentText();
    print.SetObjectAny(denpyo);
    print.exec();
}

// ---- amounts ----------------------------------------------------------

SlipAmountInput frmDenpyo::amountInput(bool flgKingakuChanged) const
{
    SlipAmountInput in;
    const int rows = VSFlexGrid1->Rows() - 1;
    in.lines.reserve(std::max(rows, 0));
    for (int row = 1; row <= rows; ++row)
        in.lines.push_back({VSFlexGrid1->ValueMatrix(row, Col::Tanka), VSFlexGrid1->ValueMatrix(row, Col::Suryo)});
    in.rateOn = chkNebikiRitsu->isChecked();
    in.rateText = txtNebikiRitsu->Text();
    in.amountText = txtNebikiKingaku->Text();
    in.amountTyped = flgKingakuChanged;
    in.taxOn = chkShouhizei->isChecked();
    in.taxRate = lngShouhizeiRitsu;
    in.taxPattern = lngShouhizeiPattern;
    return in;
}

void frmDenpyo::DenpyoKingakuKeisan(bool flgKingakuChanged)
{
    // The boxes written below would start this again; their handlers would
    // compute the same values, so the nested runs are left out.
    if (m_recalculating)
        return;
    m_recalculating = true;
    const SlipAmountResult r = SlipAmounts::compute(amountInput(flgKingakuChanged));
    for (std::size_t i = 0; i < r.lineAmounts.size(); ++i)
        VSFlexGrid1->setTextMatrix(int(i) + 1, Col::Kingaku, SlipAmounts::lineAmountText(r.lineAmounts[i]));
    if (r.overflowRow >= 0)
        VSFlexGrid1->setTextMatrix(r.overflowRow + 1, Col::Kingaku, SlipAmounts::kOverflowText);
    if (r.amountBoxText)
        txtNebikiKingaku->setText(*r.amountBoxText);
    if (r.rateBoxText)
        txtNebikiRitsu->setText(*r.rateBoxText);
    if (r.discountReached)
        NebikiInputEnable(chkNebikiRitsu->isChecked());
    lblMeisaiKei->setText(r.lineTotalText());
    QPalette palette = lblMeisaiKei->palette();
    palette.setColor(QPalette::WindowText, r.overflow ? QColor(255, 0, 0) : QColor(0, 0, 0));
    lblMeisaiKei->setPalette(palette);
    wlbSum->setCaption(r.totalText());
    wlbShouhizei->setCaption(r.taxText());
    wlbSumWithShouhizei->setCaption(r.totalWithTaxText());
    cmdOK->setEnabled(!r.overflow);
    m_amounts = r;
    m_recalculating = false;
}

void frmDenpyo::NebikiInputEnable(bool rateOn)
{
    txtNebikiRitsu->setEnabled(rateOn);
    txtNebikiKingaku->setEnabled(!rateOn);
}

// ---- customer block ---------------------------------------------------

void frmDenpyo::setPostNumber(const QString &postNumber)
{
    txtCustomerPostNumber1->setText(postNumber.left(3));
    txtCustomerPostNumber2->setText(postNumber.mid(3, 4));
}

bool frmDenpyo::CustomerLoadByID()
{
    Customer customer;
    customer.Initialize();
    customer.Load(fnTrimBlanks(txtCustomerID->Text()));
    if (customer.CustomerID().isEmpty())
        return false;
    txtCustomerPostNumber1->setText(customer.PostNumber().left(3));
    txtCustomerPostNumber2->setText(customer.PostNumber().mid(3));
    txtCustomerAddress1->setText(customer.Address1());
    txtCustomerAddress2->setText(customer.Address2());
    txtCustomerName->setText(customer.NameKnj());
    txtCustomerBumon->setText(customer.Bumon());
    txtCustomerTelephone->setText(customer.Phone());
    txtCustomerFax->setText(customer.Fax());
    takeDiscountRate(customer.NebikiRitsu());
    return true;
}

bool frmDenpyo::CustomerListSelect()
{
    RetainedPicker<frmCustomerList> picker(this);
    picker->exec();
    if (!picker->OK())
        return false;
    txtCustomerID->setText(picker->ResultCustomerID());
    txtCustomerPostNumber1->setText(picker->ResultPostNumber().left(3));
    txtCustomerPostNumber2->setText(picker->ResultPostNumber().mid(3));
    txtCustomerAddress1->setText(picker->ResultAddress1());
    txtCustomerAddress2->setText(picker->ResultAddress2());
    txtCustomerName->setText(picker->ResultNameKnj());
    txtCustomerBumon->setText(picker->ResultBumon());
    txtCustomerTelephone->setText(picker->ResultTelephone());
    txtCustomerFax->setText(picker->ResultFax());
    takeDiscountRate(picker->ResultNebikiRitsu().toInt());
    return true;
}

void frmDenpyo::takeDiscountRate(int rate)
{
    const bool withRate = rate >= 1;
    chkNebikiRitsu->setChecked(withRate);
    txtNebikiRitsu->setText(withRate ? QString::number(rate) : QStringLiteral("0"));
    NebikiInputEnable(chkNebikiRitsu->isChecked());
}
