#include "platform/db/TextFunctions.h"

#include <QString>
#include <sqlite3.h>

namespace db {
namespace {

QString argText(sqlite3_value *v)
{
    const auto *p = reinterpret_cast<const char16_t *>(sqlite3_value_text16(v));
    const int bytes = sqlite3_value_bytes16(v);
    return QString::fromUtf16(p, bytes / 2);
}

void resultText(sqlite3_context *ctx, const QString &s)
{
    const QByteArray utf8 = s.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// Mid(text, start[, length]): characters from the 1-based start.
void sqlMid(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString s = argText(argv[0]);
    qint64 start = sqlite3_value_int64(argv[1]);
    if (start < 1)
        start = 1;
    qint64 length = s.size();
    if (argc > 2) {
        if (sqlite3_value_type(argv[2]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
        length = qMax<qint64>(0, sqlite3_value_int64(argv[2]));
    }
    if (start > s.size()) {
        resultText(ctx, QString());
        return;
    }
    resultText(ctx, s.mid(start - 1, length));
}

void sqlLeft(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, argText(argv[0]).left(qMax<qint64>(0, sqlite3_value_int64(argv[1]))));
}

void sqlRight(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, argText(argv[0]).right(qMax<qint64>(0, sqlite3_value_int64(argv[1]))));
}

void sqlLen(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int64(ctx, argText(argv[0]).size());
}

} // namespace

void registerTextFunctions(sqlite3 *db)
{
    // Pure functions of their arguments: innocuous, so that they stay usable
    // where the engine distrusts the schema (trusted_schema off).
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function(db, "Mid", 2, flags, nullptr, sqlMid, nullptr, nullptr);
    sqlite3_create_function(db, "Mid", 3, flags, nullptr, sqlMid, nullptr, nullptr);
    sqlite3_create_function(db, "Left", 2, flags, nullptr, sqlLeft, nullptr, nullptr);
    sqlite3_create_function(db, "Right", 2, flags, nullptr, sqlRight, nullptr, nullptr);
    sqlite3_create_function(db, "Len", 1, flags, nullptr, sqlLen, nullptr, nullptr);
}

} // namespace db
