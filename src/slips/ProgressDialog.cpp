#include "slips/ProgressDialog.h"

#include "core/DateValue.h"
#include "core/WindowMemory.h"
#include "masters/TwipsGeometry.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/KeyNavigator.h"
#include "platform/ui/Twips.h"
#include "slips/SlipDialogParts.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

using ui::NavKey;
using namespace denpyostages;

ProgressDialog::ProgressDialog(const QString &formName, const QString &title, int titleWidth, int frameTop,
                               int buttonTop, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(formName);
    setWindowTitle(QLatin1Char(' ') + title);
    lblTitle = slipdialog::titleBlock(this, title, 840, titleWidth, 7800).title;
    framStages = new QFrame(this);
    framStages->setObjectName(QStringLiteral("framStages"));
    framStages->setFrameShape(QFrame::StyledPanel);
    placeTwips(framStages, 120, frameTop, 7800, 1335);
    for (int i = 0; i < kCount; ++i) {
        chkShinko[i] = new QCheckBox(label(i), framStages);
        chkShinko[i]->setObjectName(QStringLiteral("chkShinko%1").arg(i));
        placeTwips(chkShinko[i], 120 + 1560 * i, 360, 1335, 255);
        datShinko[i] = slipdialog::datePicker("datShinko", framStages);
        datShinko[i]->setObjectName(QStringLiteral("datShinko%1").arg(i));
        placeTwips(datShinko[i], 120 + 1560 * i, 720, 1335, 300);
        connect(chkShinko[i], &QCheckBox::clicked, this, [this, i] { boxClicked(i); });
        connect(datShinko[i], &QDateEdit::dateChanged, this, [this, i] {
            if (!m_filling)
                dateChanged(i);
        });
    }
    cmdOK = new QPushButton(QStringLiteral("更新(F12)"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    placeTwips(cmdOK, 4920, buttonTop, 1455, 540);
    cmdCancel = new QPushButton(QStringLiteral("閉じる(ESC)"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    placeTwips(cmdCancel, 6480, buttonTop, 1455, 540);
    connect(cmdOK, &QPushButton::clicked, this, [this] { save(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { reject(); });

    QWidget *previous = nullptr;
    for (int i = 0; i < kCount; ++i) {
        for (QWidget *w : {static_cast<QWidget *>(chkShinko[i]), static_cast<QWidget *>(datShinko[i])}) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
    }
    setTabOrder(previous, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    m_keys = new ui::KeyNavigator(this);
    for (int i = 0; i < kCount; ++i) {
        m_keys->watch({chkShinko[i], datShinko[i]});
        QWidget *next = i + 1 < kCount ? static_cast<QWidget *>(chkShinko[i + 1]) : nullptr;
        // The first of the candidates that is usable takes the focus.
        auto enterFrom = [this](QList<QWidget *> candidates) {
            return [this, candidates] {
                for (QWidget *w : candidates) {
                    if (w && ui::KeyNavigator::canTakeFocus(w)) {
                        w->setFocus(Qt::OtherFocusReason);
                        return;
                    }
                }
            };
        };
        m_keys->setAction(chkShinko[i], NavKey::Enter, enterFrom({datShinko[i], next, cmdOK}));
        m_keys->setAction(datShinko[i], NavKey::Enter, enterFrom({next, cmdOK}));
        for (NavKey key : {NavKey::Up, NavKey::Down, NavKey::Right, NavKey::Left})
            m_keys->setAction(chkShinko[i], key, [] {});
    }
    m_keys->watch({cmdOK, cmdCancel});
    for (QPushButton *b : {cmdOK, cmdCancel})
        for (NavKey key : {NavKey::Up, NavKey::Down, NavKey::Right, NavKey::Left})
            m_keys->setAction(b, key, [] {});
    m_keys->setAction(nullptr, NavKey::Home, [this] { chkShinko[0]->setFocus(Qt::OtherFocusReason); });
    m_keys->setAction(nullptr, NavKey::End, [this] { cmdOK->setFocus(Qt::OtherFocusReason); });
    m_keys->setAction(nullptr, NavKey::F12, [this] { save(); });
    m_keys->setAction(nullptr, NavKey::Escape, [this] { reject(); });
    ui::setDialogFrame(this, ui::DialogFrame::Fixed);
}

ProgressDialog::~ProgressDialog() = default;

void ProgressDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    LoadWindowPosition(this);
    m_resultModified = false;
    m_filling = true;
    for (int i = 0; i < kCount; ++i)
        resetPicker(i);
    load();
    m_filling = false;
    chkShinko[0]->setFocus(Qt::OtherFocusReason);
}

void ProgressDialog::boxClicked(int stage)
{
    m_filling = true;
    if (chkShinko[stage]->checkState() == Qt::Checked) {
        datShinko[stage]->setDate(today());
        datShinko[stage]->setEnabled(true);
    } else {
        resetPicker(stage);
    }
    m_filling = false;
    stageClicked(stage);
}

void ProgressDialog::showStage(int stage, bool on, const QDateTime &date)
{
    chkShinko[stage]->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    if (on) {
        setPickerQuietly(stage, isZeroDate(date) ? slipdialog::zeroDay() : date.date());
        datShinko[stage]->setEnabled(true);
    } else {
        resetPicker(stage);
    }
}

QDateTime ProgressDialog::pickedDate(int stage) const
{
    const QDate d = datShinko[stage]->date();
    return d > slipdialog::zeroDay() ? localDateTime(d, QTime(0, 0)) : zeroDate();
}

void ProgressDialog::resetPicker(int stage)
{
    setPickerQuietly(stage, slipdialog::zeroDay());
    datShinko[stage]->setEnabled(false);
}

void ProgressDialog::setPickerQuietly(int stage, const QDate &date)
{
    const bool filling = m_filling;
    m_filling = true;
    datShinko[stage]->setDate(date);
    m_filling = filling;
}

void ProgressDialog::keyPressEvent(QKeyEvent *event)
{
    if (!slipdialog::dialogKey(this, event))
        QDialog::keyPressEvent(event);
}

void ProgressDialog::done(int result)
{
    SaveWindowPosition(this);
    QDialog::done(result);
}
