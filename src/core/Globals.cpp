#include "core/Globals.h"

std::unique_ptr<db::Connection> gConnection;
QString gstrStartupDir;
QString gstrDatabasePath;
QString gstrTsukiSeikyushoFolder;
QString gstrDenpyoKensakuFilterFolder;
QString gstrCustomerKensakuFilterFolder;
QString gstrShohinKensakuFilterFolder;
QString gstrDenpyoPrintFormFolder;
QString gstrDenpyoListPrintFormFolder;
QString gstrTsukiSeikyushoPrintFormFolder;
QString gstrCustomerPrintFormFolder;
QString gstrCustomerListPrintFormFolder;
QString gstrShohinPrintFormFolder;
QString gstrShohinListPrintFormFolder;
QVector<DenpyoListColumn> garrDenpyoListColumns;
QStringList garrDenpyoKensakuItems;
QStringList garrCustomerKensakuItems;
QStringList garrShohinKensakuItems;

db::Connection &connection()
{
    if (!gConnection)
        throw db::DbError(21, QStringLiteral("データベースが開かれていません。"));
    return *gConnection;
}
