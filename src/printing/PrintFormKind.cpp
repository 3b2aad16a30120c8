#include "printing/PrintFormKind.h"

#include "core/Globals.h"

#include <QDir>
#include <QFileInfo>
#include <QVector>

QString PrintFormKind::listName() const
{
    return displayName + QStringLiteral("印刷フォーム");
}

QString PrintFormKind::sampleFolder() const
{
    QString user = formFolder();
    while (user.endsWith(QLatin1Char('/')))
        user.chop(1);
    if (user.isEmpty())
        return QString();
    return QFileInfo(user).path() + QLatin1Char('/') + code + QStringLiteral("PrintSampleForm/");
}

const QVector<PrintFormKind> &printFormKinds()
{
    static const QVector<PrintFormKind> kinds = {
        {QStringLiteral("Denpyo"), QStringLiteral("伝票"), &gstrDenpyoPrintFormFolder, false, false},
        {QStringLiteral("DenpyoList"), QStringLiteral("伝票リスト"), &gstrDenpyoListPrintFormFolder, true, true},
        {QStringLiteral("TsukiSeikyusho"), QStringLiteral("月締め請求書"), &gstrTsukiSeikyushoPrintFormFolder, true,
         true},
        {QStringLiteral("Customer"), QStringLiteral("顧客"), &gstrCustomerPrintFormFolder, false, false},
        {QStringLiteral("CustomerList"), QStringLiteral("顧客リスト"), &gstrCustomerListPrintFormFolder, true, false},
        {QStringLiteral("Shohin"), QStringLiteral("商品"), &gstrShohinPrintFormFolder, false, false},
        {QStringLiteral("ShohinList"), QStringLiteral("商品リスト"), &gstrShohinListPrintFormFolder, true, false},
    };
    return kinds;
}

const PrintFormKind *printFormKindByCode(const QString &code)
{
    for (const PrintFormKind &k : printFormKinds())
        if (k.code == code)
            return &k;
    return nullptr;
}

const PrintFormKind *printFormKindByListName(const QString &listName)
{
    for (const PrintFormKind &k : printFormKinds())
        if (k.listName() == listName)
            return &k;
    return nullptr;
}

QStringList printFormNames(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    QStringList names;
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.rpx")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        names << file.chopped(4);
    names.sort();
    return names;
}

QString printFormPath(const QString &folder, const QString &name)
{
    return folder + name + QStringLiteral(".rpx");
}

bool printFormExists(const QString &folder, const QString &name)
{
    if (QFileInfo::exists(printFormPath(folder, name)))
        return true;
    for (const QString &other : printFormNames(folder))
        if (other.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
