#pragma once

#include <QString>

// Start-up: refuses a network path, sets the folder globals, opens the
// database, checks its version and brings an earlier schema up to date,
// checks the data folders and builds the fixed tables. False: a message has
// been shown and the program must end.
bool fnStartup();
// Makes Japanese the system locale as Qt sees it, whatever the user's
// locale: Qt's file box shows dates and sizes by it. Called before the
// application object exists.
void useJapaneseSystemLocale();
// Lets Qt's own dialogs and buttons (file boxes, print dialogs, standard
// buttons) speak Japanese, as the rest of the program does: Japanese as the
// default locale, Qt's translation and the texts it lacks. Called once the
// application object exists, before the first window. False when Qt's
// translation is not installed on this system: most of those texts then
// stay in English.
bool installQtTranslation();
bool fnOpenDatabase();
bool fnCheckFolders();
// Sets gstrDatabasePath and the folder globals (each ending in "/") for a
// program folder.
void SetFolderGlobals(const QString &programFolder);
// Closes and releases gConnection; the first step of the main window's unload.
void CloseDatabase();

// The folder that holds the executable (no trailing "/"). Tests set it.
QString programFolder();
void setProgramFolder(const QString &folder);
