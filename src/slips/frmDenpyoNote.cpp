#include "slips/frmDenpyoNote.h"

#include "core/DatabaseFailure.h"
#include "core/Routines.h"
#include "core/WindowMemory.h"
#include "core/controls/ucJaInput.h"
#include "masters/MemoBox.h"
#include "masters/TwipsGeometry.h"
#include "model/Denpyo.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/KeyNavigator.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WaitCursor.h"
#include "slips/SlipDialogParts.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

using ui::NavKey;

namespace {
constexpr int kFrameWidth = 120;
constexpr int kFrameHeight = 400;
constexpr int kMinWidth = 7800;
constexpr int kMinHeight = 4875;
} // namespace

frmDenpyoNote::frmDenpyoNote(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDenpyoNote"));
    setWindowTitle(QStringLiteral(" 補足情報"));
    const slipdialog::TitleBlock title = slipdialog::titleBlock(this, QStringLiteral("補足情報"), 840, 975, 7320);
    m_lines[0] = title.rule[0];
    m_lines[1] = title.rule[1];
    lblName = placedLabel(QString(), this, 240, 720, 7095, 255);
    lblName->setObjectName(QStringLiteral("lblName"));
    lblName->setTextFormat(Qt::PlainText);
    framMain = new QFrame(this);
    framMain->setObjectName(QStringLiteral("framMain"));
    framMain->setFrameShape(QFrame::StyledPanel);
    placeTwips(framMain, 120, 1080, 7335, 2775);
    placedLabel(QStringLiteral("部門　"), framMain, 240, 240, 855, 240);
    txtTokkiJikou1 = placedField<ucJaInput>("txtTokkiJikou1", framMain, 1080, 240, 6135, 300);
    placedLabel(QStringLiteral("担当　"), framMain, 240, 600, 855, 240);
    txtTokkiJikou2 = placedField<ucJaInput>("txtTokkiJikou2", framMain, 1080, 600, 6135, 300);
    placedLabel(QStringLiteral("メモ　"), framMain, 240, 960, 855, 360);
    txtTokkiJikou3 = placedField<MemoBox>("txtTokkiJikou3", framMain, 1080, 960, 6135, 1575);
    txtTokkiJikou3->setMaxLength(254);
    txtTokkiJikou3->setFont(ucJaInput::fieldFont());
    placedLabel(QStringLiteral("(254文字)"), framMain, 240, 2280, 855, 255);
    cmdOK = new QPushButton(QStringLiteral("更新(F12)"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QStringLiteral("閉じる(ESC)"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, [this] { DenpyoNoteSave(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { reject(); });

    setTabOrder(txtTokkiJikou1, txtTokkiJikou2);
    setTabOrder(txtTokkiJikou2, txtTokkiJikou3);
    setTabOrder(txtTokkiJikou3, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    txtTokkiJikou3->setTabChangesFocus(true);

    m_keys = new ui::KeyNavigator(this);
    m_keys->watch({txtTokkiJikou1, txtTokkiJikou2, txtTokkiJikou3, cmdOK, cmdCancel});
    m_keys->setMove(txtTokkiJikou1, NavKey::Enter, txtTokkiJikou2);
    m_keys->setMove(txtTokkiJikou1, NavKey::Down, txtTokkiJikou2);
    m_keys->setMove(txtTokkiJikou2, NavKey::Enter, txtTokkiJikou3);
    m_keys->setMove(txtTokkiJikou2, NavKey::Up, txtTokkiJikou1);
    m_keys->setMove(txtTokkiJikou2, NavKey::Down, txtTokkiJikou3);
    m_keys->setMove(txtTokkiJikou3, NavKey::Up, txtTokkiJikou2);
    m_keys->setMove(txtTokkiJikou3, NavKey::Down, cmdOK);
    for (QPushButton *b : {cmdOK, cmdCancel})
        for (NavKey key : {NavKey::Up, NavKey::Down, NavKey::Right, NavKey::Left})
            m_keys->setAction(b, key, [] {});
    m_keys->setAction(nullptr, NavKey::Home, [this] { txtTokkiJikou1->setFocus(Qt::OtherFocusReason); });
    m_keys->setAction(nullptr, NavKey::End, [this] { cmdOK->setFocus(Qt::OtherFocusReason); });
    m_keys->setAction(nullptr, NavKey::F12, [this] { DenpyoNoteSave(); });
    m_keys->setAction(nullptr, NavKey::Escape, [this] { reject(); });

    ui::setDialogFrame(this, ui::DialogFrame::Sizable);
    setMinimumSize(ui::twipsToPixelsX(kMinWidth - kFrameWidth, this),
                   ui::twipsToPixelsY(kMinHeight - kFrameHeight, this));
    resize(ui::twipsToPixelsX(7590, this), ui::twipsToPixelsY(4830, this));
}

void frmDenpyoNote::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    LoadWindowPosition(this);
    m_resultModified = false;
    load();
    txtTokkiJikou1->setFocus(Qt::OtherFocusReason);
}

void frmDenpyoNote::load()
{
    Denpyo d;
    if (!slipdialog::loadOrReject(this, [&] { return d.Load(slipdialog::slipNumber(strDenpyoID)); }))
        return;
    lblName->setText(slipdialog::slipCaption(d));
    txtTokkiJikou1->setText(d.Bumon());
    txtTokkiJikou2->setText(d.Tanto());
    txtTokkiJikou3->setText(d.Memo());
}

void frmDenpyoNote::DenpyoNoteSave()
{
    if (ui::showMessage(QStringLiteral("伝票 ") + strDenpyoID + QStringLiteral(" を更新しますか？"), ui::Icon::Question,
                        ui::Buttons::YesNo, ui::Answer::Yes, QString(), this)
        != ui::Answer::Yes)
        return;
    ui::WaitCursor wait;
    try {
        Denpyo d;
        if (!d.Load(slipdialog::slipNumber(strDenpyoID))) {
            wait.release();
            ui::showMessage(Denpyo::MissingMessage(), ui::Icon::None, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
            reject();
            return;
        }
        d.setBumon(txtTokkiJikou1->Text());
        d.setTanto(txtTokkiJikou2->Text());
        d.setMemo(txtTokkiJikou3->Text());
        if (!d.Apply()) {
            wait.release();
            ui::showMessage(d.ErrorMessage(), ui::Icon::None, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
            return;
        }
    } catch (const std::exception &e) {
        wait.release();
        showDatabaseFailure(e, this);
        return;
    }
    m_resultModified = true;
    wait.release();
    accept();
}

void frmDenpyoNote::keyPressEvent(QKeyEvent *event)
{
    if (!slipdialog::dialogKey(this, event))
        QDialog::keyPressEvent(event);
}

void frmDenpyoNote::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (isMinimized())
        return;
    const int W = std::max(ui::pixelsToTwipsX(width(), this) + kFrameWidth, kMinWidth);
    const int H = std::max(ui::pixelsToTwipsY(height(), this) + kFrameHeight, kMinHeight);
    slipdialog::stretchRule(m_lines[0], m_lines[1], W - 500);
    placeTwips(framMain, 120, 1080, W - 500, H - 2600);
    placeTwips(txtTokkiJikou3, 1080, 960, W - 500 - 1300, std::max(1, H - 3750));
    placeTwips(cmdOK, W - 3500, H - 1410, 1455, 540);
    placeTwips(cmdCancel, W - 1900, H - 1410, 1455, 540);
}

void frmDenpyoNote::done(int result)
{
    SaveWindowPosition(this);
    QDialog::done(result);
}
