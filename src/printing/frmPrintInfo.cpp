#include "printing/frmPrintInfo.h"

#include "core/BasicInfo.h"
#include "core/DatabaseFailure.h"
#include "core/Globals.h"
#include "core/WindowMemory.h"
#include "core/controls/ucEnInput.h"
#include "core/controls/ucJaInput.h"
#include "core/controls/ucTelInput.h"
#include "platform/db/DbError.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/KeyNavigator.h"
#include "platform/ui/Teardown.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"
#include "printing/OwnCompanyInfo.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const QString kKozaCaptions[3] = {QStringLiteral("振込口座１"), QStringLiteral("振込口座２"),
                                  QStringLiteral("振込口座３")};

template <typename Field>
Field *named(const QString &name, QWidget *parent)
{
    auto *field = new Field(parent);
    field->setObjectName(name);
    return field;
}
} // namespace

frmPrintInfo::frmPrintInfo(QWidget *parent)
    : QDialog(parent), tabKoza(new QTabWidget(this)), cmdOK(new QPushButton(QStringLiteral("更新(F12)"), this)),
      cmdCancel(new QPushButton(QStringLiteral("閉じる(ESC)"), this)), m_keys(new ui::KeyNavigator(this))
{
    setObjectName(QStringLiteral("frmPrintInfo"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    tabKoza->setObjectName(QStringLiteral("tabKoza"));
    for (QPushButton *button : {cmdOK, cmdCancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    auto *company = new QGroupBox(this);
    auto *form = new QFormLayout(company);
    const auto row = [&](const char16_t *label, ucTextInput *field) {
        form->addRow(QString::fromUtf16(label), field);
        field->setMinimumWidth(360);
        return field;
    };
    txtName = row(u"会社名  ", named<ucJaInput>(QStringLiteral("txtName"), company));
    txtPostNumber = row(u"郵便番号  ", named<ucTelInput>(QStringLiteral("txtPostNumber"), company));
    txtAddress1 = row(u"所在地１  ", named<ucJaInput>(QStringLiteral("txtAddress1"), company));
    txtAddress2 = row(u"所在地２  ", named<ucJaInput>(QStringLiteral("txtAddress2"), company));
    txtPhone = row(u"電話番号  ", named<ucTelInput>(QStringLiteral("txtPhone"), company));
    txtFax = row(u"FAX番号  ", named<ucTelInput>(QStringLiteral("txtFax"), company));
    txtHomePage = row(u"ホームページ ", named<ucEnInput>(QStringLiteral("txtHomePage"), company));
    txtMail = row(u"メール　", named<ucEnInput>(QStringLiteral("txtMail"), company));
    txtTourokuBango = row(u"登録番号", named<ucEnInput>(QStringLiteral("txtTourokuBango"), company));

    for (int k = 0; k < 3; ++k) {
        auto *page = new QWidget(tabKoza);
        auto *pageLayout = new QVBoxLayout(page);
        pageLayout->addWidget(new QLabel(kKozaCaptions[k], page));
        auto *accountForm = new QFormLayout;
        const QString n = QString::number(k + 1);
        txtKozaGinko[k] = named<ucJaInput>(QStringLiteral("txtKoza%1Ginko").arg(n), page);
        txtKozaShiten[k] = named<ucJaInput>(QStringLiteral("txtKoza%1Shiten").arg(n), page);
        txtKozaNumber[k] = named<ucTelInput>(QStringLiteral("txtKoza%1Number").arg(n), page);
        auto *types = new QHBoxLayout;
        auto *group = new QButtonGroup(page);
        for (int i = 0; i < 2; ++i) {
            optKozaShurui[k][i] = new QRadioButton(i == 0 ? QStringLiteral("当座") : QStringLiteral("普通"), page);
            optKozaShurui[k][i]->setObjectName(QStringLiteral("optKoza%1Shurui%2").arg(n).arg(i));
            group->addButton(optKozaShurui[k][i], i);
            types->addWidget(optKozaShurui[k][i]);
        }
        types->addStretch();
        accountForm->addRow(QStringLiteral("銀行　"), txtKozaGinko[k]);
        accountForm->addRow(QStringLiteral("支店　"), txtKozaShiten[k]);
        accountForm->addRow(QStringLiteral("種類　"), types);
        accountForm->addRow(QStringLiteral("番号　"), txtKozaNumber[k]);
        pageLayout->addLayout(accountForm);
        pageLayout->addStretch();
        tabKoza->addTab(page, kKozaCaptions[k]);
    }

    auto *heading = new QHBoxLayout;
    auto *picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogInfoView).pixmap(24, 24));
    auto *lblTitle = new QLabel(QStringLiteral("自社印刷情報"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    heading->addWidget(picture);
    heading->addWidget(lblTitle, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(company);
    layout->addWidget(tabKoza);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmPrintInfo::PrintInfoSave);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    setUpKeys();
    ui::setDialogFrame(this, ui::DialogFrame::Fixed);
}

frmPrintInfo::~frmPrintInfo()
{
    ui::disconnectForTeardown(this);
}

void frmPrintInfo::setUpKeys()
{
    using ui::NavKey;
    QWidget *const company[] = {txtName,  txtPostNumber, txtAddress1, txtAddress2,    txtPhone,
                                txtFax,   txtHomePage,   txtMail,     txtTourokuBango, cmdOK};
    for (QWidget *w : company)
        m_keys->watch(w);
    m_keys->watch(cmdCancel);
    m_keys->setAction(nullptr, NavKey::F12, [this] { PrintInfoSave(); });
    m_keys->setAction(nullptr, NavKey::Escape, [this] { reject(); });
    m_keys->setMove(nullptr, NavKey::Home, txtName);
    m_keys->setMove(nullptr, NavKey::End, cmdOK);
    // Left and Right stay with the fields; Enter, Up and Down without a
    // neighbour do nothing.
    const auto nothing = [] {};
    for (NavKey key : {NavKey::Enter, NavKey::Up, NavKey::Down, NavKey::Left, NavKey::Right})
        m_keys->setAction(cmdCancel, key, nothing);
    for (NavKey key : {NavKey::Up, NavKey::Down, NavKey::Left, NavKey::Right})
        m_keys->setAction(cmdOK, key, nothing);
    m_keys->setAction(cmdOK, NavKey::Enter, [this] { PrintInfoSave(); });
    // Down the company fields to the update button.
    for (int i = 0; i < 9; ++i) {
        m_keys->setMove(company[i], NavKey::Enter, company[i + 1]);
        m_keys->setMove(company[i], NavKey::Down, company[i + 1]);
        if (i > 0)
            m_keys->setMove(company[i], NavKey::Up, company[i - 1]);
    }
    m_keys->setAction(txtName, NavKey::Up, nothing);
    for (int k = 0; k < 3; ++k) {
        m_keys->setMove(txtKozaGinko[k], NavKey::Enter, txtKozaShiten[k]);
        m_keys->setMove(txtKozaGinko[k], NavKey::Down, txtKozaShiten[k]);
        m_keys->setMove(txtKozaGinko[k], NavKey::Up, txtMail);
        m_keys->setMove(txtKozaShiten[k], NavKey::Enter, txtKozaNumber[k]);
        m_keys->setMove(txtKozaShiten[k], NavKey::Down, txtKozaNumber[k]);
        m_keys->setMove(txtKozaShiten[k], NavKey::Up, txtKozaGinko[k]);
        m_keys->setMove(txtKozaNumber[k], NavKey::Enter, cmdOK);
        m_keys->setMove(txtKozaNumber[k], NavKey::Down, cmdOK);
        m_keys->setMove(txtKozaNumber[k], NavKey::Up, txtKozaShiten[k]);
    }
}

ucTextInput *frmPrintInfo::textField(int keyIndex) const
{
    ucTextInput *const company[] = {txtName, txtPostNumber, txtAddress1, txtAddress2,    txtPhone,
                                    txtFax,  txtHomePage,   txtMail,     txtTourokuBango};
    if (keyIndex < 9)
        return company[keyIndex];
    const int k = kozaOf(keyIndex);
    switch ((keyIndex - 9) % 4) {
    case 0: return txtKozaGinko[k];
    case 1: return txtKozaShiten[k];
    case 3: return txtKozaNumber[k];
    default: return nullptr;
    }
}

int frmPrintInfo::kozaOf(int keyIndex) const
{
    return (keyIndex - 9) / 4;
}

void frmPrintInfo::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_opened)
        return;
    m_opened = true;
    LoadWindowPosition(this);
    setWindowTitle(QStringLiteral(" 自社情報"));
    m_tabStops.clear();
    for (int i = 0; i < 21; ++i) {
        if (ucTextInput *field = textField(i))
            m_tabStops << field;
        else
            m_tabStops << optKozaShurui[kozaOf(i)][0] << optKozaShurui[kozaOf(i)][1];
    }
    m_tabStops << cmdOK << cmdCancel;
    for (qsizetype i = 1; i < m_tabStops.size(); ++i)
        setTabOrder(m_tabStops[i - 1], m_tabStops[i]);
    loadFields();
    txtName->setFocus(Qt::OtherFocusReason);
}

bool frmPrintInfo::focusNextPrevChild(bool next)
{
    // Qt's own chain passes over the widgets of hidden pages, so the second
    // and third accounts would be reached only by Ctrl+Tab.
    const QWidget *focused = focusWidget();
    qsizetype at = -1;
    for (qsizetype i = 0; i < m_tabStops.size() && at < 0; ++i) {
        if (m_tabStops[i] == focused || m_tabStops[i]->isAncestorOf(focused))
            at = i;
    }
    // Showing another page hides the focused one, and Qt moves the focus off
    // it through this function: that move is Qt's own, the target is set
    // right after.
    if (at < 0 || m_changingPage)
        return QDialog::focusNextPrevChild(next);
    const qsizetype count = m_tabStops.size();
    for (qsizetype step = 1; step < count; ++step) {
        QWidget *target = m_tabStops[(at + (next ? step : count - step)) % count];
        if (!target->isEnabled())
            continue;
        for (int page = 0; page < tabKoza->count(); ++page) {
            if (tabKoza->widget(page)->isAncestorOf(target)) {
                const QScopedValueRollback changing(m_changingPage, true);
                tabKoza->setCurrentIndex(page);
            }
        }
        target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return true;
}

void frmPrintInfo::loadFields()
{
    try {
        BasicInfo info;
        for (int i = 0; i < 21; ++i) {
            info.Initialize();
            info.Load(QString::fromLatin1(kOwnCompanyKeys[i].key));
            if (ucTextInput *field = textField(i))
                field->setText(info.StringValue());
            else
                // Any type but 0 shows as 普通, as it prints.
                optKozaShurui[kozaOf(i)][info.LongValue() != 0 ? 1 : 0]->setChecked(true);
        }
    } catch (const db::DbError &e) {
        m_readFailed = true;
        showDatabaseFailure(e, this);
    }
}

void frmPrintInfo::PrintInfoSave()
{
    if (m_readFailed) {
        ui::showMessage(QStringLiteral("自社情報を読み込めなかったため、更新できません。"), ui::Icon::Exclamation,
                        ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
        return;
    }
    if (ui::showMessage(QStringLiteral("更新しますか？"), ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::Yes,
                        QString(), this)
        != ui::Answer::Yes)
        return;
    ui::WaitCursor wait;
    try {
        db::Transaction transaction(connection());
        BasicInfo info;
        for (int i = 0; i < 21; ++i) {
            info.Initialize();
            info.setBasicInfoID(QString::fromLatin1(kOwnCompanyKeys[i].key));
            if (ucTextInput *field = textField(i))
                info.setStringValue(field->Text());
            else
                info.setLongValue(optKozaShurui[kozaOf(i)][0]->isChecked() ? 0 : 1);
            if (!info.Apply()) {
                wait.release();
                ui::showMessage(QString::fromLatin1(kOwnCompanyKeys[i].key) + QStringLiteral(": ") + info.ErrorMessage(),
                                ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), this);
                return; // the transaction rolls back
            }
        }
        transaction.commit();
    } catch (const db::DbError &e) {
        wait.release();
        showDatabaseFailure(e, this);
        return;
    }
    wait.release();
    accept();
}

void frmPrintInfo::done(int result)
{
    if (m_opened)
        SaveWindowPosition(this);
    QDialog::done(result);
}
