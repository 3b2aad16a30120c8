#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// One saved search filter: fields in order, each with its conditions.
// A record matches when, for every field, it meets one of its conditions.
struct SearchFilterCondition {
    QString key;  // SearchConditionKey text, stamp included
    QString text; // what the editor shows
};

struct SearchFilterField {
    QString key;   // node key of the search item, e.g. "rt0D"
    QString label; // its caption, e.g. "伝票番号"
    QVector<SearchFilterCondition> conditions;
};

// The filter file: pairs of quoted lines ("P" field key and label, "C"
// condition key and display text), CP932, CR LF. The one reader and writer
// of these files, shared by the editor and the compilers.
class SearchFilterFile {
public:
    enum class Status { Ok, Missing, Invalid };

    QVector<SearchFilterField> fields;

    // Reads a file. Missing: it cannot be opened (errno says why). Invalid: a line that is
    // not a quote, "P" or "C", its content and a closing quote, or that
    // holds bytes that are not CP932; a record
    // whose two lines differ in kind; an unpaired last line; a condition
    // before the first field; or a field key or condition key that occurs
    // twice.
    Status read(const QString &path);
    // The same on lines already read; true when they form a valid filter.
    bool parse(const QStringList &lines);

    // The file's lines, each enclosed in double quotes, fields in order and
    // each followed at once by its conditions.
    QStringList lines() const;
    // Replaces the file as a whole (temporary file, then rename). Throws
    // text::TextFileError when it cannot be written or a character has no
    // CP932 form; the old file is then left as it was.
    void write(const QString &path) const;

    // Places a condition as the editor shows it: under the field with that
    // key, which is added at the end when missing (its label kept when it
    // was read with another one), after the field's
    // other conditions, its key stamped with the moment. Nothing is added
    // when the field already shows the same text; returns whether it was.
    bool addCondition(const QString &fieldKey, const QString &fieldLabel, const QString &keyWithoutStamp,
                      const QString &displayText, const QDateTime &moment);
    // Removes a condition, and its field when no condition is left there.
    void removeCondition(int fieldIndex, int conditionIndex);

    bool isEmpty() const { return fields.isEmpty(); }
    int conditionCount() const;
};
