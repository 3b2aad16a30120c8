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
    // The same step the program folder's database comes from (qvx_dbinit).
    if (!db::Connection::createFile(path, schemaSql()))
        qFatal("a file is already at %s", qPrintable(path));
    return path;
}

void useEarlierSchema(const QString &path)
{
    auto c = db::Connection::open(path);
    for (const char *day : {"作成日", "更新日"}) {
        const QString name = QString::fromUtf8(day);
        c->exec(QStringLiteral("DROP INDEX 伝票テーブル_%1").arg(name));
        c->exec(QStringLiteral("CREATE INDEX 伝票テーブル_%1 ON 伝票テーブル (Mid(%1付,1,10))").arg(name));
    }
}

static const char *const kDefineFolders[] = {
    "DenpyoKensakuFilter", "CustomerKensakuFilter", "ShohinKensakuFilter",
    "DenpyoPrintForm", "DenpyoListPrintForm", "TsukiSeikyushoPrintForm",
    "CustomerPrintForm", "CustomerListPrintForm", "ShohinPrintForm", "ShohinListPrintForm"};

static void makeFolders(const QString &path)
{
    QDir d(path);
    d.mkpath(QStringLiteral("DATABASE/TsukiSeikyusho"));
    for (const char *f : kDefineFolders)
        d.mkpath(QStringLiteral("Define/") + QLatin1String(f));
}

ProgramFolder::ProgramFolder()
{
    makeFolders(path());
    createFreshDatabase(databasePath());
}

ProgramFolder::ProgramFolder(const QString &database)
{
    makeFolders(path());
    if (!QFile::copy(database, databasePath()))
        qFatal("cannot copy %s", qPrintable(database));
}

void ProgramFolder::enter() const
{
    setProgramFolder(path());
    QDir::setCurrent(path());
}

void ProgramFolder::open()
{
    enter();
    gstrStartupDir = path();
    SetFolderGlobals(path());
    gConnection = db::Connection::open(databasePath());
    InitDenpyoListColumns();
    InitDenpyoKensakuItems();
    InitCustomerKensakuItems();
    InitShohinKensakuItems();
}

OpenedProgramFolder::~OpenedProgramFolder()
{
    gConnection.reset();
}

} // namespace testsupport
