#include "slips/frmDenpyo.h"

#include "core/BasicInfo.h"
#include "core/DatabaseFailure.h"
#include "core/DateValue.h"
#include "core/Routines.h"
#include "core/WindowMemory.h"
#include "core/controls/DateBox.h"
#include "core/controls/ucDenpyoID.h"
#include "core/controls/ucIDInput.h"
#include "core/controls/ucJaInput.h"
#include "core/controls/ucKingakuInput.h"
#include "core/controls/ucNumLeftInput.h"
#include "core/controls/ucNumRightInput.h"
#include "core/controls/ucRightLabel.h"
#include "core/controls/ucTelInput.h"
#include "masters/TwipsGeometry.h"
#include "platform/grid/FlexGrid.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/KeyNavigator.h"
#include "platform/ui/Twips.h"
#include "slips/MeisaiColumns.h"
#include "slips/frmDenpyoTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>

using namespace DenpyoTexts;
using ui::NavKey;

namespace {
// Outer window size less the client area, in twips.
constexpr int kFrameWidth = 90;
constexpr int kFrameHeight = 660;
constexpr int kMinWidth = 11430;
constexpr int kMinHeight = 7935;
constexpr int kStatusHeight = 315;

QFrame *plainFrame(const char *name, QWidget *parent, bool border)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
    return frame;
}

QPushButton *button(const char *name, const QString &caption, QWidget *parent, bool tabStop)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    if (!tabStop)
        b->setFocusPolicy(Qt::ClickFocus);
    return b;
}
} // namespace

frmDenpyo::frmDenpyo(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDenpyo"));
    buildControls();
    ui::setDialogFrame(this, ui::DialogFrame::Sizable);
    setMinimumSize(ui::twipsToPixelsX(kMinWidth - kFrameWidth, this),
                   ui::twipsToPixelsY(kMinHeight - kFrameHeight, this));
    resize(minimumSize());
    buildKeys();
    qApp->installEventFilter(this);
}

frmDenpyo::~frmDenpyo()
{
    if (qApp)
        qApp->removeEventFilter(this);
    // The controls are destroyed after this part of the window: their last
    // focus and change signals must find no handler here.
    for (QObject *child : findChildren<QObject *>())
        disconnect(child, nullptr, this, nullptr);
}

void frmDenpyo::buildControls()
{
    auto *picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(16, 16));
    placeTwips(picture, 120, 120, 375, 375);
    lblTitle = placedLabel(kTitle, this, 720, 240, 1500, 255);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    Line1 = separatorLine(this, 120, 480, 11000, QPalette::Dark);
    Line2 = separatorLine(this, 120, 495, 11000, QPalette::Light);

    lblDenpyoID = placedLabel(QStringLiteral("伝票番号　"), this, 2640, 165, 1095, 255);
    txtDenpyoID = placedField<ucDenpyoID>("txtDenpyoID", this, 3720, 120, 1335, 300);
    cmdDenpyoID = button("cmdDenpyoID", QStringLiteral("検索(F11)"), this, false);
    placeTwips(cmdDenpyoID, 5100, 60, 1095, 405);
    lblNouki = placedLabel(QStringLiteral("納期"), this, 6400, 165, 555, 255);
    datNouki = placedField<DateBox>("datNouki", this, 6960, 120, 1700, 300);
    datNouki->setMinimumDate(zeroDate().date());
    cmbPrint = placedField<QComboBox>("cmbPrint", this, 9030, 120, 2000, 300);

    framCustomer = plainFrame("framCustomer", this, true);
    placeTwips(framCustomer, 120, 960, 10970, 1800);
    placedLabel(QStringLiteral("顧客ID"), framCustomer, 120, 285, 900, 255);
    txtCustomerID = placedField<ucIDInput>("txtCustomerID", framCustomer, 1080, 240, 1695, 300);
    cmdCustomerID = button("cmdCustomerID", QStringLiteral("検索(F11)"), framCustomer, false);
    placeTwips(cmdCustomerID, 2820, 180, 1095, 405);
    cmdDenpyoSearch = button("cmdDenpyoSearch", QStringLiteral("伝票参照"), framCustomer, true);
    placeTwips(cmdDenpyoSearch, 9160, 180, 1335, 405);
    placedLabel(QStringLiteral("所在地１〒"), framCustomer, 120, 705, 975, 255);
    txtCustomerPostNumber1 = placedField<ucNumLeftInput>("txtCustomerPostNumber1", framCustomer, 1080, 660, 435, 300);
    txtCustomerPostNumber2 = placedField<ucNumLeftInput>("txtCustomerPostNumber2", framCustomer, 1510, 660, 525, 300);
    txtCustomerAddress1 = placedField<ucJaInput>("txtCustomerAddress1", framCustomer, 2040, 660, 3900, 300);
    placedLabel(QStringLiteral("所在地２"), framCustomer, 6000, 705, 800, 255);
    txtCustomerAddress2 = placedField<ucJaInput>("txtCustomerAddress2", framCustomer, 6840, 660, 3900, 300);
    placedLabel(QStringLiteral("顧客名"), framCustomer, 120, 1065, 900, 255);
    txtCustomerName = placedField<ucJaInput>("txtCustomerName", framCustomer, 1080, 1020, 4860, 300);
    placedLabel(QStringLiteral("顧客部門"), framCustomer, 6000, 1065, 800, 255);
    txtCustomerBumon = placedField<ucJaInput>("txtCustomerBumon", framCustomer, 6840, 1020, 3900, 300);
    placedLabel(QStringLiteral("Tel　"), framCustomer, 120, 1425, 900, 255);
    txtCustomerTelephone = placedField<ucTelInput>("txtCustomerTelephone", framCustomer, 1080, 1380, 1800, 300);
    placedLabel(QStringLiteral("Fax　"), framCustomer, 3000, 1425, 500, 255);
    txtCustomerFax = placedField<ucTelInput>("txtCustomerFax", framCustomer, 3500, 1380, 1800, 300);

    frmMeisai = plainFrame("frmMeisai", this, true);
    placeTwips(frmMeisai, 120, 2850, 10970, 3435);
    VSFlexGrid1 = new grid::FlexGrid(frmMeisai);
    VSFlexGrid1->setObjectName(QStringLiteral("VSFlexGrid1"));
    VSFlexGrid1->setFont(QFont(QStringLiteral("MS Gothic"), 9));
    VSFlexGrid1->setCols(MeisaiColumns::Count);
    for (int col = 0; col < MeisaiColumns::Count; ++col) {
        const MeisaiColumns::Spec &s = MeisaiColumns::spec(col);
        VSFlexGrid1->setHeading(col, QString::fromUtf16(s.heading));
        VSFlexGrid1->setColumnAlignment(col, s.alignment);
        VSFlexGrid1->setColumnEditable(col, MeisaiColumns::isEditable(col));
        VSFlexGrid1->setColWidth(col, ui::twipsToPixelsX(s.widthTwips, this));
    }
    placeTwips(VSFlexGrid1, 120, 240, 10610, 1635);
    cmdShohinID = button("cmdShohinID", QStringLiteral("商品ID検索(F11)"), frmMeisai, false);
    cmdDel = button("cmdDel", QStringLiteral("削除(Alt+Del)"), frmMeisai, false);
    cmdIns = button("cmdIns", QStringLiteral("挿入(Alt+Ins)"), frmMeisai, false);

    fram3 = plainFrame("fram3", frmMeisai, false);
    placeTwips(fram3, 3070, 2135, 7780, 1200);
    placedLabel(QStringLiteral("明細数"), fram3, 1300, 45, 700, 255);
    wlbMeisaisu = placedField<ucRightLabel>("wlbMeisaisu", fram3, 2000, 0, 700, 300);
    placedLabel(QStringLiteral(" 明細計"), fram3, 5000, 45, 900, 255);
    lblMeisaiKei = placedLabel(QString(), fram3, 5900, 0, 1800, 300);
    lblMeisaiKei->setObjectName(QStringLiteral("lblMeisaiKei"));
    lblMeisaiKei->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblMeisaiKei->setFrameShape(QFrame::StyledPanel);
    chkNebikiRitsu = placedField<QCheckBox>("chkNebikiRitsu", fram3, 1300, 420, 900, 300);
    chkNebikiRitsu->setText(QStringLiteral("値引率"));
    txtNebikiRitsu = placedField<ucNumRightInput>("txtNebikiRitsu", fram3, 2200, 420, 500, 300);
    placedLabel(QStringLiteral("％"), fram3, 2720, 465, 250, 255);
    placedLabel(QStringLiteral("値引金額"), fram3, 3050, 465, 850, 255);
    txtNebikiKingaku = placedField<ucKingakuInput>("txtNebikiKingaku", fram3, 3900, 420, 1300, 300);
    placedLabel(QStringLiteral("合計"), fram3, 5300, 465, 600, 255);
    wlbSum = placedField<ucRightLabel>("wlbSum", fram3, 5900, 420, 1800, 300);
    chkShouhizei = placedField<QCheckBox>("chkShouhizei", fram3, 1300, 840, 1750, 300);
    chkShouhizei->setText(kShouhizei);
    wlbShouhizei = placedField<ucRightLabel>("wlbShouhizei", fram3, 3900, 840, 1000, 300);
    placedLabel(QStringLiteral("税込合計"), fram3, 5000, 885, 900, 255);
    wlbSumWithShouhizei = placedField<ucRightLabel>("wlbSumWithShouhizei", fram3, 5900, 840, 1800, 300);
    // The row buttons stand in front of the amounts frame's empty left part.
    for (QPushButton *b : {cmdShohinID, cmdDel, cmdIns})
        b->raise();

    cmdOK = button("cmdOK", kRegist, this, true);
    cmdEnd = button("cmdEnd", kClose, this, true);
    lblMessage = placedLabel(QString(), this, 120, 6615, 7800, 255);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));

    stbStatusBar = new QStatusBar(this);
    stbStatusBar->setObjectName(QStringLiteral("stbStatusBar"));
    stbStatusBar->setSizeGripEnabled(false);
    stbPanel1 = new QLabel(stbStatusBar);
    stbPanel1->setObjectName(QStringLiteral("stbPanel1"));
    stbPanel2 = new QLabel(stbStatusBar);
    stbPanel2->setObjectName(QStringLiteral("stbPanel2"));
    stbPanel2->setMinimumWidth(ui::twipsToPixelsX(1500, this));
    stbStatusBar->addWidget(stbPanel1, 1);
    stbStatusBar->addPermanentWidget(stbPanel2);
    setWindowTitle(kCaption);
}

void frmDenpyo::showEvent(QShowEvent *event)
{
    if (!m_opened) {
        m_opened = true;
        FormLoad();
    }
    QDialog::showEvent(event);
    if (!flgActivated) {
        flgActivated = true;
        LoadGridColumnWidth(this, VSFlexGrid1->horizontalHeader());
    }
}

void frmDenpyo::FormLoad()
{
    LoadWindowPosition(this);
    setWindowTitle(kCaption);
    flgLoading = true;
    txtCustomerPostNumber1->setMaxLength(3);
    txtCustomerPostNumber2->setMaxLength(4);
    txtNebikiRitsu->setMaxLength(3);
    for (QPushButton *b : {cmdIns, cmdDel, cmdShohinID})
        b->setEnabled(false);
    m_resultModified = false;
    guarded([this] {
        auto readLong = [](const char *key) {
            BasicInfo info;
            info.Initialize();
            info.Load(QString::fromLatin1(key));
            return info.LongValue();
        };
        flgShouhizeiDefault = readLong("Shouhizei") == 1;
        lngShouhizeiRitsu = readLong("ShouhizeiRitsu");
        lngShouhizeiPattern = readLong("ShouhizeiPattern");
    });
    if (lngShouhizeiPattern == 1)
        chkShouhizei->setText(kShouhizei + kUchizei);
    FillPrintBox();
    dtmToday = today();
    FormClear();
    ApplyMode();
    flgLoading = false;
    flgKeepGridCell = false;
}

void frmDenpyo::ApplyMode()
{
    const bool loadsSlip = strMode == QLatin1String("ReferenceNew") || strMode == QLatin1String("SelectedUpdate");
    if (strMode == QLatin1String("SelectableUpdate")) {
        strEditState = QStringLiteral("Key");
        SetEditState(strEditState);
        cmdOK->setText(kUpdate);
        flgNewDenpyo = false;
        SetTabOrder(true);
        txtDenpyoID->setFocus(Qt::OtherFocusReason);
        return;
    }
    // "New" and unknown texts open a blank new slip.
    const bool reference = strMode == QLatin1String("ReferenceNew");
    flgNewDenpyo = !loadsSlip || reference;
    bool loaded = true;
    if (loadsSlip) {
        FormClear();
        loaded = SetFormFromDenpyo(strDenpyoID.trimmed().toInt(), nullptr);
    }
    if (flgNewDenpyo) {
        if (!loadsSlip) {
            datNouki->setDate(dtmToday);
            chkShouhizei->setChecked(flgShouhizeiDefault);
            gridReset();
            MeisaiRenumber();
            txtNebikiKingaku->setText(QStringLiteral("0"));
            DenpyoKingakuKeisan(false);
        }
        guarded([this] { txtDenpyoID->setText(QString::number(GetNextDenpyoID())); });
        if (!loaded)
            datNouki->setDate(dtmToday);
    }
    txtDenpyoID->setEnabled(false);
    cmdDenpyoID->setEnabled(false);
    cmbPrint->setEnabled(true);
    cmdOK->setText(flgNewDenpyo ? kRegist : kUpdate);
    stbPanel2->setText(flgNewDenpyo ? kNewSlip : kUpdateSlip);
    SetTabOrder(false);
    datNouki->takeFocus();
    // A slip that cannot be read leaves nothing to update.
    if (!loaded && strMode == QLatin1String("SelectedUpdate"))
        QMetaObject::invokeMethod(this, [this] { reject(); }, Qt::QueuedConnection);
}

void frmDenpyo::SetEditState(const QString &state)
{
    const bool locked = state == QLatin1String("Key");
    cmdEnd->setText(locked ? kClose : kClear);
    for (QPushButton *b : {cmdDenpyoID, cmdShohinID, cmdDel, cmdIns, cmdEnd, cmdOK, cmdDenpyoSearch, cmdCustomerID})
        b->setEnabled(!locked);
    framCustomer->setEnabled(!locked);
    txtDenpyoID->setEnabled(locked);
    cmdDenpyoID->setEnabled(locked);
    cmbPrint->setEnabled(!locked);
    cmdEnd->setEnabled(true);
    frmMeisai->setEnabled(!locked);
    VSFlexGrid1->setForeColor(QApplication::palette().color(locked ? QPalette::Disabled : QPalette::Active,
                                                            locked ? QPalette::Dark : QPalette::Text));
}

qint32 frmDenpyo::GetNextDenpyoID()
{
    BasicInfo info;
    info.Initialize();
    info.Load(QStringLiteral("CurrentDenpyoID"));
    return info.LongValue() + 1;
}

void frmDenpyo::CancelOrClose()
{
    if (strMode != QLatin1String("SelectableUpdate") || strEditState != QLatin1String("Data")) {
        reject();
        return;
    }
    strEditState = QStringLiteral("Key");
    SetEditState(strEditState);
    FormClear();
    txtDenpyoID->setFocus(Qt::OtherFocusReason);
}

void frmDenpyo::SetTabOrder(bool withNumber)
{
    QWidget *box = txtDenpyoID->TextBox();
    box->setFocusPolicy(withNumber ? Qt::StrongFocus : Qt::ClickFocus);
    // The refer button has no key of its own: Tab reaches it after the
    // customer block it stands in, before the lines it fills.
    const QList<QWidget *> chain = {datNouki, txtCustomerID, txtCustomerPostNumber1, txtCustomerPostNumber2,
                                    txtCustomerAddress1, txtCustomerAddress2, txtCustomerName, txtCustomerBumon,
                                    txtCustomerTelephone, txtCustomerFax, cmdDenpyoSearch, VSFlexGrid1,
                                    chkNebikiRitsu, txtNebikiRitsu, txtNebikiKingaku, chkShouhizei, cmdOK, cmdEnd};
    QWidget *previous = withNumber ? static_cast<QWidget *>(txtDenpyoID) : nullptr;
    for (QWidget *w : chain) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void frmDenpyo::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormLayout();
}

void frmDenpyo::FormLayout()
{
    if (isMinimized() || m_layingOut)
        return;
    m_layingOut = true;
    // Below the designed smallest size only where the screen is smaller
    // (the window's minimum then gives way): the buttons and the status
    // bar stay inside the window, the line grid shrinks.
    const bool designedMinimum = minimumWidth() >= ui::twipsToPixelsX(kMinWidth - kFrameWidth, this)
                                 && minimumHeight() >= ui::twipsToPixelsY(kMinHeight - kFrameHeight, this);
    const int minWidth = designedMinimum ? kMinWidth : ui::pixelsToTwipsX(minimumWidth(), this) + kFrameWidth;
    const int minHeight = designedMinimum ? kMinHeight : ui::pixelsToTwipsY(minimumHeight(), this) + kFrameHeight;
    const int W = std::max(ui::pixelsToTwipsX(width(), this) + kFrameWidth, minWidth);
    const int H = std::max(ui::pixelsToTwipsY(height(), this) + kFrameHeight, minHeight);
    auto x = [this](int twips) { return ui::twipsToPixelsX(twips, this); };
    auto y = [this](int twips) { return ui::twipsToPixelsY(twips, this); };

    Line1->setGeometry(Line1->x(), Line1->y(), x(W - 300 - 120), Line1->height());
    Line2->setGeometry(Line2->x(), Line2->y(), x(W - 300 - 120), Line2->height());
    framCustomer->resize(x(W - 460), framCustomer->height());
    cmdDenpyoSearch->move(x(W - 2150 - 120), cmdDenpyoSearch->y());
    const int meisaiHeight = std::max(H - 4500, 1800);
    frmMeisai->resize(x(W - 460), y(meisaiHeight));
    fram3->move(x(W - 460 - 7900), y(meisaiHeight - 1300));
    const int gridHeight = meisaiHeight - 1800;
    VSFlexGrid1->resize(x(W - 820), y(gridHeight));
    placeTwips(cmdShohinID, 120, gridHeight + 350, 1575, 375);
    placeTwips(cmdDel, 1740, gridHeight + 350, 1215, 375);
    placeTwips(cmdIns, 3000, gridHeight + 350, 1215, 375);
    cmbPrint->move(x(W - 2400), cmbPrint->y());
    placeTwips(cmdOK, W - 3370, H - 1580, 1455, 540);
    placeTwips(cmdEnd, W - 1810, H - 1580, 1455, 540);
    placeTwips(lblMessage, 120, H - 1320, W - 3600, 255);
    stbStatusBar->setGeometry(0, height() - y(kStatusHeight), width(), y(kStatusHeight));
    if (flgActivated)
        LoadGridColumnWidth(this, VSFlexGrid1->horizontalHeader());
    m_layingOut = false;
}

void frmDenpyo::done(int result)
{
    VSFlexGrid1->cancelEdit();
    SaveWindowPosition(this);
    QDialog::done(result);
}

void frmDenpyo::keyPressEvent(QKeyEvent *event)
{
    // Enter presses the focused button; no button is the default.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto *b = qobject_cast<QPushButton *>(focusWidget()))
            b->click();
        event->accept();
        return;
    case Qt::Key_Escape:
        event->accept();
        return;
    default: QDialog::keyPressEvent(event);
    }
}

bool frmDenpyo::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == datNouki && event->type() == QEvent::FocusIn)
        StatusGuideShow(datNouki->objectName());
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QDialog::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    QWidget *modal = QApplication::activeModalWidget();
    if (widget->window() != this || (modal && modal != this))
        return QDialog::eventFilter(watched, event);
    // A key reaches the filter once per widget it propagates to.
    QWidget *focus = QApplication::focusWidget();
    if (focus ? widget != focus : widget != this)
        return QDialog::eventFilter(watched, event);
    return windowKey(static_cast<QKeyEvent *>(event)) || QDialog::eventFilter(watched, event);
}

bool frmDenpyo::windowKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    // Tab leaves the date box instead of walking its parts.
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) && datNouki->hasFocus()) {
        focusNextPrevChild(event->key() == Qt::Key_Tab && !(mods & Qt::ShiftModifier));
        return true;
    }
    switch (event->key()) {
    case Qt::Key_Insert:
        if (mods != Qt::AltModifier)
            return false;
        MeisaiRowInsert();
        return true;
    case Qt::Key_Delete:
        if (mods != Qt::AltModifier)
            return false;
        MeisaiRowDelete();
        return true;
    case Qt::Key_Home:
        datNouki->takeFocus();
        return true;
    case Qt::Key_End:
        if (cmdOK->isEnabled())
            cmdOK->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Escape:
        CancelOrClose();
        return true;
    case Qt::Key_F12:
        if (cmdOK->isEnabled())
            DenpyoRegist();
        return true;
    default: return false;
    }
}

void frmDenpyo::buildKeys()
{
    m_keys = new ui::KeyNavigator(this);
    auto to = [](QWidget *target) {
        return [target] {
            if (ui::KeyNavigator::canTakeFocus(target))
                target->setFocus(Qt::OtherFocusReason);
        };
    };
    auto targets = [this, &to](QWidget *from, QWidget *enter, QWidget *up, QWidget *down, QWidget *right,
                               QWidget *left) {
        m_keys->watch(from);
        const std::pair<NavKey, QWidget *> list[] = {
            {NavKey::Enter, enter}, {NavKey::Up, up}, {NavKey::Down, down}, {NavKey::Right, right}, {NavKey::Left, left}};
        const bool isButton = qobject_cast<QAbstractButton *>(from) != nullptr;
        for (const auto &[key, target] : list) {
            if (target)
                m_keys->setAction(from, key, to(target));
            else if (isButton && key != NavKey::Enter)
                m_keys->setAction(from, key, [] {});
        }
    };
    targets(txtDenpyoID, datNouki, nullptr, nullptr, nullptr, nullptr);
    targets(datNouki, txtCustomerID, nullptr, nullptr, nullptr, nullptr);
    targets(txtCustomerID, txtCustomerPostNumber1, datNouki, txtCustomerPostNumber1, nullptr, nullptr);
    targets(txtCustomerPostNumber1, txtCustomerPostNumber2, txtCustomerID, txtCustomerName, txtCustomerPostNumber2,
            nullptr);
    targets(txtCustomerPostNumber2, txtCustomerAddress1, txtCustomerID, txtCustomerName, txtCustomerAddress1,
            txtCustomerPostNumber1);
    targets(txtCustomerAddress1, txtCustomerAddress2, txtCustomerID, txtCustomerName, txtCustomerAddress2,
            txtCustomerPostNumber2);
    targets(txtCustomerAddress2, txtCustomerName, txtCustomerID, txtCustomerBumon, nullptr, txtCustomerAddress1);
    targets(txtCustomerName, txtCustomerBumon, txtCustomerPostNumber1, txtCustomerTelephone, txtCustomerBumon,
            nullptr);
    targets(txtCustomerBumon, txtCustomerTelephone, txtCustomerAddress2, txtCustomerFax, nullptr, txtCustomerName);
    targets(txtCustomerTelephone, txtCustomerFax, txtCustomerName, VSFlexGrid1, txtCustomerFax, nullptr);
    targets(txtCustomerFax, VSFlexGrid1, txtCustomerName, VSFlexGrid1, nullptr, txtCustomerTelephone);
    targets(chkNebikiRitsu, txtNebikiRitsu, VSFlexGrid1, cmdOK, nullptr, nullptr);
    targets(txtNebikiRitsu, txtNebikiKingaku, chkNebikiRitsu, cmdOK, txtNebikiKingaku, chkNebikiRitsu);
    targets(txtNebikiKingaku, chkShouhizei, VSFlexGrid1, cmdOK, chkShouhizei, txtNebikiRitsu);
    targets(chkShouhizei, cmdOK, nullptr, nullptr, nullptr, nullptr);
    targets(cmdOK, nullptr, nullptr, nullptr, nullptr, nullptr);
    targets(cmdEnd, nullptr, nullptr, nullptr, nullptr, nullptr);
    // F11 in every field of the mover, the two buttons included.
    m_keys->setAction(nullptr, NavKey::F11, [this] { F11Key(); });

    // Enter that acts before the mover.
    m_keys->setAction(txtDenpyoID, NavKey::Enter, [this] {
        if (strMode == QLatin1String("SelectableUpdate") && !numberEntered())
            return;
        if (ui::KeyNavigator::canTakeFocus(datNouki))
            datNouki->takeFocus();
    });
    m_keys->setAction(txtCustomerID, NavKey::Enter, [this] {
        bool found = false;
        if (!txtCustomerID->Text().isEmpty())
            guarded([this, &found] { found = CustomerLoadByID(); });
        if (found) {
            focusGridFirstCell();
            return;
        }
        if (ui::KeyNavigator::canTakeFocus(txtCustomerPostNumber1))
            txtCustomerPostNumber1->setFocus(Qt::OtherFocusReason);
    });

    // Hints.
    const QList<ucTextInput *> hinted = {txtDenpyoID,          txtCustomerID,        txtCustomerPostNumber1,
                                         txtCustomerPostNumber2, txtCustomerAddress1, txtCustomerAddress2,
                                         txtCustomerName,      txtCustomerBumon,     txtCustomerTelephone,
                                         txtCustomerFax,       txtNebikiRitsu,       txtNebikiKingaku};
    for (ucTextInput *box : hinted) {
        connect(box, &ucTextInput::TextBoxGotFocus, this, [this, box] { StatusGuideShow(box->objectName()); });
    }
    for (ucTextInput *box : {static_cast<ucTextInput *>(txtCustomerID), static_cast<ucTextInput *>(txtCustomerPostNumber1),
                             static_cast<ucTextInput *>(txtCustomerPostNumber2),
                             static_cast<ucTextInput *>(txtCustomerAddress1)})
        connect(box, &ucTextInput::TextBoxLostFocus, this, [this] { stbPanel1->clear(); });

    // Amount controls.
    connect(chkShouhizei, &QCheckBox::stateChanged, this, [this] {
        if (!flgLoading)
            DenpyoKingakuKeisan(false);
    });
    connect(chkNebikiRitsu, &QCheckBox::stateChanged, this, [this] {
        if (!flgLoading)
            DenpyoKingakuKeisan(false);
    });
    connect(txtNebikiRitsu, &ucTextInput::TextBoxChange, this, [this] {
        if (!flgLoading)
            DenpyoKingakuKeisan(false);
    });
    connect(txtNebikiKingaku, &ucTextInput::TextBoxChange, this, [this] {
        if (!flgLoading)
            DenpyoKingakuKeisan(true);
    });

    // Buttons.
    connect(cmdOK, &QPushButton::clicked, this, [this] { DenpyoRegist(); });
    connect(cmdEnd, &QPushButton::clicked, this, [this] { CancelOrClose(); });
    connect(cmdDenpyoID, &QPushButton::clicked, this, [this] { DenpyoSearchLoad(); });
    connect(cmdDenpyoSearch, &QPushButton::clicked, this, [this] { DenpyoRefer(); });
    connect(cmdIns, &QPushButton::clicked, this, [this] { MeisaiRowInsert(); });
    connect(cmdDel, &QPushButton::clicked, this, [this] { MeisaiRowDelete(); });
    connect(cmdCustomerID, &QPushButton::clicked, this, [this] {
        bool picked = false;
        guarded([this, &picked] { picked = CustomerListSelect(); });
        if (picked)
            focusGridFirstCell();
    });
    connect(cmdShohinID, &QPushButton::clicked, this, [this] {
        const int row = VSFlexGrid1->Row();
        const int col = VSFlexGrid1->Col();
        if (row < 1)
            return;
        bool picked = false;
        guarded([this, row, &picked] { picked = ShohinListSelect(row); });
        VSFlexGrid1->setFocus(Qt::OtherFocusReason);
        if (picked) {
            focusPriceOrQuantity(row);
        } else {
            VSFlexGrid1->setCurrentCell(row, col);
            editCurrentCell();
        }
    });
    connect(cmbPrint, &QComboBox::activated, this, [this] { printBoxChosen(); });

    // Grid.
    connect(VSFlexGrid1, &grid::FlexGrid::cellClicked, this, [this] {
        if (MeisaiColumns::isEditable(VSFlexGrid1->Col()))
            VSFlexGrid1->EditCell();
    });
    connect(VSFlexGrid1, &grid::FlexGrid::cellEntered, this, [this](int, int col) {
        if (!MeisaiColumns::isEditable(col) || !gridHasFocus())
            return;
        VSFlexGrid1->EditCell();
        StatusGuideShow(QString::fromUtf16(MeisaiColumns::spec(col).key));
    });
    connect(VSFlexGrid1, &grid::FlexGrid::cellLeft, this, [this](int row, int col) {
        if (MeisaiColumns::isEditable(col))
            CellFormatOnLeave(row, col);
    });
    // Keys typed ahead stay queued while an edit starts: run here, they would
    // be handled in the middle of the move that opens this editor.
    connect(VSFlexGrid1, &grid::FlexGrid::editStarted, this, [this](int, int col) {
        if (MeisaiColumns::usesIme(col))
            ImeHiraganaOn(VSFlexGrid1->editor());
    });
    connect(VSFlexGrid1, &grid::FlexGrid::editCommitted, this, [this](int row, int col) { cellEdited(row, col); });
    connect(VSFlexGrid1, &grid::FlexGrid::keyDown, this, [this](int &key, Qt::KeyboardModifiers mods) {
        if (GridKeyProcess(VSFlexGrid1->Row(), VSFlexGrid1->Col(), key, mods))
            key = 0;
    });
    connect(VSFlexGrid1, &grid::FlexGrid::editorKeyDown, this,
            [this](int row, int col, int &key, Qt::KeyboardModifiers mods) {
                if (GridKeyProcess(row, col, key, mods))
                    key = 0;
            });
    connect(VSFlexGrid1, &grid::FlexGrid::editorKeyPress, this, [](int, int col, QChar &c) {
        if (col == MeisaiColumns::ShohinID && c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = c.toUpper();
    });
    connect(VSFlexGrid1, &grid::FlexGrid::columnResized, this,
            [this] { SaveGridColumnWidth(this, VSFlexGrid1->horizontalHeader()); });
    connect(VSFlexGrid1, &grid::FlexGrid::focusReceived, this, [this] { gridFocusArrived(); });
}

void frmDenpyo::F11Key()
{
    if (txtDenpyoID->Enabled()) {
        DenpyoSearchLoad();
        return;
    }
    bool picked = false;
    guarded([this, &picked] { picked = CustomerListSelect(); });
    if (picked)
        focusGridFirstCell();
}

void frmDenpyo::focusGridFirstCell()
{
    if (!ui::KeyNavigator::canTakeFocus(VSFlexGrid1))
        return;
    // The cell is made current first, so that the grid's focus arrival
    // opens the editor there.
    flgKeepGridCell = true;
    VSFlexGrid1->setCurrentCell(1, MeisaiColumns::ShohinID);
    VSFlexGrid1->setFocus(Qt::OtherFocusReason);
    editCurrentCell();
    flgKeepGridCell = false;
}

void frmDenpyo::StatusGuideShow(const QString &name)
{
    const bool lastRow = VSFlexGrid1->Row() == VSFlexGrid1->Rows() - 1;
    stbPanel1->setText(MeisaiColumns::guideText(name, lastRow));
    const bool gridKey = MeisaiColumns::isGridKey(name);
    for (QPushButton *b : {cmdIns, cmdDel, cmdShohinID})
        b->setEnabled(gridKey);
}

void frmDenpyo::CellFormatOnLeave(int row, int col)
{
    if (MeisaiColumns::isNumber(col))
        VSFlexGrid1->setTextMatrix(row, col, fnFormatComma(VSFlexGrid1->TextMatrix(row, col)));
    stbPanel1->clear();
}

bool frmDenpyo::guarded(const std::function<void()> &action)
{
    return runShowingFailure(this, action);
}
