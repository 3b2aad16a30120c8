#pragma once

#include "platform/report/Layout.h"

#include <QString>
#include <stdexcept>

// Layout files (.rpx): UTF-8 XML of our own. The root element carries the
// user data as its first attribute on the second line of the file, so that
// readers that scan the file as plain text find UserData="..." before any
// control text could hold the word.
namespace report {

class LayoutError : public std::runtime_error {
public:
    explicit LayoutError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// Throws LayoutError when the file cannot be read or is not a layout.
Layout loadLayout(const QString &path);
// As loadLayout, but a file whose bytes are those of a recent read gives
// the layout parsed then: a form is printed far more often than saved, and
// parsing it takes far longer than reading it. The bytes decide, not the
// file's size and times: those move in steps of a clock tick, within which
// a form saved twice may keep them all.
Layout loadKeptLayout(const QString &path);
Layout parseLayout(const QByteArray &xml);
// Throws text::TextFileError when the file cannot be written; the old file
// stays whole.
void saveLayout(const QString &path, const Layout &layout);
QByteArray serializeLayout(const Layout &layout);

} // namespace report
