#include "slips/frmDenpyoGroupProcess.h"

#include "core/DatabaseFailure.h"
#include "core/DateValue.h"
#include "masters/TwipsGeometry.h"
#include "model/Denpyo.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WaitCursor.h"
#include "slips/SlipDialogParts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <optional>

using namespace denpyostages;

frmDenpyoGroupProcess::frmDenpyoGroupProcess(QWidget *parent)
    : ProgressDialog(QStringLiteral("frmDenpyoGroupProcess"), QStringLiteral("進行状況一括変更"), 2055, 1560, 3000,
                     parent)
{
    QLabel *note = placedLabel(QStringLiteral("ここでの変更は現在選択されているすべての伝票に対して適用されます。"), this,
                               240, 840, 4335, 600);
    note->setWordWrap(true);
    lblMessage = new QPlainTextEdit(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setReadOnly(true);
    lblMessage->setFocusPolicy(Qt::NoFocus);
    placeTwips(lblMessage, 4680, 720, 3255, 855);
    for (QCheckBox *box : chkShinko) {
        box->setTristate(false);
        box->setAutoFillBackground(true);
    }
    setFixedSize(ui::twipsToPixelsX(8115, this), ui::twipsToPixelsY(3645, this));
}

void frmDenpyoGroupProcess::load()
{
    QString summary;
    bool first = true;
    bool grey[kCount] = {};
    Denpyo d;
    try {
        for (const QString &id : SelectedDenpyoIDs) {
            d.Initialize();
            d.Load(slipdialog::slipNumber(id));
            for (int i = 0; i < kCount; ++i) {
                const bool on = flag(d, i);
                const QDate day = on ? date(d, i).date() : QDate();
                if (first) {
                    showStage(i, on, date(d, i));
                    continue;
                }
                if (grey[i])
                    continue;
                const bool ticked = chkShinko[i]->checkState() == Qt::Checked;
                const bool same = ticked ? (on && day == datShinko[i]->date()) : !on;
                if (!same) {
                    grey[i] = true;
                    chkShinko[i]->setTristate(true);
                    chkShinko[i]->setCheckState(Qt::PartiallyChecked);
                    resetPicker(i);
                }
            }
            first = false;
            summary += QStringLiteral("   ") + id + QLatin1Char('\n');
        }
    } catch (const std::exception &e) {
        showDatabaseFailure(e, this);
    }
    lblMessage->setPlainText(QStringLiteral(" 次の") + QString::number(SelectedDenpyoIDs.size())
                             + QStringLiteral("件の伝票が選択されています。\n\n") + summary + QStringLiteral("   "));
}

void frmDenpyoGroupProcess::mark(int stage)
{
    // A grey box goes to ticked and cleared only; grey is the opening state.
    chkShinko[stage]->setTristate(false);
    m_marked[stage] = true;
    // A check box fills and writes with its own roles (the button's), not
    // the window's.
    QCheckBox *box = chkShinko[stage];
    QPalette p = box->palette();
    p.setColor(box->backgroundRole(), QColor(128, 128, 255));
    p.setColor(box->foregroundRole(), QApplication::palette().color(QPalette::Base));
    box->setPalette(p);
}

void frmDenpyoGroupProcess::DenpyoGroupProcessSave()
{
    bool any = false;
    for (bool m : m_marked)
        any = any || m;
    if (!any) {
        ui::showMessage(QStringLiteral("変更されておりません。"), ui::Icon::Critical, ui::Buttons::Ok, ui::Answer::Ok,
                        QString(), this);
        return;
    }
    if (ui::showMessage(QStringLiteral("選択されているすべての伝票を更新します。よろしいですか？"), ui::Icon::Question,
                        ui::Buttons::YesNo, ui::Answer::Yes, QString(), this)
        != ui::Answer::Yes)
        return;
    std::optional<ui::WaitCursor> wait;
    wait.emplace();
    Denpyo d;
    try {
        for (const QString &id : SelectedDenpyoIDs) {
            d.Initialize();
            const qint32 number = slipdialog::slipNumber(id);
            // A slip deleted meanwhile is reported like a refused one
            // rather than stored again from an empty record.
            bool saved = d.Load(number);
            if (saved) {
                for (int i = 0; i < kCount; ++i) {
                    if (!m_marked[i])
                        continue;
                    const bool on = chkShinko[i]->checkState() == Qt::Checked;
                    set(d, i, on, on ? pickedDate(i) : zeroDate());
                }
                saved = d.Apply();
            }
            if (saved) {
                m_resultModified = true;
                continue;
            }
            wait.reset();
            ui::showMessage(QStringLiteral("伝票 ") + QString::number(number) + QStringLiteral(" を更新できませんでした。"),
                            ui::Icon::Critical, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
            wait.emplace();
        }
    } catch (const std::exception &e) {
        wait.reset();
        showDatabaseFailure(e, this);
    }
    wait.reset();
    accept();
}
