#include "core/SchemaUpgrade.h"

#include "platform/db/Connection.h"

#include <QStringList>

namespace {

struct IndexDefinition {
    const char16_t *name;
    const char16_t *sql; // exactly as tools/schema.sql creates it
};

constexpr IndexDefinition kIndexes[] = {
    {u"伝票テーブル_作成日", u"CREATE INDEX 伝票テーブル_作成日 ON 伝票テーブル (substr(作成日付,1,10))"},
    {u"伝票テーブル_更新日", u"CREATE INDEX 伝票テーブル_更新日 ON 伝票テーブル (substr(更新日付,1,10))"},
};

bool isCurrent(db::Connection &c, const IndexDefinition &index)
{
    db::Statement st = c.prepare(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND name = ?"));
    st.bindText(1, QString::fromUtf16(index.name));
    return st.step() && st.text(0) == QString::fromUtf16(index.sql);
}

} // namespace

void UpgradeSchema(db::Connection &connection)
{
    QList<const IndexDefinition *> stale;
    for (const IndexDefinition &index : kIndexes) {
        if (!isCurrent(connection, index))
            stale.append(&index);
    }
    if (stale.isEmpty())
        return;
    db::Transaction transaction(connection);
    for (const IndexDefinition *index : stale) {
        connection.exec(QStringLiteral("DROP INDEX IF EXISTS \"%1\"").arg(QString::fromUtf16(index->name)));
        connection.exec(QString::fromUtf16(index->sql));
    }
    transaction.commit();
}
