#pragma once

#include <QChar>
#include <QString>
#include <functional>

// What a user may put into a text field by typing or pasting: the one rule
// every entry field of the program applies as the text comes in, so that a
// field never shows what it could not keep.
namespace text {

// False for the characters no field takes: control characters (NUL, tabs,
// line breaks and the like) and the noncharacters U+FFFE, U+FFFF and their
// kin, which no file of ours can hold.
bool isEnterable(QChar c);

// The part of `typed` a field inserts: each character in the form a CP932
// file gives it back (toCp932Form), then judged by `accept`, which returns
// the character to insert or a null QChar to drop it (without one,
// isEnterable decides). A character outside the basic plane is kept or
// dropped as a whole, judged by its first half; half a pair alone is
// dropped. Insertion stops once `room` characters are kept (-1: no limit);
// a pair that no longer fits is left out.
QString enterableText(const QString &typed, qsizetype room = -1,
                      const std::function<QChar(QChar)> &accept = {});

} // namespace text
