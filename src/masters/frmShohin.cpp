#include "masters/frmShohin.h"

#include "core/Routines.h"
#include "core/controls/ucIDInput.h"
#include "core/controls/ucJaInput.h"
#include "core/controls/ucTankaInput.h"
#include "masters/DecimalText.h"
#include "masters/MemoBox.h"
#include "masters/TwipsGeometry.h"
#include "masters/frmShohinList.h"
#include "platform/ui/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace {
constexpr int kFrameWidth = 90;
constexpr int kFrameHeight = 705;
constexpr int kWindowWidth = 8505;
constexpr int kMinWindowHeight = 6135;
} // namespace

frmShohin::frmShohin(QWidget *parent) : RecordEditor(QStringLiteral("frmShohin"), parent)
{
    setWindowTitle(QStringLiteral(" 商品情報"));

    auto *picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_FileIcon).pixmap(16, 16));
    placeTwips(picture, 240, 120, 375, 375);
    lblTitle = placedLabel(QStringLiteral("商品情報"), this, 720, 240, 975, 255);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    separatorLine(this, 240, 480, 8040, QPalette::Dark);
    separatorLine(this, 240, 495, 8040, QPalette::Light);

    placedLabel(QStringLiteral("商品ID "), this, 360, 720, 855, 255);
    txtShohinID = placedField<ucIDInput>("txtShohinID", this, 1200, 675, 1455, 300);
    cmdShohinID = new QPushButton(QStringLiteral("検索(F11)"), this);
    cmdShohinID->setObjectName(QStringLiteral("cmdShohinID"));
    placeTwips(cmdShohinID, 2640, 555, 1095, 420);

    framMain = new QFrame(this);
    framMain->setObjectName(QStringLiteral("framMain"));
    framMain->setFrameShape(QFrame::StyledPanel);
    placeTwips(framMain, 120, 960, 8075, 3735);
    placedLabel(QStringLiteral("品番 "), framMain, 240, 360, 855, 255);
    placedLabel(QStringLiteral("品名 "), framMain, 240, 675, 855, 255);
    placedLabel(QStringLiteral("製造元 "), framMain, 240, 975, 855, 255);
    placedLabel(QStringLiteral("単価 "), framMain, 240, 1305, 855, 255);
    placedLabel(QStringLiteral("単位 "), framMain, 240, 1620, 855, 255);
    txtShohinNumber = placedField<ucJaInput>("txtShohinNumber", framMain, 1080, 315, 6855, 300);
    txtShohinName = placedField<ucJaInput>("txtShohinName", framMain, 1080, 630, 6855, 300);
    txtShohinMaker = placedField<ucJaInput>("txtShohinMaker", framMain, 1080, 945, 6855, 300);
    txtShohinTanka = placedField<ucTankaInput>("txtShohinTanka", framMain, 1080, 1260, 1335, 300);
    placedLabel(QStringLiteral("円"), framMain, 2520, 1305, 375, 255);
    txtShohinTanni = placedField<ucJaInput>("txtShohinTanni", framMain, 1080, 1575, 1335, 300);
    placedLabel(QStringLiteral("説明 "), framMain, 240, 1965, 855, 240);
    placedLabel(QStringLiteral("(254文字)"), framMain, 240, 2280, 855, 255);
    txtShohinMemo = placedField<MemoBox>("txtShohinMemo", framMain, 1080, 1920, 6855, 1575);
    txtShohinMemo->setMaxLength(254);
    // Only the user's edits replace the stored price: entering and leaving
    // the box reformat its text without changing the number.
    connect(txtShohinTanka->TextBox(), &QLineEdit::textEdited, this, [this] { m_keptTanka.reset(); });

    cmdOK = new QPushButton(QStringLiteral("登録"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    placeTwips(cmdOK, 5160, 4800, 1455, 540);
    cmdEnd = new QPushButton(QStringLiteral("閉じる(ESC)"), this);
    cmdEnd->setObjectName(QStringLiteral("cmdEnd"));
    placeTwips(cmdEnd, 6720, 4800, 1455, 540);
    for (QPushButton *b : {cmdShohinID, cmdOK, cmdEnd})
        b->setAutoDefault(false);

    setFixedWidth(ui::twipsToPixelsX(kWindowWidth - kFrameWidth, this));
    setMinimumHeight(ui::twipsToPixelsY(kMinWindowHeight - kFrameHeight, this));
    resize(width(), ui::twipsToPixelsY(5430, this));

    Parts parts;
    parts.title = lblTitle;
    parts.idBox = txtShohinID;
    parts.idSearch = cmdShohinID;
    parts.ok = cmdOK;
    parts.end = cmdEnd;
    parts.firstDataField = txtShohinNumber;
    parts.homeWithoutId = txtShohinName;
    parts.dataBlocks = {framMain};
    parts.keyFields = {txtShohinNumber, txtShohinName, txtShohinMaker, txtShohinTanka, txtShohinTanni,
                       txtShohinMemo, cmdOK, cmdEnd};
    setParts(parts);

    setTargets(txtShohinID, txtShohinNumber, nullptr, txtShohinNumber);
    setTargets(txtShohinNumber, txtShohinName, txtShohinID, txtShohinName);
    setTargets(txtShohinName, txtShohinMaker, txtShohinNumber, txtShohinMaker);
    setTargets(txtShohinMaker, txtShohinTanka, txtShohinName, txtShohinTanka);
    setTargets(txtShohinTanka, txtShohinTanni, txtShohinMaker, txtShohinTanni);
    setTargets(txtShohinTanni, txtShohinMemo, txtShohinTanka, txtShohinMemo);
    setTargets(txtShohinMemo, nullptr, txtShohinTanni, cmdOK);
    setTargets(cmdOK, nullptr, txtShohinTanni, nullptr);
    setTargets(cmdEnd, nullptr, txtShohinTanni, nullptr);
}

void frmShohin::prepareFields()
{
    // Part numbers are typed in plain letters and digits: the input method
    // starts off there, though the user may switch it on.
    txtShohinNumber->TextBox()->setInputMethodHints(Qt::ImhPreferLatin);
    txtShohinTanni->setMaxLength(11);
}

void frmShohin::recordClear()
{
    for (ucTextInput *box : std::initializer_list<ucTextInput *>{txtShohinID, txtShohinNumber, txtShohinName,
                                                                  txtShohinMaker, txtShohinTanni})
        box->setText(QString());
    txtShohinTanka->setText(QStringLiteral("0"));
    m_keptTanka.reset();
    txtShohinMemo->setText(QString());
}

void frmShohin::showTanka(double tanka)
{
    // In full, also with more decimals than can be typed (a pasted price).
    txtShohinTanka->showStoredNumber(plainDecimalText(tanka));
    m_keptTanka = tanka;
}

void frmShohin::ShohinShow(const Shohin &shohin)
{
    txtShohinID->setText(shohin.ShohinID());
    showDetails(shohin);
}

void frmShohin::showDetails(const Shohin &shohin)
{
    txtShohinNumber->setText(shohin.Number());
    txtShohinName->setText(shohin.Name());
    txtShohinMaker->setText(shohin.Maker());
    showTanka(shohin.Tanka());
    txtShohinTanni->setText(shohin.Tanni());
    txtShohinMemo->setText(shohin.Memo());
}

bool frmShohin::showStored(const QString &id, bool showWhenMissing)
{
    Shohin shohin;
    const bool found = shohin.Load(id);
    if (found || showWhenMissing)
        ShohinShow(shohin);
    return found;
}

void frmShohin::showCopyObject()
{
    ShohinShow(ShohinObject);
}

RecordEditor::SaveOutcome frmShohin::saveRecord(const QString &id, bool isNew, QString *message)
{
    Shohin shohin;
    if (isNew) {
        shohin.setShohinID(id);
    } else if (!shohin.Load(id)) {
        return SaveOutcome::Gone;
    }
    shohin.setNumber(txtShohinNumber->Text());
    shohin.setName(txtShohinName->Text());
    shohin.setMaker(txtShohinMaker->Text());
    if (m_keptTanka) {
        shohin.setTanka(*m_keptTanka);
    } else {
        // An empty box or one that holds no number counts as 0.
        const QString number = fnCheckNumberText(txtShohinTanka->Text());
        bool isNumber = false;
        const double tanka = number.toDouble(&isNumber);
        shohin.setTanka(isNumber ? tanka : 0.0);
    }
    shohin.setTanni(txtShohinTanni->Text());
    shohin.setMemo(txtShohinMemo->Text());
    if (shohin.Apply())
        return SaveOutcome::Saved;
    *message = shohin.ErrorMessage();
    return SaveOutcome::Refused;
}

bool frmShohin::pickRecord(bool copyId)
{
    frmShohinList picker(this);
    picker.exec();
    if (!picker.OK())
        return false;
    if (copyId)
        txtShohinID->setText(picker.ResultShohinID());
    showDetails(picker.ResultShohin());
    return true;
}

void frmShohin::applyTabChain(bool withId)
{
    txtShohinID->setFocusPolicy(withId ? Qt::StrongFocus : Qt::ClickFocus);
    txtShohinID->TextBox()->setFocusPolicy(withId ? Qt::StrongFocus : Qt::ClickFocus);
    const QList<QWidget *> chain = {txtShohinID,    txtShohinNumber, txtShohinName, txtShohinMaker, txtShohinTanka,
                                    txtShohinTanni, txtShohinMemo,   cmdOK,         cmdEnd};
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void frmShohin::resizeEvent(QResizeEvent *event)
{
    RecordEditor::resizeEvent(event);
    const int h = qMax(ui::pixelsToTwipsY(height(), this) + kFrameHeight, kMinWindowHeight);
    const int mainHeight = h - 2400;
    placeTwips(framMain, 120, 960, 8075, mainHeight);
    placeTwips(txtShohinMemo, 1080, 1920, 6855, qMax(mainHeight - 2400, 300));
    const int buttonTop = 960 + mainHeight + 130;
    placeTwips(cmdOK, 5160, buttonTop, 1455, 540);
    placeTwips(cmdEnd, 6720, buttonTop, 1455, 540);
}
