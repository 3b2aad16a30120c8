#include "masters/frmCustomer.h"

#include "core/Globals.h"
#include "core/Routines.h"
#include "core/controls/ucIDInput.h"
#include "core/controls/ucJaInput.h"
#include "core/controls/ucNumLeftInput.h"
#include "core/controls/ucNumRightInput.h"
#include "core/controls/ucTelInput.h"
#include "masters/MemoBox.h"
#include "masters/TwipsGeometry.h"
#include "masters/frmCustomerList.h"
#include "platform/ui/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace {
// Outer window size minus client area, in twips. The height leaves the
// buttons their bottom margin at the smallest window, whose frame rule puts
// them lower than the designed layout does.
constexpr int kFrameWidth = 90;
constexpr int kFrameHeight = 660;
constexpr int kWindowWidth = 8640;
constexpr int kMinWindowHeight = 7380;
} // namespace

frmCustomer::frmCustomer(QWidget *parent) : RecordEditor(QStringLiteral("frmCustomer"), parent)
{
    setWindowTitle(QStringLiteral(" 顧客情報"));

    auto *picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(16, 16));
    placeTwips(picture, 120, 120, 375, 375);
    lblTitle = placedLabel(QStringLiteral("顧客情報"), this, 720, 240, 975, 255);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    separatorLine(this, 120, 480, 8160, QPalette::Dark);
    separatorLine(this, 120, 495, 8160, QPalette::Light);

    placedLabel(QStringLiteral("顧客ID "), this, 360, 720, 735, 255);
    txtCustomerID = placedField<ucIDInput>("txtCustomerID", this, 1200, 675, 1455, 300);
    cmdCustomerID = new QPushButton(QStringLiteral("検索(F11)"), this);
    cmdCustomerID->setObjectName(QStringLiteral("cmdCustomerID"));
    placeTwips(cmdCustomerID, 2640, 555, 1095, 420);

    framMain = new QFrame(this);
    framMain->setObjectName(QStringLiteral("framMain"));
    framMain->setFrameShape(QFrame::StyledPanel);
    placeTwips(framMain, 120, 960, 8195, 3615);
    placedLabel(QStringLiteral("かな "), framMain, 240, 360, 855, 255);
    placedLabel(QStringLiteral("顧客名 "), framMain, 240, 675, 855, 255);
    placedLabel(QStringLiteral("部門 "), framMain, 240, 990, 855, 255);
    txtCustomerNameKana = placedField<ucJaInput>("txtCustomerNameKana", framMain, 1080, 315, 6975, 300);
    txtCustomerNameKnj = placedField<ucJaInput>("txtCustomerNameKnj", framMain, 1080, 630, 6975, 300);
    txtCustomerBumon = placedField<ucJaInput>("txtCustomerBumon", framMain, 1080, 945, 6975, 300);
    placedLabel(QStringLiteral("所在地  〒"), framMain, 240, 1320, 975, 255);
    txtCustomerPostNumber1 = placedField<ucNumLeftInput>("txtCustomerPostNumber1", framMain, 1080, 1275, 435, 300);
    txtCustomerPostNumber2 = placedField<ucNumLeftInput>("txtCustomerPostNumber2", framMain, 1510, 1275, 525, 300);
    txtCustomerAddress1 = placedField<ucJaInput>("txtCustomerAddress1", framMain, 2040, 1275, 6015, 300);
    txtCustomerAddress2 = placedField<ucJaInput>("txtCustomerAddress2", framMain, 2040, 1590, 6015, 300);
    placedLabel(QStringLiteral("電話 "), framMain, 240, 1965, 615, 255);
    txtCustomerTelephone = placedField<ucTelInput>("txtCustomerTelephone", framMain, 1080, 1920, 1455, 300);
    placedLabel(QStringLiteral("FAX "), framMain, 2640, 1965, 495, 255);
    txtCustomerFax = placedField<ucTelInput>("txtCustomerFax", framMain, 3240, 1920, 1455, 300);
    placedLabel(QStringLiteral("値引率 "), framMain, 4800, 1965, 735, 255);
    txtCustomerNebikiRitsu = placedField<ucNumRightInput>("txtCustomerNebikiRitsu", framMain, 5640, 1920, 615, 300);
    placedLabel(QStringLiteral("％"), framMain, 6360, 1965, 255, 255);
    placedLabel(QStringLiteral("メモ"), framMain, 240, 2325, 615, 255);
    placedLabel(QStringLiteral("(254文字)"), framMain, 120, 2640, 855, 255);
    txtCustomerMemo = placedField<MemoBox>("txtCustomerMemo", framMain, 1080, 2280, 6975, 1095);
    txtCustomerMemo->setMaxLength(254);

    framTsukiSeikyu = new QFrame(this);
    framTsukiSeikyu->setObjectName(QStringLiteral("framTsukiSeikyu"));
    framTsukiSeikyu->setFrameShape(QFrame::StyledPanel);
    placeTwips(framTsukiSeikyu, 120, 4680, 8195, 1215);
    chkTsukiSeikyu = new QCheckBox(QStringLiteral("月締め請求"), framTsukiSeikyu);
    chkTsukiSeikyu->setObjectName(QStringLiteral("chkTsukiSeikyu"));
    // The check box sits on the frame's top edge as its caption.
    chkTsukiSeikyu->setAutoFillBackground(true);
    placeTwips(chkTsukiSeikyu, 120, 0, 1215, 255);
    lblShimeBi = placedLabel(QStringLiteral("締め日 "), framTsukiSeikyu, 600, 405, 1335, 255);
    cmbShimeBi = placedField<QComboBox>("cmbShimeBi", framTsukiSeikyu, 2040, 360, 1815, 300);
    lblSeikyushoForm = placedLabel(QStringLiteral("請求書フォーム "), framTsukiSeikyu, 600, 760, 1335, 255);
    cmbSeikyushoForm = placedField<QComboBox>("cmbSeikyushoForm", framTsukiSeikyu, 2040, 720, 5535, 300);
    connect(chkTsukiSeikyu, &QCheckBox::stateChanged, this, [this] { tsukiSeikyuSwitched(); });

    cmdOK = new QPushButton(QStringLiteral("登録"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    placeTwips(cmdOK, 5280, 6000, 1455, 540);
    cmdEnd = new QPushButton(QStringLiteral("閉じる(ESC)"), this);
    cmdEnd->setObjectName(QStringLiteral("cmdEnd"));
    placeTwips(cmdEnd, 6840, 6000, 1455, 540);
    for (QPushButton *b : {cmdCustomerID, cmdOK, cmdEnd})
        b->setAutoDefault(false);

    setFixedWidth(ui::twipsToPixelsX(kWindowWidth - kFrameWidth, this));
    setMinimumHeight(ui::twipsToPixelsY(kMinWindowHeight - kFrameHeight, this));
    resize(width(), minimumHeight());

    Parts parts;
    parts.title = lblTitle;
    parts.idBox = txtCustomerID;
    parts.idSearch = cmdCustomerID;
    parts.ok = cmdOK;
    parts.end = cmdEnd;
    parts.firstDataField = txtCustomerNameKana;
    parts.homeWithoutId = txtCustomerNameKana;
    parts.dataBlocks = {framMain, framTsukiSeikyu};
    parts.keyFields = {txtCustomerNameKana, txtCustomerNameKnj, txtCustomerBumon, txtCustomerPostNumber1,
                       txtCustomerPostNumber2, txtCustomerAddress1, txtCustomerAddress2, txtCustomerTelephone,
                       txtCustomerFax, txtCustomerNebikiRitsu, txtCustomerMemo, chkTsukiSeikyu, cmbShimeBi,
                       cmbSeikyushoForm, cmdOK, cmdEnd};
    setParts(parts);

    setTargets(txtCustomerID, txtCustomerNameKana, nullptr, txtCustomerNameKana);
    setTargets(txtCustomerNameKana, txtCustomerNameKnj, txtCustomerID, txtCustomerNameKnj);
    setTargets(txtCustomerNameKnj, txtCustomerBumon, txtCustomerNameKana, txtCustomerBumon);
    setTargets(txtCustomerBumon, txtCustomerPostNumber1, txtCustomerNameKnj, txtCustomerPostNumber1);
    setTargets(txtCustomerPostNumber1, txtCustomerPostNumber2, txtCustomerBumon, txtCustomerAddress2,
               txtCustomerPostNumber2);
    setTargets(txtCustomerPostNumber2, txtCustomerAddress1, txtCustomerBumon, txtCustomerAddress2,
               txtCustomerAddress1, txtCustomerPostNumber1);
    setTargets(txtCustomerAddress1, txtCustomerAddress2, txtCustomerBumon, txtCustomerAddress2, nullptr,
               txtCustomerPostNumber2);
    setTargets(txtCustomerAddress2, txtCustomerTelephone, txtCustomerPostNumber1, txtCustomerTelephone);
    setTargets(txtCustomerTelephone, txtCustomerFax, txtCustomerAddress2, txtCustomerMemo, txtCustomerFax);
    setTargets(txtCustomerFax, txtCustomerNebikiRitsu, txtCustomerAddress2, txtCustomerMemo,
               txtCustomerNebikiRitsu, txtCustomerTelephone);
    setTargets(txtCustomerNebikiRitsu, txtCustomerMemo, txtCustomerAddress2, txtCustomerMemo, nullptr,
               txtCustomerFax);
    // The memo keeps Enter for new lines; Down from its last line skips the
    // monthly-billing block.
    setTargets(txtCustomerMemo, nullptr, txtCustomerTelephone, cmdOK);
}

QStringList frmCustomer::shimeBiEntries()
{
    return {QString(),
            QStringLiteral("05日締め"),
            QStringLiteral("10日締め"),
            QStringLiteral("15日締め"),
            QStringLiteral("20日締め"),
            QStringLiteral("25日締め"),
            QStringLiteral("30日締め"),
            QStringLiteral("月末締め")};
}

QStringList frmCustomer::seikyushoFormNames()
{
    static const QString extension = QStringLiteral(".rpx");
    QStringList names;
    const QStringList files = QDir(gstrTsukiSeikyushoPrintFormFolder).entryList(QDir::Files);
    for (const QString &file : files) {
        if (file.size() > extension.size() && file.endsWith(extension, Qt::CaseInsensitive))
            names << file.left(file.size() - extension.size());
    }
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

void frmCustomer::prepareFields()
{
    txtCustomerPostNumber1->setMaxLength(3);
    txtCustomerPostNumber2->setMaxLength(4);
    txtCustomerNebikiRitsu->setMaxLength(3);
    cmbShimeBi->clear();
    cmbShimeBi->addItems(shimeBiEntries());
    cmbSeikyushoForm->clear();
    cmbSeikyushoForm->addItem(QString());
    cmbSeikyushoForm->addItems(seikyushoFormNames());
    tsukiSeikyuSwitched();
}

void frmCustomer::tsukiSeikyuSwitched()
{
    const bool on = chkTsukiSeikyu->checkState() == Qt::Checked;
    for (QWidget *w : {static_cast<QWidget *>(lblShimeBi), static_cast<QWidget *>(cmbShimeBi),
                       static_cast<QWidget *>(lblSeikyushoForm), static_cast<QWidget *>(cmbSeikyushoForm)})
        w->setEnabled(on);
}

void frmCustomer::recordClear()
{
    txtCustomerID->setText(QString());
    for (ucTextInput *box : std::initializer_list<ucTextInput *>{
             txtCustomerNameKana, txtCustomerNameKnj, txtCustomerBumon, txtCustomerPostNumber1,
             txtCustomerPostNumber2, txtCustomerAddress1, txtCustomerAddress2, txtCustomerTelephone, txtCustomerFax})
        box->setText(QString());
    txtCustomerNebikiRitsu->setText(QStringLiteral("0"));
    txtCustomerMemo->setText(QString());
    chkTsukiSeikyu->setChecked(false);
    cmbShimeBi->setCurrentIndex(0);
    cmbSeikyushoForm->setCurrentIndex(0);
}

void frmCustomer::selectEntry(QComboBox *box, const QString &text)
{
    box->setCurrentIndex(0);
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i) == text) {
            box->setCurrentIndex(i);
            return;
        }
    }
}

void frmCustomer::CustomerShow(const Customer &customer)
{
    txtCustomerID->setText(customer.CustomerID());
    showDetails(customer);
}

void frmCustomer::showDetails(const Customer &customer)
{
    txtCustomerNameKana->setText(customer.NameKana());
    txtCustomerNameKnj->setText(customer.NameKnj());
    txtCustomerBumon->setText(customer.Bumon());
    // Both boxes take their fixed share of the stored code, so a short code
    // comes back as it was typed.
    txtCustomerPostNumber1->setText(customer.PostNumber().left(3));
    txtCustomerPostNumber2->setText(customer.PostNumber().mid(3, 4));
    txtCustomerAddress1->setText(customer.Address1());
    txtCustomerAddress2->setText(customer.Address2());
    txtCustomerTelephone->setText(customer.Phone());
    txtCustomerFax->setText(customer.Fax());
    txtCustomerNebikiRitsu->setText(QString::number(customer.NebikiRitsu()));
    txtCustomerMemo->setText(customer.Memo());
    chkTsukiSeikyu->setCheckState(fnBoolToCheck(customer.TsukiSeikyu()) ? Qt::Checked : Qt::Unchecked);
    selectEntry(cmbShimeBi, customer.ShimeBi());
    selectEntry(cmbSeikyushoForm, customer.SeikyushoForm());
}

bool frmCustomer::showStored(const QString &id, bool showWhenMissing)
{
    Customer customer;
    const bool found = customer.Load(id);
    if (found || showWhenMissing)
        CustomerShow(customer);
    return found;
}

void frmCustomer::showCopyObject()
{
    CustomerShow(CustomerObject);
}

bool frmCustomer::checkBeforeConfirm()
{
    if (chkTsukiSeikyu->checkState() == Qt::Checked && cmbShimeBi->currentIndex() <= 0) {
        ui::showMessage(QStringLiteral("締め日を選択してください。"), ui::Icon::Exclamation, ui::Buttons::Ok,
                        ui::Answer::Ok, QString(), this);
        cmbShimeBi->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

RecordEditor::SaveOutcome frmCustomer::saveRecord(const QString &id, bool isNew, QString *message)
{
    Customer customer;
    if (isNew) {
        customer.setCustomerID(id);
    } else if (!customer.Load(id)) {
        return SaveOutcome::Gone;
    }
    customer.setNameKana(txtCustomerNameKana->Text());
    customer.setNameKnj(txtCustomerNameKnj->Text());
    customer.setBumon(txtCustomerBumon->Text());
    customer.setPostNumber(txtCustomerPostNumber1->Text() + txtCustomerPostNumber2->Text());
    customer.setAddress1(txtCustomerAddress1->Text());
    customer.setAddress2(txtCustomerAddress2->Text());
    customer.setPhone(txtCustomerTelephone->Text());
    customer.setFax(txtCustomerFax->Text());
    // The box takes three digits; anything else that got in counts as 0.
    bool isNumber = false;
    const int rate = txtCustomerNebikiRitsu->Text().toInt(&isNumber);
    customer.setNebikiRitsu(isNumber && rate >= -32768 && rate <= 32767 ? qint16(rate) : qint16(0));
    customer.setMemo(txtCustomerMemo->Text());
    customer.setTsukiSeikyu(fnCheckToBool(chkTsukiSeikyu->checkState() == Qt::Checked ? 1 : 0));
    if (customer.TsukiSeikyu()) {
        customer.setShimeBi(cmbShimeBi->currentText());
        customer.setSeikyushoForm(cmbSeikyushoForm->currentText());
    } else {
        customer.setShimeBi(QString());
        customer.setSeikyushoForm(QString());
    }
    if (customer.Apply())
        return SaveOutcome::Saved;
    *message = customer.ErrorMessage();
    return SaveOutcome::Refused;
}

bool frmCustomer::pickRecord(bool copyId)
{
    frmCustomerList picker(this);
    picker.exec();
    if (!picker.OK())
        return false;
    if (copyId)
        txtCustomerID->setText(picker.ResultCustomerID());
    showDetails(picker.ResultCustomer());
    return true;
}

void frmCustomer::applyTabChain(bool withId)
{
    txtCustomerID->setFocusPolicy(withId ? Qt::StrongFocus : Qt::ClickFocus);
    txtCustomerID->TextBox()->setFocusPolicy(withId ? Qt::StrongFocus : Qt::ClickFocus);
    const QList<QWidget *> chain = {txtCustomerID,          txtCustomerNameKana,  txtCustomerNameKnj,
                                    txtCustomerBumon,       txtCustomerPostNumber1, txtCustomerPostNumber2,
                                    txtCustomerAddress1,    txtCustomerAddress2,  txtCustomerTelephone,
                                    txtCustomerFax,         txtCustomerNebikiRitsu, txtCustomerMemo,
                                    chkTsukiSeikyu,         cmbShimeBi,           cmbSeikyushoForm,
                                    cmdOK,                  cmdEnd};
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void frmCustomer::resizeEvent(QResizeEvent *event)
{
    RecordEditor::resizeEvent(event);
    const int h = qMax(ui::pixelsToTwipsY(height(), this) + kFrameHeight, kMinWindowHeight);
    const int mainHeight = h - 3700;
    placeTwips(framMain, 120, 960, 8195, mainHeight);
    placeTwips(txtCustomerMemo, 1080, 2280, 6975, qMax(mainHeight - 2400, 300));
    const int tsukiTop = 960 + mainHeight + 100;
    placeTwips(framTsukiSeikyu, 120, tsukiTop, 8195, 1215);
    const int buttonTop = tsukiTop + 1215 + 130;
    placeTwips(cmdOK, 5280, buttonTop, 1455, 540);
    placeTwips(cmdEnd, 6840, buttonTop, 1455, 540);
}
