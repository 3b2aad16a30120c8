#include "TestSupport.h"

#include "core/Globals.h"
#include "core/Startup.h"
#include "core/Tables.h"

#include <QDir>
#include <QFile>

namespace testsupport {

QString schemaSql()
{
    QFile f(QStringLiteral(QVX_SCHEMA_SQL));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read the schema");
    return QString::fromUtf8(f.readAll());
}

QString createFreshDatabase(const QString &path)
{
    auto c = db::Connection::create(path);
    c->execScript(QStringLiteral("BEGIN;") + schemaSql() + QStringLiteral("COMMIT;"));
    return path;
}

static const char *const kDefineFolders[] = {
    "DenpyoKensakuFilter", "CustomerKensakuFilter", "ShohinKensakuFilter",
    "DenpyoPrintForm", "DenpyoListPrintForm", "TsukiSeikyushoPrintForm",
    "CustomerPrintForm", "CustomerListPrintForm", "ShohinPrintForm", "ShohinListPrintForm"};

ProgramFolder::ProgramFolder()
{
    QDir d(m_dir.path());
    d.mkpath(QStringLiteral("DATABASE/TsukiSeikyusho"));
    for (const char *f : kDefineFolders)
        d.mkpath(QStringLiteral("Define/") + QLatin1String(f));
    createFreshDatabase(databasePath());
}

void ProgramFolder::open()
{
    setProgramFolder(path());
    QDir::setCurrent(path());
    gstrStartupDir = path();
    SetFolderGlobals(path());
    gConnection = db::Connection::open(databasePath());
    InitDenpyoListColumns();
    InitDenpyoKensakuItems();
    InitCustomerKensakuItems();
    InitShohinKensakuItems();
}

} // namespace testsupport
