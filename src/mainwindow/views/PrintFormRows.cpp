#include "mainwindow/views/PrintFormRows.h"

#include "printing/PrintFormKind.h"

namespace PrintFormRows {

std::shared_ptr<TextListRows> root()
{
    auto rows = std::make_shared<TextListRows>();
    rows->add({kPrintInfoRow, QStringLiteral("見積書等印刷時の自社情報を設定します..."), QStringLiteral("01")}, 14);
    int n = 2;
    for (const PrintFormKind &kind : printFormKinds())
        rows->add({kind.listName(), QString(), QStringLiteral("%1").arg(n++, 2, 10, QLatin1Char('0'))}, 2);
    return rows;
}

std::shared_ptr<TextListRows> forms(const QString &kindName)
{
    auto rows = std::make_shared<TextListRows>();
    rows->add({kAddRow, QStringLiteral("新規印刷フォームを作成します...")}, 28);
    if (const PrintFormKind *kind = printFormKindByListName(kindName))
        for (const QString &name : printFormNames(kind->formFolder()))
            rows->add({name, name + QStringLiteral("の印刷設定を表示します...")}, 15);
    return rows;
}

} // namespace PrintFormRows
