#include "filters/SearchFilterFile.h"

#include "filters/SearchConditionKey.h"
#include "platform/text/LineFile.h"

#include <QSet>
#include <algorithm>
#include <cerrno>

namespace {
const QChar kFieldKind = QLatin1Char('P');
const QChar kConditionKind = QLatin1Char('C');
const QChar kQuote = QLatin1Char('"');
// Far more than the fields and conditions a filter can hold: a longer file
// is no filter the program wrote.
constexpr qint64 kMaxFilterFileSize = 16 << 20;

// The content sits between the kind letter and the closing quote.
QString contentOf(const QString &line)
{
    return line.mid(2, line.size() - 3);
}

// A line as the writer puts it: a quote, the kind letter, the content and
// a closing quote. A line that lost its closing quote would lose the last
// character of its content if it were read by position, and bytes that are
// not CP932 would search for a character nobody typed.
bool wellFormed(const QString &line)
{
    return line.size() >= 3 && line.front() == kQuote && line.back() == kQuote
           && (line.at(1) == kFieldKind || line.at(1) == kConditionKind)
           && !line.contains(QChar::ReplacementCharacter);
}

QString quoted(QChar kind, const QString &content)
{
    return QString(kQuote) + kind + content + kQuote;
}
} // namespace

SearchFilterFile::Status SearchFilterFile::read(const QString &path)
{
    const auto lines = text::readLines(path, kMaxFilterFileSize);
    if (!lines) {
        const bool tooLong = errno == EFBIG;
        fields.clear();
        return tooLong ? Status::Invalid : Status::Missing;
    }
    return parse(*lines) ? Status::Ok : Status::Invalid;
}

bool SearchFilterFile::parse(const QStringList &lines)
{
    fields.clear();
    if (lines.size() % 2 != 0)
        return false;
    QVector<SearchFilterField> read;
    QSet<QString> fieldKeys;
    QSet<QString> conditionKeys;
    for (int i = 0; i < lines.size(); i += 2) {
        const QString &first = lines.at(i);
        const QString &second = lines.at(i + 1);
        // Both lines of a record carry its kind; a pair that differs has
        // lost a line somewhere above.
        if (!wellFormed(first) || !wellFormed(second) || first.at(1) != second.at(1))
            return false;
        const QString key = contentOf(first);
        const QString label = contentOf(second);
        if (first.at(1) == kFieldKind) {
            if (fieldKeys.contains(key))
                return false;
            fieldKeys.insert(key);
            read.append(SearchFilterField{key, label, {}});
        } else {
            if (read.isEmpty() || conditionKeys.contains(key))
                return false;
            conditionKeys.insert(key);
            read.last().conditions.append(SearchFilterCondition{key, label});
        }
    }
    fields = read;
    return true;
}

QStringList SearchFilterFile::lines() const
{
    QStringList out;
    for (const SearchFilterField &field : fields) {
        out << quoted(kFieldKind, field.key) << quoted(kFieldKind, field.label);
        for (const SearchFilterCondition &condition : field.conditions)
            out << quoted(kConditionKind, condition.key) << quoted(kConditionKind, condition.text);
    }
    return out;
}

void SearchFilterFile::write(const QString &path) const
{
    text::writeLines(path, lines());
}

bool SearchFilterFile::addCondition(const QString &fieldKey, const QString &fieldLabel,
                                    const QString &keyWithoutStamp, const QString &displayText,
                                    const QDateTime &moment)
{
    // Fields are found by their key: a file written elsewhere may label a
    // field differently, and a second field under the same key would make
    // the file unreadable once saved.
    auto field = std::find_if(fields.begin(), fields.end(),
                              [&](const SearchFilterField &f) { return f.key == fieldKey; });
    if (field == fields.end()) {
        fields.append(SearchFilterField{fieldKey, fieldLabel, {}});
        field = fields.end() - 1;
    }
    for (const SearchFilterCondition &condition : field->conditions) {
        if (condition.text == displayText)
            return false;
    }
    field->conditions.append(
        SearchFilterCondition{SearchConditionKey::stamped(moment, keyWithoutStamp), displayText});
    return true;
}

void SearchFilterFile::removeCondition(int fieldIndex, int conditionIndex)
{
    if (fieldIndex < 0 || fieldIndex >= fields.size())
        return;
    auto &conditions = fields[fieldIndex].conditions;
    if (conditionIndex < 0 || conditionIndex >= conditions.size())
        return;
    conditions.removeAt(conditionIndex);
    if (conditions.isEmpty())
        fields.removeAt(fieldIndex);
}

int SearchFilterFile::conditionCount() const
{
    int count = 0;
    for (const SearchFilterField &field : fields)
        count += field.conditions.size();
    return count;
}
