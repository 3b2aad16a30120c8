#include "mainwindow/commands/ExchangeCommands.h"

#include "core/DatabaseFailure.h"
#include "core/DateValue.h"
#include "core/Globals.h"
#include "mainwindow/commands/ClipRecords.h"
#include "mainwindow/commands/ListCsvFile.h"
#include "mainwindow/commands/ObjectClipboardText.h"
#include "mainwindow/commands/SlipPaste.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/frmMainForm.h"
#include "masters/frmCustomer.h"
#include "masters/frmShohin.h"
#include "platform/db/DbError.h"
#include "platform/text/LineFile.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SaveFileBox.h"
#include "platform/ui/WaitCursor.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

namespace {

const QString kDenpyo = QStringLiteral("伝票");
const QString kCustomer = QStringLiteral("顧客");
const QString kShohin = QStringLiteral("商品");

// The kind of the record list shown, or the empty text elsewhere.
QString recordListKind(const frmMainForm &form)
{
    const QString kind = form.CurrentLocation.value(0);
    if (form.CurrentLevel != 1 || form.CurrentLocation.value(1) == QStringLiteral("検索フィルター"))
        return QString();
    return kind == kDenpyo || kind == kCustomer || kind == kShohin ? kind : QString();
}

QStringList selectedTexts(const frmMainForm &form)
{
    const MainListModel *model = form.lvwList->listModel();
    QStringList texts;
    for (int row : form.lvwList->selectedRowNumbers())
        texts << model->text(row);
    return texts;
}

void putOnClipboard(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void showRefusal(const QString &kind, QWidget *parent)
{
    ui::showMessage(clipboardtext::refusalMessage(kind), ui::Icon::Information, ui::Buttons::Ok, ui::Answer::Ok,
                    QString(), parent);
}

// Copies through build(keys) under the busy pointer (a copy of thousands of
// records takes seconds); a database failure leaves the clipboard as it was.
template <typename Build>
void copyRecords(frmMainForm &form, Build build)
{
    ui::WaitCursor wait;
    try {
        const QString text = build(selectedTexts(form));
        putOnClipboard(text);
    } catch (const std::exception &error) {
        wait.release();
        showDatabaseFailure(error, &form);
    }
}

} // namespace

void CopyDenpyos(frmMainForm &form)
{
    copyRecords(form, [](const QStringList &texts) {
        QList<qint32> ids;
        for (const QString &text : texts) {
            bool ok = false;
            const qint32 id = text.trimmed().toInt(&ok);
            if (ok)
                ids << id;
        }
        return clipboardtext::DenpyosText(ids);
    });
}

void CopyCustomers(frmMainForm &form)
{
    copyRecords(form, [](const QStringList &texts) { return clipboardtext::CustomersText(texts); });
}

void CopyShohins(frmMainForm &form)
{
    copyRecords(form, [](const QStringList &texts) { return clipboardtext::ShohinsText(texts); });
}

bool PasteDenpyos(QWidget *parent)
{
    auto slips = clipboardtext::DenpyosFromText(clipboardText());
    if (!slips) {
        showRefusal(kDenpyo, parent);
        return false;
    }
    ui::WaitCursor wait;
    const SlipPasteResult result = StoreDenpyos(*slips);
    wait.release();
    if (!result.failure.isEmpty()) {
        ui::showMessage(result.failure, ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), parent);
        return result.stored > 0;
    }
    ui::showMessage(slipsPastedMessage(result.stored), ui::Icon::Information, ui::Buttons::Ok, ui::Answer::Ok,
                    QString(), parent);
    return result.stored > 0;
}

bool PasteCustomers(QWidget *parent)
{
    const auto customers = clipboardtext::CustomersFromText(clipboardText());
    if (!customers) {
        showRefusal(kCustomer, parent);
        return false;
    }
    for (const Customer &customer : *customers) {
        frmCustomer editor(parent);
        editor.Mode = QStringLiteral("CopyNew");
        editor.CustomerObject = customer;
        editor.exec();
    }
    return !customers->isEmpty();
}

bool PasteShohins(QWidget *parent)
{
    const auto shohins = clipboardtext::ShohinsFromText(clipboardText());
    if (!shohins) {
        showRefusal(kShohin, parent);
        return false;
    }
    for (const Shohin &shohin : *shohins) {
        frmShohin editor(parent);
        editor.Mode = QStringLiteral("CopyNew");
        editor.ShohinObject = shohin;
        editor.exec();
    }
    return !shohins->isEmpty();
}

void CopyCommand(frmMainForm &form)
{
    const QString kind = recordListKind(form);
    if (kind == kDenpyo)
        CopyDenpyos(form);
    else if (kind == kCustomer)
        CopyCustomers(form);
    else if (kind == kShohin)
        CopyShohins(form);
}

bool PasteRecords(frmMainForm &form)
{
    const QString kind = recordListKind(form);
    if (kind == kDenpyo)
        return PasteDenpyos(&form);
    if (kind == kCustomer)
        return PasteCustomers(&form);
    if (kind == kShohin)
        return PasteShohins(&form);
    return false;
}

void PasteCommand(frmMainForm &form)
{
    const bool customers = recordListKind(form) == QStringLiteral("顧客");
    if (!PasteRecords(form))
        return;
    form.RefreshView();
    // The tree and the date bar list the customers too.
    if (customers) {
        form.BuildTree();
        form.LoadKokyakuCombo();
    }
}

void WriteFileCommand(frmMainForm &form)
{
    const QString kind = recordListKind(form);
    if (kind.isEmpty())
        return;
    ui::SaveFileRequest request;
    request.filters = QStringList{QStringLiteral("ＣＳＶファイル (*.csv)"), QStringLiteral("すべてのファイル (*.*)")};
    request.fileName = ListCsvFile::suggestedFileName(kind, now());
    request.defaultSuffix = QStringLiteral("csv");
    const QString path = ui::chooseSaveFile(request, &form);
    if (path.isEmpty())
        return;
    // The settings files are relative to the start-up folder.
    if (!gstrStartupDir.isEmpty())
        QDir::setCurrent(gstrStartupDir);

    ui::WaitCursor wait;
    QString failure;
    qsizetype replaced = 0;
    try {
        replaced = ListCsvFile::writeList(path, kind, selectedTexts(form));
    } catch (const text::TextFileError &error) {
        failure = error.message();
    } catch (const db::DbError &error) {
        failure = error.description();
    } catch (const std::exception &error) {
        failure = QString::fromUtf8(error.what());
    }
    wait.release();
    if (!failure.isEmpty())
        ui::showMessage(failure, ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), &form);
    else if (replaced > 0)
        ui::showMessage(ListCsvFile::replacedMessage(replaced), ui::Icon::Information, ui::Buttons::Ok,
                        ui::Answer::Ok, QString(), &form);
}
