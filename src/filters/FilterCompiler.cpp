#include "filters/FilterCompiler.h"

#include "core/DateValue.h"
#include "core/Routines.h"
#include "core/Tables.h"
#include "filters/PeriodKeywords.h"
#include "filters/SearchConditionKey.h"
#include "filters/SearchFilterFile.h"
#include "filters/SearchFilterKind.h"
#include "platform/text/FileFailure.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <cerrno>
#include <optional>

namespace {

// A file the editor could not have written: a condition on a column the
// kind's search items do not offer, with a letter its item does not produce,
// an unreadable range or date, or an unknown period keyword. Compiling such
// a file would give a text that lists everything or that the database
// refuses. Conditions of one field on different columns are valid: a
// condition belongs to the field record above it, whatever its column.
struct InvalidFilter {};

const QString kSlipTable = QStringLiteral("伝票テーブル.");
const QString kLineTable = QStringLiteral("明細テーブル.");
const QString kAddressItem = QStringLiteral("所在地");

bool isLineColumn(const QString &column)
{
    return column == u"品名" || column == u"品番" || column == u"商品ID";
}

void checkColumn(SearchFilterKind kind, const SearchConditionKey &key)
{
    for (const QString &item : searchfilter::itemTable(kind)) {
        const KensakuItemSpec spec = KensakuItemSpec::parse(item);
        if (spec.column == key.column) {
            if (SearchConditionKey::codeOf(spec.inputKind).left(1) != key.code.left(1))
                throw InvalidFilter{};
            return;
        }
    }
    throw InvalidFilter{};
}

// A quoted SQL literal keeps the value as typed: only "'" is doubled, so
// LIKE wildcards typed by the user still act as wildcards.
QString literal(const QString &value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return escaped;
}

struct Range {
    qint64 lower = 0;
    qint64 upper = 0;
};

qint64 readBound(const QString &text)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    if (!ok)
        throw InvalidFilter{};
    return n;
}

Range readRange(const QString &value)
{
    return Range{readBound(value.left(9)), readBound(value.mid(9, 9))};
}

QString number(qint64 n)
{
    return QString::number(n);
}

// " C > lower-1 AND C < upper+1": whole numbers from lower to upper.
QString wholeRange(const QString &column, const QString &value)
{
    const Range r = readRange(value);
    return QLatin1Char(' ') + column + QStringLiteral(" > ") + number(r.lower - 1) + QStringLiteral(" AND ")
           + column + QStringLiteral(" < ") + number(r.upper + 1);
}

// A fractional column compares with the bounds themselves; widening them by
// one would let 99.5 into 100～1000.
QString inclusiveRange(const QString &column, const QString &value)
{
    const Range r = readRange(value);
    return QLatin1Char(' ') + column + QStringLiteral(" >= ") + number(r.lower) + QStringLiteral(" AND ")
           + column + QStringLiteral(" <= ") + number(r.upper);
}

QString idMatch(const QString &column, const QString &value)
{
    if (value.endsWith(QLatin1Char('*')))
        return QLatin1Char(' ') + column + QStringLiteral(" LIKE '") + literal(fnLikeWildcard(value))
               + QStringLiteral("' ");
    return QLatin1Char(' ') + column + QStringLiteral(" = '") + literal(value) + QStringLiteral("' ");
}

QString containsMatch(const QString &column, const QString &value)
{
    return QLatin1Char(' ') + column + QStringLiteral(" LIKE '%") + literal(value) + QStringLiteral("%' ");
}

QString flagMatch(const QString &column, const QString &value)
{
    if (value == QLatin1String("Y"))
        return column + QStringLiteral(" = TRUE ");
    if (value == QLatin1String("N"))
        return column + QStringLiteral(" = FALSE ");
    throw InvalidFilter{};
}

QString readDate(const QString &text)
{
    const QDateTime d = parseDateTime(text);
    if (!d.isValid())
        throw InvalidFilter{};
    return formatDate(d.date());
}

// Dates are kept as "yyyy/mm/dd" text, so text comparison orders them. For
// a column with a time the upper bound gets a "9": every "yyyy/mm/dd
// hh:nn:ss" of the last day sorts before it.
QString dateRange(const QString &column, const QString &value, bool withTime)
{
    QString from;
    QString to;
    if (SearchConditionKey::isPeriodLabel(value)) {
        const auto period = PeriodKeywords::period(value, today());
        if (!period)
            throw InvalidFilter{};
        from = formatDate(period->first);
        to = formatDate(period->second);
    } else {
        from = readDate(value.left(8));
        to = readDate(value.mid(8, 8));
    }
    return QLatin1Char(' ') + column + QStringLiteral(" >= '") + from + QStringLiteral("' AND ") + column
           + QStringLiteral(" <= '") + to + (withTime ? QStringLiteral("9'") : QStringLiteral("'"));
}

QString slipCondition(const SearchConditionKey &key)
{
    const QString column = kSlipTable + key.column;
    switch (key.letter().unicode()) {
    case 'N':
    case 'K':
        return wholeRange(column, key.value);
    case 'I':
        return idMatch(column, key.value);
    case 'S':
        return containsMatch(column, key.value);
    case 'Y':
        return QLatin1Char(' ') + flagMatch(column, key.value);
    case 'D':
        return dateRange(column, key.value, false);
    case 'T':
        return dateRange(column, key.value, true);
    default:
        throw InvalidFilter{};
    }
}

QString lineCondition(const SearchConditionKey &key)
{
    const QString column = kLineTable + key.column;
    switch (key.letter().unicode()) {
    case 'I':
        return idMatch(column, key.value);
    case 'S': {
        QString text = containsMatch(column, key.value);
        text.chop(1);
        return text;
    }
    default:
        throw InvalidFilter{};
    }
}

// A line condition OR-ed with slip conditions of the same field cannot
// stand in the join of the lines: it becomes a slip condition "one of its
// lines meets it".
QString slipWithLine(const SearchConditionKey &key)
{
    return QLatin1Char(' ') + kSlipTable + QStringLiteral("伝票番号 IN (SELECT ") + kLineTable
           + QStringLiteral("伝票番号 FROM 明細テーブル WHERE") + lineCondition(key) + QLatin1Char(')');
}

QString customerCondition(const SearchConditionKey &key)
{
    switch (key.letter().unicode()) {
    case 'N':
        return wholeRange(key.column, key.value);
    case 'I':
        return idMatch(key.column, key.value);
    case 'S':
        // The address item searches both address lines.
        if (key.column == kAddressItem)
            return containsMatch(QStringLiteral("所在地１"), key.value) + QStringLiteral(" OR")
                   + containsMatch(QStringLiteral("所在地２"), key.value);
        return containsMatch(key.column, key.value);
    case 'Z':
        return flagMatch(key.column, key.value);
    default:
        throw InvalidFilter{};
    }
}

QString productCondition(const SearchConditionKey &key)
{
    switch (key.letter().unicode()) {
    case 'K':
        return inclusiveRange(key.column, key.value);
    case 'I':
        return idMatch(key.column, key.value);
    case 'S':
        return containsMatch(key.column, key.value);
    default:
        throw InvalidFilter{};
    }
}

QString filterWord(SearchFilterKind kind)
{
    return searchfilter::objectName(kind) + QStringLiteral("検索フィルター ");
}

void showFailure(SearchFilterKind kind, const QString &name, const QString &ending)
{
    ui::showMessage(filterWord(kind) + name + ending, ui::Icon::Exclamation, ui::Buttons::Ok);
}

// Reads the named filter of a kind; nullopt after the message is shown.
std::optional<SearchFilterFile> readFilter(SearchFilterKind kind, const QString &name)
{
    if (!searchfilter::exists(kind, name)) {
        showFailure(kind, name, QStringLiteral("が存在しません。"));
        return std::nullopt;
    }
    const QString path = searchfilter::filePath(kind, name);
    SearchFilterFile file;
    switch (file.read(path)) {
    case SearchFilterFile::Status::Ok:
        return file;
    case SearchFilterFile::Status::Missing:
        // It exists but cannot be opened, e.g. locked by another program.
        ui::showMessage(QStringLiteral("ファイル(%1)を読み込めません。").arg(path) + text::readFailureReason(errno),
                        ui::Icon::Exclamation, ui::Buttons::Ok);
        return std::nullopt;
    case SearchFilterFile::Status::Invalid:
        break;
    }
    showFailure(kind, name, QStringLiteral("が不正です。"));
    return std::nullopt;
}

// The conditions of every field, checked; throws InvalidFilter.
QVector<QVector<SearchConditionKey>> conditionsOf(SearchFilterKind kind, const SearchFilterFile &file)
{
    QVector<QVector<SearchConditionKey>> fields;
    for (const SearchFilterField &field : file.fields) {
        QVector<SearchConditionKey> keys;
        for (const SearchFilterCondition &condition : field.conditions) {
            const auto key = SearchConditionKey::parse(condition.key);
            if (!key)
                throw InvalidFilter{};
            checkColumn(kind, *key);
            keys.append(*key);
        }
        fields.append(keys);
    }
    return fields;
}

// Customer and product conditions: fields AND-ed, a field's conditions
// OR-ed, each in parentheses; empty without conditions.
bool compileSingle(SearchFilterKind kind, const QString &name, QString &strSQLWHERE,
                   QString (*conditionText)(const SearchConditionKey &))
{
    const auto file = readFilter(kind, name);
    if (!file)
        return false;
    try {
        QString where;
        for (const auto &field : conditionsOf(kind, *file)) {
            bool fieldStart = true;
            for (const SearchConditionKey &key : field) {
                if (fieldStart)
                    where += where.isEmpty() ? QStringLiteral("(") : QStringLiteral(") AND (");
                else
                    where += QStringLiteral(" OR ");
                fieldStart = false;
                where += QLatin1Char('(') + conditionText(key) + QLatin1Char(')');
            }
        }
        if (!where.isEmpty())
            where += QLatin1Char(')');
        strSQLWHERE = where;
        return true;
    } catch (const InvalidFilter &) {
        showFailure(kind, name, QStringLiteral("が不正です。"));
        return false;
    }
}

} // namespace

bool fnMakeDenpyoSQLWHERE(const QString &filterName, QString &strSQLWHERE, QString &strSQLMEISAIWHERE)
{
    if (filterName.startsWith(QLatin1Char('/'))) {
        strSQLWHERE = filterName.mid(1);
        strSQLMEISAIWHERE.clear();
        return true;
    }
    const SearchFilterKind kind = SearchFilterKind::Denpyo;
    const auto file = readFilter(kind, filterName);
    if (!file)
        return false;
    try {
        QString slip = QStringLiteral("((1 = 1)");
        QString line;
        for (const auto &field : conditionsOf(kind, *file)) {
            if (field.isEmpty())
                continue;
            const auto onLine = [](const SearchConditionKey &key) { return isLineColumn(key.column); };
            const bool allOnLine = std::all_of(field.begin(), field.end(), onLine);
            const bool someOnLine = std::any_of(field.begin(), field.end(), onLine);
            QString &target = allOnLine ? line : slip;
            bool fieldStart = true;
            for (const SearchConditionKey &key : field) {
                target += fieldStart ? QStringLiteral(") AND (") : QStringLiteral(" OR ");
                fieldStart = false;
                QString condition;
                if (allOnLine)
                    condition = lineCondition(key);
                else if (someOnLine && onLine(key))
                    condition = slipWithLine(key);
                else
                    condition = slipCondition(key);
                target += QLatin1Char('(') + condition + QLatin1Char(')');
            }
        }
        slip += QLatin1Char(')');
        if (!line.trimmed().isEmpty()) {
            line += QLatin1Char(')');
            // Drop the ") AND" that opened the first line field.
            line = line.mid(5);
        }
        strSQLWHERE = slip;
        strSQLMEISAIWHERE = line;
        return true;
    } catch (const InvalidFilter &) {
        showFailure(kind, filterName, QStringLiteral("が不正です。"));
        return false;
    }
}

bool fnMakeCustomerSQLWHERE(const QString &filterName, QString &strSQLWHERE)
{
    return compileSingle(SearchFilterKind::Customer, filterName, strSQLWHERE, customerCondition);
}

bool fnMakeShohinSQLWHERE(const QString &filterName, QString &strSQLWHERE)
{
    return compileSingle(SearchFilterKind::Shohin, filterName, strSQLWHERE, productCondition);
}
