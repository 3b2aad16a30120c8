#include "printing/frmItemPrint.h"

#include "core/DatabaseFailure.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "core/WindowMemory.h"
#include "platform/db/DbError.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/KeyNavigator.h"
#include "platform/ui/Teardown.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"
#include "printing/CustomerPrint.h"
#include "printing/DenpyoPrint.h"
#include "printing/PrintDateEdit.h"
#include "printing/ShohinPrint.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kDenpyo = QStringLiteral("伝票");
const QString kCustomer = QStringLiteral("顧客");
const QString kShohin = QStringLiteral("商品");
} // namespace

frmItemPrint::frmItemPrint(QWidget *parent)
    : QDialog(parent), lblTitle(new QLabel(this)), lblMessage(new QLabel(this)), dtpPrintDate(newPrintDateEdit(this)),
      cmdOK(new QPushButton(QStringLiteral("印刷(F12)"), this)),
      cmdExit(new QPushButton(QStringLiteral("閉じる(ESC)"), this)), m_keys(new ui::KeyNavigator(this))
{
    setObjectName(QStringLiteral("frmItemPrint"));
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    for (QPushButton *button : {cmdOK, cmdExit}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setMinimumHeight(36);
    }
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    lblTitle->setFont(titleFont);
    lblMessage->setWordWrap(true);
    lblMessage->setMinimumWidth(240);
    lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *left = new QVBoxLayout;
    left->addWidget(lblMessage, 1);
    auto *date = new QHBoxLayout;
    date->addStretch();
    date->addWidget(new QLabel(QStringLiteral("印刷日付"), this));
    date->addWidget(dtpPrintDate);
    left->addLayout(date);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdExit);
    buttons->addStretch();
    auto *body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addLayout(body);

    connect(cmdOK, &QPushButton::clicked, this, &frmItemPrint::ItemPrint);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
    setUpKeys();
    ui::setDialogFrame(this, ui::DialogFrame::Fixed);
}

void frmItemPrint::SetObjectAny(const Denpyo &denpyo)
{
    m_denpyo = denpyo;
}

void frmItemPrint::SetObjectAny(const Customer &customer)
{
    m_customer = customer;
}

void frmItemPrint::SetObjectAny(const Shohin &shohin)
{
    m_shohin = shohin;
}

frmItemPrint::~frmItemPrint()
{
    ui::disconnectForTeardown(this);
}

void frmItemPrint::setUpKeys()
{
    using ui::NavKey;
    const auto nothing = [] {};
    m_keys->watch({dtpPrintDate, cmdOK, cmdExit});
    m_keys->setAction(nullptr, NavKey::F12, [this] { ItemPrint(); });
    m_keys->setAction(nullptr, NavKey::Escape, [this] { reject(); });
    m_keys->setMove(nullptr, NavKey::Home, dtpPrintDate);
    m_keys->setMove(nullptr, NavKey::End, cmdExit);
    m_keys->setMove(dtpPrintDate, NavKey::Enter, cmdOK);
    m_keys->setMove(dtpPrintDate, NavKey::Right, cmdExit);
    // The buttons take no Enter of their own, and no arrow moves between
    // the controls.
    for (QWidget *button : {static_cast<QWidget *>(cmdOK), static_cast<QWidget *>(cmdExit)})
        for (NavKey key : {NavKey::Enter, NavKey::Up, NavKey::Down, NavKey::Left, NavKey::Right})
            m_keys->setAction(button, key, nothing);
}

bool frmItemPrint::Form_Load()
{
    setWindowTitle(ObjectType + QStringLiteral("印刷"));
    lblTitle->setText(ObjectType + QStringLiteral("印刷"));
    dtpPrintDate->setDate(today());
    setTabOrder(cmdOK, cmdExit);
    setTabOrder(cmdExit, dtpPrintDate);

    QString table, missing;
    if (ObjectType == kDenpyo) {
        m_folder = gstrDenpyoPrintFormFolder;
        table = QStringLiteral("伝票テーブル");
        missing = QStringLiteral("この伝票は存在しません。");
    } else if (ObjectType == kCustomer) {
        m_folder = gstrCustomerPrintFormFolder;
        table = QStringLiteral("顧客テーブル");
        missing = QStringLiteral("この顧客は存在しません。");
    } else if (ObjectType == kShohin) {
        m_folder = gstrShohinPrintFormFolder;
        table = QStringLiteral("商品テーブル");
        missing = QStringLiteral("この商品は存在しません。");
    } else {
        return false;
    }

    if (!ObjectID.isEmpty()) {
        bool found = false;
        QString error;
        try {
            if (ObjectType == kDenpyo) {
                bool numeric = false;
                const qint32 number = ObjectID.toInt(&numeric);
                m_denpyo.Initialize();
                found = numeric && m_denpyo.Load(number);
                error = m_denpyo.ErrorMessage();
            } else if (ObjectType == kCustomer) {
                m_customer.Initialize();
                found = m_customer.Load(ObjectID);
                error = m_customer.ErrorMessage();
            } else {
                m_shohin.Initialize();
                found = m_shohin.Load(ObjectID);
                error = m_shohin.ErrorMessage();
            }
        } catch (const db::DbError &e) {
            showDatabaseFailure(e, parentWidget());
            return false;
        }
        if (!found) {
            ui::showMessage(table + QStringLiteral("の読み込みに失敗しました。(") + (error.isEmpty() ? missing : error)
                                + QLatin1Char(')'),
                            ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), parentWidget());
            return false;
        }
    }
    lblMessage->setText(ObjectType + QLatin1Char(' ') + ObjectID + QStringLiteral(" の ") + FormName
                        + QStringLiteral(" を印刷します..."));
    adjustSize();
    CenterForm(this);
    return true;
}

int frmItemPrint::exec()
{
    if (!Form_Load())
        return QDialog::Rejected;
    cmdOK->setFocus(Qt::OtherFocusReason);
    return QDialog::exec();
}

void frmItemPrint::ItemPrint()
{
    ui::WaitCursor wait;
    const QDateTime printDate = printDateOf(dtpPrintDate);
    try {
        if (ObjectType == kDenpyo)
            PrintDenpyo(m_denpyo, m_folder, FormName, printDate, this);
        else if (ObjectType == kCustomer)
            PrintCustomer(m_customer, m_folder, FormName, printDate, this);
        else if (ObjectType == kShohin)
            PrintShohin(m_shohin, m_folder, FormName, printDate, this);
    } catch (const db::DbError &e) {
        wait.release();
        showDatabaseFailure(e, this);
    }
    accept();
}
