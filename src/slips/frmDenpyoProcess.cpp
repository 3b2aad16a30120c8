#include "slips/frmDenpyoProcess.h"

#include "core/DatabaseFailure.h"
#include "core/Routines.h"
#include "masters/TwipsGeometry.h"
#include "model/Denpyo.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WaitCursor.h"
#include "slips/SlipDialogParts.h"

#include <QCheckBox>
#include <QLabel>

using namespace denpyostages;

frmDenpyoProcess::frmDenpyoProcess(QWidget *parent)
    : ProgressDialog(QStringLiteral("frmDenpyoProcess"), QStringLiteral("進行状況"), 1095, 1080, 2520, parent)
{
    lblName = placedLabel(QString(), this, 240, 720, 7575, 255);
    lblName->setObjectName(QStringLiteral("lblName"));
    lblName->setTextFormat(Qt::PlainText);
    setFixedSize(ui::twipsToPixelsX(8040, this), ui::twipsToPixelsY(3180, this));
}

void frmDenpyoProcess::load()
{
    Denpyo d;
    if (!slipdialog::loadOrReject(this, [&] { return d.Load(slipdialog::slipNumber(strDenpyoID)); }))
        return;
    lblName->setText(slipdialog::slipCaption(d));
    for (int i = 0; i < kCount; ++i)
        showStage(i, flag(d, i), date(d, i));
}

void frmDenpyoProcess::DenpyoProcessSave()
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
            ui::showMessage(Denpyo::MissingMessage(), ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok,
                            QString(), this);
            reject();
            return;
        }
        for (int i = 0; i < kCount; ++i) {
            const bool on = chkShinko[i]->checkState() == Qt::Checked;
            set(d, i, on, pickedDate(i));
        }
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
