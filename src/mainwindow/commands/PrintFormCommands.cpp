#include "mainwindow/commands/PrintFormCommands.h"

#include "core/dialogs/frmNameInput.h"
#include "mainwindow/commands/DialogLaunchers.h"
#include "mainwindow/views/MainListModel.h"
#include "mainwindow/views/MainListView.h"
#include "mainwindow/views/PrintFormRows.h"
#include "mainwindow/views/frmMainForm.h"
#include "platform/text/FileFailure.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WaitCursor.h"
#include "printing/PrintFormKind.h"
#include "printing/frmPrintForm.h"
#include "platform/text/LineFile.h"

#include <QFile>

#include <cerrno>

namespace {

const QString kPrintForm = QStringLiteral("印刷フォーム");

bool showDesigner(const QString &kindCode, const QString &formName, QWidget *parent)
{
    if (const auto driven = drivenLaunch({QStringLiteral("frmPrintForm"), kindCode, formName}))
        return *driven;
    ui::WaitCursor wait;
    frmPrintForm designer(parent);
    designer.ObjectName = kindCode;
    designer.FormName = formName;
    wait.release();
    designer.exec();
    return designer.ResultModified;
}

bool inPrintFormList(const frmMainForm &form)
{
    return form.CurrentLocation.value(0) == kPrintForm && form.CurrentLevel == 1;
}

// The selected row's text, or "" when there is none or it is the add row.
QString selectedForm(const frmMainForm &form)
{
    const int row = form.lvwList->selectedItemRow();
    if (row < 0)
        return QString();
    const QString text = form.lvwList->listModel()->text(row);
    return text == PrintFormRows::kAddRow ? QString() : text;
}

QStringList selectedForms(const frmMainForm &form)
{
    QStringList names;
    for (int row : form.lvwList->selectedRowNumbers()) {
        const QString text = form.lvwList->listModel()->text(row);
        if (text != PrintFormRows::kAddRow)
            names << text;
    }
    return names;
}

} // namespace

bool ShowPrintFormDenpyo(const QString &formName, QWidget *parent)
{
    return showDesigner(QStringLiteral("Denpyo"), formName, parent);
}

bool ShowPrintFormDenpyoList(const QString &formName, QWidget *parent)
{
    return showDesigner(QStringLiteral("DenpyoList"), formName, parent);
}

bool ShowPrintFormTsukiSeikyusho(const QString &formName, QWidget *parent)
{
    return showDesigner(QStringLiteral("TsukiSeikyusho"), formName, parent);
}

bool ShowPrintFormCustomer(const QString &formName, QWidget *parent)
{
    return showDesigner(QStringLiteral("Customer"), formName, parent);
}

bool ShowPrintFormCustomerList(const QString &formName, QWidget *parent)
{
    return showDesigner(QStringLiteral("CustomerList"), formName, parent);
}

bool ShowPrintFormShohin(const QString &formName, QWidget *parent)
{
    return showDesigner(QStringLiteral("Shohin"), formName, parent);
}

bool ShowPrintFormShohinList(const QString &formName, QWidget *parent)
{
    return showDesigner(QStringLiteral("ShohinList"), formName, parent);
}

bool ShowPrintFormOfList(const QString &kindName, const QString &formName, QWidget *parent)
{
    static const struct {
        const char *kindName;
        bool (*launch)(const QString &, QWidget *);
    } launchers[] = {
        {"伝票印刷フォーム", ShowPrintFormDenpyo},
        {"伝票リスト印刷フォーム", ShowPrintFormDenpyoList},
        {"月締め請求書印刷フォーム", ShowPrintFormTsukiSeikyusho},
        {"顧客印刷フォーム", ShowPrintFormCustomer},
        {"顧客リスト印刷フォーム", ShowPrintFormCustomerList},
        {"商品印刷フォーム", ShowPrintFormShohin},
        {"商品リスト印刷フォーム", ShowPrintFormShohinList},
    };
    for (const auto &l : launchers)
        if (kindName == QString::fromUtf8(l.kindName))
            return l.launch(formName, parent);
    return false;
}

bool DeletePrintForms(frmMainForm &form, const QString &kindName)
{
    const PrintFormKind *kind = printFormKindByListName(kindName);
    const QStringList names = selectedForms(form);
    if (names.isEmpty() || !kind)
        return false;
    QString list;
    for (int i = 0; i < names.size(); ++i) {
        if (i < 6) {
            list += names[i] + QStringLiteral("\r\n");
        } else {
            list += QStringLiteral("    :\r\n");
            break;
        }
    }
    const QString question = QStringLiteral("次の") + QString::number(names.size()) + QStringLiteral("件の") + kindName
                             + QStringLiteral("を削除してもよろしいですか？\r\n\r\n") + list;
    if (ui::showMessage(question, ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::No,
                        kindName + QStringLiteral("削除"), &form)
        != ui::Answer::Yes)
        return false;
    bool deleted = false;
    QStringList failed;
    int why = 0;
    for (const QString &name : names) {
        if (QFile::remove(printFormPath(kind->formFolder(), name))) {
            deleted = true;
        } else {
            if (failed.isEmpty())
                why = errno;
            failed << name;
        }
    }
    if (!failed.isEmpty())
        ui::showMessage(QStringLiteral("次の印刷フォームを削除できませんでした。") + text::failureReason(why)
                            + QStringLiteral("\r\n\r\n") + failed.join(QStringLiteral("\r\n")),
                        ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), &form);
    return deleted;
}

bool RenamePrintForm(frmMainForm &form, const QString &kindName, const QString &formName)
{
    const PrintFormKind *kind = printFormKindByListName(kindName);
    if (!kind || formName.isEmpty())
        return false;
    frmNameInput dialog(&form);
    dialog.setTitle(QStringLiteral("フォーム"));
    dialog.setOriginalName(formName);
    dialog.exec();
    if (!dialog.OK())
        return false;
    const QString folder = kind->formFolder();
    const QString newName = dialog.ResultString();
    if (printFormExists(folder, newName)) {
        ui::showMessage(QStringLiteral("この名前は既に存在しています。"), ui::Icon::Exclamation, ui::Buttons::Ok,
                        ui::Answer::Ok, QString(), &form);
        return false;
    }
    if (text::moveWithoutReplacing(printFormPath(folder, formName), printFormPath(folder, newName))
        != text::MoveResult::Moved) {
        ui::showMessage(QStringLiteral("印刷フォームの名前を変更できませんでした。") + text::failureReason(errno)
                            + QStringLiteral("\r\n") + formName,
                        ui::Icon::Exclamation, ui::Buttons::Ok, ui::Answer::Ok, QString(), &form);
        return false;
    }
    return true;
}

bool PrintFormOpenSelectedItem(frmMainForm &form)
{
    if (form.CurrentLocation.value(0) != kPrintForm)
        return false;
    const int row = form.lvwList->selectedItemRow();
    if (row < 0)
        return true;
    const QString text = form.lvwList->listModel()->text(row);
    if (form.CurrentLevel == 0) {
        if (printFormKindByListName(text))
            form.ShowPrintFormList(text);
    } else if (form.CurrentLevel == 1) {
        const QString name = text == PrintFormRows::kAddRow ? QString() : text;
        if (ShowPrintFormOfList(form.CurrentLocation.value(1), name, &form))
            form.RefreshView();
    }
    return true;
}

bool PrintFormCommand(frmMainForm &form, const QString &command)
{
    if (form.CurrentLocation.value(0) != kPrintForm)
        return false;
    if (!inPrintFormList(form))
        return true;
    const QString kindName = form.CurrentLocation.value(1);
    bool changed = false;
    if (command == QLatin1String("New")) {
        changed = ShowPrintFormOfList(kindName, QString(), &form);
    } else if (command == QLatin1String("Edit")) {
        const QString name = selectedForm(form);
        changed = !name.isEmpty() && ShowPrintFormOfList(kindName, name, &form);
    } else if (command == QLatin1String("Delete")) {
        changed = DeletePrintForms(form, kindName);
    } else if (command == QLatin1String("Rename")) {
        const QString name = selectedForm(form);
        changed = !name.isEmpty() && RenamePrintForm(form, kindName, name);
    } else if (command == QLatin1String("RenameMenu")) {
        const QStringList names = selectedForms(form);
        if (names.isEmpty()) {
            ui::showMessage(QStringLiteral("名前を変更するフォームを選択してください。"), ui::Icon::None, ui::Buttons::Ok,
                            ui::Answer::Ok, QString(), &form);
        } else if (names.size() > 1) {
            ui::showMessage(QStringLiteral("複数のフォームを選択することはできません。"), ui::Icon::None,
                            ui::Buttons::Ok, ui::Answer::Ok, QString(), &form);
        } else {
            changed = RenamePrintForm(form, kindName, names.first());
        }
    }
    if (changed)
        form.RefreshView();
    return true;
}
