#include "mainwindow/commands/RecordDeletion.h"

#include "core/DatabaseFailure.h"
#include "core/Globals.h"
#include "model/Customer.h"
#include "model/Denpyo.h"
#include "model/DenpyoReader.h"
#include "model/Shohin.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/frmMainForm.h"
#include "platform/db/Connection.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"

#include <functional>
#include <memory>

namespace {

const QString kNewLine = QStringLiteral("\r\n");

// Deletes one record by its row text: false with the reason when it could
// not; a record that is not there any more counts as deleted.
using DeleteOne = std::function<bool(const QString &key, QString &reason)>;

struct DeletionKind {
    const char16_t *question;
    const char16_t *title;
    const char16_t *failure;
    // The deleter of one run, which may keep what it prepares for the run's
    // records.
    std::function<DeleteOne()> deleter;
};

// The deletion of a record that Load has read or not found.
template <typename Record>
bool deleteLoaded(Record &record, bool loaded, QString &reason)
{
    if (!loaded || record.Delete())
        return true;
    reason = record.ErrorMessage();
    return false;
}

template <typename Record>
DeleteOne recordDeleter()
{
    return [](const QString &key, QString &reason) {
        Record record;
        record.Initialize();
        const bool loaded = record.Load(key);
        return deleteLoaded(record, loaded, reason);
    };
}

// Slips are read through one reader for the whole run: its statement is
// prepared once, not per slip. The lines are not read: the deletion removes
// them by the slip's number.
DeleteOne slipDeleter()
{
    auto reader = std::make_shared<DenpyoReader>(false);
    return [reader](const QString &key, QString &reason) {
        Denpyo slip;
        const bool loaded = reader->Load(slip, qint32(key.toInt()));
        return deleteLoaded(slip, loaded, reason);
    };
}

QStringList selectedKeys(const frmMainForm &form)
{
    QStringList keys;
    const MainListModel *model = form.lvwList->listModel();
    for (int row : form.lvwList->selectedRowNumbers())
        keys << model->text(row);
    return keys;
}

bool deleteSelected(frmMainForm &form, const DeletionKind &kind)
{
    const QStringList keys = selectedKeys(form);
    if (keys.isEmpty())
        return false;
    const QString question = DeletionQuestion(QString::fromUtf16(kind.question), keys);
    if (ui::showMessage(question, ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::No,
                        QString::fromUtf16(kind.title), &form)
        != ui::Answer::Yes)
        return false;

    QStringList failed;
    {
        ui::WaitCursor wait;
        try {
            // The whole selection in one transaction, synced to disk once
            // rather than once per record. Each record is a part of it: one
            // that cannot be deleted is passed over whole while the others
            // go, and a crash before the commit leaves every record whole.
            db::Transaction all(connection());
            const DeleteOne deleteOne = kind.deleter();
            for (const QString &key : keys) {
                QString reason;
                bool deleted = false;
                try {
                    // Each record's Delete is a part of the transaction.
                    deleted = deleteOne(key, reason);
                } catch (const std::exception &error) {
                    // After a full disk or the like the engine has taken
                    // back the whole transaction: nothing is deleted.
                    if (!connection().inTransaction())
                        throw;
                    reason = databaseFailureText(error);
                }
                if (!deleted)
                    failed << (reason.isEmpty() ? key : key + QStringLiteral("  ") + reason);
            }
            all.commit();
        } catch (const std::exception &error) {
            wait.release();
            showDatabaseFailure(error, &form);
            return true;
        }
    }
    if (!failed.isEmpty())
        ui::showMessage(QString::fromUtf16(kind.failure) + kNewLine + kNewLine + DeletionNameList(failed),
                        ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString::fromUtf16(kind.title),
                        &form);
    return true;
}

} // namespace

QString DeletionNameList(const QStringList &names)
{
    QString list;
    for (int i = 0; i < names.size() && i < 6; ++i)
        list += names[i] + kNewLine;
    if (names.size() > 6)
        list += QStringLiteral("    :") + kNewLine;
    return list;
}

QString DeletionQuestion(const QString &question, const QStringList &names)
{
    return QStringLiteral("次の") + QString::number(names.size()) + question + kNewLine + kNewLine
           + DeletionNameList(names);
}

bool DeleteDenpyos(frmMainForm &form)
{
    static const DeletionKind kind{u"件の伝票を削除してもよろしいですか？", u"伝票削除",
                                   u"次の伝票を削除できませんでした。", slipDeleter};
    return deleteSelected(form, kind);
}

bool DeleteCustomers(frmMainForm &form)
{
    static const DeletionKind kind{u"件の顧客を削除してもよろしいですか？", u"顧客削除",
                                   u"次の顧客を削除できませんでした。", recordDeleter<Customer>};
    return deleteSelected(form, kind);
}

bool DeleteShohins(frmMainForm &form)
{
    static const DeletionKind kind{u"件の商品を削除してもよろしいですか？", u"商品削除",
                                   u"次の商品を削除できませんでした。", recordDeleter<Shohin>};
    return deleteSelected(form, kind);
}

bool DeleteRecordsCommand(frmMainForm &form)
{
    const QString kind = form.CurrentLocation.value(0);
    if (form.CurrentLevel != 1 || form.CurrentLocation.value(1) == QStringLiteral("検索フィルター"))
        return false;
    if (kind == QStringLiteral("伝票")) {
        if (DeleteDenpyos(form))
            form.RefreshView();
    } else if (kind == QStringLiteral("顧客")) {
        if (DeleteCustomers(form)) {
            form.RefreshView();
            form.BuildTree();
            form.LoadKokyakuCombo();
        }
    } else if (kind == QStringLiteral("商品")) {
        if (DeleteShohins(form))
            form.RefreshView();
    } else {
        return false;
    }
    return true;
}
