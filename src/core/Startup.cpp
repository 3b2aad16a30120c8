#include "core/Startup.h"
#include "core/Globals.h"

#include <QCoreApplication>

namespace {
QString &folderOverride()
{
    static QString f;
    return f;
}
} // namespace

QString programFolder()
{
    return folderOverride().isEmpty() ? QCoreApplication::applicationDirPath() : folderOverride();
}

void setProgramFolder(const QString &folder)
{
    folderOverride() = folder;
}

bool fnStartup()
{
    return true;
}

bool fnOpenDatabase()
{
    return true;
}

bool fnCheckFolders()
{
    return true;
}

void CloseDatabase()
{
    gConnection.reset();
}
