#include "mainwindow/views/FilterFolder.h"

#include "core/dialogs/frmNameInput.h"
#include "filters/SavedFilters.h"
#include "filters/SearchFilterKind.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListRows.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/frmMainForm.h"
#include "platform/text/FileFailure.h"
#include "platform/ui/MessageBox.h"

namespace filterfolder {

std::shared_ptr<TextListRows> rows(const QString &kind)
{
    auto list = std::make_shared<TextListRows>();
    list->add({kAddRow, QStringLiteral("新規検索フィルターを作成します...")}, 25, kAddRowTag);
    if (const auto k = searchfilter::kindFromObjectName(kind)) {
        for (const QString &name : searchfilter::savedNames(*k))
            list->add({name, name + QStringLiteral("の検索条件を表示します...")}, 13);
    }
    return list;
}

} // namespace filterfolder

namespace {
void exclamation(const QString &text, QWidget *parent)
{
    ui::showMessage(text, ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), parent);
}

// The selected filters in list order, the add row left out.
QStringList selectedFilters(const frmMainForm &form)
{
    QStringList names;
    const MainListModel *model = form.lvwList->listModel();
    for (int row : form.lvwList->selectedRowNumbers()) {
        if (model->tag(row) != filterfolder::kAddRowTag)
            names << model->text(row);
    }
    return names;
}
} // namespace

bool DeleteFilters(frmMainForm &form, const QString &kind)
{
    const auto k = searchfilter::kindFromObjectName(kind);
    const QStringList names = selectedFilters(form);
    if (names.isEmpty() || !k) {
        ui::showMessage(QStringLiteral("削除するフィルターを選択してください"), ui::Icon::None, ui::Buttons::Ok,
                        ui::Answer::Ok, QString(), &form);
        return false;
    }
    QString list;
    for (int i = 0; i < names.size() && i < 7; ++i)
        list += (i < 6 ? names.at(i) : QStringLiteral("    :")) + QStringLiteral("\r\n");
    const QString question = QStringLiteral("次の") + QString::number(names.size()) + QStringLiteral("件の") + kind
                             + QStringLiteral("検索フィルターを削除してもよろしいですか？\r\n\r\n") + list;
    if (ui::showMessage(question, ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::No,
                        kind + QStringLiteral("検索フィルター削除"), &form)
        != ui::Answer::Yes)
        return false;
    // A file already gone does not keep the others.
    bool deleted = false;
    for (const QString &name : names)
        deleted = searchfilter::remove(*k, name) || deleted;
    return deleted;
}

bool RenameFilter(frmMainForm &form, const QString &kind, const QString &name)
{
    const auto k = searchfilter::kindFromObjectName(kind);
    if (!k)
        return false;
    frmNameInput dialog(&form);
    dialog.setTitle(QStringLiteral("フィルター"));
    dialog.setOriginalName(name);
    dialog.exec();
    if (!dialog.OK())
        return false;
    const QString result = dialog.ResultString();
    if (searchfilter::isReservedName(result)) {
        exclamation(searchfilter::reservedNameMessage(), &form);
        return false;
    }
    int error = 0;
    switch (searchfilter::rename(*k, name, result, &error)) {
    case searchfilter::RenameResult::Renamed:
        return true;
    case searchfilter::RenameResult::Exists:
        exclamation(QStringLiteral("この名前は既に存在しています。"), &form);
        return false;
    case searchfilter::RenameResult::Failed:
        break;
    }
    exclamation(QStringLiteral("フィルター名の変更に失敗しました。") + (error ? text::failureReason(error) : QString()), &form);
    return false;
}
