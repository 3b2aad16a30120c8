#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

namespace text {

// A text file that could not be written; the old file is left whole.
class TextFileError : public std::runtime_error {
public:
    explicit TextFileError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// Reads a CP932 text file as lines (CR LF separated; a missing last CR LF
// still reads, a lone LF also ends a line). nullopt when the file cannot be
// opened or holds a NUL byte.
std::optional<QStringList> readLines(const QString &path);
// Whole file as text (CP932), nullopt when it cannot be opened or holds a
// NUL byte.
std::optional<QString> readText(const QString &path);

// Writes the lines, each followed by CR LF, in CP932 through a temporary
// file that is checked and then renamed over the old one. Throws
// TextFileError when a character has no CP932 form, a line holds a NUL
// character or the write fails.
void writeLines(const QString &path, const QStringList &lines);
// Writes bytes safely in the same way.
void writeBytes(const QString &path, const QByteArray &bytes);

} // namespace text
