#pragma once

#include <QString>
#include <QVariant>

// Small settings in CP932 text files "SECTION,KEY,VALUE" (CR LF) in the
// start-up directory. `file` is given without ".txt"; see settingsFileName().

// The settings file name for a suffix ("Size", "Ini" or ""): the executable's
// name in upper case, "5" and the suffix, e.g. "QUORVEX5SIZE".
QString settingsFileName(const QString &suffix);

QString fnReadSetting(const QString &file, const QString &section, const QString &key,
                      const QVariant &defaultValue = QVariant());
// Writes never throw: a file that cannot be written leaves the old one whole
// and returns false.
bool fnWriteSetting(const QString &file, const QString &section, const QString &key,
                    const QVariant &value);
QString fnGetTextSetting(const QString &path, const QString &section, const QString &key);
// Sets the line's section and key to its value; a file whose bytes would
// not change is not written again. Throws text::TextFileError when the file
// cannot be written.
void SaveTextSetting(const QString &line, const QString &path);
