#pragma once

#include "platform/db/Connection.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

// State set up once at start-up and read-only afterwards.

// The one database connection, open from start-up to CloseDatabase.
extern std::unique_ptr<db::Connection> gConnection;

// The current directory at start-up; settings files resolve against it.
extern QString gstrStartupDir;

// Folder paths end in "/" so that a file name can be appended directly.
extern QString gstrDatabasePath;
extern QString gstrTsukiSeikyushoFolder;
extern QString gstrDenpyoKensakuFilterFolder;
extern QString gstrCustomerKensakuFilterFolder;
extern QString gstrShohinKensakuFilterFolder;
extern QString gstrDenpyoPrintFormFolder;
extern QString gstrDenpyoListPrintFormFolder;
extern QString gstrTsukiSeikyushoPrintFormFolder;
extern QString gstrCustomerPrintFormFolder;
extern QString gstrCustomerListPrintFormFolder;
extern QString gstrShohinPrintFormFolder;
extern QString gstrShohinListPrintFormFolder;

// One row of the main slip list's columns: caption, default width (twips).
struct DenpyoListColumn {
    QString caption;
    int width = 0;
};
extern QVector<DenpyoListColumn> garrDenpyoListColumns;

// Search-item tables: "parent;node;caption;input kind;column" texts.
extern QStringList garrDenpyoKensakuItems;
extern QStringList garrCustomerKensakuItems;
extern QStringList garrShohinKensakuItems;

// The connection, or a DbError when the database is not open.
db::Connection &connection();
