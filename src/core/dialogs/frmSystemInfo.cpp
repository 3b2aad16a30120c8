#include "core/dialogs/frmSystemInfo.h"

#include "core/BasicInfo.h"
#include "core/Globals.h"
#include "core/WindowMemory.h"
#include "core/controls/ucDenpyoID.h"
#include "core/controls/ucNumRightInput.h"
#include "platform/db/DbError.h"
#include "platform/ui/DialogFrame.h"
#include "platform/ui/KeyNavigator.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace {
const QString kCaption = QStringLiteral(" 基本設定");
const QString kHeading = QStringLiteral("基本設定");
const QString kAskSave = QStringLiteral("更新しますか？");


const QString kLabelCurrentDenpyoID = QStringLiteral("伝票番号の現在連続番号　");
const QString kLabelCheckCount = QStringLiteral("伝票一覧表示のチェック件数");
const QString kLabelTaxRate = QStringLiteral("消費税率 ");

// The records in the order they are read and written.
enum Setting { CurrentDenpyoID, CheckCount, TaxRate, TaxPattern, TaxOnNew, SettingCount };
struct Record {
    QString key;
    QString missing;
};
const Record kRecords[SettingCount] = {
    {QStringLiteral("CurrentDenpyoID"), QStringLiteral("基本設定テーブルの現在伝票番号レコードが存在しません。")},
    {QStringLiteral("DenpyoListCheckCount"),
     QStringLiteral("基本設定テーブルの伝票一覧チェック件数レコードが存在しません。")},
    {QStringLiteral("ShouhizeiRitsu"), QStringLiteral("基本設定テーブルの消費税率レコードが存在しません。")},
    {QStringLiteral("ShouhizeiPattern"), QStringLiteral("基本設定テーブルの消費税パターンレコードが存在しません。")},
    {QStringLiteral("Shouhizei"), QStringLiteral("基本設定テーブルの消費税レコードが存在しません。")},
};

void exclaim(const QString &text, QWidget *parent)
{
    ui::showMessage(text, ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), parent);
}

void databaseFailure(const db::DbError &error, QWidget *parent)
{
    exclaim(QStringLiteral("基本設定を読み書きできませんでした。\r\n%1").arg(error.description()), parent);
}
} // namespace

frmSystemInfo::frmSystemInfo(QWidget *parent)
    : QDialog(parent), txtCurrentDenpyoID(new ucDenpyoID(this)),
      txtDenpyoListCheckCount(new ucNumRightInput(this)), txtShouhizeiRitsu(new ucNumRightInput(this)),
      cmbShouhizeiPattern(new QComboBox(this)),
      chkShouhizei(new QCheckBox(QStringLiteral("伝票新規登録時の消費税有無"), this)),
      cmdOK(new QPushButton(QStringLiteral("更新(F12)"), this)),
      cmdCancel(new QPushButton(QStringLiteral("閉じる(ESC)"), this)), m_keys(new ui::KeyNavigator(this))
{
    setObjectName(QStringLiteral("frmSystemInfo"));
    txtCurrentDenpyoID->setObjectName(QStringLiteral("txtCurrentDenpyoID"));
    txtDenpyoListCheckCount->setObjectName(QStringLiteral("txtDenpyoListCheckCount"));
    txtShouhizeiRitsu->setObjectName(QStringLiteral("txtShouhizeiRitsu"));
    cmbShouhizeiPattern->setObjectName(QStringLiteral("cmbShouhizeiPattern"));
    chkShouhizei->setObjectName(QStringLiteral("chkShouhizei"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton *button : {cmdOK, cmdCancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    cmbShouhizeiPattern->addItem(QStringLiteral("(外税)"));
    cmbShouhizeiPattern->addItem(QStringLiteral("(内税)"));

    auto *heading = new QHBoxLayout;
    auto *picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(24, 24));
    heading->addWidget(picture);
    heading->addWidget(new QLabel(kHeading, this));
    heading->addStretch();

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(kLabelCurrentDenpyoID, this), 0, 0);
    grid->addWidget(txtCurrentDenpyoID, 0, 1);
    grid->addWidget(new QLabel(kLabelCheckCount, this), 1, 0);
    grid->addWidget(txtDenpyoListCheckCount, 1, 1);
    grid->addWidget(new QLabel(kLabelTaxRate, this), 2, 0);
    auto *rate = new QHBoxLayout;
    rate->addWidget(txtShouhizeiRitsu);
    rate->addWidget(new QLabel(QStringLiteral("％"), this));
    rate->addWidget(cmbShouhizeiPattern);
    grid->addLayout(rate, 2, 1);
    grid->addWidget(chkShouhizei, 3, 0, 1, 2);
    txtCurrentDenpyoID->setMinimumWidth(120);
    txtDenpyoListCheckCount->setMinimumWidth(120);
    txtShouhizeiRitsu->setFixedWidth(48);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmSystemInfo::SystemInfoSave);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSystemInfo::SystemInfoClose);
    setUpKeys();
    ui::setDialogFrame(this, ui::DialogFrame::Fixed);
}

void frmSystemInfo::setUpKeys()
{
    using ui::NavKey;
    m_keys->watch({txtCurrentDenpyoID, txtDenpyoListCheckCount, txtShouhizeiRitsu, cmbShouhizeiPattern,
                   chkShouhizei, cmdOK, cmdCancel});
    m_keys->setAction(nullptr, NavKey::F12, [this] { SystemInfoSave(); });
    m_keys->setAction(nullptr, NavKey::Escape, [this] { SystemInfoClose(); });
    m_keys->setMove(nullptr, NavKey::Home, txtCurrentDenpyoID);
    m_keys->setMove(nullptr, NavKey::End, cmdOK);
    m_keys->setAction(cmdOK, NavKey::Enter, [this] { SystemInfoSave(); });
    m_keys->setAction(cmdCancel, NavKey::Enter, [this] { SystemInfoClose(); });
}

void frmSystemInfo::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_opened)
        return;
    m_opened = true;
    LoadWindowPosition(this);
    setWindowTitle(kCaption);
    txtShouhizeiRitsu->setMaxLength(3);
    setTabOrder(txtCurrentDenpyoID, txtDenpyoListCheckCount);
    setTabOrder(txtDenpyoListCheckCount, txtShouhizeiRitsu);
    setTabOrder(txtShouhizeiRitsu, cmbShouhizeiPattern);
    setTabOrder(cmbShouhizeiPattern, chkShouhizei);
    setTabOrder(chkShouhizei, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    loadFields();
    txtCurrentDenpyoID->setFocus(Qt::OtherFocusReason);
}

void frmSystemInfo::loadFields()
{
    try {
        BasicInfo info;
        for (int setting = 0; setting < SettingCount; ++setting) {
            info.Initialize();
            if (!info.Load(kRecords[setting].key))
                exclaim(kRecords[setting].missing, this);
            const qint32 value = info.LongValue();
            switch (setting) {
            case CurrentDenpyoID: txtCurrentDenpyoID->setText(QString::number(value)); break;
            case CheckCount: txtDenpyoListCheckCount->setText(QString::number(value)); break;
            case TaxRate: txtShouhizeiRitsu->setText(QString::number(value)); break;
            case TaxPattern:
                // A value the list has no entry for shows no entry and is
                // kept unless the user picks one.
                cmbShouhizeiPattern->setCurrentIndex(value == 0 || value == 1 ? value : -1);
                break;
            case TaxOnNew:
                chkShouhizei->setTristate(value != 0 && value != 1);
                chkShouhizei->setCheckState(value == 1   ? Qt::Checked
                                            : value == 0 ? Qt::Unchecked
                                                         : Qt::PartiallyChecked);
                break;
            }
        }
    } catch (const db::DbError &error) {
        // Fields that could not be read must not be written back as zeros.
        m_readFailed = true;
        databaseFailure(error, this);
    }
}

bool frmSystemInfo::fieldNumber(ucTextInput *field, const QString &label, qint32 *number)
{
    const QString text = field->Text();
    bool ok = true;
    *number = text.isEmpty() ? 0 : text.toInt(&ok);
    if (ok)
        return true;
    exclaim(QStringLiteral("%1には -2147483648 から 2147483647 までの整数を入力してください。")
                .arg(label.trimmed().remove(QChar(0x3000))),
            this);
    field->setFocus(Qt::OtherFocusReason);
    field->setSelStart(0);
    field->setSelLength(int(field->TextBox()->text().size()));
    return false;
}

void frmSystemInfo::SystemInfoSave()
{
    if (m_readFailed) {
        exclaim(QStringLiteral("基本設定を読み込めなかったため、更新できません。"), this);
        return;
    }
    qint32 currentDenpyoID = 0, checkCount = 0, taxRate = 0;
    if (!fieldNumber(txtCurrentDenpyoID, kLabelCurrentDenpyoID, &currentDenpyoID)
        || !fieldNumber(txtDenpyoListCheckCount, kLabelCheckCount, &checkCount)
        || !fieldNumber(txtShouhizeiRitsu, kLabelTaxRate, &taxRate))
        return;

    if (ui::showMessage(kAskSave, ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::Yes, QString(), this)
        != ui::Answer::Yes)
        return;

    ui::WaitCursor wait;
    try {
        db::Transaction transaction(connection());
        BasicInfo info;
        for (int setting = 0; setting < SettingCount; ++setting) {
            info.Initialize();
            if (!info.Load(kRecords[setting].key)) {
                exclaim(kRecords[setting].missing, this);
                continue;
            }
            switch (setting) {
            case CurrentDenpyoID: info.setLongValue(currentDenpyoID); break;
            case CheckCount: info.setLongValue(checkCount); break;
            case TaxRate: info.setLongValue(taxRate); break;
            case TaxPattern:
                if (cmbShouhizeiPattern->currentIndex() >= 0)
                    info.setLongValue(cmbShouhizeiPattern->currentIndex());
                break;
            case TaxOnNew:
                if (chkShouhizei->checkState() != Qt::PartiallyChecked)
                    info.setLongValue(chkShouhizei->isChecked() ? 1 : 0);
                break;
            }
            if (!info.Apply())
                exclaim(info.ErrorMessage(), this);
        }
        transaction.commit();
    } catch (const db::DbError &error) {
        wait.release();
        databaseFailure(error, this);
        return;
    }
    wait.release();
    accept();
}

void frmSystemInfo::SystemInfoClose()
{
    reject();
}

void frmSystemInfo::done(int result)
{
    if (m_opened)
        SaveWindowPosition(this);
    QDialog::done(result);
}
